#include "text/strict_number.h"

#include "text/blanks.h"
#include "text/leading_number.h"

#include <string_view>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool IsDecimalNumber(std::string_view text)
{
    std::size_t k = 0;
    const auto digits = [&] {
        const std::size_t from = k;
        while (k < text.size() && IsDigit(text[k]))
            ++k;
        return k - from;
    };
    if (k < text.size() && (text[k] == '+' || text[k] == '-'))
        ++k;
    std::size_t mantissa = digits();
    if (k < text.size() && text[k] == '.') {
        ++k;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (digits() == 0)
            return false;
    }
    return k == text.size();
}

std::optional<double> StrictNumber(const std::string &text)
{
    const std::string ascii = AsciiNumberText(text);
    if (!IsDecimalNumber(Trimmed(ascii)))
        return std::nullopt;
    // The same value the dialog's reading gives the same text.
    return WholeNumberValue(ascii);
}

std::optional<double> StrictPressureNumber(const std::string &text)
{
    const std::string ascii = AsciiNumberText(text);
    std::string_view number = Trimmed(ascii);
    for (const std::string_view unit : {"pa", "Pa", "PA", "帕"}) {
        if (number.ends_with(unit)) {
            number.remove_suffix(unit.size());
            break;
        }
    }
    return StrictNumber(std::string(number));
}
