#include "chart/chart_drawing.h"
#include "designs/design_outcome.h"
#include "designs/primary_winter/primary_winter.h"
#include "designs/primary_winter/winter_presentation.h"
#include "draw/scene.h"
#include "project/chart_layers.h"
#include "psychro/moist_air.h"
#include "readout/state_points.h"
#include "report/result_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace msg = winter_messages;

namespace {

constexpr double kStandardPressure = 101325.0; // Pa

// The summer and winter dialogs' start texts.
DesignParameters SummerStart()
{
    return DesignParameters {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
}
WinterParameters WinterStart(Humidifier mode = Humidifier::Spray)
{
    return WinterParameters {20, 50, -12, 45, 10, 0.01f, 30, 95, mode};
}

const std::string &Quantity(const DesignTexts &texts, const std::string &key)
{
    for (const QuantityText &q : texts.quantities)
        if (q.key == key)
            return q.value;
    static const std::string none = "<none>";
    return none;
}

const StateText *Row(const DesignTexts &texts, const std::string &key)
{
    for (const StateText &row : texts.stateRows)
        if (row.key == key)
            return &row;
    return nullptr;
}

} // namespace

// The worked example of the design, spray and steam: every box and every
// further text of the full table.
TEST(PrimaryWinter, WorkedExampleGivesItsTexts)
{
    struct Example {
        Humidifier mode;
        std::array<const char *, 7> results;
        std::array<const char *, 10> states; // N', W', C', end state, O'
        const char *endKey;
        const char *endTemperature;
        const char *humidifier;
    };
    const Example examples[] = {
        {Humidifier::Spray,
         {"1.94093039441438", "-1000000.02526213", "25.07215", "8.84408896720741",
          "29.742434899786", "38.5865238669934", "13.9264439771659"},
         {"7.26238", "38.5232", "0.6009113", "-10.57099", "5.263939", "23.79495", "7.257033",
          "28.35157", "7.257227", "43.67537"},
         "L'",
         "10.025",
         "喷循环水"},
        {Humidifier::Steam,
         {"1.94093039441438", "-1000000.02526213", "25.07215", "28.2025714306869", "0",
          "28.2025714306869", "13.9278033629249"},
         {"7.26238", "38.5232", "0.6009113", "-10.57099", "5.263939", "23.79495", "5.263939",
          "38.32539", "7.257227", "43.67537"},
         "M2",
         nullptr,
         "喷蒸汽"},
    };
    for (const Example &example : examples) {
        SCOPED_TRACE(example.humidifier);
        const WinterOutcome out
            = ComputePrimaryWinter(SummerStart(), WinterStart(example.mode), kStandardPressure);
        ASSERT_FALSE(out.stop) << out.stop->message;
        EXPECT_FALSE(out.advisory);
        const DesignTexts texts = WinterTexts(out);
        EXPECT_EQ(texts.design, DesignKind::PrimaryWinter);
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(texts.results[k], example.results[k]) << "Text" << k + 1;
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(texts.states[k], example.states[k]) << "Texta(" << k << ")";

        // The table: C' at 10.48 °C, the end state, M only when preheated.
        EXPECT_EQ(Row(texts, "C'")->t.substr(0, 5), "10.48");
        ASSERT_NE(Row(texts, example.endKey), nullptr);
        EXPECT_EQ(Row(texts, example.endKey)->d, example.states[6]);
        if (example.endTemperature) {
            EXPECT_EQ(Quantity(texts, "endStateTemperature"), example.endTemperature);
        }
        EXPECT_EQ(Quantity(texts, "humidifier"), example.humidifier);
        const bool spray = example.mode == Humidifier::Spray;
        EXPECT_EQ(out.preheated, spray);
        ASSERT_EQ(Row(texts, "M") != nullptr, spray);
        if (spray) {
            EXPECT_EQ(Row(texts, "M")->d, "5.263939");
            EXPECT_EQ(Row(texts, "M")->i, "28.35157");
        }
        // JSON carries the humidifier as a word in quotes.
        const std::string json = ResultJson({texts, "101325", "1", {}, "1.0.0"});
        EXPECT_NE(json.find(std::string("\"humidifier\": \"") + example.humidifier + "\""),
                  std::string::npos);
    }
}

// preheat + reheat (+ the steam's enthalpy) = G (i_o' − i_c') = Qh + s' G (i_n' − i_w'),
// for both humidifiers, both spray branches and other pressures.
TEST(PrimaryWinter, HeatBalancesHold)
{
    struct Case {
        const char *name;
        WinterParameters winter;
        double B;
        bool preheated;
    };
    WinterParameters mild = WinterStart();
    mild.twW = 5;
    mild.phiWW = 70;
    WinterParameters large = WinterStart();
    large.Qh = 40;
    large.WW = 0.5f;
    const Case cases[] = {
        {"start texts", WinterStart(), kStandardPressure, true},
        {"steam", WinterStart(Humidifier::Steam), kStandardPressure, false},
        {"mild outdoor state, no preheat", mild, kStandardPressure, false},
        {"large loads at 90000 Pa", large, 90000.0, true},
        {"steam at 120000 Pa", WinterStart(Humidifier::Steam), 120000.0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WinterOutcome out = ComputePrimaryWinter(SummerStart(), c.winter, c.B);
        ASSERT_FALSE(out.stop) << out.stop->message;
        ASSERT_TRUE(out.loads);
        EXPECT_EQ(out.preheated, c.preheated);
        const double G = *out.G;
        const StatePoint N = *out.State(StateName::Nw), W = *out.State(StateName::Ww),
                         C = *out.State(StateName::Cw), O = *out.State(StateName::Ow);
        const double steam = c.winter.Mode == Humidifier::Steam
            ? kSteamEnthalpyPerGram * G * (double(O.d) - C.d)
            : 0.0;
        const double supplied = out.loads->preheat + out.loads->reheat + steam;
        EXPECT_NEAR(supplied, G * (double(O.i) - C.i), 1e-4);
        EXPECT_NEAR(supplied, c.winter.Qh + out.inputs->s * G * (double(N.i) - W.i), 1e-4);
        EXPECT_DOUBLE_EQ(out.loads->heating, out.loads->preheat + out.loads->reheat);
        // O' lies on the ε' line through N': the room's two balances.
        EXPECT_NEAR(double(N.d) - O.d, 1000.0 * out.inputs->W / G, 1e-5);
    }
}

// A mild outdoor state: the mix is already above the limit enthalpy i_L', so
// the spray only adds what O' needs, along i = i_c', and nothing is preheated.
TEST(PrimaryWinter, MildOutdoorStateNeedsNoPreheat)
{
    WinterParameters winter = WinterStart();
    winter.twW = 5;
    winter.phiWW = 70;
    const WinterOutcome out = ComputePrimaryWinter(SummerStart(), winter, kStandardPressure);
    ASSERT_FALSE(out.stop);
    EXPECT_FALSE(out.preheated);
    EXPECT_FALSE(out.State(StateName::M));
    EXPECT_FALSE(out.State(StateName::Lw));
    const StatePoint C = *out.State(StateName::Cw), O = *out.State(StateName::Ow),
                     E = *out.State(StateName::E);
    EXPECT_EQ(E.d, O.d);
    EXPECT_EQ(E.i, C.i);
    EXPECT_GE(C.i, out.dewPoint->L.i);
    EXPECT_EQ(out.loads->preheat, 0.0);
    const DesignTexts texts = WinterTexts(out);
    EXPECT_EQ(texts.results[3], "0");
    EXPECT_EQ(texts.states[6], texts.states[8]); // d_E = d_o'
    EXPECT_EQ(Row(texts, "E")->i, texts.states[5]); // i_E = i_c'
    EXPECT_EQ(Row(texts, "M"), nullptr);

    // Drawn: C'–E (M is C'), E–O', O'–N', and E black on top.
    Scene picture;
    SetChartScale(picture);
    PlotPrimaryWinter(out, picture);
    int lines = 0;
    for (const auto &op : picture.Ops())
        lines += op.kind == Scene::Kind::Line;
    EXPECT_EQ(lines, 4);
}

// A very cold outdoor state and a large fresh-air share put C' beyond the
// saturation curve: the advisory comes once C' is drawn, beside G and ε'
// alone, and the calculation goes on to its end.
TEST(PrimaryWinter, FogAdvisoryComesAfterTheMixAndTheDesignGoesOn)
{
    WinterParameters winter = WinterStart();
    winter.twW = -30;
    winter.phiWW = 90;
    winter.sW = 60;
    winter.phiNW = 60;
    const WinterOutcome out = ComputePrimaryWinter(SummerStart(), winter, kStandardPressure);
    ASSERT_EQ(out.advisory, std::string(msg::kFog));
    ASSERT_FALSE(out.stop);
    ASSERT_TRUE(out.loads);
    const StatePoint C = *out.State(StateName::Cw);
    const float t = moist_air::TemperatureFromMoistureEnthalpy(C.d, C.i);
    EXPECT_GT(C.d,
              moist_air::MoistureFromVapourPressure(
                  kStandardPressure,
                  moist_air::VapourPressureFromPhi(moist_air::SaturationPressure(t), 1.0f)));

    // The start texts stay clear of the fog region.
    EXPECT_FALSE(ComputePrimaryWinter(SummerStart(), WinterStart(), kStandardPressure).advisory);

    // Through the button: the message stands between C' and O' on the chart.
    ChartState chart;
    Scene picture;
    SetChartScale(picture);
    StatePoints points;
    BoxTexts boxes;
    boxes.results.fill("old");
    const DesignParameters summer = SummerStart();
    const CalculationDisplay display = DisplayCalculation(
        picture, chart, points, boxes, {DesignKind::PrimaryWinter, summer, winter}, true);
    ASSERT_TRUE(display.texts);
    const DesignTexts *texts = &*display.texts;
    ASSERT_EQ(display.moments.size(), 2u);
    EXPECT_EQ(display.moments[0].message, msg::kFog);
    EXPECT_EQ(display.moments[1].message, "");
    // The last thing drawn before the message is C', a dot at its place.
    const std::vector<Scene::Op> &ops = picture.Ops(SceneLayer::Process);
    const std::size_t shown = display.moments[0].shown[std::size_t(SceneLayer::Process)];
    ASSERT_GT(shown, 0u);
    const auto &lastDrawn = ops[shown - 1];
    EXPECT_EQ(lastDrawn.kind, Scene::Kind::Circle);
    EXPECT_FLOAT_EQ(lastDrawn.x1, C.d);
    EXPECT_FLOAT_EQ(lastDrawn.y1, C.i);
    EXPECT_GT(ops.size(), shown); // O', the end state, the lines follow
    const auto &then = display.moments[0].boxes.results;
    EXPECT_EQ(then[0], texts->results[0]);
    EXPECT_EQ(then[1], texts->results[1]);
    for (int box = 2; box < 7; ++box)
        EXPECT_EQ(then[box], "") << box + 1;
    EXPECT_EQ(display.moments[1].boxes.results[6], texts->results[6]);
    for (std::size_t row = 0; row < kWinterPanelHeadings.size(); ++row)
        EXPECT_STREQ((*chart.panel)[row], kWinterPanelHeadings[row]);
}

// Each stop: its message, and only what was found before it.
TEST(PrimaryWinter, EachStopSaysWhyAndKeepsWhatWasFound)
{
    struct Case {
        const char *name;
        DesignParameters summer;
        WinterParameters winter;
        StopCause cause;
        const char *message;
        std::size_t statesFound;
        int resultsWritten; // Text1 … Text n written
    };
    DesignParameters unconfirmed {};
    DesignParameters noSupplyDifference = SummerStart();
    noSupplyDifference.deltaT = 0;
    WinterParameters noFresh = WinterStart();
    noFresh.sW = 0;
    WinterParameters heatGain = WinterStart();
    heatGain.Qh = -60;
    WinterParameters heatGainSteam = heatGain;
    heatGainSteam.Mode = Humidifier::Steam;
    WinterParameters dryDewPoint = WinterStart();
    dryDewPoint.phiLW = 0;
    WinterParameters absurd = WinterStart();
    absurd.tnW = 1e300;
    const Case cases[] = {
        {"summer record never confirmed", unconfirmed, WinterStart(), StopCause::SummerFlowUnknown,
         msg::kSummerFlowUnknown, 0, 0},
        {"summer Δt 0", noSupplyDifference, WinterStart(), StopCause::SummerFlowUnknown,
         msg::kSummerFlowUnknown, 0, 0},
        {"no fresh air and a moisture gain", SummerStart(), noFresh, StopCause::NoHumidification,
         msg::kNoHumidification, 4, 3},
        {"a room that gains heat, spray", SummerStart(), heatGain, StopCause::NoHeating,
         msg::kNoHeating, 6, 4},
        {"a room that gains heat, steam", SummerStart(), heatGainSteam, StopCause::NoHeating,
         msg::kNoHeating, 5, 3},
        {"φL' 0", SummerStart(), dryDewPoint, StopCause::DewPointNotFound, msg::kDewPointNotFound,
         4, 3},
        {"an indoor temperature beyond range", SummerStart(), absurd, StopCause::ArithmeticFault,
         msg::kArithmetic, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WinterOutcome out = ComputePrimaryWinter(c.summer, c.winter, kStandardPressure);
        ASSERT_TRUE(out.stop);
        EXPECT_EQ(out.stop->cause, c.cause);
        EXPECT_EQ(out.stop->message, c.message);
        EXPECT_EQ(out.states.size(), c.statesFound);
        EXPECT_FALSE(out.loads);
        const DesignTexts texts = WinterTexts(out);
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(texts.results[k].empty(), k >= c.resultsWritten) << "Text" << k + 1;
        // No process line after a stop.
        Scene picture;
        SetChartScale(picture);
        PlotPrimaryWinter(out, picture);
        for (const auto &op : picture.Ops())
            EXPECT_NE(op.kind, Scene::Kind::Line);
    }
}

// W' = 0 keeps O' at d_n' without a message; Qh = 0 keeps it at i_n'.
TEST(PrimaryWinter, ZeroLoadsPutTheSupplyOnTheRoomState)
{
    WinterParameters dry = WinterStart();
    dry.WW = 0;
    WinterParameters adiabatic = WinterStart();
    adiabatic.Qh = 0;
    for (const WinterParameters &winter : {dry, adiabatic}) {
        const WinterOutcome out = ComputePrimaryWinter(SummerStart(), winter, kStandardPressure);
        ASSERT_FALSE(out.stop);
        const StatePoint N = *out.State(StateName::Nw), O = *out.State(StateName::Ow);
        if (winter.WW == 0)
            EXPECT_EQ(O.d, N.d);
        else
            EXPECT_EQ(O.i, N.i);
    }
}

// The winter headings line up with the primary ones: every colon and every
// unit in the same column (a Chinese character two columns wide).
TEST(PrimaryWinter, PanelHeadingsAlignLikeThePrimaryOnes)
{
    const auto columnOf = [](const std::string &heading, const std::string &part) {
        return text_output::DisplayWidth(heading.substr(0, heading.find(part)));
    };
    const int colon = columnOf(kPrimaryPanelHeadings[3], ":");
    const int unit = columnOf(kPrimaryPanelHeadings[3], "kw");
    // ε', like ε, is left out: its colon is one column off where ε counts one.
    for (std::size_t row : {0, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(row);
        const std::string heading = kWinterPanelHeadings[row];
        EXPECT_EQ(columnOf(heading, ":"), colon);
        const std::size_t end = heading.find_last_of(' ');
        EXPECT_EQ(text_output::DisplayWidth(heading.substr(0, end + 1)), unit);
    }
    for (std::size_t row = 0; row < kWinterPanelHeadings.size(); ++row)
        EXPECT_STREQ(HeadingsOf(DesignKind::PrimaryWinter)[row], kWinterPanelHeadings[row]);
}
