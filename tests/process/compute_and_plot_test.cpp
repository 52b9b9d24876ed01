#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "process/compute_and_plot.h"
#include "process/design_parameters.h"
#include "process/process_plot.h"
#include "process/process_state.h"
#include "support/recording_texts.h"
#include "support/scripted_prompts.h"
#include "ui/recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using Op = RecordingSurface::Op;
using Kind = RecordingSurface::Kind;
namespace msg = compute_messages;

namespace {

DesignParameters StartParameters()
{
    return DesignParameters{26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
}

// The main window's share of a calculation, without a window.
struct MainWindow {
    ChartState chart;
    bool ParametersSet = true;
    ProcessState process;
    DesignParameters parameters = StartParameters();
    RecordingSurface picture;
    ScriptedPrompts prompts;
    RecordingTexts texts;
    int dialogOpenings = 0;
    std::function<void()> onOpening = [] {};

    MainWindow() { SetChartScale(picture); }

    void Press()
    {
        picture.ClearRecord();
        ComputeContext context{chart, ParametersSet, process, parameters, picture, prompts, texts,
                               [this] {
                                   ++dialogOpenings;
                                   ParametersSet = true;
                                   onOpening();
                               }};
        ComputeAndPlot(context);
    }

    // Boxes holding a previous calculation's texts.
    void FillBoxesWithOldTexts()
    {
        for (int box = 1; box <= 7; ++box)
            texts.result[box] = "old";
        for (int index = 0; index <= 9; ++index)
            texts.state[index] = "old";
    }

    // What the last press drew after the chart itself.
    std::vector<Op> ProcessOps() const
    {
        RecordingSurface bare;
        SetChartScale(bare);
        ChartState plain;
        plain.B = chart.B;
        RecordingTexts ignored;
        DrawChart(plain, bare, ignored);
        const std::vector<Op> &all = picture.Ops();
        return std::vector<Op>(all.begin() + static_cast<long>(bare.Ops().size()), all.end());
    }
};

struct Point {
    float d, i;
};

void ExpectDot(const Op &op, Point at, Rgb outline, Rgb fill)
{
    EXPECT_EQ(op.kind, Kind::Circle);
    EXPECT_FLOAT_EQ(op.x1, at.d);
    EXPECT_FLOAT_EQ(op.y1, at.i);
    EXPECT_FLOAT_EQ(op.x2, 0.15f);
    EXPECT_EQ(op.colour, outline);
    EXPECT_EQ(op.fill, fill);
}

void ExpectLine(const Op &op, Point from, Point to)
{
    EXPECT_EQ(op.kind, Kind::Line);
    EXPECT_FLOAT_EQ(op.x1, from.d);
    EXPECT_FLOAT_EQ(op.y1, from.i);
    EXPECT_FLOAT_EQ(op.x2, to.d);
    EXPECT_FLOAT_EQ(op.y2, to.i);
    EXPECT_EQ(op.colour, colours::kGreen);
    EXPECT_EQ(op.width, 2);
}

double Number(const std::string &text)
{
    return std::stod(text);
}

} // namespace

TEST(ComputeAndPlot, StartParametersFillEveryBoxAndDrawTheProcessInTwoPasses)
{
    MainWindow w;
    w.chart.Precision = 0.05f;
    w.picture.SetFillColor(colours::kYellow);
    w.Press();

    EXPECT_TRUE(w.prompts.messages.empty());
    EXPECT_EQ(w.chart.Precision, 1.0f); // the chart was redrawn at precision 1
    ASSERT_FALSE(w.picture.Ops().empty());
    EXPECT_EQ(w.picture.Ops().front().kind, Kind::Clear);

    EXPECT_EQ(w.texts.result[3], "1200000.03031455");
    EXPECT_EQ(w.texts.result[4], "12");
    EXPECT_NEAR(Number(w.texts.result[1]), 1.941, 0.0005);
    EXPECT_NEAR(Number(w.texts.result[2]), 1.941, 0.0005);
    EXPECT_NEAR(Number(w.texts.result[5]), 13.98, 0.005);
    EXPECT_NEAR(Number(w.texts.result[6]), 3.09, 0.005);
    EXPECT_NEAR(Number(w.texts.result[7]), 29.08, 0.005);
    // Texta lists N, W, C, L, O; single values show at most 7 digits.
    const double states[] = {12.64, 58.33, 18.39, 82.34, 13.97, 63.87, 12.634, 50.56, 12.634, 52.15};
    for (int index = 0; index <= 9; ++index) {
        SCOPED_TRACE(index);
        EXPECT_NEAR(Number(w.texts.state[index]), states[index], 0.005);
        int digits = 0;
        for (char c : w.texts.state[index])
            digits += (c >= '0' && c <= '9') ? 1 : 0;
        EXPECT_LE(digits, 7);
    }

    const ProcessState &s = w.process;
    const Point N{s.d_n, s.i_n}, W{s.d_w, s.i_w}, C{s.d_c, s.i_c}, O{s.d_o, s.i_o}, L{s.d_L, s.i_L};
    const std::vector<Op> ops = w.ProcessOps();
    ASSERT_EQ(ops.size(), 14u);
    // First pass: each state red as it is found, in the fill colour left as it was.
    ExpectDot(ops[0], N, colours::kRed, colours::kYellow);
    ExpectDot(ops[1], W, colours::kRed, colours::kYellow);
    ExpectDot(ops[2], C, colours::kRed, colours::kYellow);
    ExpectDot(ops[3], O, colours::kRed, colours::kYellow);
    EXPECT_EQ(ops[3].width, 1);
    ExpectDot(ops[4], L, colours::kGreen, colours::kGreen);
    // Process lines, then the dots again on top of them.
    ExpectLine(ops[5], N, W);
    ExpectLine(ops[6], N, O);
    ExpectLine(ops[7], O, L);
    ExpectLine(ops[8], C, L);
    ExpectDot(ops[9], N, colours::kRed, colours::kRed);
    ExpectDot(ops[10], W, colours::kRed, colours::kRed);
    ExpectDot(ops[11], C, colours::kRed, colours::kRed);
    ExpectDot(ops[12], O, colours::kRed, colours::kRed);
    ExpectDot(ops[13], L, colours::kBlack, colours::kBlack);
    EXPECT_EQ(ops[13].width, 2);

    // A second press draws the same process; its first-pass dots take the
    // black fill the first press left behind.
    const std::vector<Op> first = ops;
    const std::string text1 = w.texts.result[1];
    w.Press();
    const std::vector<Op> again = w.ProcessOps();
    ASSERT_EQ(again.size(), first.size());
    EXPECT_EQ(again[0].fill, colours::kBlack);
    EXPECT_EQ(again[13].x1, first[13].x1);
    EXPECT_EQ(w.texts.result[1], text1);
}

TEST(ComputeAndPlot, NoResidualMoistureIsListedAsSuch)
{
    MainWindow w;
    w.parameters.W = 0.0f;
    w.FillBoxesWithOldTexts();
    w.Press();
    EXPECT_TRUE(w.prompts.messages.empty());
    EXPECT_EQ(w.texts.result[2], process_texts::kNoResidualMoisture);
    EXPECT_EQ(w.texts.result[3], "8.56348914106744E+30");
    for (int box : {1, 4, 5, 6, 7})
        EXPECT_NE(w.texts.result[box], "old") << box;
    for (int index = 0; index <= 9; ++index)
        EXPECT_NE(w.texts.state[index], "old") << index;
    EXPECT_EQ(w.ProcessOps().size(), 14u);
}

TEST(ComputeAndPlot, WithoutParametersItOpensTheDialogAndComputesNothing)
{
    MainWindow w;
    w.ParametersSet = false;
    w.chart.Precision = 0.05f;
    w.FillBoxesWithOldTexts();
    w.Press();

    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_EQ(w.prompts.messages[0], msg::kNoParameters);
    EXPECT_EQ(w.dialogOpenings, 1);
    EXPECT_TRUE(w.ParametersSet);
    EXPECT_EQ(w.chart.Precision, 1.0f);
    EXPECT_TRUE(w.ProcessOps().empty()); // the chart alone
    for (int box = 1; box <= 7; ++box)
        EXPECT_EQ(w.texts.result[box], "old");
    for (int index = 0; index <= 9; ++index)
        EXPECT_EQ(w.texts.state[index], "old");
}

TEST(ComputeAndPlot, AMachineDewPointOutOfReachStopsTheCalculation)
{
    struct Row {
        const char *name;
        std::function<void(DesignParameters &)> change;
    };
    const Row rows[] = {
        // The supply state falls below any moisture content of the scan.
        {"very large supply temperature difference", [](DesignParameters &p) { p.deltaT = 20000; }},
        {"dry machine dew point", [](DesignParameters &p) { p.phiL = 0; }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MainWindow w;
        row.change(w.parameters);
        w.FillBoxesWithOldTexts();
        EXPECT_NO_THROW(w.Press());

        ASSERT_EQ(w.prompts.messages.size(), 1u);
        EXPECT_EQ(w.prompts.messages[0], msg::kDewPointNotFound);
        // N, W, C and O stay on the chart; no L, no lines.
        const std::vector<Op> ops = w.ProcessOps();
        ASSERT_EQ(ops.size(), 4u);
        for (const Op &op : ops) {
            EXPECT_EQ(op.kind, Kind::Circle);
            EXPECT_EQ(op.colour, colours::kRed);
        }
        // Only this run's values: the states found and the heat-moisture ratio.
        for (int box : {1, 2, 4, 5, 6, 7})
            EXPECT_EQ(w.texts.result[box], "") << box;
        EXPECT_EQ(w.texts.result[3], "1200000.03031455");
        for (int index = 0; index <= 9; ++index) {
            const bool ofL = index == 6 || index == 7;
            EXPECT_EQ(w.texts.state[index].empty(), ofL) << index;
            EXPECT_NE(w.texts.state[index], "old") << index;
        }
    }
}

namespace {

// The wet-bulb temperature whose wet-bulb line has the slope 2500 kJ/kg of
// the isotherm 0 °C.
double WetBulbParallelToFreezingIsotherm()
{
    for (float ts = 596.6f; ts < 596.7f; ts = std::nextafter(ts, 1000.0f))
        if (static_cast<float>(4.19 * ts) == 2500.0f)
            return ts;
    return 0.0;
}

} // namespace

TEST(ComputeAndPlot, ArithmeticFaultsStopWithAMessageNamingTheCause)
{
    struct Row {
        const char *name;
        std::function<void(DesignParameters &)> change;
        std::vector<std::string> messageParts; // the message, or parts of it
        int statesFound;                        // of N, W, C, O, L
        bool epsilonKnown;
    };
    const double parallelTs = WetBulbParallelToFreezingIsotherm();
    ASSERT_NE(parallelTs, 0.0);
    const Row rows[] = {
        {"supply at room temperature", [](DesignParameters &p) { p.deltaT = 0; },
         {msg::kEqualEnthalpy}, 5, true},
        {"no residual heat", [](DesignParameters &p) { p.Q = 0; }, {msg::kEqualEnthalpy}, 5, true},
        {"all parameters zero", [](DesignParameters &p) { p = DesignParameters{}; },
         {msg::kEqualEnthalpy}, 5, true},
        {"fresh-air percentage -100", [](DesignParameters &p) { p.s = -100; },
         {msg::kFreshAirShare}, 2, true},
        {"indoor vapour pressure above B", [](DesignParameters &p) { p.tn = 100, p.phiN = 100; },
         {msg::kIndoorVapourPressure}, 0, true},
        {"wet bulb at boiling point", [](DesignParameters &p) { p.ts = 100; },
         {msg::kWetBulbVapourPressure}, 1, true},
        {"wet-bulb line parallel to the isotherm",
         [parallelTs](DesignParameters &p) { p.ts = parallelTs, p.tw = 0; },
         {msg::kWetBulbLineParallel}, 1, true},
        {"process line parallel to the isotherm",
         [](DesignParameters &p) { p.tn = 6, p.deltaT = 6, p.Q = 2.5, p.W = 1.0f; },
         {msg::kProcessLineParallel}, 3, true},
        {"temperature beyond single precision", [](DesignParameters &p) { p.tn = 1e39; },
         {"室内状态点N", "数值溢出", "tn"}, 0, true},
        {"heat-moisture ratio beyond double precision", [](DesignParameters &p) { p.Q = 1e308; },
         {"读取设计参数", "数值溢出", "epsilon"}, 0, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MainWindow w;
        row.change(w.parameters);
        w.FillBoxesWithOldTexts();
        EXPECT_NO_THROW(w.Press());

        ASSERT_EQ(w.prompts.messages.size(), 1u);
        for (const std::string &part : row.messageParts)
            EXPECT_NE(w.prompts.messages[0].find(part), std::string::npos) << w.prompts.messages[0];

        // Dots of the states found; the lines only once L is known.
        int dots = 0, lines = 0;
        for (const Op &op : w.ProcessOps())
            (op.kind == Kind::Circle ? dots : lines) += 1;
        EXPECT_EQ(dots, row.statesFound == 5 ? 10 : row.statesFound);
        EXPECT_EQ(lines, row.statesFound == 5 ? 4 : 0);

        // No box keeps an old text; boxes of values not computed are empty.
        for (int box = 1; box <= 7; ++box)
            EXPECT_EQ(w.texts.result[box].empty(), box != 3 || !row.epsilonKnown) << box;
        const int foundAs[] = {0, 0, 1, 1, 2, 2, 4, 4, 3, 3}; // N, W, C, L, O
        for (int index = 0; index <= 9; ++index)
            EXPECT_EQ(w.texts.state[index].empty(), foundAs[index] >= row.statesFound) << index;
        for (const std::string &text : w.texts.state)
            EXPECT_NE(text, "old");
    }
}

namespace {

class ThrowingPrompts : public ScriptedPrompts {
public:
    void MsgBox(const std::string &) override { throw std::runtime_error("no display"); }
};

} // namespace

TEST(ComputeAndPlot, NoErrorLeavesTheButtonHandler)
{
    // The dialog transition fails: the user learns that something went wrong.
    MainWindow w;
    w.ParametersSet = false;
    w.onOpening = [] { throw std::runtime_error("dialog lost"); };
    EXPECT_NO_THROW(w.Press());
    ASSERT_EQ(w.prompts.messages.size(), 2u);
    EXPECT_EQ(w.prompts.messages[1], msg::kUnexpected);

    // Even a message box that cannot be shown does not escape.
    ThrowingPrompts throwing;
    ChartState chart;
    bool parametersSet = true;
    ProcessState process;
    DesignParameters parameters = StartParameters();
    parameters.phiL = 0; // L not found: a message is due
    RecordingSurface picture;
    RecordingTexts texts;
    ComputeContext context{chart, parametersSet, process, parameters, picture, throwing, texts, {}};
    EXPECT_NO_THROW(ComputeAndPlot(context));
    EXPECT_EQ(texts.result[1], ""); // the boxes were cleared before the message
}
