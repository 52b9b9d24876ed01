#pragma once

#include "climate/climate_tally.h"

#include <string>
#include <vector>

// The hours of a weather file as texts: the table of 气象统计 (the window's
// table, `idchart climate` in its three formats), the lines printed on the
// chart, and the list of the hours passed over.
namespace climate {

// A share of hours in per cent with one decimal ("14.1%"); "—" of none.
std::string ShareText(int part, int whole);

// A zone with its limits: "供冷 I级（24–26 ℃，40–60%）", "PMV（|PMV| ≤ 0.5，…）".
std::string ZoneCaption(comfort_zones::Zone zone, const ClimateSettings &settings);

// The table's rows: a heading row (项目, 小时, 占比), then the file, its
// place, the chart's pressure, the hours counted (with the months and hours
// chosen), off the chart, passed over, in each zone shown, and above the
// design's dry bulb and wet bulb when a design is given. Shares are of the
// hours counted.
std::vector<std::vector<std::string>> TallyRows(const weather::Weather &weather, const Tally &tally,
                                                const ClimateSettings &settings);

// The table aligned for a terminal, as CSV (UTF-8 with a byte-order mark,
// CR LF), and as one JSON object:
//   file, location, pressure (the chart's, Pa), months, hours (as chosen, ""
//   for all), counted, filteredOut, offChart, skipped (hours passed over),
//   zones [{"key", "name", "hours", "share"}], design {dryBulb, wetBulb,
//   aboveDryBulb, aboveWetBulb} or null, cells [{"t", "d", "hours"}] (the
//   lower corner of each cell, °C and g/kg) and cellT, cellD.
std::string TallyTable(const weather::Weather &weather, const Tally &tally,
                       const ClimateSettings &settings);
std::string TallyCsv(const weather::Weather &weather, const Tally &tally,
                     const ClimateSettings &settings);
std::string TallyJson(const weather::Weather &weather, const Tally &tally,
                      const ClimateSettings &settings);

// The lines printed on the chart above the legend: the file and its place,
// the hours counted, off the chart and passed over, the hours in each zone
// shown, the hours above the design's temperatures.
std::vector<std::string> ClimateChartLines(const weather::Weather &weather, const Tally &tally,
                                           const ClimateSettings &settings);

// The hours passed over, one line each ("第 12 行：干球温度缺测"), the
// count of those not listed last; empty when none was.
std::string SkippedText(const weather::Weather &weather);

} // namespace climate
