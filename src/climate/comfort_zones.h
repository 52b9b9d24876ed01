#pragma once

#include "climate/thermal_comfort.h"
#include "draw/surface.h"
#include "psychro/state_point.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The comfort zones drawn on the chart: the indoor design conditions of
// GB 50736-2012 §3.0.2 for long-stay areas, and the states of an acceptable
// predicted mean vote by ISO 7730. A zone is the set of states that lie in
// it as the chart draws them, at the chart's pressure B: a temperature
// within its limits and a relative humidity, at B, within its limits.
namespace comfort_zones {

enum class Zone : std::size_t { CoolingI, CoolingII, HeatingI, HeatingII, Pmv };
inline constexpr std::size_t kZoneCount = 5;
inline constexpr std::array<Zone, kZoneCount> kZones
    = {Zone::CoolingI, Zone::CoolingII, Zone::HeatingI, Zone::HeatingII, Zone::Pmv};

// A zone of GB 50736-2012 §3.0.2: dry bulb and relative humidity limits,
// both inclusive. A humidity limit the standard leaves open is 0 or 100 %.
struct TableZone {
    Zone zone;
    float tLow, tHigh; // °C
    float phiLow, phiHigh; // %
};
inline constexpr std::array<TableZone, 4> kGb50736 = {{
    {Zone::CoolingI, 24.0f, 26.0f, 40.0f, 60.0f},
    {Zone::CoolingII, 26.0f, 28.0f, 0.0f, 70.0f},
    {Zone::HeatingI, 22.0f, 24.0f, 30.0f, 100.0f},
    {Zone::HeatingII, 18.0f, 22.0f, 0.0f, 100.0f},
}};

// The zone's name as the chart and the tables show it ("供冷 I级", "PMV").
const char *ZoneName(Zone zone);
// The zone's word on the command line: cool-1, cool-2, heat-1, heat-2, pmv.
const char *ZoneKey(Zone zone);
// The table row of a zone of GB 50736-2012; none for the PMV zone.
const TableZone *TableRow(Zone zone);

// Which zones are shown.
using ZoneSet = std::array<bool, kZoneCount>;
inline bool Has(const ZoneSet &set, Zone zone)
{
    return set[static_cast<std::size_t>(zone)];
}

// The PMV zone's conditions: the occupants and the limit of |PMV|.
struct PmvZone {
    thermal_comfort::PmvConditions conditions;
    double limit = 0.5;
};

// A zone as the chart draws it at pressure B: its outline in chart
// coordinates (d in g/kg, i in kJ/kg), closed from the last point to the
// first, and where its label goes. A zone of the table has four corners, the
// states (tLow, phiLow), (tLow, phiHigh), (tHigh, phiHigh), (tHigh, phiLow),
// which its outline passes in this order; its sides are the two isotherms
// (straight on the chart) and the two curves of constant φ. An empty outline:
// no state of the zone exists at B.
struct ZoneShape {
    std::vector<SurfacePoint> outline;
    std::vector<StatePoint> corners;
    SurfacePoint label;
};
ZoneShape TableZoneShape(const TableZone &zone, double B);
ZoneShape PmvZoneShape(const PmvZone &pmv, double B);

// Whether the state of dry bulb t (°C) and moisture content d (g/kg) lies in
// the zone drawn at B.
bool InTableZone(const TableZone &zone, double B, float t, float d);

// The PMV zone's test, prepared once for many states: the range of
// temperatures its outline spans lets most states be answered without the
// heat balance.
class PmvTest {
public:
    PmvTest(const PmvZone &pmv, double B);
    bool Contains(float t, float d) const;

private:
    PmvZone pmv_;
    double B_;
    double tLowest_ = 0.0, tHighest_ = -1.0;
};

} // namespace comfort_zones
