#include "psychro/state_solver.h"

#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

using namespace moist_air;
using state_solver::Property;

namespace {

using namespace state_solver;

// The search ends when the two ends of the bracket are neighbouring
// single-precision values or this close (°C), whichever comes first.
constexpr double kClosestBracket = 1e-9;
constexpr int kMostSearchSteps = 200;

// Stand-in residual for a trial temperature where the quantity searched for
// has no value (a saturated state beyond B, a moisture content of 0): far on
// the side where the search must not go, but finite so that false position
// stays usable.
constexpr double kFarResidual = 1e3;

// The temperature in [lo, hi] where the monotonic residual changes sign,
// given its values at both ends (of opposite signs or zero). Illinois false
// position in double precision on single-precision trial values, with a
// bisection step whenever a step has not halved the bracket. Ends at the
// bracket end whose residual is smaller.
template <typename Residual>
float FindTemperature(Residual residual, float lo, float hi, double rlo, double rhi)
{
    if (rlo == 0.0)
        return lo;
    if (rhi == 0.0)
        return hi;
    double weightedLo = rlo, weightedHi = rhi;
    int lastSide = 0;
    bool bisect = false;
    for (int step = 0; step < kMostSearchSteps; ++step) {
        const float aboveLo = std::nextafter(lo, hi);
        const double width = static_cast<double>(hi) - lo;
        if (aboveLo >= hi || width <= kClosestBracket)
            break;
        const double x = bisect ? lo + width / 2.0
                                : (lo * weightedHi - hi * weightedLo) / (weightedHi - weightedLo);
        float trial = static_cast<float>(x);
        if (!(trial > lo)) // also for a not-a-number
            trial = aboveLo;
        if (!(trial < hi))
            trial = std::nextafter(hi, lo);
        const double r = residual(trial);
        if (r == 0.0)
            return trial;
        if ((r < 0.0) == (rlo < 0.0)) {
            lo = trial;
            rlo = weightedLo = r;
            if (lastSide == -1)
                weightedHi /= 2.0;
            lastSide = -1;
        } else {
            hi = trial;
            rhi = weightedHi = r;
            if (lastSide == 1)
                weightedLo /= 2.0;
            lastSide = 1;
        }
        bisect = static_cast<double>(hi) - lo > width / 2.0;
    }
    return std::fabs(rlo) <= std::fabs(rhi) ? lo : hi;
}

// A first estimate of the temperature whose saturation pressure is p (Pa):
// the Magnus formula with Sonntag's (1990) coefficients over water and over
// ice. Over −30…100 °C it lies within 0.65 K of the correlation the chart uses.
double SaturationTemperatureEstimate(double p)
{
    const double x = std::log(p / 611.2);
    return p >= 611.2 ? 243.12 * x / (17.62 - x) : 272.62 * x / (22.46 - x);
}

// A bracket [lo, hi] within −30…100 °C around a first estimate, with the
// residual at both ends, narrowed where the residual confirms it; the whole
// range where it does not.
struct Bracket {
    float lo = kLowestTemperature, hi = kHighestTemperature;
    double rlo = 0.0, rhi = 0.0;
};

template <typename Residual> Bracket Narrowed(Residual residual, double lo, double hi)
{
    Bracket b;
    const float nlo = static_cast<float>(std::max(lo, static_cast<double>(kLowestTemperature)));
    const float nhi = static_cast<float>(std::min(hi, static_cast<double>(kHighestTemperature)));
    if (nlo < nhi) {
        const double rlo = residual(nlo), rhi = residual(nhi);
        // Confirmed when the residual changes sign (either way) across it.
        if ((rlo < 0.0) != (rhi < 0.0) || rlo == 0.0 || rhi == 0.0)
            return {nlo, nhi, rlo, rhi};
    }
    b.rlo = residual(b.lo);
    b.rhi = residual(b.hi);
    return b;
}

// The temperature in −30…100 °C whose saturation pressure is p (Pa), or nothing.
std::optional<float> SaturationTemperature(double p)
{
    if (!(p > 0.0) || !std::isfinite(p))
        return std::nullopt;
    const double target = std::log(p);
    auto residual
        = [&](float t) { return std::log(static_cast<double>(SaturationPressure(t))) - target; };
    const double estimate = SaturationTemperatureEstimate(p);
    const Bracket b = Narrowed(residual, estimate - 1.0, estimate + 1.0);
    if (!(b.rlo <= 0.0 && b.rhi >= 0.0))
        return std::nullopt;
    return FindTemperature(residual, b.lo, b.hi, b.rlo, b.rhi);
}

// The wet-bulb line of ts: slope eps (kJ/kg) through the saturated state
// (d_s, i_s) at ts, each value formed as the outdoor state's is. It does not
// exist where the saturation pressure at ts reaches B.
struct TracedWetBulbLine {
    bool exists = false;
    float eps = 0.0f;
    float d_s = 0.0f;
    float i_s = 0.0f;
};

TracedWetBulbLine LineOfWetBulb(double B, float ts)
{
    TracedWetBulbLine line;
    if (const auto wetBulb = WetBulbLineOf(ts, B)) {
        line.exists = true;
        line.eps = wetBulb->epsilon;
        line.d_s = wetBulb->saturated.d;
        line.i_s = wetBulb->saturated.i;
    }
    return line;
}

// One unit in the last place of a single-precision value.
double Ulp(float x)
{
    return static_cast<double>(std::nextafter(std::fabs(x), INFINITY)) - std::fabs(x);
}

// Single-precision d and i stand for every state that rounds to them, and the
// wet-bulb lines of several neighbouring ts pass through that small box; the
// outdoor state of a calculation, too, is only known to the rounding of its
// d and i. Of those ts this takes the one with the shortest text (at most 7
// significant digits), so that the wet bulb of an outdoor state found from a
// typed ts reads as that ts.
//
// A line misses the point by at most half a unit in the last place of i,
// plus the rounding of d times the difference of the slopes of the isotherm
// (at most 2.5 + 0.00184 · 100) and of the line (at least 4.19 · (−30) / 1000),
// about 2.81 units of d's last place (counted 3 here), halved.
template <typename Residual> float ShortestOnLine(Residual residual, float root, float d, float i)
{
    const double box = 0.5 * Ulp(i) + 1.5 * Ulp(d);
    if (!(std::fabs(residual(root)) <= box))
        return root;
    // How far the box reaches along ts, generously (the residual of
    // neighbouring ts scatters by about the box itself), to spare the
    // evaluation of candidates that cannot pass.
    const float step = std::max(std::fabs(root) * 1e-4f, 1e-4f);
    const double slope = std::fabs(residual(root + step) - residual(root - step)) / (2.0 * step);
    const double reach = (slope > 0.0 ? 10.0 * box / slope : 0.0) + 8.0 * Ulp(root);
    for (int digits = 1; digits < 8; ++digits) {
        // root to this many significant digits
        const double magnitude = std::floor(std::log10(std::fabs(static_cast<double>(root))));
        const double unit = std::pow(10.0, magnitude - digits + 1);
        const float candidate = static_cast<float>(std::round(root / unit) * unit);
        if (std::fabs(static_cast<double>(candidate) - root) > reach)
            continue;
        if (std::fabs(residual(candidate)) <= box)
            return candidate;
    }
    return root;
}

bool InRange(float t)
{
    return t >= kLowestTemperature && t <= kHighestTemperature;
}

// Why a pair gives no state.
struct NoState {
    std::string message;
    bool refused = false; // the pair fixes only one quantity
};

// The state before its derived properties: t, d, i and Pq, and the given
// values of the others.
struct Core {
    float t = 0.0f, d = 0.0f, i = 0.0f, Pq = 0.0f;
    std::optional<float> phi, ts, td; // given, φ in %
};

const char *const kOutOfRangeSolution = "所求的温度不在 -30 至 100 ℃ 之内，没有这样的状态。";
const char *const kWetBulbAbove = "湿球温度高于干球温度，没有这样的状态。";
const char *const kBeyondSaturation
    = "状态在饱和线以外（干球温度低于露点温度，相对湿度超过 100%），没有这样的状态。";

// The temperature t where the relative humidity along a path of states
// (moisture content as a function of temperature) equals phi, in [lo, hi].
template <typename MoistureAt>
float TemperatureAtPhi(double B, float phi, float lo, float hi, MoistureAt moistureAt)
{
    const double target = std::log(static_cast<double>(phi));
    auto residual = [&](float t) {
        const float d = moistureAt(t);
        if (!(d > 0.0f))
            return -kFarResidual; // dry air: φ = 0, below any positive target
        const float Pq = VapourPressureFromMoisture(B, d);
        return std::log(static_cast<double>(Pq) / SaturationPressure(t)) - target;
    };
    if (!(lo <= hi))
        throw NoState {kOutOfRangeSolution};
    const double rlo = residual(lo), rhi = residual(hi);
    // φ falls with t along each path: a target above the path's φ at lo, or
    // below its φ at hi, lies outside the range.
    if (rlo < 0.0 || rhi > 0.0)
        throw NoState {kOutOfRangeSolution};
    return FindTemperature(residual, lo, hi, rlo, rhi);
}

float Single(double value, FaultCause cause)
{
    return CheckedSingle(value, cause);
}

// The moisture family: d, td and Pq each fix the vapour pressure.
bool IsMoisture(Property p)
{
    return p == Property::td || p == Property::d || p == Property::Pq;
}

void CheckGiven(double B, Property p, float value)
{
    switch (p) {
    case Property::t:
    case Property::ts:
    case Property::td:
        if (!InRange(value))
            throw NoState {std::string(PropertyKey(p))
                           + " 不在 -30 至 100 ℃ 之内，没有这样的状态。"};
        break;
    case Property::phi:
        if (value > 100.0f)
            throw NoState {"相对湿度 φ 超过 100%，没有这样的状态。"};
        if (value < 0.0f)
            throw NoState {"相对湿度 φ 不能为负。"};
        break;
    case Property::d:
        if (value < 0.0f)
            throw NoState {"含湿量 d 不能为负。"};
        break;
    case Property::i:
        break;
    case Property::Pq:
        if (value < 0.0f)
            throw NoState {"水蒸气分压力 Pq 不能为负。"};
        if (!HasMoistureContent(B, value))
            throw NoState {kVapourPressure};
        break;
    }
}

// d and Pq from one property of the moisture family.
std::pair<float, float> MoistureAndPressure(double B, Property p, float value)
{
    if (p == Property::d)
        return {value, VapourPressureFromMoisture(B, value)};
    const float Pq = p == Property::Pq ? value : SaturationPressure(value);
    if (!HasMoistureContent(B, Pq))
        throw NoState {kVapourPressure};
    return {MoistureFromVapourPressure(B, Pq), Pq};
}

TracedWetBulbLine ExistingLine(double B, float ts)
{
    const TracedWetBulbLine line = LineOfWetBulb(B, ts);
    if (!line.exists)
        throw NoState {kVapourPressure};
    return line;
}

// The state on the wet-bulb line at temperature t, as the outdoor state is found.
Core OnLineAt(const TracedWetBulbLine &line, float t)
{
    Core core;
    core.t = t;
    core.d = ProcessLineMoistureAtTemperature(line.eps, line.i_s, line.d_s, t);
    core.i = EnthalpyFromTemperatureMoisture(t, core.d);
    return core;
}

// The pair with one property of the moisture family (d and Pq known).
Core WithMoisture(double B, Property p, float value, float d, float Pq)
{
    Core core;
    core.d = d;
    core.Pq = Pq;
    switch (p) {
    case Property::t:
        core.t = value;
        core.i = EnthalpyFromTemperatureMoisture(value, d);
        break;
    case Property::i:
        core.i = value;
        core.t = TemperatureFromMoistureEnthalpy(d, value);
        break;
    case Property::ts: {
        const TracedWetBulbLine line = ExistingLine(B, value);
        // The wet-bulb line at moisture content d.
        core.i
            = Single(line.i_s + line.eps / kGramsPerKilogram * (static_cast<double>(d) - line.d_s),
                     FaultCause::ProcessLine);
        core.t = TemperatureFromMoistureEnthalpy(d, core.i);
        core.ts = value;
        break;
    }
    case Property::phi: {
        if (value == 0.0f) {
            if (Pq == 0.0f)
                throw NoState {"相对湿度为 0 时含湿量也为 0，两者只确定一个量，不能确定状态。",
                               true};
            throw NoState {"相对湿度为 0 的空气不含水蒸气，与所给的含湿量矛盾，没有这样的状态。"};
        }
        if (Pq == 0.0f)
            throw NoState {"不含水蒸气的空气相对湿度为 0，与所给的相对湿度矛盾，没有这样的状态。"};
        const float phi = Single(value / kPercent, FaultCause::TypedNumber);
        // The temperature whose saturation pressure is Pq / φ.
        const std::optional<float> t = SaturationTemperature(static_cast<double>(Pq) / phi);
        if (!t)
            throw NoState {kOutOfRangeSolution};
        core.t = *t;
        core.i = EnthalpyFromTemperatureMoisture(core.t, d);
        core.phi = value;
        break;
    }
    default:
        break;
    }
    return core;
}

// The pairs among t, ts, φ and i, in this order of their members.
Core WithoutMoisture(double B, Property p, float a, Property q, float b)
{
    Core core;
    if (p == Property::t) {
        core.t = a;
        switch (q) {
        case Property::ts: {
            core = OnLineAt(ExistingLine(B, b), a);
            core.ts = b;
            break;
        }
        case Property::phi: {
            const float Pq = VapourPressureFromPhi(SaturationPressure(a),
                                                   Single(b / kPercent, FaultCause::TypedNumber));
            if (!HasMoistureContent(B, Pq))
                throw NoState {kVapourPressure};
            core.Pq = Pq;
            core.d = MoistureFromVapourPressure(B, Pq);
            core.i = EnthalpyFromTemperatureMoisture(a, core.d);
            core.phi = b;
            break;
        }
        case Property::i:
            core.i = b;
            core.d = MoistureFromTemperatureEnthalpy(a, b);
            break;
        default:
            break;
        }
    } else if (p == Property::ts && q == Property::phi) {
        const TracedWetBulbLine line = ExistingLine(B, a);
        if (b == 100.0f) {
            core = OnLineAt(line, a); // the saturated state at ts
        } else if (b == 0.0f) {
            // Where the line meets d = 0.
            core.d = 0.0f;
            core.i = Single(line.i_s - line.eps / kGramsPerKilogram * line.d_s,
                            FaultCause::ProcessLine);
            core.t = TemperatureFromMoistureEnthalpy(0.0f, core.i);
        } else {
            const float phi = Single(b / kPercent, FaultCause::TypedNumber);
            const float t = TemperatureAtPhi(B, phi, a, kHighestTemperature, [&](float trial) {
                return ProcessLineMoistureAtTemperature(line.eps, line.i_s, line.d_s, trial);
            });
            core = OnLineAt(line, t);
        }
        core.ts = a;
        core.phi = b;
    } else if (p == Property::ts && q == Property::i) {
        const TracedWetBulbLine line = ExistingLine(B, a);
        if (line.eps == 0.0f)
            throw NoState {"湿球温度为 0 ℃ 时湿球温度线就是等焓线，ts 与 i "
                           "只确定一个量，不能确定状态。",
                           true};
        core.i = b;
        core.d = Single(line.d_s
                            + (static_cast<double>(b) - line.i_s) / (line.eps / kGramsPerKilogram),
                        FaultCause::ProcessLine);
        core.t = TemperatureFromMoistureEnthalpy(core.d, b);
        core.ts = a;
    } else if (p == Property::phi && q == Property::i) {
        core.i = b;
        // The isenthalp reaches d = 0 at its highest temperature.
        const float driest = TemperatureFromMoistureEnthalpy(0.0f, b);
        if (a == 0.0f) {
            core.d = 0.0f;
            core.t = driest;
        } else {
            const float phi = Single(a / kPercent, FaultCause::TypedNumber);
            const float hi = std::min(driest, kHighestTemperature);
            core.t = TemperatureAtPhi(B, phi, kLowestTemperature, hi, [&](float trial) {
                return MoistureFromTemperatureEnthalpy(trial, b);
            });
            core.d = MoistureFromTemperatureEnthalpy(core.t, b);
        }
        core.phi = a;
    }
    if (core.d < 0.0f)
        throw NoState {"所给的两个参数给出负的含湿量，没有这样的状态。"};
    if (!(p == Property::t && q == Property::phi)) // there Pq is known before d
        core.Pq = VapourPressureFromMoisture(B, core.d);
    return core;
}

MoistAirState Complete(double B, const Core &core)
{
    if (!InRange(core.t))
        throw NoState {kOutOfRangeSolution}; // a given t was checked before
    if (core.d < 0.0f)
        throw NoState {"含湿量 d 不能为负。"};
    if (!HasMoistureContent(B, core.Pq))
        throw NoState {kVapourPressure};
    MoistAirState state;
    state.t = core.t;
    state.d = core.d;
    state.i = core.i;
    state.Pq = core.Pq;
    state.Pqb = SaturationPressure(core.t);
    float phi = RelativeHumidity(state.Pqb, state.Pq);
    if (phi > 1.0f) {
        if (phi > 1.0f + kSaturationSlack)
            throw NoState {core.ts && *core.ts > core.t ? kWetBulbAbove : kBeyondSaturation};
        phi = 1.0f;
    }
    state.phi = core.phi ? *core.phi : static_cast<float>(phi * 100.0f);
    state.ts = core.ts ? core.ts : WetBulbTemperature(B, core.d, core.i);
    state.td = core.td ? core.td : DewPointTemperature(core.Pq);
    const double v = kDryAirGasConstant * (static_cast<double>(core.t) + kZeroCelsius)
        / (B - static_cast<double>(core.Pq));
    state.v = Single(v, FaultCause::TypedNumber);
    state.rho = Single((1.0 + core.d / kGramsPerKilogram) / v, FaultCause::TypedNumber);
    return state;
}

} // namespace

namespace state_solver {

const char *PropertyKey(Property property)
{
    switch (property) {
    case Property::t:
        return "t";
    case Property::ts:
        return "ts";
    case Property::td:
        return "td";
    case Property::phi:
        return "phi";
    case Property::d:
        return "d";
    case Property::i:
        return "i";
    case Property::Pq:
        return "Pq";
    }
    return "";
}

std::optional<Property> PropertyNamed(std::string_view name)
{
    if (name == "φ")
        return Property::phi;
    for (int k = 0; k < kPropertyCount; ++k) {
        const auto p = static_cast<Property>(k);
        const std::string_view key = PropertyKey(p);
        if (key.size() == name.size()
            && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a))
                       == std::tolower(static_cast<unsigned char>(b));
               }))
            return p;
    }
    return std::nullopt;
}

std::optional<std::string> OneQuantityOnly(Property first, Property second)
{
    if (first == second)
        return std::string("两个参数都是 ") + PropertyKey(first)
            + "：同一个参数只确定一个量，不能确定状态。";
    if (IsMoisture(first) && IsMoisture(second))
        return std::string(PropertyKey(first)) + " 与 " + PropertyKey(second)
            + " 都只由水蒸气分压力决定（含湿量、露点温度与水蒸气分压力一一对应），"
              "只确定一个量，不能确定状态。";
    return std::nullopt;
}

} // namespace state_solver

StateSolution SolveState(double B, GivenProperty first, GivenProperty second)
{
    if (auto why = state_solver::OneQuantityOnly(first.property, second.property))
        return {std::nullopt, std::move(*why), true};
    if (static_cast<int>(first.property) > static_cast<int>(second.property))
        std::swap(first, second);
    try {
        const float a = Single(first.value, FaultCause::TypedNumber);
        const float b = Single(second.value, FaultCause::TypedNumber);
        CheckGiven(B, first.property, a);
        CheckGiven(B, second.property, b);
        Core core;
        if (IsMoisture(first.property) || IsMoisture(second.property)) {
            const bool firstIsMoisture = IsMoisture(first.property);
            const Property mp = firstIsMoisture ? first.property : second.property;
            const float mv = firstIsMoisture ? a : b;
            const auto [d, Pq] = MoistureAndPressure(B, mp, mv);
            core = WithMoisture(B, firstIsMoisture ? second.property : first.property,
                                firstIsMoisture ? b : a, d, Pq);
            if (mp == Property::td)
                core.td = mv;
        } else {
            core = WithoutMoisture(B, first.property, a, second.property, b);
        }
        return {Complete(B, core), {}};
    } catch (const NoState &none) {
        return {std::nullopt, none.message, none.refused};
    } catch (const ArithmeticFault &) {
        return {std::nullopt, "数值超出范围，无法计算状态。"};
    }
}

std::optional<float> WetBulbTemperature(double B, float d, float i)
{
    try {
        // The point (d, i) lies on the wet-bulb line of ts where this is 0; it
        // falls as ts rises (the saturated state climbs far faster than the
        // line's slope changes).
        auto residual = [&](float ts) {
            const TracedWetBulbLine line = LineOfWetBulb(B, ts);
            if (!line.exists)
                return -kFarResidual;
            return static_cast<double>(i) - line.i_s
                - line.eps / kGramsPerKilogram * (static_cast<double>(d) - line.d_s);
        };
        // The wet bulb of a state up to saturation lies between its dew point
        // and its dry bulb (a little above it for a state past saturation by rounding).
        const float t = TemperatureFromMoistureEnthalpy(d, i);
        const float Pq = VapourPressureFromMoisture(B, d);
        const double below = Pq > 0.0f ? SaturationTemperatureEstimate(Pq) - 1.0 : -INFINITY;
        const Bracket b = Narrowed(residual, below, static_cast<double>(t) + 0.01);
        if (!(b.rlo >= 0.0 && b.rhi <= 0.0))
            return std::nullopt;
        const float root = FindTemperature(residual, b.lo, b.hi, b.rlo, b.rhi);
        return ShortestOnLine(residual, root, d, i);
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

std::optional<float> DewPointTemperature(float Pq)
{
    try {
        return SaturationTemperature(Pq);
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

std::optional<float> PropertyValue(const MoistAirState &state, Property property)
{
    switch (property) {
    case Property::t:
        return state.t;
    case Property::ts:
        return state.ts;
    case Property::td:
        return state.td;
    case Property::phi:
        return state.phi;
    case Property::d:
        return state.d;
    case Property::i:
        return state.i;
    case Property::Pq:
        return state.Pq;
    }
    return std::nullopt;
}
