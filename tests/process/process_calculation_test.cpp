#include "process/design_parameters.h"
#include "process/process_calculation.h"
#include "process/process_state.h"
#include "psychro/moist_air.h"

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

// Runs the calculation up to the supply state O.
ProcessState UpToSupplyState(const DesignParameters &parameters, double B = kStandardPressure)
{
    ProcessState state;
    LoadDesignParameters(state, parameters);
    ComputeIndoorState(state, B);
    ComputeOutdoorState(state, B);
    ComputeMixedState(state);
    ComputeSupplyState(state);
    return state;
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

float MoistureAt(float t, float phi, double B)
{
    return MoistureFromVapourPressure(B, VapourPressureFromPhi(SaturationPressure(t), phi));
}

} // namespace

TEST(ProcessCalculation, StartParametersGiveTheDesignExample)
{
    ProcessState s = UpToSupplyState(StartParameters());
    const DewPointSearch search = FindMachineDewPoint(s, kStandardPressure);
    ASSERT_TRUE(search.found);
    EXPECT_EQ(search.evaluations, 48449);
    ComputeAirFlows(s);
    ComputeLoads(s);

    // The worked example, each figure to the digits it is quoted with.
    struct Row {
        const char *name;
        double value, expected, tolerance;
    };
    const Row rows[] = {
        {"d_n", s.d_n, 12.64, 0.005},
        {"i_n", s.i_n, 58.33, 0.005},
        {"d_w", s.d_w, 18.39, 0.005},
        {"i_w", s.i_w, 82.34, 0.005},
        {"d_c", s.d_c, 13.97, 0.005},
        {"i_c", s.i_c, 63.87, 0.005},
        {"t_o", s.t_o, 20, 1e-12},
        {"d_o", s.d_o, 12.634, 5e-4},
        {"i_o", s.i_o, 52.15, 0.005},
        {"t_L", s.t_L, 18.449, 1e-9},
        {"d_L", s.d_L, 12.634, 5e-4},
        {"i_L", s.i_L, 50.56, 0.005},
        {"epsilon", s.epsilon, 1.2e6, 0.05e6},
        {"SupplyFlowByHeat", s.SupplyFlowByHeat, 1.941, 5e-4},
        {"SupplyFlowByMoisture", s.SupplyFlowByMoisture, 1.941, 5e-4},
        {"Q1", s.Q1, 12, 1e-12},
        {"Q2", s.Q2, 13.98, 0.005},
        {"ReheatLoad", s.ReheatLoad, 3.09, 0.005},
        {"SystemCooling", s.SystemCooling, 29.08, 0.005},
    };
    for (const Row &row : rows)
        EXPECT_NEAR(row.value, row.expected, row.tolerance) << row.name;
}

TEST(ProcessCalculation, MixingTakesTheFreshAirShareAsARatio)
{
    // s = 30 % puts C 0.3 / 1.3 of the way from N to W, not 30 %.
    for (double share : {0.0, 30.0, 100.0}) {
        SCOPED_TRACE(share);
        DesignParameters parameters = StartParameters();
        parameters.s = share;
        const ProcessState st = UpToSupplyState(parameters);
        const double way = share / (share + 100.0);
        EXPECT_NEAR(st.d_c, st.d_n + way * (st.d_w - st.d_n), 2e-6);
        EXPECT_NEAR(st.i_c, st.i_n + way * (st.i_w - st.i_n), 1e-5);
        if (share == 0.0) {
            EXPECT_EQ(st.d_c, st.d_n);
            EXPECT_EQ(st.i_c, st.i_n);
        }
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
            ProcessState state;
            state.phiL = setting.phi;
            state.d_o = target;
            const DewPointSearch search = FindMachineDewPoint(state, setting.B);
            const ScanOutcome plain = PlainScan(target, setting.phi, setting.B);
            ASSERT_EQ(search.found, plain.found);
            EXPECT_EQ(search.evaluations, plain.evaluations);
            if (!plain.found) {
                EXPECT_EQ(state.d_L, target);
                continue;
            }
            // L lies one step past the matching temperature, with d and i of t_L.
            EXPECT_EQ(state.t_L, plain.runningTemperature);
            const float tL = static_cast<float>(state.t_L);
            EXPECT_EQ(state.d_L, MoistureAt(tL, setting.phi, setting.B));
            EXPECT_EQ(state.i_L, EnthalpyFromTemperatureMoisture(tL, state.d_L));
        }
    }
}

TEST(MachineDewPoint, DryAirIsFoundAtOnceOnlyForAVanishingTarget)
{
    for (float target : {0.0f, 0.0005f, -0.0005f, 0.001f, -0.001f, 0.0011f, -0.002f, 12.6f}) {
        SCOPED_TRACE(target);
        ProcessState state;
        state.phiL = 0.0;
        state.d_o = target;
        const DewPointSearch search = FindMachineDewPoint(state, kStandardPressure);
        const bool vanishing = static_cast<float>(std::fabs(target)) <= 0.001f;
        EXPECT_EQ(search.found, vanishing);
        if (vanishing) {
            EXPECT_EQ(search.evaluations, 1);
            EXPECT_NEAR(state.t_L, -29.999, 1e-12);
            EXPECT_EQ(state.d_L, 0.0f);
        } else {
            EXPECT_EQ(search.evaluations, 130000);
        }
    }
}
