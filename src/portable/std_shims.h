#pragma once

// The library functions the core uses that an older standard library lacks
// (the libc++ of Debian 12's emscripten): std::bit_cast, and std::to_chars and
// std::from_chars for floating-point numbers. Where the library has them they are used; the
// stand-ins give the same results, which a test checks against the library.

// The feature macros of the library come with <version>.
#include <version>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif
#if defined(__cpp_lib_to_chars)
#include <charconv>
#endif

namespace portable {

// The bits of a value seen as another type of the same size.
template <typename To, typename From> To BitCast(const From &from)
{
    static_assert(sizeof(To) == sizeof(From)
                  && std::is_trivially_copyable_v<From> && std::is_trivially_copyable_v<To>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// The stand-in for std::to_chars(general, digits): printf's %.*G, which the
// standard defines it by. printf reads the decimal point from the C library's
// locale, which is "C" wherever the stand-in is used (WebAssembly); the test
// runs it in the "C" locale too.
inline std::string PrintfGeneral(double value, int significantDigits)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// A finite value written with at most `significantDigits` significant digits
// in the %G style: trailing zeros dropped, "E+30" or "E-06" for exponents.
inline std::string GeneralDigits(double value, int significantDigits)
{
#if defined(__cpp_lib_to_chars)
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    std::string text(buffer, result.ptr);
    for (char &c : text)
        if (c == 'e')
            c = 'E';
    return text;
#else
    return PrintfGeneral(value, significantDigits);
#endif
}

// The stand-in for std::from_chars of a double: strtod, in the "C" locale
// where it is used; nothing when the text is not a number as a whole or the
// value lies beyond the range of a double (too large, or so small that it
// becomes 0), as from_chars says then.
inline std::optional<double> StrtodNumber(std::string_view text)
{
    const std::string copy(text);
    if (copy.empty())
        return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size())
        return std::nullopt;
    // strtod says ERANGE for a value below the normal range too; from_chars
    // keeps a subnormal value and refuses only what becomes 0 or infinite.
    if (errno == ERANGE && (value == 0.0 || value == HUGE_VAL || value == -HUGE_VAL))
        return std::nullopt;
    return value;
}

// A decimal number (digits, point, exponent; no sign "+") as a whole, read as
// std::from_chars reads it.
inline std::optional<double> DecimalNumber(std::string_view text)
{
#if defined(__cpp_lib_to_chars)
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
#else
    return StrtodNumber(text);
#endif
}

} // namespace portable
