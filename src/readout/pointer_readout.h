#pragma once

#include "text/box_texts.h"

struct ChartState;

// Text of the relative-humidity and wet-bulb cells for a state beyond
// saturation, and for positions where they cannot be formed.
inline constexpr const char *kOutOfRangeText = "超范围";

// The moist-air state under the pointer at chart position (X, Y) = (d, i):
// the texts of the readout cells t, Pqb, φ × 100, Pq, d, i and the wet-bulb
// temperature ts at the chart state's pressure B. ts is the wet bulb of the state
// solver, "超范围" beyond saturation or outside −30…100 °C. Never throws: a
// value that cannot be formed far off the chart shows as "超范围".
ReadoutTexts PointerReadout(const ChartState &state, float X, float Y);
