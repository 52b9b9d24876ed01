// Speed of a year of weather on the chart: reading an EPW file of 8760 hours
// and counting them (cells, the four zones of GB 50736-2012 and the PMV zone,
// the hours above a design's temperatures), the same for ten years of hourly
// rows in a CSV table (87 600 rows, each with its own pressure), and drawing
// the density overlay and the zones on the chart surface of a 1920 × 1080
// screen's chart area (1920 × 821), recording and painting included.

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "climate/climate_drawing.h"
#include "climate/climate_tally.h"
#include "climate/synthetic_weather.h"
#include "climate/weather_file.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/image_surface.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kChartWidth = 1920;
constexpr int kChartHeight = 821;

const std::string &YearEpw()
{
    static const std::string text = synthetic::TypicalYear();
    return text;
}

// Ten years of the typical year as a CSV table of dry bulb and relative
// humidity, with the pressure, month and hour of every row.
const std::string &TenYearsCsv()
{
    static const std::string text = [] {
        // The EPW records' month, hour, dry bulb, relative humidity and pressure.
        std::string rows;
        std::size_t at = 0;
        for (int line = 1; at < YearEpw().size(); ++line) {
            const std::size_t end = YearEpw().find('\n', at);
            const std::string record = YearEpw().substr(at, end - at);
            at = end + 1;
            if (line <= synthetic::kHeaderLines)
                continue;
            std::vector<std::string> fields;
            for (std::size_t from = 0, comma = 0; comma != std::string::npos; from = comma + 1) {
                comma = record.find(',', from);
                fields.push_back(record.substr(from, comma - from));
            }
            rows += fields[1] + ',' + std::to_string(std::stoi(fields[3]) - 1) + ',' + fields[6]
                + ',' + fields[8] + ',' + fields[9] + '\n';
        }
        std::string csv = "month,hour,t,phi,B\n";
        for (int year = 0; year < 10; ++year)
            csv += rows;
        return csv;
    }();
    return text;
}

climate::ClimateSettings Settings()
{
    climate::ClimateSettings settings;
    settings.zones.fill(true);
    return settings;
}

void ReadAndCount(benchmark::State &state, const std::string &text, const char *name)
{
    const climate::ClimateSettings settings = Settings();
    const climate::DesignTemperatures design {35.2, 28.2};
    std::size_t hours = 0;
    for (auto _ : state) {
        const weather::Reading reading = weather::ReadWeather(text, name, 101325.0);
        if (!reading.weather) {
            state.SkipWithError(reading.error.c_str());
            return;
        }
        const climate::Tally tally
            = climate::TallyHours(*reading.weather, 101325.0, settings, design);
        benchmark::DoNotOptimize(tally.cells.data());
        hours = reading.weather->hours.size();
    }
    state.counters["hours"] = static_cast<double>(hours);
}

// Reading an EPW year and counting it: every zone, the cells, the design's temperatures.
void BM_ReadAndCountYear(benchmark::State &state)
{
    ReadAndCount(state, YearEpw(), "year.epw");
}
BENCHMARK(BM_ReadAndCountYear)->Unit(benchmark::kMillisecond);

// Ten years of hourly rows in a CSV table, each at its own pressure.
void BM_ReadAndCountTenYears(benchmark::State &state)
{
    ReadAndCount(state, TenYearsCsv(), "ten-years.csv");
}
BENCHMARK(BM_ReadAndCountTenYears)->Unit(benchmark::kMillisecond);

// The chart surface with the main window's colours and font.
ImageSurface &Surface()
{
    static ImageSurface surface;
    static const bool setUp = [] {
        SetUpChartSurface(surface);
        surface.Resize(kChartWidth, kChartHeight);
        SetChartScale(surface);
        return true;
    }();
    (void)setUp;
    return surface;
}

// The density overlay of a year at 1 K × 1 g/kg, its legend and texts, drawn
// on the chart surface: recorded and painted into the retained picture.
void BM_DrawDensityOverlay(benchmark::State &state)
{
    const weather::Weather year = *weather::ReadWeather(YearEpw(), "year.epw", 0).weather;
    climate::ClimateSettings settings;
    const climate::Tally tally = climate::TallyHours(year, 101325.0, settings);
    ImageSurface &surface = Surface();
    for (auto _ : state) {
        surface.Cls();
        DrawClimate(surface, year, tally, settings);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["cells"] = static_cast<double>(tally.cells.size());
}
BENCHMARK(BM_DrawDensityOverlay)->Unit(benchmark::kMillisecond);

// The four zones of GB 50736-2012 and the PMV zone, outlines traced and painted.
void BM_DrawZones(benchmark::State &state)
{
    const climate::ClimateSettings settings = Settings();
    ImageSurface &surface = Surface();
    for (auto _ : state) {
        surface.Cls();
        DrawZones(surface, 101325.0, settings);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
}
BENCHMARK(BM_DrawZones)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
