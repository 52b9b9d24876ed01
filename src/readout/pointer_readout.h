#pragma once

struct ChartState;
class MainWindowTexts;

// Text of the relative-humidity and wet-bulb cells for a state beyond
// saturation, and for positions where they cannot be formed.
inline constexpr const char *kOutOfRangeText = "超范围";

// The moist-air state under the pointer at chart position (X, Y) = (d, i):
// writes d, i, t, Pqb, Pq, phi × 100 and the wet-bulb temperature ts into the
// readout cells 4, 5, 0, 1, 3, 2 and 6, in this order, each as soon as it is
// known, at the chart state's pressure B. ts is the wet bulb of the state
// solver, "超范围" beyond saturation or outside −30…100 °C. Never throws: a
// value that cannot be formed far off the chart shows as "超范围".
void PointerReadout(const ChartState &state, float X, float Y, MainWindowTexts &texts);
