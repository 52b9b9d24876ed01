#pragma once

// Moist-air property functions of the i-d chart.
//
// Every argument and result is single precision; the arithmetic inside is
// double precision and only the result is rounded. Each function checks its
// result and throws ArithmeticFault on a division by zero, an overflow (also
// beyond float's range) or an invalid operation; none returns inf or NaN.
//
// Units: t, ts in °C; Pqb, Pq in Pa; phi as a fraction (1 = 100 %); d in g per
// kg of dry air; i in kJ per kg of dry air; eps in kJ per kg of moisture;
// B (barometric pressure) in Pa, passed first to the three functions that
// depend on it and read at every call.

namespace moist_air {

// Grams per kilogram, and kilograms per gram: d is in g/kg, i in kJ/kg.
constexpr double kGramsPerKilogram = 1000.0;
constexpr double kKilogramsPerGram = 0.001;
// Specific heat of dry air, kJ/(kg·K).
// Reference: usual moist-air textbook value (ASHRAE Handbook—Fundamentals rounds it to 1.006).
constexpr double kDryAirHeat = 1.005;
// Specific heat of water vapour, kJ/(kg·K).
// Reference: usual moist-air textbook value (ASHRAE Handbook—Fundamentals rounds it to 1.86).
constexpr double kVapourHeat = 1.84;
// Latent heat of vaporisation of water at 0 °C, kJ/kg.
// Reference: 2500.9 kJ/kg in the IAPWS-95 steam tables, rounded as in the textbook enthalpy
// formula.
constexpr double kLatentHeat = 2500.0;
// The two heats written per g of moisture, as d is counted.
constexpr double kVapourHeatPerGram = kVapourHeat / kGramsPerKilogram;
constexpr double kLatentHeatPerGram = kLatentHeat / kGramsPerKilogram;
static_assert(kVapourHeatPerGram == 0.00184 && kLatentHeatPerGram == 2.5);
// Ratio of the molar masses of water and dry air, times 1000 for g/kg.
// Reference: 18.015 / 28.966 = 0.6220 (ASHRAE Handbook—Fundamentals (2017), ch. 1: 0.621945).
constexpr double kMolarMassRatio = 622.0;
// Specific heat of liquid water, kJ/(kg·K): the slope of the wet-bulb line per
// °C of wet-bulb temperature is the enthalpy of the evaporated water, 4.19 ts.
// Reference: usual textbook value near 20 °C.
constexpr double kWaterHeat = 4.19;
// Psychrometer coefficient, 1/°C.
// Reference: usual textbook value for a ventilated (aspirated) psychrometer.
constexpr double kPsychrometerCoefficient = 0.000667;
// Percent to fraction: relative humidities and shares are typed in %.
constexpr double kPercent = 100.0;
// Specific gas constant of dry air, J/(kg·K), for the specific volume
// v = R_a · T / (B − Pq) (m³ per kg of dry air).
// Reference: the molar gas constant over the mean molar mass of dry air,
// 8.31446 J/(mol·K) / 28.964 g/mol; the International Standard Atmosphere
// (ISO 2533) uses 287.05287 J/(kg·K).
constexpr double kDryAirGasConstant = 287.055;
// 0 °C in kelvin.
// Reference: the definition of the Celsius scale (SI).
constexpr double kZeroCelsius = 273.15;

// Saturation vapour pressure Pqb (Pa) at t (°C, −200…200; outside that range 0).
// Reference: Hyland & Wexler (1983), ASHRAE Handbook—Fundamentals (2017), ch. 1, eqs. 5 and 6.
float SaturationPressure(float t);

// Relative humidity phi (fraction) = Pq / Pqb.
float RelativeHumidity(float Pqb /* Pa */, float Pq /* Pa */);

// Vapour partial pressure Pq (Pa) = Pqb · phi.
float VapourPressureFromPhi(float Pqb /* Pa */, float phi /* fraction */);

// Vapour partial pressure Pq (Pa) = B · d / (622 + d).
float VapourPressureFromMoisture(double B /* Pa */, float d /* g/kg */);

// Moisture content d (g/kg) = 622 · Pq / (B − Pq).
float MoistureFromVapourPressure(double B /* Pa */, float Pq /* Pa */);

// Whether air whose vapour pressure is Pq (Pa) has a moisture content at B:
// at or above B it would be pure vapour or worse.
bool HasMoistureContent(double B /* Pa */, float Pq /* Pa */);

// MoistureFromVapourPressure for a vapour pressure that must stay below B;
// at or above B it is an invalid operation (FaultCause::MoistureFromVapourPressure).
float MoistureBelowBarometric(double B /* Pa */, float Pq /* Pa */);

// Temperature t (°C) = (i − 2.5 d) / (1.005 + 0.00184 d).
float TemperatureFromMoistureEnthalpy(float d /* g/kg */, float i /* kJ/kg */);

// Moisture content d (g/kg) = 1000 (i − 1.005 t) / (2500 + 1.84 t).
float MoistureFromTemperatureEnthalpy(float t /* °C */, float i /* kJ/kg */);

// Enthalpy i (kJ/kg) = 1.005 t + 0.001 d (2500 + 1.84 t).
float EnthalpyFromTemperatureMoisture(float t /* °C */, float d /* g/kg */);
// The same in double precision, neither rounded nor checked: for the chart
// styles' layouts, which map states to pixels and back.
constexpr double EnthalpyOf(double t /* °C */, double d /* g/kg */)
{
    return kDryAirHeat * t + kKilogramsPerGram * d * (kLatentHeat + kVapourHeat * t);
}

// Vapour partial pressure Pq (Pa) from a psychrometer: Pqb(ts) − 0.000667 · B · (t − ts).
float PsychrometerVapourPressure(double B /* Pa */, float PqbAtTs /* Pa */, float t /* °C */,
                                 float ts /* °C */);

// Property of a mixture of two streams, (n · a + b) / (n + 1); a belongs to the
// stream whose mass flow is n times the other's.
float MixedValue(float n /* – */, float a, float b);

// d (g/kg) where the process line of slope eps (kJ/kg) through (d0, i0) meets
// the isotherm t: (i0 − (eps/1000) d0 − 1.005 t) / (2.5 + 0.00184 t − eps/1000).
float ProcessLineMoistureAtTemperature(float eps /* kJ/kg */, float i0 /* kJ/kg */,
                                       float d0 /* g/kg */, float t /* °C */);

} // namespace moist_air
