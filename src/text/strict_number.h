#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the command line reads a number: the option's text must be one decimal
// number as a whole, an optional sign, digits with at most one decimal point,
// and an optional exponent (E or e, optional sign, digits). Blanks around it
// are allowed, and full-width characters read as their ASCII twins, as a
// Chinese input method types them ("２６．５"). Anything else, a comma, a
// second point, hexadecimal, "nan", "inf", an empty text, trailing letters, or
// a value beyond the range of a double, gives nothing. The dialog's reading,
// where every text counts and a non-number reads 0, would turn a typo on a
// command line into a wrong result.
std::optional<double> StrictNumber(const std::string &text);

// The same for a barometric pressure: the unit pa, Pa, PA or 帕 may follow the
// number, as the pressure prompt allows.
std::optional<double> StrictPressureNumber(const std::string &text);

// Whether the text, as it stands, is one decimal number of that form:
// [+-] digits [. digits] [(E|e) [+-] digits], with a digit before or after
// the point. No blanks, no full-width characters, no unit.
bool IsDecimalNumber(std::string_view text);
