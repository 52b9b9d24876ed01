#include "climate/comfort_zones.h"

#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace moist_air;

namespace comfort_zones {

namespace {

    // The φ curves of a zone are traced in steps of this many kelvin.
    constexpr float kCurveStep = 0.1f;

    // The temperatures in which the PMV zone's limits are sought, °C: wide
    // enough for any clothing and activity the index is meant for.
    constexpr double kColdest = -10.0;
    constexpr double kWarmest = 50.0;
    // The PMV zone's outline: this many moisture contents from its driest state
    // to its most humid one.
    constexpr int kPmvSamples = 64;
    // The most humid state of the PMV zone is sought up to this moisture content, g/kg.
    constexpr double kMostHumid = 40.0;

    // The moisture content of the state (t, φ %) at B; none where its vapour
    // pressure reaches B.
    std::optional<float> MoistureAt(float t, float phiPercent, double B)
    {
        try {
            const float Pq = VapourPressureFromPhi(SaturationPressure(t),
                                                   phiPercent / static_cast<float>(kPercent));
            if (!HasMoistureContent(B, Pq))
                return std::nullopt;
            return MoistureFromVapourPressure(B, Pq);
        } catch (const ArithmeticFault &) {
            return std::nullopt;
        }
    }

    SurfacePoint ChartPoint(float t, float d)
    {
        return {d, EnthalpyFromTemperatureMoisture(t, d)};
    }

    // Where PMV(t) at vapour pressure pa reaches `target`, between two
    // temperatures at which it lies on either side of it: false position with
    // the Illinois step, PMV being nearly straight in t.
    double PmvCrossing(const PmvZone &pmv, double pa, double target, double low, double fLow,
                       double high, double fHigh)
    {
        int side = 0;
        for (int step = 0; step < 100 && high - low > 1e-6; ++step) {
            const double t = (low * (fHigh - target) - high * (fLow - target)) / (fHigh - fLow);
            const double f = thermal_comfort::Pmv(pmv.conditions, t, pa).value_or(target);
            if (f == target)
                return t;
            if ((f < target) == (fLow < target)) {
                low = t;
                fLow = f;
                if (side == -1)
                    fHigh = target + (fHigh - target) / 2.0;
                side = -1;
            } else {
                high = t;
                fHigh = f;
                if (side == 1)
                    fLow = target + (fLow - target) / 2.0;
                side = 1;
            }
        }
        return (low + high) / 2.0;
    }

    struct TemperatureRange {
        double low, high;
    };

    // The temperatures at vapour pressure pa (Pa) whose |PMV| is within the
    // limit, held to kColdest…kWarmest; none where no temperature there is.
    std::optional<TemperatureRange> PmvRange(const PmvZone &pmv, double pa)
    {
        const std::optional<double> cold = thermal_comfort::Pmv(pmv.conditions, kColdest, pa);
        const std::optional<double> warm = thermal_comfort::Pmv(pmv.conditions, kWarmest, pa);
        if (!cold || !warm || *cold > pmv.limit || *warm < -pmv.limit)
            return std::nullopt;
        TemperatureRange range {kColdest, kWarmest};
        if (*cold < -pmv.limit)
            range.low = PmvCrossing(pmv, pa, -pmv.limit, kColdest, *cold, kWarmest, *warm);
        if (*warm > pmv.limit)
            range.high = PmvCrossing(pmv, pa, pmv.limit, kColdest, *cold, kWarmest, *warm);
        return range;
    }

    // The dew point of vapour pressure pa, or far below any zone for none.
    double DewPoint(float pa)
    {
        if (!(pa > 0.0f))
            return -std::numeric_limits<double>::infinity();
        return DewPointTemperature(pa).value_or(-std::numeric_limits<double>::infinity());
    }

    // The PMV zone at moisture content d (g/kg) at B: its temperatures, not
    // below the dew point; none where it has none.
    std::optional<TemperatureRange> PmvRangeAt(const PmvZone &pmv, double B, double d)
    {
        const float pa = VapourPressureFromMoisture(B, static_cast<float>(d));
        std::optional<TemperatureRange> range = PmvRange(pmv, pa);
        if (!range)
            return std::nullopt;
        range->low = std::max(range->low, DewPoint(pa));
        if (range->low > range->high)
            return std::nullopt;
        return range;
    }

    // The most humid moisture content of the PMV zone at B: where its warm limit
    // meets the saturation curve (the warm limit falls and the dew point rises
    // with the moisture content). Negative where the zone is empty.
    double MostHumid(const PmvZone &pmv, double B)
    {
        if (!PmvRangeAt(pmv, B, 0.0))
            return -1.0;
        if (PmvRangeAt(pmv, B, kMostHumid))
            return kMostHumid;
        double low = 0.0, high = kMostHumid;
        for (int step = 0; step < 40; ++step) {
            const double middle = (low + high) / 2.0;
            (PmvRangeAt(pmv, B, middle) ? low : high) = middle;
        }
        return low;
    }

} // namespace

const char *ZoneName(Zone zone)
{
    switch (zone) {
    case Zone::CoolingI:
        return "供冷 I级";
    case Zone::CoolingII:
        return "供冷 II级";
    case Zone::HeatingI:
        return "供热 I级";
    case Zone::HeatingII:
        return "供热 II级";
    case Zone::Pmv:
        break;
    }
    return "PMV";
}

const char *ZoneKey(Zone zone)
{
    switch (zone) {
    case Zone::CoolingI:
        return "cool-1";
    case Zone::CoolingII:
        return "cool-2";
    case Zone::HeatingI:
        return "heat-1";
    case Zone::HeatingII:
        return "heat-2";
    case Zone::Pmv:
        break;
    }
    return "pmv";
}

const TableZone *TableRow(Zone zone)
{
    for (const TableZone &row : kGb50736)
        if (row.zone == zone)
            return &row;
    return nullptr;
}

ZoneShape TableZoneShape(const TableZone &zone, double B)
{
    ZoneShape shape;
    const int steps
        = std::max(1, static_cast<int>(std::lround((zone.tHigh - zone.tLow) / kCurveStep)));
    const float step = (zone.tHigh - zone.tLow) / static_cast<float>(steps);
    // The two φ curves at the same temperatures, the last exactly tHigh.
    std::vector<SurfacePoint> dry, humid;
    for (int k = 0; k <= steps; ++k) {
        const float t = k == steps ? zone.tHigh : zone.tLow + step * static_cast<float>(k);
        const std::optional<float> low = MoistureAt(t, zone.phiLow, B);
        const std::optional<float> high = MoistureAt(t, zone.phiHigh, B);
        if (!low || !high)
            return {};
        dry.push_back(ChartPoint(t, *low));
        humid.push_back(ChartPoint(t, *high));
    }
    // (tLow, φLow) up the isotherm to (tLow, φHigh), along φHigh to tHigh,
    // down the isotherm to (tHigh, φLow), back along φLow.
    shape.outline = humid;
    shape.outline.insert(shape.outline.begin(), dry.front());
    shape.outline.insert(shape.outline.end(), dry.rbegin(), dry.rend() - 1);
    for (const SurfacePoint &corner : {dry.front(), humid.front(), humid.back(), dry.back()})
        shape.corners.push_back({corner.x, corner.y});
    shape.label = humid[humid.size() / 2];
    return shape;
}

ZoneShape PmvZoneShape(const PmvZone &pmv, double B)
{
    ZoneShape shape;
    const double top = MostHumid(pmv, B);
    if (top < 0.0)
        return shape;
    std::vector<SurfacePoint> cold, warm;
    for (int k = 0; k <= kPmvSamples; ++k) {
        const double d = top * k / kPmvSamples;
        const std::optional<TemperatureRange> range = PmvRangeAt(pmv, B, d);
        if (!range)
            continue;
        const float dd = static_cast<float>(d);
        cold.push_back(ChartPoint(static_cast<float>(range->low), dd));
        warm.push_back(ChartPoint(static_cast<float>(range->high), dd));
    }
    if (cold.empty())
        return shape;
    // Up the cold limit (and the saturation curve), down the warm limit.
    shape.outline = cold;
    shape.outline.insert(shape.outline.end(), warm.rbegin(), warm.rend());
    shape.label = warm.back();
    return shape;
}

bool InTableZone(const TableZone &zone, double B, float t, float d)
{
    if (!(t >= zone.tLow && t <= zone.tHigh))
        return false;
    const std::optional<float> low = MoistureAt(t, zone.phiLow, B);
    const std::optional<float> high = MoistureAt(t, zone.phiHigh, B);
    return low && high && d >= *low && d <= *high;
}

PmvTest::PmvTest(const PmvZone &pmv, double B) : pmv_(pmv), B_(B)
{
    // The temperatures the outline spans, widened by more than the
    // temperature between two of its points can hide: the cold edge is
    // coldest where it meets the saturation curve, between two samples.
    const ZoneShape shape = PmvZoneShape(pmv, B);
    if (shape.outline.empty())
        return;
    constexpr double kMargin = 1.0; // K
    tLowest_ = std::numeric_limits<double>::infinity();
    tHighest_ = -std::numeric_limits<double>::infinity();
    for (const SurfacePoint &point : shape.outline) {
        const double t = TemperatureFromMoistureEnthalpy(point.x, point.y);
        tLowest_ = std::min(tLowest_, t - kMargin);
        tHighest_ = std::max(tHighest_, t + kMargin);
    }
}

bool PmvTest::Contains(float t, float d) const
{
    if (!(t >= tLowest_ && t <= tHighest_))
        return false;
    try {
        const float pa = VapourPressureFromMoisture(B_, d);
        if (pa > SaturationPressure(t) * (1.0f + state_solver::kSaturationSlack))
            return false;
        const std::optional<double> vote = thermal_comfort::Pmv(pmv_.conditions, t, pa);
        return vote && std::fabs(*vote) <= pmv_.limit;
    } catch (const ArithmeticFault &) {
        return false;
    }
}

} // namespace comfort_zones
