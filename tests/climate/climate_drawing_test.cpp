#include "chart/chart_drawing.h"
#include "chart/chart_styles.h"
#include "climate/climate_drawing.h"
#include "climate/synthetic_weather.h"
#include "draw/scene.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

std::size_t CountOf(const std::vector<Scene::Op> &ops, Scene::Kind kind)
{
    return static_cast<std::size_t>(std::count_if(
        ops.begin(), ops.end(), [kind](const Scene::Op &op) { return op.kind == kind; }));
}

bool Printed(const std::vector<Scene::Op> &ops, const std::string &part)
{
    return std::any_of(ops.begin(), ops.end(), [&](const Scene::Op &op) {
        return op.kind == Scene::Kind::Text && op.text.find(part) != std::string::npos;
    });
}

} // namespace

// The zones and the hours go onto their own layers of the chart's scene, one
// filled polygon per zone and per cell, with the file's name, its place and
// the hours off the chart printed; painting the scene again gives the same
// operations, the polygons with their corners and opacity.
TEST(ClimateDrawing, ZonesAndHoursAreDrawnOnTheirLayersAndPaintedAgainAlike)
{
    const weather::Weather year = *weather::ReadWeather(synthetic::Epw(), "plateau.epw", 0).weather;
    Scene scene;
    SetUpChart(scene);
    scene.SetLayer(SceneLayer::Points);
    climate::ClimateSettings settings;
    for (const comfort_zones::TableZone &z : comfort_zones::kGb50736)
        settings.zones[static_cast<std::size_t>(z.zone)] = true;
    const climate::Tally tally = climate::DrawClimateLayers(scene, 101325.0, settings, &year);
    EXPECT_EQ(scene.Layer(), SceneLayer::Points) << "the layer drawn into before";
    EXPECT_TRUE(scene.Ops(SceneLayer::Chart).empty());

    const std::vector<Scene::Op> &zones = scene.Ops(SceneLayer::Zones);
    EXPECT_EQ(CountOf(zones, Scene::Kind::Polygon), comfort_zones::kGb50736.size());
    EXPECT_TRUE(Printed(zones, "供冷 I级"));
    EXPECT_TRUE(Printed(zones, "供热 II级"));

    const std::vector<Scene::Op> &hours = scene.Ops(SceneLayer::Climate);
    // One polygon per cell, the pale ground of the texts and of each zone's
    // name, drawn again over the hours.
    EXPECT_EQ(CountOf(hours, Scene::Kind::Polygon),
              tally.cells.size() + 1 + comfort_zones::kGb50736.size());
    for (std::size_t k = 0; k < hours.size(); ++k) {
        if (hours[k].kind == Scene::Kind::Polygon && hours[k].x1 == 4.0) {
            EXPECT_EQ(CountOf({hours.begin() + static_cast<long>(k) + 1,
                               hours.begin() + static_cast<long>(k) + 5},
                              Scene::Kind::Corner),
                      4u);
        }
    }
    EXPECT_TRUE(Printed(hours, "plateau.epw"));
    EXPECT_TRUE(Printed(hours, "海拔 1950 m"));
    EXPECT_TRUE(Printed(hours, "图外 " + std::to_string(tally.offChart) + " 小时"));
    EXPECT_TRUE(Printed(hours, "缺测或无法求状态 4 小时"));

    Scene again;
    PaintScene(scene, again);
    again.SetLayer(SceneLayer::Chart);
    const std::vector<Scene::Op> replayed = again.Ops(SceneLayer::Chart);
    std::vector<Scene::Op> drawn;
    for (const SceneLayer layer : {SceneLayer::Zones, SceneLayer::Climate})
        drawn.insert(drawn.end(), scene.Ops(layer).begin(), scene.Ops(layer).end());
    // The replay starts with its clearing.
    ASSERT_EQ(replayed.size(), drawn.size() + 1);
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        const Scene::Op &a = drawn[k], &b = replayed[k + 1];
        EXPECT_EQ(a.kind, b.kind) << k;
        EXPECT_EQ(a.colour, b.colour) << k;
        EXPECT_EQ(static_cast<float>(a.x1), static_cast<float>(b.x1)) << k;
        EXPECT_EQ(static_cast<float>(a.y1), static_cast<float>(b.y1)) << k;
        if (a.kind == Scene::Kind::Polygon) {
            EXPECT_EQ(a.x2, b.x2) << "opacity, op " << k;
        }
    }
}

// The dots by month: one for each hour on the chart that the filter takes,
// in every chart style; the hours counted off the chart are those outside the
// field of the style drawn.
TEST(ClimateDrawing, MonthDotsAreTheHoursOnTheChart)
{
    const weather::Weather year = *weather::ReadWeather(synthetic::Epw(), "plateau.epw", 0).weather;
    climate::ClimateSettings settings;
    settings.display = climate::Display::Months;
    settings.filter.months = *climate::ReadMonths("1");
    for (const ChartStyle style :
         {ChartStyle::Original, ChartStyle::Oblique, ChartStyle::TemperatureMoisture}) {
        Scene scene;
        SetUpChart(scene);
        ChartState state;
        state.style = style;
        if (style != ChartStyle::Original)
            DrawStyledChart(state, scene);
        const climate::Tally tally = climate::DrawClimateLayers(scene, 101325.0, settings, &year);
        int outside = 0;
        for (const weather::Hour &hour : year.hours)
            outside += climate::Takes(settings.filter, hour)
                && !climate::InShownField(scene.Transform().get(), hour.d, hour.i);
        EXPECT_EQ(tally.offChart, outside) << ChartStyleOption(style);
        // Twelve swatches of the legend besides the dots.
        EXPECT_EQ(CountOf(scene.Ops(SceneLayer::Climate), Scene::Kind::FilledBox),
                  static_cast<std::size_t>(tally.counted - tally.offChart) + 12)
            << ChartStyleOption(style);
        EXPECT_EQ(tally.counted, 31 * 24 - 1) << "January, less its missing hour";
    }
}
