#include "ui/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

std::string GeneralText(double value, int significantDigits)
{
    if (value == 0.0)
        return "0"; // also for −0
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";

    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    std::string text(buffer, result.ptr);
    // %G-style: a lower-case e becomes E; the exponent keeps its sign and two digits.
    for (char &c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

} // namespace

std::string SingleText(float value)
{
    return GeneralText(static_cast<double>(value), 7);
}

std::string DoubleText(double value)
{
    return GeneralText(value, 15);
}

std::string SurfaceNumberText(int value)
{
    const std::string digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}
