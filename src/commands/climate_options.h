#pragma once

#include "climate/climate_tally.h"
#include "climate/weather_file.h"
#include "commands/command_line.h"
#include "commands/parsed_options.h"

#include <optional>
#include <string>
#include <vector>

// The options of a year of weather on the command line, shared by
// `idchart climate` and `idchart chart --climate`: the zones, the months and
// hours counted, the density's cells, how the hours are drawn and the PMV
// zone's conditions.

// --zones LIST (default given), --months, --hours, --cell TxD, --pmv-met,
// --pmv-clo, --pmv-speed, --pmv-tr, --pmv-limit; with `drawing`, --view
// density|months too.
std::vector<CommandOption> ClimateOptions(const std::string &zonesDefault, bool drawing);

// The zones of a --zones list: gb50736 (the four zones of GB 50736-2012), all
// (those and pmv), none, or zone words (cool-1, cool-2, heat-1, heat-2, pmv)
// joined by commas.
std::optional<comfort_zones::ZoneSet> ReadZoneList(const std::string &text);

// Reads those options into the settings; a usage error naming the option
// when a value is refused.
std::optional<CommandOutput> ReadClimateSettings(const ParsedOptions &options,
                                                 climate::ClimateSettings &settings);

// The weather of a file at the chart's pressure (the pressure of a table
// without a pressure column), or the answer of a file that cannot be read:
// status 1 and the message naming the file and the line. A filter that leaves
// hours out needs months and hours in the file.
std::optional<CommandOutput> LoadWeather(const std::string &path, double B,
                                         const climate::ClimateSettings &settings,
                                         weather::Weather &weather);
