#include "designs/design_parameters.h"
#include "designs/dew_point_scan.h"
#include "designs/primary_summer/primary_summer.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace moist_air;

namespace {

constexpr double kStandardPressure = 101325.0; // Pa

// The parameter dialog's start texts.
DesignParameters StartParameters()
{
    return DesignParameters {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
}

struct ScanOutcome {
    bool found = false;
    int evaluations = 0;
    double runningTemperature = 0.0; // after the last increment
};

// The machine-dew-point search as the plain loop it stands for: one
// temperature after the other from −30 °C in 0.001 K steps, a temperature
// whose vapour pressure reaches B never matching.
ScanOutcome PlainScan(float target, float phi, double B)
{
    double t = -30.0;
    float e = 10000.0f;
    int evaluations = 0;
    while (e > 0.001f) {
        const float Pq = VapourPressureFromPhi(SaturationPressure(static_cast<float>(t)), phi);
        e = 10000.0f;
        if (Pq < B) {
            const float d = MoistureFromVapourPressure(B, Pq);
            const double gap = std::fabs(static_cast<double>(d) - target);
            if (gap < 1.0)
                e = static_cast<float>(gap);
        }
        ++evaluations;
        t += 0.001;
        if (t > 100.0)
            return {false, evaluations, t};
    }
    return {true, evaluations, t};
}

// The wet-bulb temperature whose wet-bulb line has the slope of the isotherm 0 °C.
double WetBulbParallelToFreezingIsotherm()
{
    for (float ts = 596.6f; ts < 596.7f; ts = std::nextafter(ts, 1000.0f))
        if (static_cast<float>(4.19 * ts) == 2500.0f)
            return ts;
    return 0.0;
}

float MoistureAt(float t, float phi, double B)
{
    return MoistureFromVapourPressure(B, VapourPressureFromPhi(SaturationPressure(t), phi));
}

} // namespace

TEST(PrimarySummer, StartParametersGiveTheDesignExample)
{
    const PrimaryOutcome out = ComputePrimarySummer(StartParameters(), kStandardPressure);
    ASSERT_FALSE(out.stop);
    ASSERT_EQ(out.states.size(), 5u);
    EXPECT_EQ(out.dewPoint->evaluations, 48449);
    const StatePoint N = *out.State(StateName::N), W = *out.State(StateName::W),
                     C = *out.State(StateName::C), O = *out.State(StateName::O),
                     L = *out.State(StateName::L);

    // The worked example, each figure to the digits it is quoted with.
    struct Row {
        const char *name;
        double value, expected, tolerance;
    };
    const Row rows[] = {
        {"d_n", N.d, 12.64, 0.005},
        {"i_n", N.i, 58.33, 0.005},
        {"d_w", W.d, 18.39, 0.005},
        {"i_w", W.i, 82.34, 0.005},
        {"d_c", C.d, 14.36539, 5e-6},
        {"i_c", C.i, 65.53559, 5e-6},
        {"t_o", out.t_o, 20, 1e-12},
        {"d_o", O.d, 12.634, 5e-4},
        {"i_o", O.i, 52.15, 0.005},
        {"t_L", out.dewPoint->t_L, 18.449, 1e-9},
        {"d_L", L.d, 12.634, 5e-4},
        {"i_L", L.i, 50.56, 0.005},
        {"epsilon", out.inputs->epsilon, 1.2e6, 0.05e6},
        {"SupplyFlowByHeat", out.flows->SupplyFlowByHeat, 1.941, 5e-4},
        {"SupplyFlowByMoisture", *out.flows->SupplyFlowByMoisture, 1.941, 5e-4},
        {"Q1", out.loads->Q1, 12, 1e-12},
        {"Q2", out.loads->Q2, 13.98, 0.005},
        {"ReheatLoad", out.loads->ReheatLoad, 3.09, 0.005},
        {"SystemCooling", out.loads->SystemCooling, 29.08, 0.005},
    };
    for (const Row &row : rows)
        EXPECT_NEAR(row.value, row.expected, row.tolerance) << row.name;
}

TEST(PrimarySummer, MixingTakesTheFreshAirPercentageAsAShareOfTheSupply)
{
    // s = 30 % puts C 30 % of the way from N to W, the share the fresh-air load
    // takes, so that the system cooling is G (i_c − i_L).
    for (double share : {0.0, 30.0, 100.0, -100.0}) {
        SCOPED_TRACE(share);
        DesignParameters parameters = StartParameters();
        parameters.s = share;
        const PrimaryOutcome out = ComputePrimarySummer(parameters, kStandardPressure);
        const StatePoint N = *out.State(StateName::N), W = *out.State(StateName::W),
                         C = *out.State(StateName::C);
        const double way = static_cast<float>(share / 100.0);
        EXPECT_EQ(C.d, static_cast<float>(N.d + way * (static_cast<double>(W.d) - N.d)));
        EXPECT_EQ(C.i, static_cast<float>(N.i + way * (static_cast<double>(W.i) - N.i)));
        if (share == 30.0) {
            EXPECT_EQ(SingleText(C.d), "14.36539");
            EXPECT_EQ(SingleText(C.i), "65.53559");
            ASSERT_TRUE(out.loads);
            const double G = out.flows->SupplyFlowByHeat;
            EXPECT_NEAR(out.loads->SystemCooling,
                        G * (static_cast<double>(C.i) - out.State(StateName::L)->i), 1e-4);
        }
    }
}

// Inputs that are refused before any design starts still meet the design's
// own guards when its calculation is run on them directly.
TEST(PrimarySummer, GuardsItsOwnArithmeticOnInputsRefusedBeforeItStarts)
{
    const double parallelTs = WetBulbParallelToFreezingIsotherm();
    ASSERT_NE(parallelTs, 0.0);
    struct Row {
        const char *name;
        void (*change)(DesignParameters &, double parallelTs);
        const char *message;
        std::size_t statesFound;
    };
    const Row rows[] = {
        {"wet-bulb line parallel to the isotherm",
         [](DesignParameters &p, double ts) { p.ts = ts, p.tw = 0; },
         primary_messages::kWetBulbLineParallel, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DesignParameters parameters = StartParameters();
        row.change(parameters, parallelTs);
        const PrimaryOutcome out = ComputePrimarySummer(parameters, kStandardPressure);
        ASSERT_TRUE(out.stop);
        EXPECT_EQ(out.stop->message, row.message);
        EXPECT_EQ(out.states.size(), row.statesFound);
    }
}

TEST(MachineDewPoint, FindsExactlyWhatThePlainScanFinds)
{
    struct Setting {
        const char *name;
        float phi;
        double B;
    };
    const Setting settings[] = {
        {"95 % at standard pressure", 0.95f, kStandardPressure},
        {"saturated at standard pressure (B reached near 100 °C)", 1.0f, kStandardPressure},
        {"saturated at low pressure (B reached below 100 °C)", 1.0f, 90000.3},
        {"supersaturated", 1.5f, 120000.0},
        {"dry air", 0.0f, kStandardPressure},
        {"negative humidity", -0.5f, kStandardPressure},
    };
    for (const Setting &setting : settings) {
        // Targets: states of the scan itself and points just inside and
        // outside the tolerance around them, plus unreachable ones.
        std::vector<float> targets = {-5.0f, -0.0005f, 0.0f, 0.0009f, 3000.0f, 1e6f, -1e6f};
        for (float t : {-29.999f, -12.3456f, -0.0004f, 0.0006f, 18.448f, 55.5f, 97.0f, 99.999f}) {
            const float d = MoistureAt(t, setting.phi, setting.B);
            for (float offset : {-0.0011f, -0.001f, 0.0f, 0.001f, 0.0011f})
                targets.push_back(d + offset);
        }
        for (float target : targets) {
            SCOPED_TRACE(std::string(setting.name) + ", target " + std::to_string(target));
            const DewPointSearch search = FindMachineDewPoint(target, setting.phi, setting.B);
            const ScanOutcome plain = PlainScan(target, setting.phi, setting.B);
            ASSERT_EQ(search.found, plain.found);
            EXPECT_EQ(search.evaluations, plain.evaluations);
            if (!plain.found)
                continue;
            // L lies one step past the matching temperature, with d and i of t_L.
            EXPECT_EQ(search.t_L, plain.runningTemperature);
            const float tL = static_cast<float>(search.t_L);
            EXPECT_EQ(search.L.d, MoistureAt(tL, setting.phi, setting.B));
            EXPECT_EQ(search.L.i, EnthalpyFromTemperatureMoisture(tL, search.L.d));
        }
    }
}

TEST(MachineDewPoint, DryAirIsFoundAtOnceOnlyForAVanishingTarget)
{
    for (float target : {0.0f, 0.0005f, -0.0005f, 0.001f, -0.001f, 0.0011f, -0.002f, 12.6f}) {
        SCOPED_TRACE(target);
        const DewPointSearch search = FindMachineDewPoint(target, 0.0f, kStandardPressure);
        const bool vanishing = static_cast<float>(std::fabs(target)) <= 0.001f;
        EXPECT_EQ(search.found, vanishing);
        if (vanishing) {
            EXPECT_EQ(search.evaluations, 1);
            EXPECT_NEAR(search.t_L, -29.999, 1e-12);
            EXPECT_EQ(search.L.d, 0.0f);
        } else {
            EXPECT_EQ(search.evaluations, 130000);
        }
    }
}
