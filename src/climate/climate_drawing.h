#pragma once

#include "climate/climate_tally.h"
#include "draw/scene.h"

class Surface;

// The comfort zones and a year of weather drawn on a surface set to the
// chart's scale (d in g/kg across, i in kJ/kg up), as values in, drawing out:
// the window, the command line and the web page draw them alike, each onto
// its own layer of the chart's scene. Neither clears the surface; both
// leave its colours, line width and font size as they found them.

// The zones chosen, as the chart of pressure B has them: each filled
// translucently, outlined and named beside its most humid side.
void DrawZones(Surface &picture, double B, const climate::ClimateSettings &settings);

// The hours of the weather that the tally counted: as cells shaded by their
// hours with a legend, or as dots coloured by month with a legend; above
// them the file's name and place, the hours counted, off the chart and passed
// over, and the hours in each zone shown.
void DrawClimate(Surface &picture, const weather::Weather &weather, const climate::Tally &tally,
                 const climate::ClimateSettings &settings);

namespace climate {

// The zones layer and the weather layer of the chart's scene drawn afresh for
// the chart of pressure B: the zones chosen, and the weather's hours when
// there is weather; answers the tally drawn (of no hours without weather).
// The scene draws into the layer it drew into before.
Tally DrawClimateLayers(Scene &scene, double B, const ClimateSettings &settings,
                        const weather::Weather *weather,
                        const std::optional<DesignTemperatures> &design = std::nullopt);

// The density's classes: the smallest count of each, rising; a cell's class
// is the last whose smallest count it reaches.
std::vector<int> DensityClasses(int mostInCell);

} // namespace climate
