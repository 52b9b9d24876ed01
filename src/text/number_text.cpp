#include "text/number_text.h"

#include "portable/std_shims.h"

#include <cmath>
#include <string>

namespace {

// Fifteen significant digits round the doubles from here up to the largest
// one to 1.79769313486232E+308, which lies beyond the double range and would
// not read back as a number; they are shown as the largest fifteen-digit
// value below the limit instead.
constexpr double kLargestFifteenDigitRoundDown = 1.797693134862315e308;

std::string GeneralText(double value, int significantDigits)
{
    if (std::fabs(value) >= kLargestFifteenDigitRoundDown && !std::isinf(value))
        return value < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";
    if (value == 0.0)
        return "0"; // also for −0
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";

    // %G-style: E for the exponent, which keeps its sign and two digits.
    return portable::GeneralDigits(value, significantDigits);
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
