#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "designs/design_parameters.h"
#include "designs/plotting.h"
#include "designs/primary_summer/primary_presentation.h"
#include "draw/scene.h"
#include "project/chart_layers.h"
#include "readout/state_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using Op = Scene::Op;
using Kind = Scene::Kind;
namespace msg = primary_messages;

namespace {

// The main window's share of a calculation, without a window; the result
// boxes hold a previous calculation's texts.
struct MainWindow {
    ChartState chart;
    bool ParametersSet = true;
    DesignParameters parameters {26, 60, 35, 26.5, 6,
                                 30, 95, 12, 0.01f}; // the dialog's start texts
    WinterParameters winter;
    Scene picture;
    StatePoints points;
    BoxTexts boxes;
    // What the last press showed: its messages and its boxes as they stay.
    std::vector<std::string> messages;
    BoxTexts texts;
    int dialogOpenings = 0;

    MainWindow()
    {
        SetUpChart(picture);
        boxes.results.fill("old");
        boxes.states.fill("old");
        texts = boxes;
    }

    void Press()
    {
        const CalculationDisplay display
            = DisplayCalculation(picture, chart, points, texts,
                                 {DesignKind::PrimarySummer, parameters, winter}, ParametersSet);
        messages.clear();
        for (const DisplayMoment &moment : display.moments)
            if (!moment.message.empty())
                messages.push_back(moment.message);
        texts = display.moments.back().boxes;
        if (display.openPrimaryReturnAir) {
            ++dialogOpenings;
            ParametersSet = true;
        }
    }

    // The result box Text n (n = 1..7) as the last press left it.
    const std::string &Text(int n) const { return texts.results[static_cast<std::size_t>(n - 1)]; }

    // What the last press drew after the chart itself.
    const std::vector<Op> &ProcessOps() const { return picture.Ops(SceneLayer::Process); }
};

} // namespace

TEST(ComputeAndPlot, StartParametersFillEveryBoxAndDrawTheProcessInTwoPasses)
{
    MainWindow w;
    w.chart.Precision = 0.05f;
    w.picture.SetFillColor(colours::kYellow);
    w.Press();

    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(w.chart.Precision, 1.0f); // redrawn at precision 1
    EXPECT_EQ(w.Text(3), "1200000.03031455");
    EXPECT_EQ(w.Text(4), "12");
    const double results[] = {0, 1.941, 1.941, 1.2e6, 12, 13.98, 3.09, 29.08};
    for (int box : {1, 2, 5, 6, 7})
        EXPECT_NEAR(std::stod(w.Text(box)), results[box], 0.005) << box;
    // Texta lists N, W, C, L, O, single values with at most 7 digits.
    const double states[]
        = {12.64, 58.33, 18.39, 82.34, 14.37, 65.54, 12.634, 50.56, 12.634, 52.15};
    for (int index = 0; index <= 9; ++index) {
        EXPECT_NEAR(std::stod(w.texts.states[index]), states[index], 0.005) << index;
        EXPECT_LE(w.texts.states[index].size(), 8u) << index;
    }

    const PrimaryOutcome s = ComputePrimarySummer(w.parameters, w.chart.B);
    using P = StatePoint;
    const P N = *s.State(StateName::N), W = *s.State(StateName::W), C = *s.State(StateName::C),
            O = *s.State(StateName::O), L = *s.State(StateName::L);
    const Rgb red = colours::kRed, green = colours::kGreen, black = colours::kBlack;
    const Rgb yellow = colours::kYellow;
    struct Expected {
        Kind kind;
        P a, b; // a dot at a, or a line from a to b
        Rgb outline, fill;
        int width;
    };
    const Expected expected[] = {
        // First pass: each state as soon as it is known, the fill left as it was.
        {Kind::Circle, N, {}, red, yellow, 1},
        {Kind::Circle, W, {}, red, yellow, 1},
        {Kind::Circle, C, {}, red, yellow, 1},
        {Kind::Circle, O, {}, red, yellow, 1},
        {Kind::Circle, L, {}, green, green, 1},
        // The process lines, then every dot again on top of them.
        {Kind::Line, N, W, green, green, 2},
        {Kind::Line, N, O, green, green, 2},
        {Kind::Line, O, L, green, green, 2},
        {Kind::Line, C, L, green, green, 2},
        {Kind::Circle, N, {}, red, red, 2},
        {Kind::Circle, W, {}, red, red, 2},
        {Kind::Circle, C, {}, red, red, 2},
        {Kind::Circle, O, {}, red, red, 2},
        {Kind::Circle, L, {}, black, black, 2},
    };
    // Last, each state's letter beside its dot, in the dot's colour and clear of it.
    const struct {
        const char *letter;
        P at;
        Rgb colour;
    } letters[] = {{"N", N, red}, {"W", W, red}, {"C", C, red}, {"O", O, red}, {"L", L, black}};
    const std::vector<Op> ops = w.ProcessOps();
    ASSERT_EQ(ops.size(), std::size(expected) + std::size(letters));
    for (std::size_t k = 0; k < std::size(letters); ++k) {
        const Op &op = ops[std::size(expected) + k];
        EXPECT_EQ(op.kind, Kind::Text);
        EXPECT_EQ(op.text, letters[k].letter);
        EXPECT_EQ(op.colour, letters[k].colour);
        EXPECT_EQ(op.fontSize, 12.0f);
        EXPECT_TRUE(op.bold);
        // The letter's top-left corner lies off the dot (radius 0.15 g/kg).
        EXPECT_GT(std::hypot(op.x1 - letters[k].at.d, (op.y1 - letters[k].at.i) / 4.0), 0.15);
    }
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        SCOPED_TRACE(k);
        const Expected &e = expected[k];
        EXPECT_EQ(ops[k].kind, e.kind);
        EXPECT_EQ(ops[k].colour, e.outline);
        EXPECT_EQ(ops[k].width, e.width);
        EXPECT_FLOAT_EQ(ops[k].x1, e.a.d);
        EXPECT_FLOAT_EQ(ops[k].y1, e.a.i);
        if (e.kind == Kind::Circle) {
            EXPECT_EQ(ops[k].fill, e.fill);
            EXPECT_FLOAT_EQ(ops[k].x2, 0.15f);
        } else {
            EXPECT_FLOAT_EQ(ops[k].x2, e.b.d);
            EXPECT_FLOAT_EQ(ops[k].y2, e.b.i);
        }
    }

    // The next press draws its first-pass dots in the black fill this one left.
    w.Press();
    ASSERT_EQ(w.ProcessOps().size(), std::size(expected) + std::size(letters));
    EXPECT_EQ(w.ProcessOps()[0].fill, black);
}

TEST(ComputeAndPlot, NoResidualMoistureIsListedAsSuch)
{
    MainWindow w;
    w.parameters.W = 0.0f;
    w.Press();
    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(w.Text(2), primary_texts::kNoResidualMoisture);
    EXPECT_EQ(w.Text(3), "8.56348914106744E+30");
    for (const std::string &text : w.texts.states)
        EXPECT_NE(text, "old");
    for (int box : {1, 4, 5, 6, 7})
        EXPECT_NO_THROW(std::stod(w.Text(box))) << box;
}

TEST(ComputeAndPlot, WithoutParametersItOpensTheDialogAndComputesNothing)
{
    MainWindow w;
    w.ParametersSet = false;
    w.Press();
    EXPECT_EQ(w.messages, std::vector<std::string> {compute_messages::kNoParameters});
    EXPECT_EQ(w.dialogOpenings, 1);
    EXPECT_TRUE(w.ProcessOps().empty()); // the chart alone
    for (int box = 1; box <= 7; ++box)
        EXPECT_EQ(w.Text(box), "old");
    for (int index = 0; index <= 9; ++index)
        EXPECT_EQ(w.texts.states[index], "old");
}

namespace {
// A run of three or more ASCII letters: an English word (symbols such as tn,
// Q1 or d_L are shorter).
bool HasEnglishWord(const std::string &text)
{
    int run = 0;
    for (const char c : text) {
        run = ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}
} // namespace

TEST(ComputeAndPlot, AStoppedCalculationSaysWhyAndListsOnlyWhatItComputed)
{
    struct Row {
        const char *name;
        std::function<void(DesignParameters &)> change;
        std::vector<std::string> messageParts; // the message, or parts of it
        int statesFound; // of N, W, C, O, L in this order
        bool epsilonKnown;
    };
    using D = DesignParameters;
    const Row rows[] = {
        // L out of reach: the supply state below any moisture content of the scan.
        {"huge supply temperature difference",
         [](D &p) { p.deltaT = 20000; },
         {msg::kDewPointNotFound},
         4,
         true},
        {"dry machine dew point", [](D &p) { p.phiL = 0; }, {msg::kDewPointNotFound}, 4, true},
        {"supply at room temperature", [](D &p) { p.deltaT = 0; }, {msg::kEqualEnthalpy}, 5, true},
        {"no residual heat", [](D &p) { p.Q = 0; }, {msg::kEqualEnthalpy}, 5, true},
        {"all parameters zero", [](D &p) { p = D {}; }, {msg::kEqualEnthalpy}, 5, true},
        {"relative humidity above 100 %",
         [](D &p) { p.phiN = 120; },
         {"室内相对湿度φn（120）高于100%"},
         0,
         false},
        {"indoor vapour pressure above B",
         [](D &p) { p.tn = 100, p.phiN = 100; },
         {msg::kIndoorVapourPressure},
         0,
         true},
        {"wet bulb at boiling point",
         [](D &p) { p.ts = 100, p.tw = 100; },
         {msg::kWetBulbVapourPressure},
         1,
         true},
        {"process line parallel to the isotherm",
         [](D &p) { p.tn = 6, p.deltaT = 6, p.Q = 2.5, p.W = 1.0f; },
         {msg::kProcessLineParallel},
         3,
         true},
        {"temperature beyond single precision",
         [](D &p) { p.tn = 1e39; },
         {"室内状态点N", "数值溢出", "tn"},
         0,
         true},
        {"vapour pressure beyond single precision",
         [](D &p) { p.phiL = -1e36; },
         {"机器露点L", "数值溢出"},
         4,
         true},
        {"heat-moisture ratio beyond double precision",
         [](D &p) { p.Q = 1e308; },
         {"读取设计参数", "数值溢出", "热湿比ε"},
         0,
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MainWindow w;
        row.change(w.parameters);
        EXPECT_NO_THROW(w.Press());

        ASSERT_EQ(w.messages.size(), 1u);
        for (const std::string &part : row.messageParts)
            EXPECT_NE(w.messages[0].find(part), std::string::npos) << w.messages[0];
        // Quantities are named in Chinese: no English word reaches the user.
        EXPECT_FALSE(HasEnglishWord(w.messages[0])) << w.messages[0];

        // The dots of the states found stay; lines and the second pass only once L is known.
        int dots = 0, lines = 0, letters = 0;
        for (const Op &op : w.ProcessOps()) {
            dots += op.kind == Kind::Circle;
            lines += op.kind == Kind::Line;
            letters += op.kind == Kind::Text;
        }
        EXPECT_EQ(dots, row.statesFound == 5 ? 10 : row.statesFound);
        EXPECT_EQ(lines, row.statesFound == 5 ? 4 : 0);
        EXPECT_EQ(letters, row.statesFound);

        // No box keeps an old text; boxes of values not computed are empty.
        for (int box = 1; box <= 7; ++box)
            EXPECT_EQ(w.Text(box).empty(), box != 3 || !row.epsilonKnown) << box;
        const int foundAs[] = {0, 0, 1, 1, 2, 2, 4, 4, 3, 3}; // Texta lists N, W, C, L, O
        for (int index = 0; index <= 9; ++index)
            EXPECT_EQ(w.texts.states[index].empty(), foundAs[index] >= row.statesFound) << index;
        for (const std::string &text : w.texts.states)
            EXPECT_NE(text, "old");
    }
}

// A chart the property functions cannot draw ends the button with its
// message; the boxes of the calculation are emptied and nothing is computed.
TEST(ComputeAndPlot, AChartThatCannotBeDrawnIsSaidAndLeavesTheBoxesEmpty)
{
    MainWindow w;
    w.chart.B = std::nan(""); // no prompt lets this through: the moisture formula fails
    EXPECT_NO_THROW(w.Press());
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_NE(w.messages[0].find("绘制焓湿图"), std::string::npos) << w.messages[0];
    for (const std::string &text : w.texts.results)
        EXPECT_EQ(text, "");
    EXPECT_TRUE(w.ProcessOps().empty());
}
