#pragma once

#include <string_view>

// Reads typed text as a number, the way every entry of the program is read:
// blanks, tabs and line feeds anywhere in the text are ignored; the longest
// leading part that reads as a number gives the value: an optional sign,
// digits, "." as the decimal point whatever the locale, an optional exponent
// introduced by E or D; &H reads a hexadecimal integer, &O or a bare & an
// octal one. Reading stops at the first character that cannot continue the
// number, and a text without a leading number gives 0. No text is rejected.
//
// A value beyond the range of a double throws ArithmeticFault (overflow);
// values too small to represent become 0.
double LeadingNumberValue(std::string_view text);

#include <optional>

// Reads text that must be a decimal number as a whole (blanks around it
// allowed, "." as the decimal point, exponent with E): the value, or nothing
// when the text holds anything else or the value is beyond double range.
std::optional<double> WholeNumberValue(std::string_view text);
