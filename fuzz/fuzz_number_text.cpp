// The two number rules every entry and every result box goes through, fed
// with arbitrary bytes:
//
// - typed text to number: whatever is typed reads as a finite value, or, when
//   the number lies beyond double range, as an overflow fault; nothing else
//   leaves the reader, and a text that is one whole number reads the same by
//   both readers;
// - number to display text: the text of a finite single (7 digits) or double
//   (15 digits) reads back to the same value at that precision, never shows
//   NaN or infinity, and keeps the box form (capital E with a signed exponent
//   of at least two digits, no trailing zeros, a 0 before a bare point).
//
// The first 4 bytes are also read as a float and the first 8 as a double.

#include "fuzz_checks.h"
#include "psychro/arithmetic_fault.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Relative difference allowed between a value and its display text read back:
// half a unit in the last of 7 or 15 significant digits.
constexpr double kSingleTolerance = 5e-7;
constexpr double kDoubleTolerance = 5e-15;

// The longest texts: sign, 7 or 15 digits, point, E, exponent sign, 3 digits.
constexpr std::size_t kLongestSingleText = 13;
constexpr std::size_t kLongestDoubleText = 22;

[[noreturn]] void Fail(const char *what, std::string_view detail)
{
    std::fprintf(stderr, "fuzz_number_text: %s: \"%.*s\"\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Typed text: a finite value or an overflow, and agreement with the reader of
// whole numbers (the pressure prompt) wherever that one accepts the text.
void CheckTypedText(std::string_view text)
{
    double value = 0.0;
    try {
        value = LeadingNumberValue(text);
    } catch (const ArithmeticFault &fault) {
        if (fault.kind() != ArithmeticFault::Kind::Overflow)
            Fail("reading typed text faulted other than by overflow", text);
        if (WholeNumberValue(text))
            Fail("a whole number beyond double range was accepted", text);
        return;
    } catch (...) {
        Fail("reading typed text threw something other than an arithmetic fault", text);
    }
    if (!std::isfinite(value))
        Fail("typed text read as a non-finite value", text);

    std::optional<double> whole;
    try {
        whole = WholeNumberValue(text);
    } catch (...) {
        Fail("reading a whole number threw", text);
    }
    if (whole && *whole != value)
        Fail("a whole number reads differently as a leading number", text);
}

// The form of a result box: digits with at most one point, no trailing zeros
// after it, a 0 before a bare point, and a capital E with a sign and at least
// two exponent digits.
void CheckBoxForm(const std::string &text, std::size_t longest)
{
    if (text.empty() || text.size() > longest)
        Fail("display text is empty or too long", text);
    std::size_t pos = text[0] == '-' ? 1 : 0;
    const std::size_t mantissaStart = pos;
    while (pos < text.size() && (IsDigit(text[pos]) || text[pos] == '.'))
        ++pos;
    const std::string mantissa = text.substr(mantissaStart, pos - mantissaStart);
    if (mantissa.empty() || !IsDigit(mantissa.front()))
        Fail("display text does not start with a digit", text);
    if (mantissa.find('.') != std::string::npos
        && (mantissa.back() == '0' || mantissa.back() == '.'
            || mantissa.find('.') != mantissa.rfind('.')))
        Fail("display text keeps trailing zeros or a stray point", text);
    if (pos == text.size())
        return;
    if (text[pos] != 'E' || pos + 1 >= text.size()
        || (text[pos + 1] != '+' && text[pos + 1] != '-'))
        Fail("display text has a malformed exponent", text);
    std::size_t digits = 0;
    for (std::size_t e = pos + 2; e < text.size(); ++e, ++digits)
        if (!IsDigit(text[e]))
            Fail("display text has a malformed exponent", text);
    if (digits < 2)
        Fail("display text has an exponent of fewer than two digits", text);
}

// A finite value written at its precision and read back as a user would type it.
void CheckDisplayed(double value, const std::string &text, double tolerance, std::size_t longest)
{
    if (MentionsNanOrInfinity(text))
        Fail("display text of a finite value shows NaN or infinity", text);
    CheckBoxForm(text, longest);

    double back = 0.0;
    try {
        back = LeadingNumberValue(text);
    } catch (const ArithmeticFault &) {
        // Rounded to 15 digits, a double within half a unit of the largest
        // one is written as a number just beyond double range; only then may
        // its text fail to read back.
        const long double exact = std::strtold(text.c_str(), nullptr);
        if (std::fabs(exact) <= static_cast<long double>(DBL_MAX))
            Fail("display text does not read back", text);
        return;
    }
    // The rounding to the digits shown, plus the rounding of reading the text
    // back (one unit in the last place, or the spacing of subnormals).
    const double allowed = tolerance * std::fabs(value) + DBL_EPSILON * std::fabs(back)
        + std::numeric_limits<double>::denorm_min();
    if (!(std::fabs(back - value) <= allowed))
        Fail("display text reads back to another value", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CheckTypedText(std::string_view(reinterpret_cast<const char *>(data), size));

    if (size >= sizeof(float)) {
        float single = 0.0f;
        std::memcpy(&single, data, sizeof single);
        if (std::isfinite(single)) {
            std::string text;
            try {
                text = SingleText(single);
            } catch (...) {
                Fail("writing a single threw", "");
            }
            CheckDisplayed(static_cast<double>(single), text, kSingleTolerance, kLongestSingleText);
        }
    }
    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            std::string text;
            try {
                text = DoubleText(value);
            } catch (...) {
                Fail("writing a double threw", "");
            }
            CheckDisplayed(value, text, kDoubleTolerance, kLongestDoubleText);
        }
    }
    return 0;
}
