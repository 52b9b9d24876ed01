#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "chart/panel_texts.h"
#include "designs/primary_winter/winter_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "draw/scene.h"
#include "layout/layout.h"
#include "psychro/moist_air.h"
#include "text/box_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

using Op = Scene::Op;
using Kind = Scene::Kind;

namespace {

std::vector<Op> OpsOf(const Scene &surface, Kind kind, Rgb colour)
{
    std::vector<Op> out;
    for (const Op &op : surface.Ops())
        if (op.kind == kind && op.colour == colour)
            out.push_back(op);
    return out;
}

// Splits the purple segments into polylines: a new polyline begins where a
// segment does not start at the previous segment's end.
std::vector<std::vector<Op>> PurpleCurves(const Scene &surface)
{
    std::vector<std::vector<Op>> curves;
    for (const Op &op : OpsOf(surface, Kind::Line, colours::kPurple)) {
        if (op.x1 == 0 && op.y1 == -30)
            curves.emplace_back();
        if (curves.empty())
            curves
                .emplace_back(); // a curve that does not start at (0, -30) shows as an extra curve
        curves.back().push_back(op);
    }
    return curves;
}

struct DrawnChart {
    ChartState state;
    Scene surface;
    BoxTexts texts;

    explicit DrawnChart(float precision, double B = 101325.0)
    {
        state.B = B;
        state.Precision = precision;
        SetChartScale(surface);
        DrawChart(state, surface);
        SetChartTexts(state, texts);
    }
};

} // namespace

TEST(ChartGrid, LinesAndScaleNumbersStandWhereTheScaleSays)
{
    DrawnChart chart(1.0f);
    const std::vector<Op> black = OpsOf(chart.surface, Kind::Line, colours::kBlack);
    ASSERT_EQ(black.size(), 41u + 34u);
    for (int d = 0; d <= 40; ++d) {
        const Op &line = black[d];
        EXPECT_EQ(line.x1, d);
        EXPECT_EQ(line.x2, d);
        EXPECT_EQ(line.y1, -20);
        EXPECT_EQ(line.y2, 145);
    }
    for (int k = 0; k < 34; ++k) {
        const Op &line = black[41 + k];
        EXPECT_EQ(line.y1, -20 + 5 * k);
        EXPECT_EQ(line.x1, 0);
        EXPECT_EQ(line.x2, 42);
    }
    // The grid's own numbers: those printed before the result panel is blanked.
    std::vector<Op> texts;
    for (const Op &op : chart.surface.Ops()) {
        if (op.kind == Kind::FilledBox)
            break;
        if (op.kind == Kind::Text && op.colour == colours::kBlack)
            texts.push_back(op);
    }
    // The moisture scale's 40 and the enthalpy scale's -20 would share a
    // place: the moisture scale keeps it, and no two numbers overlap.
    ASSERT_EQ(texts.size(), 74u);
    EXPECT_EQ(texts[0].text, " 0");
    EXPECT_EQ(texts[0].x1, 0);
    EXPECT_EQ(texts[0].y1, -20);
    EXPECT_EQ(texts[40].text, " 40");
    EXPECT_EQ(texts[41].text, "-15");
    EXPECT_EQ(texts[41].x1, 40);
    EXPECT_EQ(texts[73].text, " 145");
    EXPECT_EQ(texts[73].y1, 145);
    for (const Op &t : texts) {
        EXPECT_EQ(t.fontSize, 10.0f);
        for (const Op &other : texts)
            EXPECT_TRUE(&t == &other || t.x1 != other.x1 || std::fabs(t.y1 - other.y1) >= 5)
                << t.text << " and " << other.text;
    }
    // The chart begins with a clear, so nothing from before survives.
    EXPECT_EQ(chart.surface.Ops().front().kind, Kind::Clear);
}

// The result panel reaches just past d = 40, where the enthalpy numbers
// start. On every screen size the last thing painted over a scale number's
// place is the number itself, whole: no filled box painted after it.
TEST(ChartGrid, ScaleNumbersStayWholeBesideTheResultPanel)
{
    const std::pair<double, double> sizes[]
        = {{1920, 821}, {1366, 583}, {1024, 583}, {800, 456}, {2560, 1094}, {3840, 1642}};
    for (const auto &[width, height] : sizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        ChartState state;
        state.B = 101325.0;
        state.Precision = 1.0f;
        Scene surface(width, height);
        BoxTexts texts;
        SetChartScale(surface);
        DrawChart(state, surface);
        SetChartTexts(state, texts);

        const ScaleMap &map = surface.Map();
        const auto &ops = surface.Ops();
        int numbersBesideThePanel = 0;
        for (std::size_t k = 0; k < ops.size(); ++k) {
            const Op &number = ops[k];
            const bool scaleNumber = number.kind == Kind::Text && number.colour == colours::kBlack
                && (number.x1 == 40 || number.y1 == -20);
            if (!scaleNumber)
                continue;
            // The number's place: one line high, two character widths from its left
            // edge (enough to hold a minus sign and a digit).
            const double glyph = number.fontSize * 96.0 / 72.0 * 0.5 / map.PixelsPerUnitX();
            const double left = number.x1, right = number.x1 + 2 * glyph;
            const double top = number.y1;
            const double bottom = top - number.fontSize * 96.0 / 72.0 * 1.25 * 175.0 / height;
            bool printedAgain = false, covered = false;
            for (std::size_t later = k + 1; later < ops.size(); ++later) {
                const Op &op = ops[later];
                if (op.kind == Kind::Text && op.text == number.text && op.x1 == number.x1
                    && op.y1 == number.y1)
                    printedAgain = true;
                if (op.kind == Kind::FilledBox) {
                    const bool acrossX
                        = std::min(op.x1, op.x2) < right && std::max(op.x1, op.x2) > left;
                    const bool acrossY
                        = std::min(op.y1, op.y2) < top && std::max(op.y1, op.y2) > bottom;
                    covered = covered || (acrossX && acrossY);
                }
            }
            if (printedAgain)
                continue; // judged by its last printing
            EXPECT_FALSE(covered) << "scale number \"" << number.text << "\" at (" << number.x1
                                  << ", " << number.y1 << ") is painted over";
            numbersBesideThePanel += number.x1 == 40 && number.y1 > -15 && number.y1 < 60;
        }
        // "-10", "-5" and the numbers up to 55 lie beside the panel at every size.
        EXPECT_GE(numbersBesideThePanel, 14);
    }
}

TEST(ChartCurves, IsothermsRunAcrossTheChartWithTheRightEndRounded)
{
    DrawnChart chart(1.0f);
    const std::vector<Op> yellow = OpsOf(chart.surface, Kind::Line, colours::kYellow);
    ASSERT_EQ(yellow.size(), 61u);
    const auto isotherm = [&](int t) { return yellow[(t + 100) / 5]; };
    EXPECT_FLOAT_EQ(isotherm(0).y1, 0.0f);
    EXPECT_FLOAT_EQ(isotherm(0).y2, 105.0f);
    EXPECT_NEAR(isotherm(20).y1, 20.1, 1e-5);
    EXPECT_FLOAT_EQ(isotherm(20).y2, 127.0f); // 126.65 rounded
    for (const Op &line : yellow) {
        EXPECT_EQ(line.x1, 0);
        EXPECT_EQ(line.x2, 42);
        EXPECT_EQ(line.y2, std::round(line.y2));
    }
}

TEST(ChartCurves, SaturationAndHumidityCurvesAtPrecisionOne)
{
    DrawnChart chart(1.0f);
    const auto curves = PurpleCurves(chart.surface);
    ASSERT_EQ(curves.size(), 21u);
    EXPECT_EQ(curves[0].size(), 81u); // saturation, −30 … 50 °C
    for (size_t k = 1; k < curves.size(); ++k)
        EXPECT_EQ(curves[k].size(), 131u) << "curve " << k; // −30 … 100 °C
    // The 0 % curve lies on the left edge up to (0, 100.5).
    for (const Op &segment : curves[1])
        EXPECT_EQ(segment.x2, 0.0);
    EXPECT_NEAR(curves[1].back().y2, 100.5, 1e-4);

    // The saturation curve passes the table points at 0, 20 and 30 °C.
    const auto &saturation = curves[0];
    const struct {
        int t;
        double d, i;
    } points[] = {{0, 3.78, 9.44}, {20, 14.70, 57.38}, {30, 27.21, 99.66}};
    for (const auto &p : points) {
        const Op &segment = saturation[p.t + 30];
        EXPECT_NEAR(segment.x2, p.d, 0.006) << p.t;
        EXPECT_NEAR(segment.y2, p.i, 0.006) << p.t;
    }
}

TEST(ChartCurves, FinePrecisionTracesMorePointsAndNegativePrecisionNone)
{
    DrawnChart fine(0.05f);
    const auto curves = PurpleCurves(fine.surface);
    ASSERT_EQ(curves.size(), 21u);
    EXPECT_NEAR(static_cast<double>(curves[0].size()), 1601, 2);
    EXPECT_NEAR(static_cast<double>(curves[20].size()), 2601, 2);

    DrawnChart negative(-1.0f);
    EXPECT_TRUE(OpsOf(negative.surface, Kind::Line, colours::kPurple).empty());
    EXPECT_EQ(OpsOf(negative.surface, Kind::Line, colours::kBlack).size(), 75u);
    EXPECT_EQ(OpsOf(negative.surface, Kind::Line, colours::kYellow).size(), 61u);
    EXPECT_EQ(negative.texts.states[11], "-1");
}

TEST(ChartCurves, LowPressureCurvesEndBeforeTheVapourPressureReachesB)
{
    DrawnChart chart(1.0f, 90000.0);
    const auto curves = PurpleCurves(chart.surface);
    ASSERT_EQ(curves.size(), 21u);
    // 90 % and 95 % reach B below 100 °C and end there; all points stay finite and positive.
    EXPECT_LT(curves[19].size(), 131u);
    EXPECT_LT(curves[20].size(), 131u);
    EXPECT_EQ(curves[18].size(), 131u);
    for (const auto &curve : curves)
        for (const Op &segment : curve) {
            EXPECT_TRUE(std::isfinite(segment.x2) && std::isfinite(segment.y2));
            EXPECT_GE(segment.x2, 0.0);
        }
}

TEST(ChartLabels, TextsRectanglesAndFields)
{
    DrawnChart chart(1.0f);
    const std::vector<Op> labels = OpsOf(chart.surface, Kind::Text, colours::kPurple);
    ASSERT_EQ(labels.size(), 4u + 19u);
    EXPECT_EQ(
        labels[0].text,
        "本图横坐标为含湿量 d ,纵坐标为焓 i ,黄线为等温线,  紫色曲线为等φ线,  黑点为机器露点");
    EXPECT_EQ(labels[0].x1, 2);
    EXPECT_EQ(labels[0].y1, -25);
    EXPECT_EQ(labels[3].text, "φ=100%");
    EXPECT_EQ(labels[3].x1, 12);
    EXPECT_EQ(labels[3].y1, 45);
    EXPECT_EQ(labels[6].text, "      \u3000\u3000\u3000\u3000热湿比ε:");
    EXPECT_EQ(labels[6].fontSize, 14.0f);
    EXPECT_EQ(labels[10].text, "      \u3000\u3000 \u3000系统冷量 :           kw");
    EXPECT_EQ(labels[10].y1, 3);
    EXPECT_EQ(labels[11].text, " d_n:");
    EXPECT_EQ(labels[11].fontSize, 10.0f);
    EXPECT_EQ(labels[11].x1, 10);
    EXPECT_EQ(labels[22].text, "精度:");

    const std::vector<Op> boxes = OpsOf(chart.surface, Kind::FilledBox, colours::kChartBack);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[0].x1, 20.1, 1e-5);
    EXPECT_NEAR(boxes[0].x2, 40.1, 1e-5);
    EXPECT_NEAR(boxes[0].y2, 0.5, 1e-5);
    EXPECT_NEAR(boxes[1].x1, 10.1, 1e-5);
    EXPECT_NEAR(boxes[1].y2, -14.5, 1e-5);
    // The panel headings come after the rectangles, so they stay readable.
    const auto &ops = chart.surface.Ops();
    const auto firstBox = std::find_if(ops.begin(), ops.end(),
                                       [](const Op &op) { return op.kind == Kind::FilledBox; });
    const auto firstHeading
        = std::find_if(ops.begin(), ops.end(), [](const Op &op) { return op.text == " d_n:"; });
    EXPECT_LT(firstBox - ops.begin(), firstHeading - ops.begin());

    EXPECT_EQ(chart.texts.states[10], "101325");
    EXPECT_EQ(chart.texts.states[11], "1");
}

// On a chart of any size the window gives it, the panel's headings and the
// state boxes' labels lie inside the chart, clear of every box, each label
// level with its box; on the wider charts the headings keep their designed size.
TEST(ChartLabels, PanelTextsStayClearOfTheBoxesAtEverySize)
{
    const struct {
        int width, height; // the chart, in pixels
        bool designedSize; // the headings keep their 14 points
    } sizes[] = {{960, 486, false},  {1024, 584, false}, {1100, 532, false},
                 {1366, 584, false}, {1500, 684, false}, {1920, 821, true},
                 {2560, 1094, true}, {3840, 1642, true}, {7680, 3283, true}};
    const PanelHeadings *panels[]
        = {&kPrimaryPanelHeadings, &kSecondaryPanelHeadings, &kWinterPanelHeadings};
    for (const auto &size : sizes) {
        for (const PanelHeadings *panel : panels) {
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
            ChartState state;
            state.panel = panel;
            Scene scene(size.width, size.height);
            SetChartScale(scene);
            DrawChart(state, scene);
            const ScaleMap &map = scene.Map();
            const ChartBoxRects boxes = ChartBoxesIn(size.width, size.height);
            std::vector<BoxPlace> all(boxes.results.begin(), boxes.results.end());
            all.insert(all.end(), boxes.states.begin(), boxes.states.end());
            const std::vector<Op> texts = OpsOf(scene, Kind::Text, colours::kPurple);
            ASSERT_EQ(texts.size(), 4u + 7u + 12u);
            for (std::size_t k = 4; k < texts.size(); ++k) {
                const Op &text = texts[k];
                const double left
                    = map.ToPixelX(text.x1) + LeadingBlanksAtLeast(text.text, text.fontSize);
                const double right
                    = map.ToPixelX(text.x1) + PrintedWidthAtMost(text.text, text.fontSize);
                const double top = map.ToPixelY(text.y1);
                const double bottom = top + text.fontSize * 96.0 / 72.0 * 1.25;
                EXPECT_GE(left, 0.0) << text.text;
                EXPECT_LE(right, size.width) << text.text;
                EXPECT_GE(text.fontSize, 6.0f) << text.text;
                for (const BoxPlace &box : all)
                    EXPECT_FALSE(left < box.Right() && box.x < right && top < box.Bottom()
                                 && box.y < bottom)
                        << text.text << " under the box at " << box.x << "," << box.y;
                if (k >= 11) { // a label: level with its box
                    const BoxPlace &box = boxes.states[k - 11];
                    EXPECT_NEAR((top + bottom) / 2.0, box.y + box.height / 2.0, 1.0) << text.text;
                }
            }
            if (size.designedSize) {
                EXPECT_EQ(texts[4].fontSize, 14.0f);
            }
        }
    }
}

TEST(ChartLabels, PressureFieldShowsTheTextAsTyped)
{
    ChartState state;
    state.B = 95000.0;
    state.BText = " 95000 ";
    state.Precision = 0.05f;
    Scene surface;
    BoxTexts texts;
    DrawChart(state, surface);
    SetChartTexts(state, texts);
    EXPECT_EQ(texts.states[10], " 95000 ");
    EXPECT_EQ(texts.states[11], "0.05");
}

// Every humidity curve's point is the one its own temperature gives, to the
// last bit, although the curves share their saturation pressures: at a fine
// step and at a pressure where the upper curves end early.
TEST(ChartCurves, EveryPointIsComputedFromItsOwnTemperature)
{
    for (const double B : {101325.0, 90000.0}) {
        DrawnChart chart(0.05f, B);
        const auto curves = PurpleCurves(chart.surface);
        ASSERT_EQ(curves.size(), 21u);
        double running = 0.0; // the relative humidity as the chart steps it
        for (size_t k = 1; k < curves.size(); ++k, running += 0.05) {
            const float phi = static_cast<float>(running);
            float t = -30.0f;
            for (const Op &segment : curves[k]) {
                const float Pq
                    = moist_air::VapourPressureFromPhi(moist_air::SaturationPressure(t), phi);
                const float d = moist_air::MoistureFromVapourPressure(B, Pq);
                ASSERT_EQ(segment.x2, d) << "B " << B << ", curve " << k << ", t " << t;
                ASSERT_EQ(segment.y2, moist_air::EnthalpyFromTemperatureMoisture(t, d));
                t += 0.05f;
            }
        }
    }
}
