// Speed of the state calculator: one state from each kind of pair, the
// readout with its wet bulb, and a CSV table of a year of hourly weather
// (8760 rows) through the table mode of idchart state.

#include "chart/chart_state.h"
#include "commands/state_table.h"
#include "psychro/state_solver.h"
#include "readout/pointer_readout.h"
#include "text/number_text.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

using state_solver::Property;

// A state from a pair: t with φ (closed form; ts and td searched), φ with i
// (t searched as well) and ts with φ (t searched along the wet-bulb line).
void BM_SolveState(benchmark::State &state)
{
    const int kind = static_cast<int>(state.range(0));
    double x = 0.0;
    for (auto _ : state) {
        const double wobble = std::fmod(x, 10.0);
        StateSolution solution;
        if (kind == 0)
            solution = SolveState(101325.0, {Property::t, 20.0 + wobble}, {Property::phi, 60.0});
        else if (kind == 1)
            solution = SolveState(101325.0, {Property::phi, 60.0}, {Property::i, 40.0 + wobble});
        else
            solution = SolveState(101325.0, {Property::ts, 15.0 + wobble}, {Property::phi, 60.0});
        benchmark::DoNotOptimize(solution);
        x += 0.37;
    }
    state.SetLabel(kind == 0 ? "t, phi" : kind == 1 ? "phi, i" : "ts, phi");
}
BENCHMARK(BM_SolveState)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The pointer readout's cells, the wet bulb included, without a window.
void BM_ReadoutCells(benchmark::State &state)
{
    ChartState chart;
    float x = 10.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PointerReadout(chart, x, 50.0f));
        x = x > 30.0f ? 10.0f : x + 0.0217f;
    }
}
BENCHMARK(BM_ReadoutCells)->Unit(benchmark::kMicrosecond);

// A year of hourly dry bulbs and relative humidities, with a time column.
std::string WeatherYear()
{
    std::string csv = "hour,t,phi\n";
    for (int hour = 0; hour < 8760; ++hour) {
        const double day = std::sin(2.0 * M_PI * hour / 24.0);
        const double season = -std::cos(2.0 * M_PI * hour / 8760.0);
        const double t = 15.0 + 15.0 * season + 5.0 * day;
        const double phi = 65.0 - 20.0 * day + 10.0 * season;
        csv += std::to_string(hour) + ',' + DoubleText(std::round(t * 10.0) / 10.0) + ','
            + DoubleText(std::round(phi)) + '\n';
    }
    return csv;
}

void BM_StateTable(benchmark::State &state)
{
    const std::string csv = WeatherYear();
    for (auto _ : state) {
        const state_table::Result result = state_table::StatesOfTable(csv, 101325.0);
        if (result.failedRows != 0)
            state.SkipWithError("a row failed");
        benchmark::DoNotOptimize(result.out.data());
    }
    state.counters["rows"] = benchmark::Counter(8760.0 * static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StateTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
