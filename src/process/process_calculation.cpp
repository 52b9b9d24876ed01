#include "process/process_calculation.h"

#include "process/design_parameters.h"
#include "process/process_state.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

using namespace moist_air;

namespace {

// W = 0 would leave the heat-moisture ratio undefined; the calculation uses
// this tiny single-precision value instead (1.401298E-30 kg/s), which makes
// the room's process line vertical on the chart.
constexpr std::uint32_t kZeroMoistureReplacementBits = 0x0DE35FA4u;

// Slope of the wet-bulb line per °C of wet-bulb temperature: the enthalpy of
// the evaporated water, 4.19 kJ/(kg·K) times ts.
// Reference: specific heat of liquid water, usual textbook value near 20 °C.
constexpr double kWaterHeat = 4.19;

// Percent to fraction; g/s to kg/s is moist_air::kGramsPerKilogram.
constexpr double kPercent = 100.0;

// A double handed to a property function becomes single precision; a value
// beyond that range is an overflow, not an infinity.
float Single(double value, FaultCause cause)
{
    return CheckedSingle(value, cause);
}

// d at a vapour pressure that must stay below B: at or above it the air would
// be pure vapour or worse, and the moisture content has no meaning.
float MoistureBelowBarometric(double B, float Pq)
{
    if (!(Pq < B))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid,
                              FaultCause::MoistureFromVapourPressure);
    return MoistureFromVapourPressure(B, Pq);
}

// ---- The machine-dew-point scan ---------------------------------------------------------

using namespace dew_point_scan;

// The scan's running temperature is a double-precision sum of 0.001 steps from
// −30, so its k-th value is not exactly −30 + 0.001 k. Checkpoints of that sum
// every kCheckpointStride steps let any step's temperature be rebuilt by the
// same additions the plain scan makes.
constexpr int kCheckpointStride = 256;
// Bound of the accumulation: the scan itself covers 130000 temperatures.
constexpr int kMaxScanTemperatures = 140000;

struct ScanGrid {
    // Number of temperatures the plain scan examines; the one at this index is
    // the first beyond the end temperature.
    int count = 0;
    std::array<double, kMaxScanTemperatures / kCheckpointStride + 1> checkpoints {};

    double TemperatureAt(int k) const
    {
        double t = checkpoints[static_cast<std::size_t>(k / kCheckpointStride)];
        for (int step = k % kCheckpointStride; step > 0; --step)
            t += kStep;
        return t;
    }
};

const ScanGrid &Grid()
{
    static const ScanGrid grid = [] {
        ScanGrid g;
        double t = kStartTemperature;
        int k = 0;
        for (;;) {
            if (k % kCheckpointStride == 0)
                g.checkpoints[static_cast<std::size_t>(k / kCheckpointStride)] = t;
            if (t > kEndTemperature || k == kMaxScanTemperatures)
                break;
            t += kStep;
            ++k;
        }
        g.count = k;
        return g;
    }();
    return grid;
}

// The smallest magnitude that rounds to infinity in single precision: the
// largest float plus half its last place.
constexpr double kSingleRoundsToInfinity = 0x1.ffffffp+127;

enum class ProbeKind {
    Candidate, // a moist-air state with moisture content d
    Beyond, // vapour pressure at or above B: no moisture content
    Overflow, // vapour pressure beyond single-precision range
};

struct Probe {
    ProbeKind kind = ProbeKind::Candidate;
    float d = 0.0f;
};

// The state at one scanned temperature, by the same property functions as
// every other state.
Probe ProbeAt(double t, float phi, double B)
{
    const float Pqb = SaturationPressure(static_cast<float>(t));
    const double product = static_cast<double>(Pqb) * phi;
    if (std::fabs(product) >= kSingleRoundsToInfinity) {
        // A positive vapour pressure this large is far beyond B anyway.
        return {product > 0.0 ? ProbeKind::Beyond : ProbeKind::Overflow, 0.0f};
    }
    const float Pq = VapourPressureFromPhi(Pqb, phi);
    if (Pq >= B)
        return {ProbeKind::Beyond, 0.0f};
    return {ProbeKind::Candidate, MoistureFromVapourPressure(B, Pq)};
}

// e = |d − target| rounded to single precision, within the tolerance. A gap
// above 1 g/kg is no match whatever its rounding (it may even lie beyond
// single-precision range).
bool Matches(float d, float target)
{
    const double gap = std::fabs(static_cast<double>(d) - static_cast<double>(target));
    return gap <= 1.0 && static_cast<float>(gap) <= kTolerance;
}

// The smallest k in [first, last) for which the monotonic predicate holds, or last.
template <typename Predicate> int FirstWhere(int first, int last, Predicate holds)
{
    while (first < last) {
        const int middle = first + (last - first) / 2;
        if (holds(middle))
            last = middle;
        else
            first = middle + 1;
    }
    return first;
}

} // namespace

void LoadDesignParameters(ProcessState &state, const DesignParameters &parameters)
{
    state.tn = CheckedDouble(parameters.tn, FaultCause::tn);
    state.phiN = CheckedDouble(parameters.phiN / kPercent, FaultCause::phiN);
    state.tw = CheckedDouble(parameters.tw, FaultCause::tw);
    state.ts = Single(parameters.ts, FaultCause::ts);
    state.deltaT = CheckedDouble(parameters.deltaT, FaultCause::deltaT);
    state.s = Single(parameters.s / kPercent, FaultCause::s);
    state.phiL = CheckedDouble(parameters.phiL / kPercent, FaultCause::phiL);
    state.Q = CheckedDouble(parameters.Q, FaultCause::Q);

    float W = Single(static_cast<double>(parameters.W) / kGramsPerKilogram, FaultCause::W);
    if (W == 0.0f)
        W = std::bit_cast<float>(kZeroMoistureReplacementBits);
    state.W = W;
    state.epsilon
        = CheckedDouble(CheckedDivide(state.Q, W, FaultCause::epsilon), FaultCause::epsilon);
}

void ComputeIndoorState(ProcessState &state, double B)
{
    const float tn = Single(state.tn, FaultCause::tn);
    state.Pqb_n = SaturationPressure(tn);
    state.Pq_n = VapourPressureFromPhi(state.Pqb_n, Single(state.phiN, FaultCause::phiN));
    state.d_n = MoistureBelowBarometric(B, state.Pq_n);
    state.i_n = EnthalpyFromTemperatureMoisture(tn, state.d_n);
}

WetBulbLineState StateOnWetBulbLine(float ts, double t, double B)
{
    WetBulbLineState line;
    line.epsilonWetBulb = Single(kWaterHeat * ts, FaultCause::epsilonWetBulb);
    line.Pqb_s = SaturationPressure(ts);
    const float saturatedPq = VapourPressureFromPhi(line.Pqb_s, 1.0f);
    line.d_s = MoistureBelowBarometric(B, saturatedPq);
    line.i_s = EnthalpyFromTemperatureMoisture(ts, line.d_s);

    const float tAtState = Single(t, FaultCause::tw);
    line.d = ProcessLineMoistureAtTemperature(line.epsilonWetBulb, line.i_s, line.d_s, tAtState);
    line.i = EnthalpyFromTemperatureMoisture(tAtState, line.d);
    return line;
}

void ComputeOutdoorState(ProcessState &state, double B)
{
    const WetBulbLineState line = StateOnWetBulbLine(state.ts, state.tw, B);
    state.epsilonWetBulb = line.epsilonWetBulb;
    state.Pqb_s = line.Pqb_s;
    state.d_s = line.d_s;
    state.i_s = line.i_s;
    state.d_w = line.d;
    state.i_w = line.i;
}

void ComputeMixedState(ProcessState &state)
{
    // s is the ratio of outdoor to return air, so C lies s / (1 + s) of the way from N to W.
    state.d_c = MixedValue(state.s, state.d_w, state.d_n);
    state.i_c = MixedValue(state.s, state.i_w, state.i_n);
}

void ComputeSupplyState(ProcessState &state)
{
    state.t_o = CheckedDouble(state.tn - state.deltaT, FaultCause::t_o);
    const float to = Single(state.t_o, FaultCause::t_o);
    state.d_o = ProcessLineMoistureAtTemperature(Single(state.epsilon, FaultCause::epsilon),
                                                 state.i_n, state.d_n, to);
    state.i_o = EnthalpyFromTemperatureMoisture(to, state.d_o);
}

DewPointSearch FindMachineDewPoint(ProcessState &state, double B)
{
    const ScanGrid &grid = Grid();
    const int count = grid.count;
    const float target = state.d_o;
    state.d_L = target;
    const float phi = Single(state.phiL, FaultCause::phiL);

    auto probe = [&](int k) { return ProbeAt(grid.TemperatureAt(k), phi, B); };

    // The saturation pressure rises with every step by far more than its
    // rounding, and every later step (times phi, then 622 Pq / (B − Pq)) is a
    // monotonic formula rounded monotonically. So the vapour pressure moves
    // one way only: the scanned states form a prefix of temperatures
    // that have a moisture content, followed by none or by overflow.
    const int states
        = FirstWhere(0, count, [&](int k) { return probe(k).kind != ProbeKind::Candidate; });

    // Over that prefix d is monotonic, rising with t for phi ≥ 0 and falling
    // for phi < 0, so "matched or already past the target" switches from false
    // to true once; its first true step is the first match, if any.
    const bool rising = !(phi < 0.0f);
    const int first = FirstWhere(0, states, [&](int k) {
        const float d = probe(k).d;
        return Matches(d, target) || (rising ? d > target : d < target);
    });
    const bool matched = first < states && Matches(probe(first).d, target);

    // A match at the last temperature does not count either: the running
    // temperature has passed the end by the time it would be accepted.
    if (!matched || first + 1 >= count) {
        // Without a match the plain scan would go on into an overflowing vapour pressure.
        if (!matched && states < count && probe(states).kind == ProbeKind::Overflow)
            throw ArithmeticFault(ArithmeticFault::Kind::Overflow,
                                  FaultCause::VapourPressureFromPhi);
        state.t_L = grid.TemperatureAt(count);
        return DewPointSearch {false, count};
    }

    state.t_L = grid.TemperatureAt(first + 1);
    const float tL = static_cast<float>(state.t_L);
    state.Pqb_L = SaturationPressure(tL);
    state.Pq_L = VapourPressureFromPhi(state.Pqb_L, phi);
    state.d_L = MoistureBelowBarometric(B, state.Pq_L);
    state.i_L = EnthalpyFromTemperatureMoisture(tL, state.d_L);
    return DewPointSearch {true, first + 1};
}

void ComputeAirFlows(ProcessState &state)
{
    const FaultCause heat = FaultCause::SupplyFlowByHeat;
    const double enthalpyDrop = static_cast<double>(state.i_n) - state.i_o;
    state.SupplyFlowByHeat = CheckedDouble(CheckedDivide(state.Q, enthalpyDrop, heat), heat);

    state.MoistureDifference
        = Single(static_cast<double>(state.d_n) - state.d_o, FaultCause::MoistureDifference);
    if (state.MoistureDifference != 0.0f) {
        // 1000 · W is the residual moisture in g/s again, matching d in g/kg.
        const double moisture = kGramsPerKilogram * state.W;
        state.SupplyFlowByMoisture = Single(
            CheckedDivide(moisture, state.MoistureDifference, FaultCause::SupplyFlowByMoisture),
            FaultCause::SupplyFlowByMoisture);
    }
}

void ComputeLoads(ProcessState &state)
{
    const double G = state.SupplyFlowByHeat;
    state.Q1 = CheckedDouble(G * (static_cast<double>(state.i_n) - state.i_o), FaultCause::Q1);
    // The fresh-air flow is s times the supply flow.
    state.Q2
        = CheckedDouble(G * state.s * (static_cast<double>(state.i_w) - state.i_n), FaultCause::Q2);
    state.ReheatLoad
        = Single(G * (static_cast<double>(state.i_o) - state.i_L), FaultCause::ReheatLoad);
    state.SystemCooling
        = CheckedDouble((state.Q1 + state.Q2) + state.ReheatLoad, FaultCause::SystemCooling);
}

DewPointSearch ComputeProcessStates(ProcessState &state, const DesignParameters &parameters,
                                    double B)
{
    LoadDesignParameters(state, parameters);
    ComputeIndoorState(state, B);
    ComputeOutdoorState(state, B);
    ComputeMixedState(state);
    ComputeSupplyState(state);
    return FindMachineDewPoint(state, B);
}
