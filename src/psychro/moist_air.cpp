#include "psychro/moist_air.h"

#include "psychro/arithmetic_fault.h"

#include <cmath>

namespace moist_air {

namespace {

    // Hyland–Wexler coefficients, saturation over ice (T in K, Pqb in Pa).
    // Reference: Hyland & Wexler (1983); ASHRAE Handbook—Fundamentals (2017), ch. 1, eq. 5.
    constexpr double C1 = -5.6745359E+03;
    constexpr double C2 = 6.3925247E+00;
    constexpr double C3 = -9.6778430E-03;
    constexpr double C4 = 6.2215701E-07;
    constexpr double C5 = 2.0747825E-09;
    constexpr double C6 = -9.4840240E-13;
    constexpr double C7 = 4.1635019E+00;

    // Hyland–Wexler coefficients, saturation over liquid water.
    // Reference: Hyland & Wexler (1983); ASHRAE Handbook—Fundamentals (2017), ch. 1, eq. 6.
    constexpr double C8 = -5.8002206E+03;
    constexpr double C9 = 1.3914993E+00;
    constexpr double C10 = -4.8640239E-02;
    constexpr double C11 = 4.1764768E-05;
    constexpr double C12 = -1.4452093E-08;
    constexpr double C13 = 6.5459673E+00;

    // The correlations serve this temperature range; outside it the result is 0.
    constexpr double kLowestTemperature = -200.0;
    constexpr double kHighestTemperature = 200.0;

} // namespace

float SaturationPressure(float t)
{
    const double tc = t;
    const double T = tc + kZeroCelsius;
    double lnPqb;
    // The water branch is tested first: it is the common case of the chart
    // and of the machine-dew-point scan.
    if (tc >= 0.0 && tc <= kHighestTemperature) {
        // Over liquid water; exactly 0 °C belongs here.
        lnPqb = C8 / T + C9 + T * (C10 + T * (C11 + T * C12)) + C13 * std::log(T);
    } else if (tc >= kLowestTemperature && tc < 0.0) {
        // Over ice. The published range starts at −100 °C; the chart uses it down to −200 °C.
        lnPqb = C1 / T + C2 + T * (C3 + T * (C4 + T * (C5 + T * C6))) + C7 * std::log(T);
    } else {
        if (std::isnan(tc))
            throw ArithmeticFault(ArithmeticFault::Kind::Invalid, FaultCause::SaturationPressure);
        return 0.0f;
    }
    // Within −200…200 °C the result lies between about 1e-16 and 1.6e6 Pa.
    return CheckedSingle(std::exp(lnPqb), FaultCause::SaturationPressure);
}

float RelativeHumidity(float Pqb, float Pq)
{
    return CheckedSingle(CheckedDivide(Pq, Pqb, FaultCause::RelativeHumidity),
                         FaultCause::RelativeHumidity);
}

float VapourPressureFromPhi(float Pqb, float phi)
{
    return CheckedSingle(static_cast<double>(Pqb) * phi, FaultCause::VapourPressureFromPhi);
}

float VapourPressureFromMoisture(double B, float d)
{
    const FaultCause op = FaultCause::VapourPressureFromMoisture;
    return CheckedSingle(CheckedDivide(CheckedDouble(B * d, op), kMolarMassRatio + d, op), op);
}

float MoistureFromVapourPressure(double B, float Pq)
{
    const FaultCause op = FaultCause::MoistureFromVapourPressure;
    return CheckedSingle(CheckedDivide(kMolarMassRatio * Pq, B - Pq, op), op);
}

bool HasMoistureContent(double B, float Pq)
{
    return Pq < B;
}

float MoistureBelowBarometric(double B, float Pq)
{
    if (!HasMoistureContent(B, Pq))
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid,
                              FaultCause::MoistureFromVapourPressure);
    return MoistureFromVapourPressure(B, Pq);
}

float TemperatureFromMoistureEnthalpy(float d, float i)
{
    const FaultCause op = FaultCause::TemperatureFromMoistureEnthalpy;
    const double dd = d;
    return CheckedSingle(CheckedDivide(CheckedDouble(i - kLatentHeatPerGram * dd, op),
                                       kDryAirHeat + kVapourHeatPerGram * dd, op),
                         op);
}

float MoistureFromTemperatureEnthalpy(float t, float i)
{
    const FaultCause op = FaultCause::MoistureFromTemperatureEnthalpy;
    const double tc = t;
    return CheckedSingle(
        CheckedDivide(CheckedDouble(kGramsPerKilogram * (i - kDryAirHeat * tc), op),
                      kLatentHeat + kVapourHeat * tc, op),
        op);
}

float EnthalpyFromTemperatureMoisture(float t, float d)
{
    return CheckedSingle(EnthalpyOf(t, d), FaultCause::EnthalpyFromTemperatureMoisture);
}

float PsychrometerVapourPressure(double B, float PqbAtTs, float t, float ts)
{
    const double drop = (kPsychrometerCoefficient * B) * (static_cast<double>(t) - ts);
    return CheckedSingle(PqbAtTs - drop, FaultCause::PsychrometerVapourPressure);
}

float MixedValue(float n, float a, float b)
{
    const FaultCause op = FaultCause::MixedValue;
    const double nn = n;
    return CheckedSingle(CheckedDivide(CheckedDouble(nn * a + b, op), nn + 1.0, op), op);
}

float ProcessLineMoistureAtTemperature(float eps, float i0, float d0, float t)
{
    const FaultCause op = FaultCause::ProcessLine;
    const double slope = static_cast<double>(eps) / kGramsPerKilogram;
    const double tc = t;
    const double numerator = CheckedDouble(i0 - slope * d0 - kDryAirHeat * tc, op);
    const double denominator
        = CheckedDouble(kLatentHeatPerGram + kVapourHeatPerGram * tc - slope, op);
    return CheckedSingle(CheckedDivide(numerator, denominator, op), op);
}

} // namespace moist_air
