#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "designs/primary_summer/primary_summer.h"
#include "report/calculation_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Evaluates a substituted formula as a reader would with a calculator:
// numbers (as the boxes write them, E notation included), + − × / and
// parentheses; "-" and "−" both subtract.
class Arithmetic {
public:
    explicit Arithmetic(const std::string &text) : text_(text) { }
    double Value()
    {
        const double value = Sum();
        Blanks();
        EXPECT_EQ(at_, text_.size()) << "unread: " << text_.substr(at_);
        return value;
    }

private:
    void Blanks()
    {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }
    bool Take(const std::string &op)
    {
        Blanks();
        if (text_.compare(at_, op.size(), op) != 0)
            return false;
        at_ += op.size();
        return true;
    }
    double Sum()
    {
        double value = Product();
        for (;;) {
            if (Take("+"))
                value += Product();
            else if (Take("−") || Take("-"))
                value -= Product();
            else
                return value;
        }
    }
    double Product()
    {
        double value = Factor();
        for (;;) {
            if (Take("×"))
                value *= Factor();
            else if (Take("/"))
                value /= Factor();
            else
                return value;
        }
    }
    double Factor()
    {
        if (Take("(")) {
            const double value = Sum();
            EXPECT_TRUE(Take(")")) << text_;
            return value;
        }
        Blanks();
        std::size_t used = 0;
        const double value = std::stod(text_.substr(at_), &used);
        at_ += used;
        return value;
    }
    std::string text_;
    std::size_t at_ = 0;
};

const DesignParameters kStartTexts {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};

struct Made {
    DesignOutcome outcome;
    CalculationSheet sheet;
    std::string html;
};

Made Make(const DesignParameters &parameters)
{
    Project project;
    project.summer = parameters;
    Made made {ComputeDesign(project.Request(), project.chart.B), {}, {}};
    made.sheet = MakeCalculationSheet(project, made.outcome);
    made.sheet.date = "2026-12-07";
    made.html = CalculationSheetHtml(made.sheet, "<svg/>");
    return made;
}

const SheetStep *StepNamed(const CalculationSheet &sheet, const std::string &symbol)
{
    for (const SheetStep &step : sheet.steps)
        if (step.formula.rfind(symbol + " = ", 0) == 0)
            return &step;
    return nullptr;
}

} // namespace

// The worked example: every input as typed, every state value and every
// result as its box shows it is on the sheet, and in its HTML.
TEST(CalculationSheet, WorkedExampleHoldsEveryInputStateAndResult)
{
    const Made made = Make(kStartTexts);
    const DesignTexts texts = DesignTextsOf(made.outcome);
    EXPECT_EQ(made.sheet.title, "一次回风系统夏季空调设计计算书");
    EXPECT_FALSE(made.sheet.stop);

    ASSERT_EQ(made.sheet.inputs.size(), 1 + kSummerParameterCount);
    EXPECT_EQ(made.sheet.inputs[0].value, "101325");
    for (std::size_t k = 0; k < kSummerParameterCount; ++k) {
        EXPECT_EQ(made.sheet.inputs[k + 1].value, kSummerParameters[k].startText);
        EXPECT_NE(made.html.find("<td>" + made.sheet.inputs[k + 1].value + "</td>"),
                  std::string::npos);
    }

    ASSERT_EQ(made.sheet.states.size(), 5u);
    for (const StateText &row : texts.stateRows)
        for (const std::string &value : {row.t, row.d, row.i}) {
            ASSERT_FALSE(value.empty()) << row.name;
            EXPECT_NE(made.html.find("<td>" + value + "</td>"), std::string::npos)
                << row.name << " " << value;
        }
    EXPECT_EQ(made.sheet.states[0].phi, "0.600");
    EXPECT_EQ(made.sheet.states[4].phi, "0.950");

    std::size_t results = 0;
    for (const QuantityText &q : texts.quantities) {
        if (q.where == QuantityText::Where::JsonOnly)
            continue;
        ++results;
        ASSERT_FALSE(q.value.empty()) << q.name;
        EXPECT_NE(made.html.find("<td>" + q.value + "</td>"), std::string::npos) << q.name;
    }
    EXPECT_EQ(made.sheet.results.size(), results);
    // The steps end with the system cooling, and the example's figures stand in them.
    ASSERT_FALSE(made.sheet.steps.empty());
    EXPECT_EQ(made.sheet.steps.back().result, texts.results[6]);
    EXPECT_NE(made.html.find("G = Q / (i<sub>n</sub> − i<sub>o</sub>) = 12 / (58.3316 − 52.14899) "
                             "= <b>1.94093039441438</b> kg/s"),
              std::string::npos);
    EXPECT_NE(made.html.find("48449"), std::string::npos) << "the scan's evaluations";
}

// Three substituted formulas, recomputed from the numbers the sheet prints,
// give the results it prints.
TEST(CalculationSheet, SubstitutedFormulasAgreeWithTheResults)
{
    const Made made = Make(kStartTexts);
    for (const char *symbol : {"i_n", "G", "Q_2", "Q_0"}) {
        const SheetStep *step = StepNamed(made.sheet, symbol);
        ASSERT_TRUE(step) << symbol;
        const double printed = std::stod(step->result);
        const double recomputed = Arithmetic(step->substituted).Value();
        // The printed inputs carry 7 significant digits.
        EXPECT_NEAR(recomputed, printed, 2e-6 * std::fabs(printed))
            << symbol << " = " << step->substituted;
    }
}

// A calculation that stops gives a sheet with its message and the steps
// reached, and none after them.
TEST(CalculationSheet, StoppedCalculationGivesTheMessageAndTheStepsReached)
{
    struct Case {
        const char *what;
        void (*change)(DesignParameters &);
        const char *message;
        const char *lastSection;
    };
    const Case cases[] = {
        {"no machine dew point", [](DesignParameters &p) { p.phiL = 0; },
         primary_messages::kDewPointNotFound, "机器露点 L"},
        {"no enthalpy difference", [](DesignParameters &p) { p.deltaT = 0; },
         primary_messages::kEqualEnthalpy, "机器露点 L"},
    };
    for (const Case &c : cases) {
        DesignParameters parameters = kStartTexts;
        c.change(parameters);
        const Made made = Make(parameters);
        ASSERT_TRUE(made.sheet.stop) << c.what;
        EXPECT_EQ(*made.sheet.stop, c.message) << c.what;
        EXPECT_NE(made.html.find(c.message), std::string::npos) << c.what;
        EXPECT_NE(made.html.find("6　计算中止"), std::string::npos) << c.what;
        ASSERT_FALSE(made.sheet.steps.empty()) << c.what;
        EXPECT_EQ(made.sheet.steps.back().section, c.lastSection) << c.what;
        EXPECT_FALSE(StepNamed(made.sheet, "G")) << c.what;
    }
}
