#pragma once

struct ChartState;
class MainWindowTexts;

// Text of the relative-humidity cell for a state beyond saturation, and for
// positions where no relative humidity can be formed.
inline constexpr const char *kOutOfRangeText = "超范围";

// The moist-air state under the pointer at chart position (X, Y) = (d, i):
// writes d, i, t, Pqb, Pq and phi × 100 into the readout cells 4, 5, 0, 1, 3
// and 2, in this order, each as soon as it is known, at the chart state's
// pressure B. Cell 6 is never written. Never throws: a
// value that cannot be formed far off the chart shows as "超范围".
void PointerReadout(const ChartState &state, float X, float Y, MainWindowTexts &texts);
