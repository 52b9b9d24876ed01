#pragma once

#include "climate/comfort_zones.h"
#include "climate/weather_file.h"
#include "draw/plane_transform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The hours of a weather file counted on the chart of pressure B: in cells of
// dry bulb and moisture content, in the comfort zones shown, off the chart,
// and above the summer design temperatures of a design.
namespace climate {

// Which months (1…12) and hours of the day (0…23) are counted.
struct HourFilter {
    std::array<bool, 12> months;
    std::array<bool, 24> hours;
    HourFilter()
    {
        months.fill(true);
        hours.fill(true);
    }
    // Whether every month and every hour is counted.
    bool All() const;
};

// A list of whole numbers from `first` to `last` as typed: single numbers
// and ranges joined by commas ("6-8", "1,3,5-7"); a range whose end comes
// before its start wraps round ("12-2" is December, January and February).
// Blanks are allowed; "-" also as "–" or "~". Nothing for any other text.
std::optional<std::array<bool, 12>> ReadMonths(std::string_view text);
std::optional<std::array<bool, 24>> ReadHours(std::string_view text);
// The text of a selection in that form ("6-8", "1,3,5-7"); empty for all.
std::string RangesText(const bool *chosen, std::size_t count, int first);

// How the hours are shown on the chart.
enum class Display { Density, Months };

// What the user chose: the zones shown, the PMV zone's conditions, the
// hours counted, the cell size and how the hours are drawn.
struct ClimateSettings {
    comfort_zones::ZoneSet zones {};
    comfort_zones::PmvZone pmv;
    HourFilter filter;
    float cellT = 1.0f; // K
    float cellD = 1.0f; // g/kg
    Display display = Display::Density;
};

// A design's summer outdoor temperatures, °C.
struct DesignTemperatures {
    double dryBulb = 0.0;
    double wetBulb = 0.0;
};

// A cell of the density: dry bulb from tIndex · cellT, moisture content from
// dIndex · cellD, and its hours.
struct Cell {
    int tIndex = 0;
    int dIndex = 0;
    int hours = 0;
};

struct ZoneTally {
    comfort_zones::Zone zone;
    int hours = 0;
};

struct Tally {
    double B = 101325.0; // the chart's pressure
    int counted = 0; // hours with a state that the filter takes
    int filteredOut = 0; // hours with a state that the filter leaves out
    int offChart = 0; // counted hours whose point lies outside the chart's field
    std::vector<Cell> cells; // of the hours on the chart, by tIndex, then dIndex
    int mostInCell = 0;
    std::vector<ZoneTally> zones; // the zones shown, in their order
    // Hours above the design's dry bulb and above its wet bulb (each hour's
    // wet bulb at its own pressure), when a design is given.
    std::optional<DesignTemperatures> design;
    int aboveDryBulb = 0;
    int aboveWetBulb = 0;
};

// Whether an hour is counted: its month and hour of the day are chosen (an
// hour without them only when all are).
bool Takes(const HourFilter &filter, const weather::Hour &hour);

// The cell of an hour.
int CellIndex(float value, float step);

// Whether the state (d, i) lies in the field of the chart drawn: the chart
// style's layout when one is given, else the rectangular chart.
bool InShownField(const PlaneTransform *layout, double d, double i);

// Counts the hours of the weather for the chart of pressure B, drawn in the
// layout of a chart style when one is given (the hours off the chart are
// those outside its field).
Tally TallyHours(const weather::Weather &weather, double B, const ClimateSettings &settings,
                 const std::optional<DesignTemperatures> &design = std::nullopt,
                 const PlaneTransform *layout = nullptr);

} // namespace climate
