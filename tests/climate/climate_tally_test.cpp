#include "climate/climate_tally.h"
#include "climate/synthetic_weather.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <utility>

using comfort_zones::Zone;

namespace {

// The synthetic year as read.
const weather::Weather &SyntheticYear()
{
    static const weather::Weather year
        = *weather::ReadWeather(synthetic::Epw(), "plateau.epw", 0).weather;
    return year;
}

// An hour of the synthetic year worked out here, in double precision, from
// its known dry bulb and relative humidity at 80 000 Pa.
struct Expected {
    double t, d, i;
    double phiAt(double B) const // its relative humidity on the chart of pressure B, %
    {
        const double Pq = B * d / (622.0 + d);
        return 100.0 * Pq / moist_air::SaturationPressure(static_cast<float>(t));
    }
    // In the chart's field: the hours of this year never reach the result
    // panel's corner (air there would be beyond saturation at 80 000 Pa).
    bool OnChart() const { return d >= 0.0 && d <= 40.0 && i >= -20.0 && i <= 145.0; }
};

Expected ExpectedOf(const synthetic::KnownHour &k)
{
    const double Pq = k.phi / 100.0 * moist_air::SaturationPressure(static_cast<float>(k.t));
    const double d = 622.0 * Pq / (synthetic::kStationPressure - Pq);
    return {k.t, d, 1.005 * k.t + d * (2500.0 + 1.84 * k.t) / 1000.0};
}

// The wet bulb of the hour at its pressure by the chart's definition: the ts
// whose wet-bulb line (slope 4.19 ts through the saturated state at ts)
// passes through it, found by bisection.
double WetBulb(const Expected &e)
{
    const double B = synthetic::kStationPressure;
    const auto above = [&](double ts) {
        const double Ps = moist_air::SaturationPressure(static_cast<float>(ts));
        const double ds = 622.0 * Ps / (B - Ps);
        const double is = 1.005 * ts + ds * (2500.0 + 1.84 * ts) / 1000.0;
        return is + 4.19 * ts * (e.d - ds) / 1000.0 > e.i;
    };
    double low = -30.0, high = e.t;
    for (int step = 0; step < 60; ++step)
        (above((low + high) / 2.0) ? high : low) = (low + high) / 2.0;
    return (low + high) / 2.0;
}

bool InTable(const comfort_zones::TableZone &z, const Expected &e, double B)
{
    const double phi = e.phiAt(B);
    return e.t >= z.tLow && e.t <= z.tHigh && phi >= z.phiLow && phi <= z.phiHigh;
}

climate::ClimateSettings AllZones()
{
    climate::ClimateSettings settings;
    settings.zones.fill(true);
    return settings;
}

} // namespace

// The hours per cell (1 K × 1 g/kg) and per zone, at three chart pressures,
// are those counted here from the known states: each zone as the chart of
// that pressure draws it, the PMV zone by the heat balance itself.
TEST(ClimateTally, CellsAndZonesHoldTheHoursCountedIndependently)
{
    for (const double B : {90000.0, 101325.0, 120000.0}) {
        const climate::ClimateSettings settings = AllZones();
        const climate::Tally tally = climate::TallyHours(SyntheticYear(), B, settings);

        int counted = 0, offChart = 0;
        std::map<std::pair<int, int>, int> cells;
        std::map<Zone, int> zones;
        for (int h = 0; h < synthetic::kYearHours; ++h) {
            if (synthetic::MissingAt(h))
                continue;
            ++counted;
            const Expected e = ExpectedOf(synthetic::HourOf(h));
            if (!e.OnChart()) {
                ++offChart;
                continue;
            }
            ++cells[{static_cast<int>(std::floor(e.t)), static_cast<int>(std::floor(e.d))}];
            for (const comfort_zones::TableZone &z : comfort_zones::kGb50736)
                zones[z.zone] += InTable(z, e, B) ? 1 : 0;
            const double pa = B * e.d / (622.0 + e.d);
            const std::optional<double> pmv
                = thermal_comfort::Pmv(settings.pmv.conditions, e.t, pa);
            zones[Zone::Pmv] += pmv && std::fabs(*pmv) <= 0.5 && e.phiAt(B) <= 100.0 ? 1 : 0;
        }
        EXPECT_EQ(tally.counted, counted) << B;
        EXPECT_EQ(tally.offChart, offChart) << B;
        EXPECT_GT(offChart, 0) << "the year reaches off the chart";
        std::map<std::pair<int, int>, int> tallied;
        for (const climate::Cell &cell : tally.cells)
            tallied[{cell.tIndex, cell.dIndex}] = cell.hours;
        EXPECT_EQ(tallied, cells) << B;
        ASSERT_EQ(tally.zones.size(), comfort_zones::kZoneCount);
        for (const climate::ZoneTally &zone : tally.zones) {
            EXPECT_EQ(zone.hours, zones[zone.zone]) << comfort_zones::ZoneName(zone.zone) << B;
            EXPECT_GT(zone.hours, 0) << comfort_zones::ZoneName(zone.zone) << B;
        }
    }
}

// Months and hours of the day leave hours out; the design's temperatures
// count the hours above them, each hour's wet bulb at its own pressure.
TEST(ClimateTally, FiltersAndDesignTemperaturesCountTheHoursChosen)
{
    climate::ClimateSettings settings;
    settings.filter.months = *climate::ReadMonths("6-8");
    settings.filter.hours = *climate::ReadHours("8-18");
    const climate::DesignTemperatures design {30.0, 21.3};
    const climate::Tally tally = climate::TallyHours(SyntheticYear(), 101325.0, settings, design);
    int counted = 0, dry = 0, wet = 0;
    for (int h = 0; h < synthetic::kYearHours; ++h) {
        const synthetic::KnownHour k = synthetic::HourOf(h);
        if (synthetic::MissingAt(h) || k.month < 6 || k.month > 8 || k.hourOfDay < 8
            || k.hourOfDay > 18)
            continue;
        ++counted;
        const Expected e = ExpectedOf(k);
        dry += e.t > design.dryBulb ? 1 : 0;
        wet += WetBulb(e) > design.wetBulb ? 1 : 0;
    }
    EXPECT_EQ(tally.counted, counted);
    EXPECT_EQ(tally.counted + tally.filteredOut,
              synthetic::kYearHours - static_cast<int>(synthetic::kMissing.size()));
    EXPECT_EQ(tally.aboveDryBulb, dry);
    EXPECT_EQ(tally.aboveWetBulb, wet);
    EXPECT_GT(wet, 0);
    EXPECT_LT(wet, dry) << "at 80 000 Pa the humid hours have a low wet bulb";
}

TEST(ClimateTally, MonthsAndHoursAreReadAsTyped)
{
    const struct {
        const char *text;
        std::vector<int> months; // empty: refused
    } cases[] = {
        {"6-8", {6, 7, 8}},
        {"12-2", {12, 1, 2}},
        {" 1, 3,5 - 7", {1, 3, 5, 6, 7}},
        {"7", {7}},
        {"11~1", {11, 12, 1}},
        {"0", {}},
        {"13", {}},
        {"6-", {}},
        {"a", {}},
        {"", {}},
        {"1,,2", {}},
        {"6-8-9", {}},
    };
    for (const auto &c : cases) {
        const auto months = climate::ReadMonths(c.text);
        ASSERT_EQ(months.has_value(), !c.months.empty()) << c.text;
        if (!months)
            continue;
        std::vector<int> chosen;
        for (int m = 1; m <= 12; ++m)
            if ((*months)[static_cast<std::size_t>(m - 1)])
                chosen.push_back(m);
        std::vector<int> expected = c.months;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(chosen, expected) << c.text;
        EXPECT_EQ(climate::ReadMonths(climate::RangesText(months->data(), 12, 1)), months)
            << "the text written back reads the same";
    }
    EXPECT_TRUE(climate::ReadHours("22-5"));
    EXPECT_FALSE(climate::ReadHours("24"));
}

// Every corner of a zone of GB 50736-2012 is the state the solver gives for
// its temperature and relative humidity at the chart's pressure, and the
// zone's outline passes through it.
TEST(ComfortZones, CornersAreTheSolversStatesAtThreePressures)
{
    for (const double B : {90000.0, 101325.0, 120000.0}) {
        for (const comfort_zones::TableZone &z : comfort_zones::kGb50736) {
            const comfort_zones::ZoneShape shape = comfort_zones::TableZoneShape(z, B);
            ASSERT_EQ(shape.corners.size(), 4u);
            const std::pair<float, float> given[4] = {
                {z.tLow, z.phiLow}, {z.tLow, z.phiHigh}, {z.tHigh, z.phiHigh}, {z.tHigh, z.phiLow}};
            for (std::size_t k = 0; k < 4; ++k) {
                const StateSolution solved
                    = SolveState(B, {state_solver::Property::t, given[k].first},
                                 {state_solver::Property::phi, given[k].second});
                ASSERT_TRUE(solved.state) << solved.message;
                EXPECT_NEAR(shape.corners[k].d, solved.state->d, 0.001)
                    << comfort_zones::ZoneName(z.zone) << " corner " << k << " at " << B;
                EXPECT_NEAR(shape.corners[k].i, solved.state->i, 0.001)
                    << comfort_zones::ZoneName(z.zone) << " corner " << k << " at " << B;
                const bool onOutline = std::any_of(
                    shape.outline.begin(), shape.outline.end(), [&](const SurfacePoint &p) {
                        return p.x == shape.corners[k].d && p.y == shape.corners[k].i;
                    });
                EXPECT_TRUE(onOutline) << comfort_zones::ZoneName(z.zone) << " corner " << k;
            }
        }
    }
}

// The PMV zone's edges are where |PMV| reaches its limit, and the test of a
// state agrees with the drawn outline on either side of each edge.
TEST(ComfortZones, PmvZoneIsBoundedWhereThePmvReachesItsLimit)
{
    comfort_zones::PmvZone pmv;
    pmv.limit = 0.7;
    for (const double B : {90000.0, 101325.0}) {
        const comfort_zones::ZoneShape shape = comfort_zones::PmvZoneShape(pmv, B);
        ASSERT_GT(shape.outline.size(), 10u);
        const comfort_zones::PmvTest test(pmv, B);
        // The outline runs up the cold edge and down the warm one: the first
        // and last points are the dry ends of the two edges, at d = 0.
        for (const auto &[point, vote] :
             {std::pair {shape.outline.front(), -0.7}, std::pair {shape.outline.back(), 0.7}}) {
            ASSERT_EQ(point.x, 0.0f);
            const float t = moist_air::TemperatureFromMoistureEnthalpy(point.x, point.y);
            EXPECT_NEAR(*thermal_comfort::Pmv(pmv.conditions, t, 0.0), vote, 1e-3);
            const float inward = vote < 0 ? 0.05f : -0.05f;
            EXPECT_TRUE(test.Contains(t + inward, 0.0f)) << t;
            EXPECT_FALSE(test.Contains(t - inward, 0.0f)) << t;
        }
    }
}
