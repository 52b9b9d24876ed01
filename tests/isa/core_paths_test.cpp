// The core's two copies, the x86-64 baseline one and the AVX one, give the same
// results to the last bit: the same single-precision and double-precision
// operations in the same order, nothing contracted into fused multiply-adds.
// Each case calls both copies directly in one process, whichever copy the
// process itself runs.

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "designs/design_parameters.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "designs/secondary_summer/secondary_summer.h"
#include "draw/scene.h"
#include "isa/core_isa.h"
#include "psychro/arithmetic_fault.h"
#include "readout/pointer_readout.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#ifdef IDCHART_CORE_TWO_PATHS

// The two copies of a function of the core's interface, by their link names.
#define CORE_COPIES(result, name, parameters, linkName)                                            \
    result name##Avx parameters asm(linkName ".avx");                                              \
    result name##Baseline parameters asm(linkName ".baseline");

CORE_COPIES(float, SaturationPressure, (float), "_ZN9moist_air18SaturationPressureEf")
CORE_COPIES(void, DrawChart, (const ChartState &, Surface &), "_Z9DrawChartRK10ChartStateR7Surface")
CORE_COPIES(ReadoutTexts, PointerReadout, (const ChartState &, float, float),
            "_Z14PointerReadoutB5cxx11RK10ChartStateff")
CORE_COPIES(PrimaryOutcome, ComputePrimarySummer, (const DesignParameters &, double),
            "_Z20ComputePrimarySummerRK16DesignParametersd")
CORE_COPIES(SecondaryOutcome, ComputeSecondarySummer, (const DesignParameters &, double),
            "_Z22ComputeSecondarySummerRK16DesignParametersd")

namespace {

bool ProcessorHasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

void ExpectSameDrawing(const Scene &avxScene, const Scene &baselineScene)
{
    const std::vector<Scene::Op> avx = avxScene.Ops(), baseline = baselineScene.Ops();
    ASSERT_EQ(avx.size(), baseline.size());
    for (std::size_t k = 0; k < avx.size(); ++k) {
        const Scene::Op &a = avx[k];
        const Scene::Op &b = baseline[k];
        // Exact equality of the doubles: the same bits, as no value is NaN.
        ASSERT_TRUE(a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2
                    && a.text == b.text && a.fontSize == b.fontSize)
            << "drawing step " << k;
    }
}

} // namespace

TEST(CorePaths, TheProcessRunsTheCopyItWasAskedFor)
{
    const char *baseline = std::getenv("IDCHART_BASELINE");
    const bool forced = baseline != nullptr && *baseline != '\0' && std::strcmp(baseline, "0") != 0;
    EXPECT_EQ(core_isa::UsesAvx(), ProcessorHasAvx() && !forced);
}

TEST(CorePaths, SaturationPressureIsTheSameOverItsWholeRange)
{
    if (!ProcessorHasAvx())
        GTEST_SKIP() << "no AVX on this processor";
    // The result's bits, or a mark for a fault.
    const auto outcome = [](float (*copy)(float), float t) -> std::uint64_t {
        try {
            return std::bit_cast<std::uint32_t>(copy(t));
        } catch (const ArithmeticFault &) {
            return ~std::uint64_t {0};
        }
    };
    // Every 0.01 K from below the lower bound to beyond the upper one (ice,
    // water, both bounds and the zeros outside), then the values that fault.
    std::vector<float> temperatures;
    for (int k = -20600; k <= 20600; ++k)
        temperatures.push_back(static_cast<float>(k) * 0.01f);
    temperatures.insert(temperatures.end(),
                        {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()});
    for (const float t : temperatures) {
        ASSERT_EQ(outcome(SaturationPressureAvx, t), outcome(SaturationPressureBaseline, t))
            << t << " °C";
    }
}

TEST(CorePaths, TheChartIsTheSame)
{
    if (!ProcessorHasAvx())
        GTEST_SKIP() << "no AVX on this processor";
    const struct {
        double B;
        float precision;
    } charts[] = {{101325.0, 0.05f}, {101325.0, 1.0f}, {90000.0, 0.3f}, {120000.0, 0.07f}};
    for (const auto &c : charts) {
        SCOPED_TRACE(c.B);
        ChartState state;
        state.B = c.B;
        state.Precision = c.precision;
        Scene avx, baseline;
        SetChartScale(avx);
        SetChartScale(baseline);
        DrawChartAvx(state, avx);
        DrawChartBaseline(state, baseline);
        ExpectSameDrawing(avx, baseline);
    }
}

TEST(CorePaths, ThePointerReadoutIsTheSame)
{
    if (!ProcessorHasAvx())
        GTEST_SKIP() << "no AVX on this processor";
    ChartState state;
    for (float d = -2.0f; d <= 44.0f; d += 0.37f) {
        for (float i = -35.0f; i <= 150.0f; i += 1.3f) {
            ASSERT_EQ(PointerReadoutAvx(state, d, i), PointerReadoutBaseline(state, d, i))
                << d << ", " << i;
        }
    }
}

TEST(CorePaths, TheCalculationIsTheSame)
{
    if (!ProcessorHasAvx())
        GTEST_SKIP() << "no AVX on this processor";
    // The design example, cold and hot humid outdoor air, no residual
    // moisture, a dry machine dew point, the example at a low pressure.
    const struct {
        DesignParameters parameters;
        double B;
    } cases[] = {
        {{26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f}, 101325.0},
        {{22, 45, 5, 2, 8, 15, 90, 4, 0.002f}, 101325.0},
        {{27, 65, 38, 32, 4, 50, 98, 30, 0.5f}, 95000.0},
        {{24, 55, 33, 27, 6, 20, 90, 10, 0.0f}, 101325.0},
        {{18, 95, 30, 25, 10, 40, 20, 5, 2.0f}, 101325.0},
        {{26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f}, 90000.0},
        // Calculations that stop with a message: no dew point, equal
        // enthalpies, vapour pressure above B.
        {{26, 60, 35, 26.5, 20000, 30, 95, 12, 0.01f}, 101325.0},
        {{26, 60, 35, 26.5, 0, 30, 95, 12, 0.01f}, 101325.0},
        {{100, 100, 35, 26.5, 6, 30, 95, 12, 0.01f}, 101325.0},
    };
    // The states to the last bit, and every text the outcomes give.
    const auto sameStates = [](const std::vector<FoundState> &a, const std::vector<FoundState> &b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_EQ(a[k].name, b[k].name);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(a[k].point.d),
                      std::bit_cast<std::uint32_t>(b[k].point.d));
            EXPECT_EQ(std::bit_cast<std::uint32_t>(a[k].point.i),
                      std::bit_cast<std::uint32_t>(b[k].point.i));
        }
    };
    const auto sameTexts = [](const DesignTexts &a, const DesignTexts &b) {
        EXPECT_EQ(a.results, b.results);
        EXPECT_EQ(a.states, b.states);
        ASSERT_EQ(a.quantities.size(), b.quantities.size());
        for (std::size_t k = 0; k < a.quantities.size(); ++k)
            EXPECT_EQ(a.quantities[k].value, b.quantities[k].value);
        EXPECT_EQ(a.stop.has_value(), b.stop.has_value());
        if (a.stop && b.stop) {
            EXPECT_EQ(a.stop->message, b.stop->message);
        }
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.parameters.tn);
        SCOPED_TRACE(c.B);
        const PrimaryOutcome a = ComputePrimarySummerAvx(c.parameters, c.B);
        const PrimaryOutcome b = ComputePrimarySummerBaseline(c.parameters, c.B);
        sameStates(a.states, b.states);
        sameTexts(PrimarySummerTexts(a), PrimarySummerTexts(b));
        const SecondaryOutcome x = ComputeSecondarySummerAvx(c.parameters, c.B);
        const SecondaryOutcome y = ComputeSecondarySummerBaseline(c.parameters, c.B);
        sameStates(x.states, y.states);
        sameTexts(SecondarySummerTexts(x), SecondarySummerTexts(y));
    }
}

#endif
