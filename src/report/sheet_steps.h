#pragma once

#include "designs/outcome.h"
#include "designs/summer_states.h"
#include "report/calculation_sheet.h"
#include "report/sheet_numbers.h"
#include "text/number_text.h"

#include <optional>
#include <string>
#include <vector>

// Helpers of the designs' step lists on the calculation sheet, and the steps
// the designs share: a state on a curve of constant relative humidity, its
// enthalpy, its temperature from d and i, a state on a process line, a
// mixture, and the summer states N, W and O.
namespace sheet_steps {

using sheet_numbers::Double;
using sheet_numbers::Single;
using sheet_numbers::Term;

// A constant of a formula as the formula writes it ("1.005", "2500").
inline std::string Constant(double value)
{
    return DoubleText(value);
}

// A step "formula = substituted = result unit": the result is `value` to the
// digits the printed numbers support, at most `digits` significant ones.
SheetStep Formula(const std::string &section, const std::string &what, const std::string &formula,
                  const Term &substituted, double value, int digits, const std::string &unit,
                  const std::string &words = {});
// The same for a single-precision result (at most seven digits) and a double (at most fifteen).
SheetStep SingleFormula(const std::string &section, const std::string &what,
                        const std::string &formula, const Term &substituted, float value,
                        const std::string &unit, const std::string &words = {});
SheetStep DoubleFormula(const std::string &section, const std::string &what,
                        const std::string &formula, const Term &substituted, double value,
                        const std::string &unit, const std::string &words = {});

// A step told in words, with its result where it has one.
inline SheetStep Words(const std::string &section, const std::string &what,
                       const std::string &words, const std::string &result = {},
                       const std::string &unit = {})
{
    return {section, what, {}, {}, result, unit, words};
}

// A state at temperature t on the curve of relative humidity phi (both as the
// calculation used them, single precision): the saturation pressure P_qb(t),
// the vapour pressure φ P_qb and the moisture content, then the enthalpy.
// `sub` is the state's subscript ("n", "L", "n'"); the state's d and i are
// the calculation's.
void CurveStateSteps(std::vector<SheetStep> &steps, const std::string &section,
                     const std::string &sub, const std::string &phiSymbol, float phi, float t,
                     double B, StatePoint state);

// i = 1.005 t + 0.001 d (2500 + 1.84 t).
SheetStep EnthalpyStep(const std::string &section, const std::string &sub, float t, float d,
                       float i);

// The temperature of a state from its d and i: (i − 2.5 d) / (1.005 + 0.00184 d).
SheetStep TemperatureStep(const std::string &section, const std::string &sub, StatePoint state,
                          float t);

// The chart's temperature at a state's d and i; none off the chart.
std::optional<float> TemperatureOf(StatePoint state);

// x = x_base + share (x_other − x_base) for d and i: a mixture.
void MixedSteps(std::vector<SheetStep> &steps, const std::string &section, const std::string &sub,
                const std::string &baseSub, const std::string &otherSub,
                const std::string &shareSymbol, const Term &share, StatePoint base,
                StatePoint other, StatePoint mixed);

// The summer states as the primary and secondary designs find them: N from
// t_n and φ_n, W on the wet-bulb line of t_s at t_w, O on the room's process
// line at t_o = t_n − Δt. A state not found adds nothing.
void IndoorSteps(std::vector<SheetStep> &steps, const SummerInputs &in,
                 const std::vector<FoundState> &states, double B);
void OutdoorSteps(std::vector<SheetStep> &steps, const SummerInputs &in,
                  const std::vector<FoundState> &states, double B);
void SupplySteps(std::vector<SheetStep> &steps, const SummerInputs &in, double t_o,
                 const std::vector<FoundState> &states);

// The take-over of the summer record: percentages as fractions, W in kg/s,
// the single-precision values as the formulas write them, and ε = Q / W.
void SummerInputSteps(std::vector<SheetStep> &steps, const SummerInputs &in);

} // namespace sheet_steps
