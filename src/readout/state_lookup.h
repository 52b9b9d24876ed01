#pragma once

#include <array>
#include <string>

// One moist-air state looked up from two of its properties, with the values
// the pointer readout shows: the texts of its cells t, Pqb, φ × 100, Pq, d
// and i (in the readout's cell order), each from the property functions the
// chart uses at the barometric pressure B.
namespace state_lookup {
enum Cell { kT = 0, kPqb = 1, kPhi = 2, kPq = 3, kD = 4, kI = 5 };
inline constexpr int kCellCount = 6;

// The message when the vapour pressure of the state reaches B: no moisture content exists.
inline constexpr const char *kVapourPressure
    = "水蒸气分压力不低于大气压力，无法确定含湿量，请检查状态参数!";
} // namespace state_lookup

using StateCells = std::array<std::string, state_lookup::kCellCount>;

// The state at chart point (d, i): exactly the pointer readout's cells there,
// "超范围" where the readout shows it. Never throws.
StateCells StateAtPoint(double B /* Pa */, float d /* g/kg */, float i /* kJ/kg */);

// With the dry-bulb temperature t, the second property of the state.
enum class SecondProperty {
    RelativeHumidity, // φ in % (as the readout shows it)
    Moisture, // d, g/kg
    Enthalpy, // i, kJ/kg
    WetBulb, // ts, °C: the state on the wet-bulb line of ts, as the outdoor state W is found
};

// The state at temperature t: t, Pqb from t; d and i from the second
// property; Pq and φ from d, with the readout's "超范围" for φ beyond
// saturation. Throws ArithmeticFault when a value cannot be formed; a vapour
// pressure at or above B carries FaultCause::MoistureFromVapourPressure.
StateCells StateAtTemperature(double B /* Pa */, float t /* °C */, SecondProperty property,
                              float value);
