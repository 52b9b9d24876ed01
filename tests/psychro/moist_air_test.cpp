#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace moist_air;

namespace {
constexpr double kStandardPressure = 101325.0; // Pa
}

TEST(SaturationPressure, MatchesTheHylandWexlerTableValues)
{
    // Reference values of the correlation; the tolerance is half a unit of the
    // last digit given, relative where the value is large.
    const struct {
        float t;
        double Pqb;
        double tolerance;
    } rows[] = {
        {-100.0f, 0.0014, 0.00005}, {-30.0f, 38.0, 0.05},   {-20.0f, 103.3, 0.05},
        {-10.0f, 259.9, 0.05},      {0.0f, 611.2, 0.05},    {20.0f, 2338.8, 0.05},
        {30.0f, 4246.0, 0.05},      {50.0f, 12349.9, 0.05}, {100.0f, 101418.7, 0.1},
        {200.0f, 1555074.0, 1.0},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(SaturationPressure(row.t), row.Pqb, row.tolerance) << row.t << " °C";
}

TEST(SaturationPressure, BranchBoundaries)
{
    EXPECT_GT(SaturationPressure(-200.0f), 0.0f);
    EXPECT_EQ(SaturationPressure(-200.5f), 0.0f);
    EXPECT_EQ(SaturationPressure(200.5f), 0.0f);
    EXPECT_GT(SaturationPressure(200.0f), 1.5e6f);
    // Just below 0 °C is over ice, 0 °C itself over water; they meet within 0.1 Pa.
    const float ice = SaturationPressure(-0.0001f);
    const float water = SaturationPressure(0.0f);
    EXPECT_NEAR(ice, 611.15, 0.01);
    EXPECT_NEAR(water, 611.21, 0.01);
    EXPECT_LT(std::fabs(water - ice), 0.1f);
    EXPECT_THROW(SaturationPressure(std::numeric_limits<float>::quiet_NaN()), ArithmeticFault);
}

TEST(MoistAir, ValuesAtStandardPressure)
{
    const float d20 = MoistureFromVapourPressure(kStandardPressure, SaturationPressure(20.0f));
    EXPECT_NEAR(d20, 14.70, 0.005);
    EXPECT_NEAR(EnthalpyFromTemperatureMoisture(20.0f, d20), 57.38, 0.005);
    EXPECT_NEAR(VapourPressureFromMoisture(kStandardPressure, 10.0f), 1603.2, 0.05);
    EXPECT_NEAR(TemperatureFromMoistureEnthalpy(10.0f, 50.0f), 24.43, 0.005);
    EXPECT_FLOAT_EQ(MixedValue(3.0f, 10.0f, 20.0f), 12.5f);
    EXPECT_FLOAT_EQ(MixedValue(0.0f, 7.0f, 9.0f), 9.0f);
    EXPECT_NEAR(ProcessLineMoistureAtTemperature(10000.0f, 50.0f, 10.0f, 20.0f), 9.39, 0.005);
    EXPECT_FLOAT_EQ(PsychrometerVapourPressure(kStandardPressure, 2000.0f, 25.0f, 25.0f), 2000.0f);
    EXPECT_FLOAT_EQ(RelativeHumidity(2000.0f, 1000.0f), 0.5f);
    EXPECT_FLOAT_EQ(VapourPressureFromPhi(2000.0f, 0.25f), 500.0f);
}

TEST(MoistAir, InversePairsRoundTrip)
{
    const struct {
        float t, d;
    } states[] = {{-20.0f, 0.5f}, {0.0f, 3.78f}, {20.0f, 10.0f}, {35.0f, 18.39f}, {60.0f, 40.0f}};
    for (double B : {90000.0, 101325.0, 120000.0}) {
        for (const auto &s : states) {
            const float Pq = VapourPressureFromMoisture(B, s.d);
            EXPECT_NEAR(MoistureFromVapourPressure(B, Pq), s.d, 1e-5 * (1 + s.d)) << B;
            const float i = EnthalpyFromTemperatureMoisture(s.t, s.d);
            EXPECT_NEAR(TemperatureFromMoistureEnthalpy(s.d, i), s.t, 1e-4);
            EXPECT_NEAR(MoistureFromTemperatureEnthalpy(s.t, i), s.d, 1e-4);
        }
    }
}

TEST(MoistAir, OnlyThePressureDependentFunctionsFollowB)
{
    EXPECT_NE(VapourPressureFromMoisture(90000.0, 10.0f),
              VapourPressureFromMoisture(101325.0, 10.0f));
    EXPECT_NE(MoistureFromVapourPressure(90000.0, 2000.0f),
              MoistureFromVapourPressure(101325.0, 2000.0f));
    EXPECT_NE(PsychrometerVapourPressure(90000.0, 3000.0f, 30.0f, 20.0f),
              PsychrometerVapourPressure(101325.0, 3000.0f, 30.0f, 20.0f));
}

TEST(MoistAir, FaultsThrowInsteadOfReturningInfOrNaN)
{
    using Kind = ArithmeticFault::Kind;
    const auto kindOf = [](auto &&call) {
        try {
            call();
        } catch (const ArithmeticFault &fault) {
            return fault.kind();
        }
        ADD_FAILURE() << "no fault";
        return Kind::Invalid;
    };
    EXPECT_EQ(kindOf([] { RelativeHumidity(0.0f, 100.0f); }), Kind::DivisionByZero);
    EXPECT_EQ(kindOf([] { MoistureFromVapourPressure(101325.0, 101325.0f); }),
              Kind::DivisionByZero);
    EXPECT_EQ(kindOf([] { MixedValue(-1.0f, 1.0f, 2.0f); }), Kind::DivisionByZero);
    // A process line parallel to the isotherm: eps = 2500 + 1.84 t.
    EXPECT_THROW(ProcessLineMoistureAtTemperature(2500.0f, 50.0f, 10.0f, 0.0f), ArithmeticFault);
    // Results beyond float's range are overflows too.
    EXPECT_EQ(kindOf([] { VapourPressureFromPhi(3e38f, 10.0f); }), Kind::Overflow);
    EXPECT_EQ(kindOf([] { EnthalpyFromTemperatureMoisture(3e38f, 3e38f); }), Kind::Overflow);
    EXPECT_EQ(kindOf([] { RelativeHumidity(std::numeric_limits<float>::quiet_NaN(), 1.0f); }),
              Kind::Invalid);
}
