#pragma once

#include <optional>
#include <string>
#include <string_view>

// A moist-air state from any two independent properties, in the chart's own
// property model: the moist-air functions at the barometric pressure B, each
// result single precision, and the wet-bulb temperature as the outdoor state
// of the design calculation defines it (the ts whose wet-bulb line, of slope
// 4.19 · ts through the saturated state at ts, passes through the state).
//
// The properties: t (dry bulb, °C), ts (wet bulb, °C), td (dew point, °C:
// the temperature whose saturation pressure equals Pq), φ (%), d (g/kg dry
// air), i (kJ/kg dry air), Pq (vapour partial pressure, Pa).
//
// How each pair is solved:
// - closed form (exact up to the rounding of each function's result):
//   t with any other property; i with d, td or Pq; ts with d, td or Pq (the
//   wet-bulb line crosses the line of constant d); ts with i (the wet-bulb
//   line crosses the isenthalp; at ts = 0 °C the two coincide and the pair is
//   refused); φ = 0 with ts or i; φ = 100 % with ts;
// - bracketed search for the temperature (t from φ with d, td, Pq, i or ts;
//   ts and td of every state that is not given them): false position with a
//   bisection safeguard over −30…100 °C, carried down to two neighbouring
//   single-precision values (or 1E-09 °C apart) and ending at the one whose
//   property is nearest the target. The searched temperature is thus exact to
//   one unit in the last place of a single-precision value.
// Over a grid of states from −20 to 90 °C and 5 to 100 % at 90000, 101325
// and 120000 Pa every valid pair gives back the state it was made from:
// t, ts and td within 0.001 K, d within 0.001 g/kg, i within 0.001 kJ/kg,
// φ within 0.001 %, Pq within 0.01 Pa; ts with i within ten times these
// (for |ts| ≥ 0.5 °C): the wet-bulb line runs almost along the isenthalp, and
// a unit in the last place of i moves d by 1000 / (4.19 · ts) units of it.
//
// Refused: the same property twice, and any two of d, td and Pq (each fixes
// the vapour pressure and nothing else). No state: φ above 100 % or below 0,
// negative d or Pq, a vapour pressure at or above B, a state beyond
// saturation (t below td, ts above t), and a given or solved temperature
// outside −30…100 °C.
namespace state_solver {

enum class Property { t, ts, td, phi, d, i, Pq };
inline constexpr int kPropertyCount = 7;

// "t", "ts", "td", "phi", "d", "i", "Pq": the command-line option and column names.
const char *PropertyKey(Property property);
// The property a column or option name stands for: the keys above in any case,
// and "φ".
std::optional<Property> PropertyNamed(std::string_view name);

// Whether two properties fix only one quantity between them: the same one
// twice, or two of d, td and Pq. The message says why.
std::optional<std::string> OneQuantityOnly(Property first, Property second);

// The temperature range in which states are given and sought.
inline constexpr float kLowestTemperature = -30.0f; // °C
inline constexpr float kHighestTemperature = 100.0f; // °C

// A state whose relative humidity exceeds 1 by no more than this lies on the
// saturation curve: the rounding of the single-precision values it was formed
// from (a saturated state found from d and i, say) can carry φ that far past 1.
inline constexpr float kSaturationSlack = 1e-5f;

// The message when the vapour pressure of the state reaches B: no moisture content exists.
inline constexpr const char *kVapourPressure
    = "水蒸气分压力不低于大气压力，无法确定含湿量，请检查状态参数!";

} // namespace state_solver

// Every property of one state. ts and td are empty where they lie outside
// −30…100 °C (a very dry state has its dew point below −30 °C).
struct MoistAirState {
    float t = 0.0f; // °C
    std::optional<float> ts; // °C
    std::optional<float> td; // °C
    float phi = 0.0f; // %, as the readout shows it
    float d = 0.0f; // g/kg dry air
    float i = 0.0f; // kJ/kg dry air
    float Pq = 0.0f; // Pa
    float Pqb = 0.0f; // Pa, saturation pressure at t
    float v = 0.0f; // m³/kg dry air
    float rho = 0.0f; // kg/m³ of moist air
};

struct GivenProperty {
    state_solver::Property property;
    double value; // in the property's unit; φ in %
};

// A state, or why the pair gives none.
struct StateSolution {
    std::optional<MoistAirState> state;
    std::string message; // Chinese, when there is no state
    // The pair fixes only one quantity (the same property twice, two of d,
    // td and Pq, ts = 0 °C with i, φ = 0 with d = 0), as against a pair of
    // values that no state has.
    bool refused = false;
};

// The state given by two properties at pressure B (Pa). The given values are
// rounded to single precision and kept as given; the others are computed.
// Never throws.
StateSolution SolveState(double B, GivenProperty first, GivenProperty second);

// The wet-bulb temperature of the state (d, i): the ts in −30…100 °C whose
// wet-bulb line passes through it, or nothing. Never throws.
std::optional<float> WetBulbTemperature(double B /* Pa */, float d /* g/kg */, float i /* kJ/kg */);

// The dew point of the vapour pressure Pq: the temperature in −30…100 °C whose
// saturation pressure is Pq, or nothing. Never throws.
std::optional<float> DewPointTemperature(float Pq /* Pa */);

// The value of one property of the state; empty for ts and td out of range.
std::optional<float> PropertyValue(const MoistAirState &state, state_solver::Property property);
