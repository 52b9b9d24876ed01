#pragma once

#include <optional>
#include <string>
#include <string_view>

// Typed text with the full-width forms of the characters a number is written
// with (digits, sign, point, the letters of exponents, of &H/&O and the
// hexadecimal digits, as a Chinese input method in full-width mode types
// them) replaced by their ASCII twins, and the ideographic blank U+3000 by a
// blank. Every other character stays as it is. "１２．５" becomes "12.5".
std::string AsciiNumberText(std::string_view text);

// Reads typed text as a number, the way every entry of the program is read:
// blanks, tabs and line feeds anywhere in the text are ignored; the longest
// leading part that reads as a number gives the value: an optional sign,
// digits, "." as the decimal point whatever the locale, an optional exponent
// introduced by E or D; &H reads a hexadecimal integer, &O or a bare & an
// octal one. Reading stops at the first character that cannot continue the
// number, and a text without a leading number gives 0. No text is rejected.
// Full-width characters read as their ASCII twins (see AsciiNumberText).
//
// A value beyond the range of a double throws ArithmeticFault (overflow);
// values too small to represent become 0.
double LeadingNumberValue(std::string_view text);

// Reads text that must be a decimal number as a whole (blanks around it
// allowed, "." as the decimal point, exponent with E; full-width characters
// as their ASCII twins): the value, or nothing
// when the text holds anything else or the value is beyond double range.
std::optional<double> WholeNumberValue(std::string_view text);
