// The steps the designs share on the calculation sheet. The intermediate
// values a calculation does not keep (the saturation and vapour pressures, the
// saturated state of the wet-bulb line) are formed here by the same property
// functions, from the same single-precision values, so they are the values
// the calculation used.

#include "report/sheet_steps.h"

#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

using namespace moist_air;
using sheet_numbers::Difference;
using sheet_numbers::kDoubleResultDigits;
using sheet_numbers::kSingleResultDigits;
using sheet_numbers::SingleOperandText;

namespace sheet_steps {

namespace {

    Term C(double value)
    {
        return Double(value);
    }

    // d where the process line of slope eps through `through` meets the isotherm t.
    SheetStep ProcessLineStep(const std::string &section, const std::string &sub,
                              const std::string &epsSymbol, const std::string &throughSub,
                              float eps, StatePoint through, const std::string &tSymbol, float t,
                              float d, const std::string &words)
    {
        const std::string perGram = Constant(kGramsPerKilogram), dry = Constant(kDryAirHeat),
                          latent = Constant(kLatentHeatPerGram),
                          vapour = Constant(kVapourHeatPerGram);
        const Term put = (Single(through.i) - Single(eps) * Single(through.d) / C(kGramsPerKilogram)
                          - C(kDryAirHeat) * Single(t))
            / (C(kLatentHeatPerGram) + C(kVapourHeatPerGram) * Single(t)
               - Single(eps) / C(kGramsPerKilogram));
        return SingleFormula(section, "含湿量",
                             "d_" + sub + " = (i_" + throughSub + " − " + epsSymbol + " d_"
                                 + throughSub + " / " + perGram + " − " + dry + " " + tSymbol
                                 + ") / (" + latent + " + " + vapour + " " + tSymbol + " − "
                                 + epsSymbol + " / " + perGram + ")",
                             put, d, "g/kg", words);
    }

    const FoundState *StateOf(const std::vector<FoundState> &states, StateName name)
    {
        const FoundState *state = FindState(states, name);
        return state && state->t ? state : nullptr;
    }

} // namespace

std::optional<float> TemperatureOf(StatePoint state)
{
    try {
        return TemperatureFromMoistureEnthalpy(state.d, state.i);
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

SheetStep Formula(const std::string &section, const std::string &what, const std::string &formula,
                  const Term &substituted, double value, int digits, const std::string &unit,
                  const std::string &words)
{
    return {section,
            what,
            formula,
            substituted.Text(),
            sheet_numbers::ResultText(value, digits, substituted),
            unit,
            words};
}

SheetStep SingleFormula(const std::string &section, const std::string &what,
                        const std::string &formula, const Term &substituted, float value,
                        const std::string &unit, const std::string &words)
{
    return Formula(section, what, formula, substituted, value, kSingleResultDigits, unit, words);
}

SheetStep DoubleFormula(const std::string &section, const std::string &what,
                        const std::string &formula, const Term &substituted, double value,
                        const std::string &unit, const std::string &words)
{
    return Formula(section, what, formula, substituted, value, kDoubleResultDigits, unit, words);
}

void CurveStateSteps(std::vector<SheetStep> &steps, const std::string &section,
                     const std::string &sub, const std::string &phiSymbol, float phi, float t,
                     double B, StatePoint state)
{
    const std::string tSymbol = "t_" + sub;
    const float Pqb = SaturationPressure(t);
    steps.push_back(SingleFormula(
        section, "饱和水蒸气分压力", "P_qb(" + tSymbol + ")",
        Term::Call("P_qb(" + SingleOperandText(t) + ")", Pqb), Pqb, "Pa",
        t < 0.0f ? "P_qb(t) 为温度 t 下冰面上的饱和水蒸气分压力（Hyland–Wexler 公式）。"
                 : "P_qb(t) 为温度 t 下水面上的饱和水蒸气分压力（Hyland–Wexler 公式）。"));
    const float Pq = VapourPressureFromPhi(Pqb, phi);
    steps.push_back(SingleFormula(section, "水蒸气分压力",
                                  "P_q = " + phiSymbol + " P_qb(" + tSymbol + ")",
                                  Single(phi) * Single(Pqb), Pq, "Pa"));
    const Term put = C(kMolarMassRatio) * Single(Pq) / (Double(B) - Single(Pq));
    steps.push_back(SingleFormula(
        section, "含湿量", "d_" + sub + " = " + Constant(kMolarMassRatio) + " P_q / (B − P_q)", put,
        state.d, "g/kg", "B 为大气压力（Pa）。"));
    steps.push_back(EnthalpyStep(section, sub, t, state.d, state.i));
}

SheetStep EnthalpyStep(const std::string &section, const std::string &sub, float t, float d,
                       float i)
{
    const std::string ts = "t_" + sub;
    const Term put = C(kDryAirHeat) * Single(t)
        + C(kKilogramsPerGram) * Single(d) * (C(kLatentHeat) + C(kVapourHeat) * Single(t));
    return SingleFormula(section, "焓",
                         "i_" + sub + " = " + Constant(kDryAirHeat) + " " + ts + " + "
                             + Constant(kKilogramsPerGram) + " d_" + sub + " ("
                             + Constant(kLatentHeat) + " + " + Constant(kVapourHeat) + " " + ts
                             + ")",
                         put, i, "kJ/kg");
}

SheetStep TemperatureStep(const std::string &section, const std::string &sub, StatePoint state,
                          float t)
{
    const Term put = (Single(state.i) - C(kLatentHeatPerGram) * Single(state.d))
        / (C(kDryAirHeat) + C(kVapourHeatPerGram) * Single(state.d));
    return SingleFormula(section, "温度",
                         "t_" + sub + " = (i_" + sub + " − " + Constant(kLatentHeatPerGram) + " d_"
                             + sub + ") / (" + Constant(kDryAirHeat) + " + "
                             + Constant(kVapourHeatPerGram) + " d_" + sub + ")",
                         put, t, "℃");
}

void MixedSteps(std::vector<SheetStep> &steps, const std::string &section, const std::string &sub,
                const std::string &baseSub, const std::string &otherSub,
                const std::string &shareSymbol, const Term &share, StatePoint base,
                StatePoint other, StatePoint mixed)
{
    const auto mix
        = [&](const char *x, float b, float o, float m, const char *what, const char *unit) {
              const std::string X = x;
              steps.push_back(SingleFormula(section, what,
                                            X + "_" + sub + " = " + X + "_" + baseSub + " + "
                                                + shareSymbol + " (" + X + "_" + otherSub + " − "
                                                + X + "_" + baseSub + ")",
                                            Single(b) + share * Difference(o, b), m, unit));
          };
    mix("d", base.d, other.d, mixed.d, "含湿量", "g/kg");
    mix("i", base.i, other.i, mixed.i, "焓", "kJ/kg");
    if (const std::optional<float> t = TemperatureOf(mixed))
        steps.push_back(TemperatureStep(section, sub, mixed, *t));
}

void SummerInputSteps(std::vector<SheetStep> &steps, const SummerInputs &in)
{
    const std::string take = "设计参数的取用";
    const bool zeroW = in.W < 1e-20f;
    const float phiN = static_cast<float>(in.phiN), phiL = static_cast<float>(in.phiL);
    steps.push_back(Words(
        take, "百分数与单位",
        "相对湿度与新风百分比按百分数输入，计算中取小数，余湿量由 g/s 换算为 kg/s：φ_n = "
            + DoubleText(in.phiN) + "，s = " + SingleText(in.s) + "，φ_L = " + DoubleText(in.phiL)
            + "，W = " + SingleText(in.W) + " kg/s"
            + (zeroW ? "（余湿量为 0，计算中以极小值代替，热湿比线为竖直线）" : "")
            + "。它们以单精度保存，代入算式时写作计算所用的值：φ_n = " + SingleOperandText(phiN)
            + "，s = " + SingleOperandText(in.s) + "，φ_L = " + SingleOperandText(phiL)
            + "，W = " + SingleOperandText(in.W) + " kg/s。"));
    steps.push_back(DoubleFormula(take, "热湿比", "ε = Q / W", Double(in.Q) / Single(in.W),
                                  in.epsilon, "kJ/kg"));
}

void IndoorSteps(std::vector<SheetStep> &steps, const SummerInputs &in,
                 const std::vector<FoundState> &states, double B)
{
    if (const FoundState *N = StateOf(states, StateName::N))
        CurveStateSteps(steps, "室内状态点 N", "n", "φ_n", static_cast<float>(in.phiN), *N->t, B,
                        N->point);
}

void OutdoorSteps(std::vector<SheetStep> &steps, const SummerInputs &in,
                  const std::vector<FoundState> &states, double B)
{
    const FoundState *W = StateOf(states, StateName::W);
    const std::optional<WetBulbLine> line = W ? WetBulbLineOf(in.ts, B) : std::nullopt;
    if (!line)
        return;
    const std::string sW = "室外状态点 W";
    steps.push_back(
        SingleFormula(sW, "湿球温度线的热湿比", "ε_s = " + Constant(kWaterHeat) + " t_s",
                      C(kWaterHeat) * Single(in.ts), line->epsilon, "kJ/kg",
                      "W 在湿球温度线与干球温度 t_w 的等温线的交点上；湿球温度线过湿球温度 t_s "
                      "的饱和状态点（下标 s），其热湿比为 ε_s。"));
    const float Pqb = SaturationPressure(in.ts);
    steps.push_back(SingleFormula(sW, "饱和水蒸气分压力", "P_qb(t_s)",
                                  Term::Call("P_qb(" + SingleOperandText(in.ts) + ")", Pqb), Pqb,
                                  "Pa"));
    steps.push_back(SingleFormula(
        sW, "饱和状态点的含湿量",
        "d_s = " + Constant(kMolarMassRatio) + " P_qb(t_s) / (B − P_qb(t_s))",
        C(kMolarMassRatio) * Single(Pqb) / (Double(B) - Single(Pqb)), line->saturated.d, "g/kg"));
    steps.push_back(EnthalpyStep(sW, "s", in.ts, line->saturated.d, line->saturated.i));
    steps.push_back(ProcessLineStep(sW, "w", "ε_s", "s", line->epsilon, line->saturated, "t_w",
                                    *W->t, W->point.d, {}));
    steps.push_back(EnthalpyStep(sW, "w", *W->t, W->point.d, W->point.i));
}

void SupplySteps(std::vector<SheetStep> &steps, const SummerInputs &in, double t_o,
                 const std::vector<FoundState> &states)
{
    const FoundState *N = StateOf(states, StateName::N);
    const FoundState *O = StateOf(states, StateName::O);
    if (!N || !O)
        return;
    const std::string sO = "送风状态点 O";
    steps.push_back(DoubleFormula(sO, "送风温度", "t_o = t_n − Δt",
                                  Double(in.tn) - Double(in.deltaT), t_o, "℃"));
    const float eps = static_cast<float>(in.epsilon);
    steps.push_back(ProcessLineStep(
        sO, "o", "ε", "n", eps, N->point, "t_o", *O->t, O->point.d,
        "O 在过 N、热湿比为 ε 的过程线与送风温度 t_o 的等温线的交点上；ε 与 t_o 以单精度代入（ε = "
            + SingleOperandText(eps) + " kJ/kg）。"));
    steps.push_back(EnthalpyStep(sO, "o", *O->t, O->point.d, O->point.i));
}

} // namespace sheet_steps
