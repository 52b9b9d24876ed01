#pragma once

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

// The one error type of the computing core: a division by zero, an overflow
// (also a result beyond the range of a single-precision value) or an invalid
// operation. Nothing in the core returns an infinity or a not-a-number.
class ArithmeticFault : public std::runtime_error {
public:
    enum class Kind { DivisionByZero, Overflow, Invalid };

    ArithmeticFault(Kind kind, const std::string &operation)
        : std::runtime_error(operation + ": " + KindName(kind)), kind_(kind), operation_(operation)
    {
    }

    Kind kind() const { return kind_; }
    const std::string &operation() const { return operation_; }

    static const char *KindName(Kind kind)
    {
        switch (kind) {
        case Kind::DivisionByZero:
            return "division by zero";
        case Kind::Overflow:
            return "overflow";
        case Kind::Invalid:
            return "invalid operation";
        }
        return "arithmetic fault";
    }

private:
    Kind kind_;
    std::string operation_;
};

// Divides, reporting a zero divisor instead of producing an infinity.
inline double CheckedDivide(double numerator, double denominator, const char *operation)
{
    if (std::isnan(numerator) || std::isnan(denominator))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid, operation);
    if (denominator == 0.0)
        throw ArithmeticFault(ArithmeticFault::Kind::DivisionByZero, operation);
    return numerator / denominator;
}

// Checks a double-precision result.
inline double CheckedDouble(double value, const char *operation)
{
    if (std::isnan(value))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid, operation);
    if (std::isinf(value))
        throw ArithmeticFault(ArithmeticFault::Kind::Overflow, operation);
    return value;
}

// Checks a result and rounds it to single precision; a value beyond the range
// of float is an overflow. Underflow to zero is not an error.
inline float CheckedSingle(double value, const char *operation)
{
    CheckedDouble(value, operation);
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        // Values that round down to FLT_MAX are still representable.
        const float rounded = static_cast<float>(value);
        if (std::isinf(rounded))
            throw ArithmeticFault(ArithmeticFault::Kind::Overflow, operation);
        return rounded;
    }
    return static_cast<float>(value);
}
