#pragma once

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

// What was being computed when a fault arose: a formula of moist air, a
// quantity of the process calculation, a typed number or a window layout.
// The user's message names it (see FaultMessage); the calculation tells its
// causes in the user's own terms by it (see CauseMessage).
enum class FaultCause {
    // Formulas of moist air.
    SaturationPressure,
    RelativeHumidity,
    VapourPressureFromPhi,
    VapourPressureFromMoisture,
    MoistureFromVapourPressure,
    TemperatureFromMoistureEnthalpy,
    MoistureFromTemperatureEnthalpy,
    EnthalpyFromTemperatureMoisture,
    PsychrometerVapourPressure,
    MixedValue, // mixing with s = −1 (a fresh-air percentage of −100 %)
    ProcessLine, // a process line parallel to the isotherm it is meant to cross
    // A design input, named by the fault's subject (its dialog label), and
    // the quantities computed from the inputs.
    DesignParameter,
    epsilon,
    epsilonWetBulb,
    t_o,
    MoistureDifference,
    SupplyFlowByHeat, // supply state with the indoor enthalpy: no flow can be found
    SupplyFlowByMoisture,
    Q1,
    Q2,
    ReheatLoad,
    SystemCooling,
    // A number typed by the user, and the arrangement of the windows.
    TypedNumber,
    WindowLayout,
    SplashLayout,
};

// The one error type of the computing core: a division by zero, an overflow
// (also a result beyond the range of a single-precision value) or an invalid
// operation. Nothing in the core returns an infinity or a not-a-number.
class ArithmeticFault : public std::runtime_error {
public:
    enum class Kind { DivisionByZero, Overflow, Invalid };

    ArithmeticFault(Kind kind, FaultCause cause, std::string subject = {})
        : std::runtime_error(std::string("arithmetic fault ")
                             + std::to_string(static_cast<int>(cause)) + ": " + KindName(kind)),
          kind_(kind), cause_(cause), subject_(std::move(subject))
    {
    }

    Kind kind() const { return kind_; }
    FaultCause cause() const { return cause_; }
    // The name of the design input for FaultCause::DesignParameter.
    const std::string &subject() const { return subject_; }

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
    FaultCause cause_;
    std::string subject_;
};

// Divides, reporting a zero divisor instead of producing an infinity.
inline double CheckedDivide(double numerator, double denominator, FaultCause cause)
{
    if (std::isnan(numerator) || std::isnan(denominator))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid, cause);
    if (denominator == 0.0)
        throw ArithmeticFault(ArithmeticFault::Kind::DivisionByZero, cause);
    return numerator / denominator;
}

// Checks a double-precision result.
// subject names the design input for FaultCause::DesignParameter.
inline double CheckedDouble(double value, FaultCause cause, const std::string &subject = {})
{
    if (std::isnan(value))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid, cause, subject);
    if (std::isinf(value))
        throw ArithmeticFault(ArithmeticFault::Kind::Overflow, cause, subject);
    return value;
}

// Checks a result and rounds it to single precision; a value beyond the range
// of float is an overflow. Underflow to zero is not an error.
inline float CheckedSingle(double value, FaultCause cause, const std::string &subject = {})
{
    CheckedDouble(value, cause, subject);
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        // Values that round down to FLT_MAX are still representable.
        const float rounded = static_cast<float>(value);
        if (std::isinf(rounded))
            throw ArithmeticFault(ArithmeticFault::Kind::Overflow, cause, subject);
        return rounded;
    }
    return static_cast<float>(value);
}
