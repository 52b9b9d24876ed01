#include "designs/dew_point_scan.h"

#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <array>
#include <cmath>

using namespace moist_air;

namespace {

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
    if (!HasMoistureContent(B, Pq))
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

DewPointSearch FindMachineDewPoint(float target, float phi, double B)
{
    const ScanGrid &grid = Grid();
    const int count = grid.count;

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
        return DewPointSearch {false, count, grid.TemperatureAt(count), {}};
    }

    const double tL = grid.TemperatureAt(first + 1);
    return DewPointSearch {true, first + 1, tL,
                           StateFromTemperatureHumidity(static_cast<float>(tL), phi, B)};
}
