#include "psychro/air_states.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using state_solver::Property;

namespace {

constexpr Property kAll[] = {Property::t, Property::ts, Property::td, Property::phi,
                             Property::d, Property::i,  Property::Pq};

bool IsMoisture(Property p)
{
    return p == Property::td || p == Property::d || p == Property::Pq;
}

// How far a round trip may move each property: t, ts and td in K, φ in %,
// d in g/kg, i in kJ/kg, Pq in Pa.
double Tolerance(Property p)
{
    switch (p) {
    case Property::Pq:
        return 0.01;
    default:
        return 0.001;
    }
}

} // namespace

// Every valid pair of a state's properties gives back that state.
TEST(StateSolver, EveryPairReproducesTheStateItWasMadeFrom)
{
    int pairsSolved = 0;
    for (const double B : {90000.0, 101325.0, 120000.0})
        for (const double t : {-20.0, -5.0, 2.0, 15.0, 25.0, 35.0, 50.0, 70.0, 90.0})
            for (const double phi : {5.0, 20.0, 50.0, 80.0, 100.0}) {
                const StateSolution made = SolveState(B, {Property::t, t}, {Property::phi, phi});
                ASSERT_TRUE(made.state) << made.message;
                const MoistAirState &original = *made.state;
                for (const Property a : kAll)
                    for (const Property b : kAll) {
                        if (a >= b || (IsMoisture(a) && IsMoisture(b)))
                            continue;
                        const auto va = PropertyValue(original, a);
                        const auto vb = PropertyValue(original, b);
                        // A dew point or wet bulb below −30 °C is not a property to give.
                        if (!va || !vb)
                            continue;
                        // At ts = 0 °C the wet-bulb line is the isenthalp (refused, see below).
                        if (a == Property::ts && b == Property::i && std::fabs(*va) < 0.5f)
                            continue;
                        SCOPED_TRACE(std::string(state_solver::PropertyKey(a)) + " with "
                                     + state_solver::PropertyKey(b) + " at t = " + std::to_string(t)
                                     + ", φ = " + std::to_string(phi)
                                     + ", B = " + std::to_string(B));
                        const StateSolution solved = SolveState(B, {a, *va}, {b, *vb});
                        ASSERT_TRUE(solved.state) << solved.message;
                        ++pairsSolved;
                        const double scale = a == Property::ts && b == Property::i ? 10.0 : 1.0;
                        for (const Property p : kAll) {
                            const auto expected = PropertyValue(original, p);
                            const auto got = PropertyValue(*solved.state, p);
                            ASSERT_EQ(expected.has_value(), got.has_value())
                                << state_solver::PropertyKey(p);
                            if (expected) {
                                EXPECT_NEAR(*got, *expected, Tolerance(p) * scale)
                                    << state_solver::PropertyKey(p);
                            }
                        }
                    }
            }
    EXPECT_GT(pairsSolved, 2000);
}

// The pairs that fix only one quantity, and the values that no state has.
TEST(StateSolver, RefusedPairsAndPairsWithoutAState)
{
    using P = Property;
    struct Row {
        const char *name;
        double B;
        GivenProperty first, second;
        bool refused; // a pair that fixes one quantity, as against values no state has
        const char *message; // part of the message
    };
    const Row rows[] = {
        {"the same property twice", 101325, {P::t, 20}, {P::t, 25}, true, "同一个参数"},
        {"d with td", 101325, {P::d, 10}, {P::td, 14}, true, "只确定一个量"},
        {"d with Pq", 101325, {P::Pq, 1600}, {P::d, 10}, true, "只确定一个量"},
        {"td with Pq", 101325, {P::td, 14}, {P::Pq, 1600}, true, "只确定一个量"},
        {"ts = 0 with i", 101325, {P::i, 9.4}, {P::ts, 0}, true, "等焓线"},
        {"dry air at φ = 0", 101325, {P::phi, 0}, {P::d, 0}, true, "只确定一个量"},
        {"φ above 100", 101325, {P::t, 20}, {P::phi, 100.5}, false, "超过 100%"},
        {"negative φ", 101325, {P::t, 20}, {P::phi, -1}, false, "不能为负"},
        {"negative d", 101325, {P::t, 20}, {P::d, -1}, false, "不能为负"},
        {"negative d from t and i", 101325, {P::t, 20}, {P::i, 10}, false, "负的含湿量"},
        {"Pq at B", 101325, {P::t, 20}, {P::Pq, 101325}, false, state_solver::kVapourPressure},
        {"saturation above B",
         90000,
         {P::t, 100},
         {P::phi, 100},
         false,
         state_solver::kVapourPressure},
        {"wet-bulb line without a saturated state",
         90000,
         {P::t, 99.5},
         {P::ts, 99},
         false,
         state_solver::kVapourPressure},
        {"t below td", 101325, {P::t, 20}, {P::td, 25}, false, "饱和线以外"},
        {"beyond saturation from d and i", 101325, {P::d, 20}, {P::i, 40}, false, "饱和线以外"},
        {"ts above t", 101325, {P::t, 20}, {P::ts, 20.5}, false, "湿球温度高于干球温度"},
        {"given t above 100 °C", 101325, {P::t, 120}, {P::phi, 50}, false, "-30 至 100"},
        {"given t below -30 °C", 101325, {P::t, -40}, {P::d, 0.1}, false, "-30 至 100"},
        {"solved t below -30 °C", 101325, {P::phi, 50}, {P::d, 0.01}, false, "-30 至 100"},
        {"solved t above 100 °C", 101325, {P::phi, 10}, {P::i, 400}, false, "-30 至 100"},
        {"t from d and i beyond the range", 101325, {P::d, 30}, {P::i, 40}, false, "-30 至 100"},
        {"φ = 0 with moisture", 101325, {P::phi, 0}, {P::Pq, 100}, false, "不含水蒸气"},
        {"value beyond single precision", 101325, {P::t, 1e39}, {P::d, 1}, false, "超出范围"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        for (const bool swapped : {false, true}) {
            const StateSolution solution = swapped ? SolveState(row.B, row.second, row.first)
                                                   : SolveState(row.B, row.first, row.second);
            EXPECT_FALSE(solution.state);
            EXPECT_EQ(solution.refused, row.refused);
            EXPECT_NE(solution.message.find(row.message), std::string::npos) << solution.message;
        }
    }
}

// The pairs that the design calculation itself solves give its values to the last bit.
TEST(StateSolver, ClosedFormsAreThoseOfTheCalculation)
{
    for (const double B : {90000.0, 101325.0, 120000.0}) {
        const WetBulbLineState w = StateOnWetBulbLine(24.5f, 32.0f, B);
        const StateSolution outdoor = SolveState(B, {Property::t, 32}, {Property::ts, 24.5});
        ASSERT_TRUE(outdoor.state);
        EXPECT_EQ(outdoor.state->d, w.state.d);
        EXPECT_EQ(outdoor.state->i, w.state.i);

        using namespace moist_air;
        const StateSolution indoor = SolveState(B, {Property::t, 26}, {Property::phi, 60});
        ASSERT_TRUE(indoor.state);
        EXPECT_EQ(
            indoor.state->d,
            MoistureFromVapourPressure(B, VapourPressureFromPhi(SaturationPressure(26.0f), 0.6f)));
        // Specific volume and density of the moist air.
        const double v = 287.055 * (26 + 273.15) / (B - indoor.state->Pq);
        EXPECT_NEAR(indoor.state->v, v, 1e-6);
        EXPECT_NEAR(indoor.state->rho, (1 + indoor.state->d / 1000.0) / v, 1e-6);
    }
}
