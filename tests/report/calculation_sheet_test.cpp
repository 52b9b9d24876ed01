#include "designs/design_outcome.h"
#include "designs/parameter_table.h"
#include "designs/primary_summer/primary_summer.h"
#include "psychro/moist_air.h"
#include "report/calculation_sheet.h"
#include "report/sheet_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Evaluates a substituted formula as a reader would with a calculator:
// numbers (E notation included), + − × / and parentheses, a leading minus;
// "-" and "−" both subtract. A saturation pressure written as a call,
// P_qb(26), is the property function's value at that temperature.
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
        if (Take("−") || Take("-"))
            return -Factor();
        if (Take("P_qb(")) {
            const double t = Sum();
            EXPECT_TRUE(Take(")")) << text_;
            return moist_air::SaturationPressure(static_cast<float>(t));
        }
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
const WinterParameters kWinterStartTexts {20, 50, -12, 45, 10, 0.01f, 30, 95, Humidifier::Spray};

struct Made {
    DesignOutcome outcome;
    CalculationSheet sheet;
    std::string html;
};

Made Make(const DesignParameters &parameters, DesignKind design = DesignKind::PrimarySummer,
          const WinterParameters &winter = kWinterStartTexts, double B = 101325)
{
    Project project;
    project.summer = parameters;
    project.winter = winter;
    project.design = design;
    project.chart.B = B;
    project.chart.BText = std::to_string(static_cast<int>(B));
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

// The value and the unit of the last digit of a printed result ("1.940930"
// is 1.94093 to 1e-6).
struct Printed {
    double value;
    double unit;
};
Printed ReadResult(const std::string &text)
{
    const std::size_t exponent = std::min(text.find('E'), text.size());
    const std::size_t point = text.find('.');
    const int decimals = point < exponent ? static_cast<int>(exponent - point - 1) : 0;
    const int power = exponent < text.size() ? std::stoi(text.substr(exponent + 1)) : 0;
    return {std::stod(text), std::pow(10.0, power - decimals)};
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
    EXPECT_EQ(made.sheet.steps.back().formula, "Q_0 = Q_1 + Q_2 + Q_r");
    // The supply flow's step gives the box's value to the digits it prints.
    const SheetStep *G = StepNamed(made.sheet, "G");
    ASSERT_TRUE(G);
    const Printed printed = ReadResult(G->result);
    EXPECT_LE(std::fabs(printed.value - std::stod(texts.results[0])), printed.unit / 2)
        << G->result;
    EXPECT_NE(made.html.find("G = Q / (i<sub>n</sub> − i<sub>o</sub>) = "), std::string::npos);
    EXPECT_NE(made.html.find("48449"), std::string::npos) << "the scan's evaluations";
}

// Every substituted step of every design's sheet, evaluated from its printed
// numbers as a teacher would, gives its printed result within half a unit of
// the result's last digit; and no result is cut short (at least five
// significant digits unless the printed numbers give it exactly), so the
// printed numbers are those the calculation used. Both humidifiers, with and without preheating,
// other pressures and shares.
TEST(CalculationSheet, EveryStepReproducesFromItsPrintedNumbers)
{
    struct Case {
        const char *what;
        DesignKind design;
        double B;
        DesignParameters summer;
        WinterParameters winter;
    };
    const DesignParameters other {24, 55, 33, 25, 8, 40, 90, 35, 2.5f};
    const WinterParameters steam {20, 50, -12, 45, 10, 0.01f, 30, 95, Humidifier::Steam};
    const WinterParameters mildSpray {22, 45, 8, 70, 15, 0.5f, 15, 90, Humidifier::Spray};
    const WinterParameters coldSteam {18, 40, -20, 60, 25, 1.2f, 60, 95, Humidifier::Steam};
    const Case cases[] = {
        {"primary", DesignKind::PrimarySummer, 101325, kStartTexts, kWinterStartTexts},
        {"primary, s 15, Q 35, W 2.5, B 95000",
         DesignKind::PrimarySummer,
         95000,
         {26, 60, 35, 26.5, 6, 15, 95, 35, 2.5f},
         kWinterStartTexts},
        {"primary, other inputs, B 120000", DesignKind::PrimarySummer, 120000, other,
         kWinterStartTexts},
        {"secondary", DesignKind::SecondarySummer, 101325, kStartTexts, kWinterStartTexts},
        {"secondary, tn 24, phin 55, s 40",
         DesignKind::SecondarySummer,
         101325,
         {24, 55, 35, 26.5, 6, 40, 95, 12, 0.01f},
         kWinterStartTexts},
        {"secondary, B 95000", DesignKind::SecondarySummer, 95000, other, kWinterStartTexts},
        {"winter spray, preheated", DesignKind::PrimaryWinter, 101325, kStartTexts,
         kWinterStartTexts},
        {"winter steam", DesignKind::PrimaryWinter, 101325, kStartTexts, steam},
        {"winter spray without preheat, B 120000", DesignKind::PrimaryWinter, 120000, other,
         mildSpray},
        {"winter steam, s' 60, B 95000", DesignKind::PrimaryWinter, 95000, kStartTexts, coldSteam},
    };
    std::size_t checked = 0;
    for (const Case &c : cases) {
        const Made made = Make(c.summer, c.design, c.winter, c.B);
        ASSERT_FALSE(made.sheet.stop) << c.what << ": " << *made.sheet.stop;
        std::size_t formulas = 0;
        for (const SheetStep &step : made.sheet.steps) {
            if (step.substituted.empty())
                continue;
            ++formulas;
            const Printed result = ReadResult(step.result);
            const double recomputed = Arithmetic(step.substituted).Value();
            EXPECT_LE(std::fabs(recomputed - result.value), result.unit / 2)
                << c.what << ": " << step.formula << " = " << step.substituted << " = "
                << step.result << " (the printed numbers give " << recomputed << ")";
            if (result.value != 0 && recomputed != result.value) {
                EXPECT_GE(std::log10(std::fabs(result.value) / result.unit), 4)
                    << c.what << ": " << step.formula << " = " << step.result;
            }
        }
        EXPECT_GT(formulas, 10u) << c.what;
        checked += formulas;
    }
    RecordProperty("substituted_steps_checked", static_cast<int>(checked));
}

// The winter sheet names each state by the letter the chart gives it: with
// steam the heated state is M2 (no M, L' or E in its formulas), and no
// machine-dew-point search was made, so the results table has no row for
// its count; with the spray both are there.
TEST(CalculationSheet, WinterSheetNamesTheStatesOfItsHumidifier)
{
    struct Case {
        Humidifier mode;
        std::vector<std::string> present, absent;
        bool searchRow;
    };
    const Case cases[] = {
        {Humidifier::Steam, {"i_M2", "d_o'"}, {"i_M ", "i_M)", "_E", "_L'"}, false},
        {Humidifier::Spray, {"i_M ", "i_L'"}, {"M2", "_E"}, true},
    };
    for (const Case &c : cases) {
        WinterParameters winter = kWinterStartTexts;
        winter.Mode = c.mode;
        const Made made = Make(kStartTexts, DesignKind::PrimaryWinter, winter);
        std::string formulas;
        for (const SheetStep &step : made.sheet.steps)
            formulas += step.formula + "\n";
        for (const std::string &name : c.present)
            EXPECT_NE(formulas.find(name), std::string::npos) << name;
        for (const std::string &name : c.absent)
            EXPECT_EQ(formulas.find(name), std::string::npos) << name;
        const bool searchRow
            = std::any_of(made.sheet.results.begin(), made.sheet.results.end(),
                          [](const SheetResult &r) { return r.name == "机器露点搜索的温度个数"; });
        EXPECT_EQ(searchRow, c.searchRow);
        for (const SheetResult &result : made.sheet.results)
            EXPECT_FALSE(result.value.empty()) << result.name;
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
        // Its own section comes fifth, before the chart's.
        const std::size_t stop = made.html.find("5　计算中止");
        EXPECT_NE(stop, std::string::npos) << c.what;
        EXPECT_LT(stop, made.html.find(SheetChartHeading(made.sheet))) << c.what;
        EXPECT_EQ(SheetChartHeading(made.sheet), "6　焓湿图");
        ASSERT_FALSE(made.sheet.steps.empty()) << c.what;
        EXPECT_EQ(made.sheet.steps.back().section, c.lastSection) << c.what;
        EXPECT_FALSE(StepNamed(made.sheet, "G")) << c.what;
    }
}

// The chart page's enlarged region holds every state found with a margin, at
// least 1 g/kg by the enthalpy of 1 K, at the plot's proportions, and never
// reaches below zero moisture (the winter outdoor state lies near it).
TEST(CalculationSheet, ProcessRegionHoldsEveryStateAndNoNegativeMoisture)
{
    WinterParameters steam = kWinterStartTexts;
    steam.Mode = Humidifier::Steam;
    const Made cases[] = {
        Make(kStartTexts),
        Make(kStartTexts, DesignKind::SecondarySummer),
        Make(kStartTexts, DesignKind::PrimaryWinter),
        Make(kStartTexts, DesignKind::PrimaryWinter, steam),
        Make({26, 60, 35, 26.5, 6, 15, 95, 35, 2.5f}, DesignKind::PrimarySummer, kWinterStartTexts,
             95000),
    };
    for (const Made &made : cases) {
        const auto &states
            = std::visit([](const auto &o) -> const std::vector<FoundState> & { return o.states; },
                         made.outcome);
        ASSERT_FALSE(states.empty());
        const double width = 1000, height = 560;
        const ChartRegion r = ProcessRegion(states, width, height);
        EXPECT_GE(r.dLeft, 0.0);
        EXPECT_GE(r.dRight - r.dLeft, 1.0);
        EXPECT_GE(r.iTop - r.iBottom, 1.0);
        for (const FoundState &state : states) {
            EXPECT_GT(state.point.d, r.dLeft - 1e-9) << StateLetter(state.name);
            EXPECT_LT(state.point.d, r.dRight);
            EXPECT_GT(state.point.i, r.iBottom);
            EXPECT_LT(state.point.i, r.iTop);
        }
    }
}
