#pragma once

#include "report/calculation_sheet.h"
#include "text/number_text.h"

#include <string>

// Helpers of the designs' step lists on the calculation sheet.
namespace sheet_steps {

// A number put into a formula: its text, in parentheses when negative so
// that "1.005 × (-12)" reads as a product.
inline std::string Put(const std::string &text)
{
    return !text.empty() && text.front() == '-' ? "(" + text + ")" : text;
}
inline std::string Put(float value)
{
    return Put(SingleText(value));
}
inline std::string PutD(double value)
{
    return Put(DoubleText(value));
}

// A constant of a formula as the formula writes it ("1.005", "2500").
inline std::string Constant(double value)
{
    return DoubleText(value);
}

// A step told in words, with its result where it has one.
inline SheetStep Words(const std::string &section, const std::string &what,
                       const std::string &words, const std::string &result = {},
                       const std::string &unit = {})
{
    return {section, what, {}, {}, result, unit, words};
}

} // namespace sheet_steps
