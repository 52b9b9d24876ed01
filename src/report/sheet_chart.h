#pragma once

#include "designs/design_outcome.h"

#include <optional>
#include <vector>

class Surface;

// The calculation sheet's chart page that shows the process: the region of
// the chart around the states, enlarged to fill a page, with its own grid and
// scale numbers, the curves through it, the process lines, the states' dots
// and letters at a size readable in print, and a legend of the colours. The
// main window's chart is drawn unchanged; this page is drawn on its own.

// A region of the chart in its coordinates: d (g/kg) across, i (kJ/kg) up.
struct ChartRegion {
    double dLeft = 0, dRight = 0, iBottom = 0, iTop = 0;
};

// The pictures the page is drawn on have 96 pixels per inch of paper.
inline constexpr double kSheetPixelsPerMillimetre = 96.0 / 25.4;
// The region's picture: an A4 landscape page within margins of 10 mm, below
// the running head and the caption, mm.
inline constexpr double kSheetRegionWidth = 297.0 - 2 * 10.0;
inline constexpr double kSheetRegionHeight = 210.0 - 2 * 10.0 - 16.0;

// The states' bounding box with a margin, at least 1 g/kg wide and as tall as
// the enthalpy of 1 K, widened in one direction to the shape of a plot area
// of `width` by `height` pixels so that the region keeps the proportions of
// the main window's chart (its lines run at the same slopes).
ChartRegion ProcessRegion(const std::vector<FoundState> &states, double width, double height);

// Draws the page's picture on a surface (its pixels at
// kSheetPixelsPerMillimetre): the region of the outcome's states at the
// pressure B (Pa), its frame and scale numbers, the curves, the process and
// the legend below; answers the region drawn. Nothing is drawn for an outcome
// without states. A fault of the property functions ends the curve it arose in.
std::optional<ChartRegion> DrawProcessRegion(const DesignOutcome &outcome, double B,
                                             Surface &picture);
