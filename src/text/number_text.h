#pragma once

#include <string>

// Display text of numbers: the shortest decimal form with at most 7
// significant digits for a single-precision value and 15 for a double, trailing
// zeros and a trailing decimal point dropped, a 0 before the decimal point of
// magnitudes below 1, a minus sign before negatives, no separators or padding.
// Magnitudes that need it are written in exponent form with a capital E, a sign
// and at least two digits (8.56348914106744E+30, 3.952597E-06). The decimal
// point is always a full stop, also for a user whose desktop writes a decimal
// comma: the program reads only the full stop as a decimal point (see
// LeadingNumberValue), so every number it shows can be typed back as shown,
// and "1,5" in a box could never be mistaken for 1 (or for 15).
std::string SingleText(float value);
std::string DoubleText(double value);

// A whole number printed on a drawing surface: one leading blank in place of
// the sign when it is not negative (" 0", " 145", "-20").
std::string SurfaceNumberText(int value);
