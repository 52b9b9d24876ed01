#include "text/leading_number.h"

#include "psychro/arithmetic_fault.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>

namespace {

// The "C" locale, in which "." is the decimal point whatever the user's locale.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

bool IsIgnoredBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int DigitValue(char c, int radix)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v >= 0 && v < radix ? v : -1;
}

double IntegerInRadix(const std::string &s, size_t pos, int radix)
{
    double value = 0.0;
    for (; pos < s.size(); ++pos) {
        const int digit = DigitValue(s[pos], radix);
        if (digit < 0)
            break;
        value = value * radix + digit;
    }
    return CheckedDouble(value, FaultCause::TypedNumber);
}

// strtod in the "C" locale, so that "." is the decimal point whatever the
// user's locale.
double DecimalFromText(const std::string &number)
{
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, CLocale());
    if (errno == ERANGE && std::abs(value) > 1.0)
        throw ArithmeticFault(ArithmeticFault::Kind::Overflow, FaultCause::TypedNumber);
    return value;
}

// The characters a number can be written with: sign, digits, point, the
// letters of exponents and of &H/&O numbers, and the hexadecimal digits.
bool IsNumberCharacter(char c)
{
    return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == '&' || (c >= 'a' && c <= 'f')
        || (c >= 'A' && c <= 'F') || c == 'h' || c == 'H' || c == 'o' || c == 'O';
}

} // namespace

std::string AsciiNumberText(std::string_view text)
{
    // The full-width forms U+FF01..U+FF5E stand 0xFEE0 above their ASCII
    // twins; in UTF-8 they are EF BC 81..BF and EF BD 80..9E. The ideographic
    // blank U+3000 is E3 80 80.
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size();) {
        const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (k + 2 < text.size() && byte(k) == 0xE3 && byte(k + 1) == 0x80 && byte(k + 2) == 0x80) {
            out.push_back(' ');
            k += 3;
            continue;
        }
        if (k + 2 < text.size() && byte(k) == 0xEF && (byte(k + 1) == 0xBC || byte(k + 1) == 0xBD)
            && (byte(k + 2) & 0xC0) == 0x80) {
            const unsigned code = 0xFF00u + ((byte(k + 1) - 0xBCu) << 6) + (byte(k + 2) & 0x3Fu);
            if (code >= 0xFF01u && code <= 0xFF5Eu) {
                const char ascii = static_cast<char>(code - 0xFEE0u);
                if (IsNumberCharacter(ascii)) {
                    out.push_back(ascii);
                    k += 3;
                    continue;
                }
            }
        }
        out.push_back(text[k]);
        ++k;
    }
    return out;
}

double LeadingNumberValue(std::string_view typed)
{
    const std::string text = AsciiNumberText(typed);
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsIgnoredBlank(c))
            s.push_back(c);

    if (!s.empty() && s[0] == '&') {
        if (s.size() > 1 && (s[1] == 'H' || s[1] == 'h'))
            return IntegerInRadix(s, 2, 16);
        if (s.size() > 1 && (s[1] == 'O' || s[1] == 'o'))
            return IntegerInRadix(s, 2, 8);
        return IntegerInRadix(s, 1, 8);
    }

    // Collect the longest leading decimal number in the form strtod reads.
    std::string number;
    size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        number.push_back(s[pos++]);
    bool mantissaDigits = false;
    while (pos < s.size() && IsDigit(s[pos])) {
        number.push_back(s[pos++]);
        mantissaDigits = true;
    }
    if (pos < s.size() && s[pos] == '.') {
        number.push_back(s[pos++]);
        while (pos < s.size() && IsDigit(s[pos])) {
            number.push_back(s[pos++]);
            mantissaDigits = true;
        }
    }
    if (!mantissaDigits)
        return 0.0;
    if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e' || s[pos] == 'D' || s[pos] == 'd')) {
        size_t expPos = pos + 1;
        std::string exponent = "E";
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-'))
            exponent.push_back(s[expPos++]);
        bool exponentDigits = false;
        while (expPos < s.size() && IsDigit(s[expPos])) {
            exponent.push_back(s[expPos++]);
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    return DecimalFromText(number);
}

std::optional<double> WholeNumberValue(std::string_view typed)
{
    const std::string ascii = AsciiNumberText(typed);
    const std::string_view text = ascii;
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsIgnoredBlank(text[first]))
        ++first;
    while (last > first && IsIgnoredBlank(text[last - 1]))
        --last;
    const std::string trimmed(text.substr(first, last - first));
    if (trimmed.empty())
        return std::nullopt;
    // Only sign, digits, point and exponent may appear; this keeps out the
    // hexadecimal, infinity and not-a-number forms that strtod would accept.
    for (char c : trimmed)
        if (!(IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double value = strtod_l(trimmed.c_str(), &end, CLocale());
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)
        || (errno == ERANGE && std::fabs(value) > 1.0))
        return std::nullopt;
    return value;
}
