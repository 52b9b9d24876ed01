#pragma once

#include "designs/outcome.h"

#include <initializer_list>
#include <utility>

class Surface;

// How every design puts its states and process lines on the chart: states as
// dots (red as they are found, the machine dew point green), the process
// lines green and 2 pixels wide, then every dot again on top of the lines
// (states red on red, the machine dew point black on black). Each step sets
// the colours and the line width it needs and leaves them so.

// Radius of a state dot in horizontal chart units (g/kg), so that it is round
// on the screen whatever the vertical scale.
inline constexpr float kStatePointRadius = 0.15f;

// A dot at the state in the current colours and line width.
void DrawStatePoint(Surface &picture, StatePoint state);

// First pass, right after a state is computed: red outline, the fill colour
// left as it is.
void MarkState(Surface &picture, StatePoint state);
// First pass for the machine dew point: green outline and fill.
void MarkMachineDewPoint(Surface &picture, StatePoint state);

// Line width 2, green: each line from the first state of the pair to the second.
void DrawProcessLines(Surface &picture,
                      std::initializer_list<std::pair<StatePoint, StatePoint>> lines);

// Second pass, on top of the lines: the states red on red, then the machine
// dew point (or the design's end state) black on black.
void DrawFinalPoints(Surface &picture, std::initializer_list<StatePoint> states,
                     StatePoint dewPoint);
