#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "chart/chart_styles.h"
#include "designs/design_outcome.h"
#include "designs/plotting.h"
#include "draw/scene.h"
#include "project/chart_layers.h"
#include "project/project_file.h"
#include "psychro/air_states.h"
#include "psychro/moist_air.h"
#include "readout/pointer_readout.h"
#include "readout/state_points.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr ChartStyle kStyles[] = {ChartStyle::Oblique, ChartStyle::TemperatureMoisture};
constexpr double kPressures[] = {80000.0, 101325.0, 120000.0};

struct StyledChart {
    ChartState state;
    Scene scene;
    std::vector<ChartLabel> labels;

    StyledChart(ChartStyle style, double B, double width = 1920, double height = 821,
                float precision = 0.05f)
        : scene(width, height)
    {
        state.style = style;
        state.B = B;
        state.Precision = precision;
        SetUpChart(scene);
        DrawStyledChart(state, scene, &labels);
    }
    PlanePoint Pixel(double d, double i) const { return scene.Pixels().ToPixel(d, i); }
};

double DistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double f
        = length > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(a.x + f * dx - p.x, a.y + f * dy - p.y);
}

bool Crosses(const std::vector<PlanePoint> &curve, const ChartLabel &label)
{
    // Points along the curve every half pixel that fall in the label's box.
    for (std::size_t k = 1; k < curve.size(); ++k) {
        const PlanePoint a = curve[k - 1], b = curve[k];
        const int steps = 1 + static_cast<int>(2.0 * std::hypot(b.x - a.x, b.y - a.y));
        for (int s = 0; s <= steps; ++s) {
            const double x = a.x + (b.x - a.x) * s / steps, y = a.y + (b.y - a.y) * s / steps;
            if (x > label.left && x < label.right && y > label.top && y < label.bottom)
                return true;
        }
    }
    return false;
}

} // namespace

// A state's pixel, read back by the pointer readout, gives the state again;
// in the oblique chart the enthalpy axis stands at 135° to the d axis.
TEST(ChartStyles, TheReadoutGivesBackTheStateUnderEachPixelAtEveryPressure)
{
    const struct {
        float t, phi;
    } states[]
        = {{-5.0f, 0.5f}, {0.0f, 1.0f}, {20.0f, 0.5f}, {26.0f, 0.6f}, {35.0f, 0.4f}, {45.0f, 0.2f}};
    for (const ChartStyle style : kStyles)
        for (const double B : kPressures)
            for (const auto &[width, height] : {std::pair {1920.0, 821.0}, {1000.0, 430.0}}) {
                SCOPED_TRACE(std::string(ChartStyleOption(style)) + " " + std::to_string(B) + " "
                             + std::to_string(width));
                StyledChart chart(style, B, width, height, 1.0f);
                ASSERT_TRUE(chart.scene.Transform());
                for (const auto &[t, phi] : states) {
                    const StatePoint s = StateFromTemperatureHumidity(t, phi, B);
                    const PlanePoint pixel = chart.Pixel(s.d, s.i);
                    const PlanePoint back = chart.scene.Pixels().FromPixel(pixel.x, pixel.y);
                    const ReadoutTexts cells = PointerReadout(
                        chart.state, static_cast<float>(back.x), static_cast<float>(back.y));
                    EXPECT_NEAR(std::stod(cells[0]), t, 0.01) << t << " " << phi;
                    EXPECT_NEAR(std::stod(cells[4]), s.d, 0.01) << t << " " << phi;
                }
                if (style != ChartStyle::Oblique)
                    continue;
                const PlanePoint o = chart.Pixel(10, 40);
                const PlanePoint alongD = chart.Pixel(11, 40), alongI = chart.Pixel(10, 41);
                const double angle = std::fabs(std::atan2(alongD.y - o.y, alongD.x - o.x)
                                               - std::atan2(alongI.y - o.y, alongI.x - o.x));
                EXPECT_NEAR(angle * 180.0 / kPi, 135.0, 1e-9);
                EXPECT_NEAR(alongI.x, o.x, 1e-9) << "the d lines stand upright";
            }
}

// The 0 °C isotherm ends on the saturation curve where the solver puts the
// saturated state, and the bold 100 % curve passes through that point.
TEST(ChartStyles, TheZeroIsothermMeetsTheSaturationCurveWhereTheSolverSays)
{
    for (const ChartStyle style : kStyles)
        for (const double B : kPressures) {
            SCOPED_TRACE(std::string(ChartStyleOption(style)) + " " + std::to_string(B));
            StyledChart chart(style, B);
            const StatePoint saturated = StateFromTemperatureHumidity(0.0f, 1.0f, B);
            const PlanePoint meet = chart.Pixel(saturated.d, saturated.i);
            const PlanePoint foot = chart.Pixel(0.0, 0.0);
            const ScaleMap &map = chart.scene.Map();
            const auto pixel = [&](double x, double y) {
                return PlanePoint {map.ToPixelX(x), map.ToPixelY(y)};
            };
            bool isotherm = false;
            double nearestSaturation = 1e9;
            for (const Scene::Op &op : chart.scene.Ops(SceneLayer::Chart)) {
                if (op.kind != Scene::Kind::Line)
                    continue;
                const PlanePoint a = pixel(op.x1, op.y1), b = pixel(op.x2, op.y2);
                if (std::hypot(a.x - foot.x, a.y - foot.y) < 0.5
                    && std::hypot(b.x - meet.x, b.y - meet.y) < 0.5)
                    isotherm = true;
                if (op.width == 2 && op.colour == colours::kPurple)
                    nearestSaturation = std::min(nearestSaturation, DistanceToSegment(meet, a, b));
            }
            EXPECT_TRUE(isotherm) << "a line from (0 g/kg, 0 °C) to the saturated state at 0 °C";
            EXPECT_LT(nearestSaturation, 0.5);
        }
}

// Every label stands on the picture, clear of every other, of the curve it
// names and of the result panel, at several sizes and pressures; each
// humidity curve is named on the full-size chart.
TEST(ChartStyles, LabelsStandClearOfEachOtherOfTheirCurvesAndOfThePanel)
{
    for (const ChartStyle style : kStyles)
        for (const double B : kPressures)
            for (const auto &[width, height] :
                 {std::pair {1920.0, 821.0}, {1340.0, 573.0}, {1000.0, 430.0}}) {
                SCOPED_TRACE(std::string(ChartStyleOption(style)) + " " + std::to_string(B) + " "
                             + std::to_string(width));
                StyledChart chart(style, B, width, height);
                const ScaleMap &map = chart.scene.Map();
                std::vector<std::string> texts;
                for (std::size_t k = 0; k < chart.labels.size(); ++k) {
                    const ChartLabel &a = chart.labels[k];
                    texts.push_back(a.text);
                    EXPECT_GE(a.left, 0.0) << a.text;
                    EXPECT_LE(a.right, width) << a.text;
                    EXPECT_GE(a.top, 0.0) << a.text;
                    EXPECT_LE(a.bottom, height) << a.text;
                    EXPECT_FALSE(Crosses(a.curve, a)) << a.text;
                    for (std::size_t j = k + 1; j < chart.labels.size(); ++j) {
                        const ChartLabel &b = chart.labels[j];
                        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom
                                     && b.top < a.bottom)
                            << a.text << " and " << b.text;
                    }
                    for (const ResultPanelBox &box : kResultPanelBoxes)
                        EXPECT_FALSE(a.left < map.ToPixelX(box.left + box.width)
                                     && map.ToPixelX(box.left) < a.right
                                     && a.top < map.ToPixelY(box.top - box.height)
                                     && map.ToPixelY(box.top) < a.bottom)
                            << a.text;
                }
                if (width < 1900)
                    continue;
                for (const int percent : {5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100})
                    EXPECT_NE(
                        std::find(texts.begin(), texts.end(), "φ=" + std::to_string(percent) + "%"),
                        texts.end())
                        << percent;
            }
}

// The process and the state points are drawn where the style puts their
// states, the style goes with the project file, and the rectangular chart
// drawn after a styled one is the rectangular chart again.
TEST(ChartStyles, TheProcessThePointsAndTheProjectFollowTheStyle)
{
    Project project;
    project.summer = {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
    project.points.Add(project.chart.B, {state_solver::Property::t, 30.0},
                       {state_solver::Property::phi, 40.0}, "P");
    for (const ChartStyle style : kStyles) {
        project.chart.style = style;
        Scene scene(1920, 821);
        SetUpChart(scene);
        const CalculationDisplay display
            = DisplayCalculation(scene, project.chart, project.points, {}, project.Request(), true);
        ASSERT_TRUE(display.outcome);
        const PixelMapping pixels = scene.Pixels();
        int dots = 0;
        for (SceneLayer layer : {SceneLayer::Process, SceneLayer::Points})
            for (const Scene::Op &op : scene.Ops(layer)) {
                if (op.kind != Scene::Kind::Circle)
                    continue;
                ++dots;
                const PlanePoint at = scene.Transform()->FromPlane(op.x1, op.y1);
                bool found = layer == SceneLayer::Points;
                for (const FoundState &s : std::get<PrimaryOutcome>(*display.outcome).states)
                    found = found
                        || (std::fabs(at.x - s.point.d) < 1e-3
                            && std::fabs(at.y - s.point.i) < 1e-3);
                EXPECT_TRUE(found) << at.x << " " << at.y;
            }
        EXPECT_EQ(dots, 11) << "N, W, C, O, L in both passes of the plotting, and the point P";
        const MoistAirState &p = *project.points.Points()[0].solution.state;
        const PlanePoint pPixel = pixels.ToPixel(p.d, p.i);
        const std::optional<std::size_t> near
            = project.points.PointNear(pixels, pPixel.x + 1.0, pPixel.y - 1.0, 2.0);
        EXPECT_EQ(near, std::optional<std::size_t>(0));

        const ProjectReading read = ReadProjectJson(ProjectJson(project, "idchart"));
        ASSERT_TRUE(read.project) << read.error;
        EXPECT_EQ(read.project->chart.style, style);
    }
    EXPECT_FALSE(
        ReadProjectJson("{\"format\": \"idchart-project\", \"version\": 1, \"style\": \"x\"}")
            .project);

    Scene plain(1920, 821), again(1920, 821);
    ChartState original;
    SetUpChart(plain);
    SetUpChart(again);
    DrawChart(original, plain);
    ChartState styled = original;
    styled.style = ChartStyle::Oblique;
    DrawChart(styled, again);
    DrawChart(original, again);
    EXPECT_FALSE(again.Transform());
    const std::vector<Scene::Op> a = plain.Ops(), b = again.Ops();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k)
        EXPECT_TRUE(a[k].x1 == b[k].x1 && a[k].y1 == b[k].y1 && a[k].x2 == b[k].x2
                    && a[k].y2 == b[k].y2 && a[k].text == b[k].text)
            << k;
}
