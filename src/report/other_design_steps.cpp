// The calculation steps of the secondary-return-air summer design and of the
// primary-return-air winter design, as the calculation sheet lists them: in
// the order their calculations compute, each result to the digits its
// printed numbers support.

#include "designs/dew_point_scan.h"
#include "designs/primary_winter/primary_winter.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "designs/secondary_summer/secondary_summer.h"
#include "psychro/moist_air.h"
#include "report/calculation_sheet.h"
#include "report/sheet_steps.h"
#include "text/number_text.h"

#include <string>

using namespace sheet_steps;
using sheet_numbers::Difference;
using sheet_numbers::SingleOperandText;

namespace {

// A found state given by its result and how it was found: d and i in words.
void StateSteps(std::vector<SheetStep> &steps, const std::string &section, const FoundState &state,
                const std::string &how)
{
    const std::string letter = StateLetter(state.name);
    steps.push_back(Words(section, "含湿量", how, SingleText(state.point.d), "g/kg"));
    steps.back().formula = "d(" + letter + ")";
    steps.push_back(Words(section, "焓", {}, SingleText(state.point.i), "kJ/kg"));
    steps.back().formula = "i(" + letter + ")";
}

// The subscript a winter state's symbols carry: "n'", "L'", "M2", "E", "o'".
std::string WinterSub(StateName name)
{
    switch (name) {
    case StateName::Nw:
        return "n'";
    case StateName::Ww:
        return "w'";
    case StateName::Cw:
        return "c'";
    case StateName::Ow:
        return "o'";
    default:
        return StateLetter(name);
    }
}

} // namespace

std::vector<SheetStep> StepsOf(const SecondaryOutcome &out, double B)
{
    std::vector<SheetStep> steps;
    if (!out.inputs)
        return steps;
    const SummerInputs &in = *out.inputs;
    // N, W and O are found exactly as the primary design finds them.
    SummerInputSteps(steps, in);
    IndoorSteps(steps, in, out.states, B);
    OutdoorSteps(steps, in, out.states, B);
    SupplySteps(steps, in, out.t_o, out.states);
    const auto N = out.State(StateName::N), W = out.State(StateName::W),
               O = out.State(StateName::O);
    if (!out.flows || !N || !O)
        return steps;
    const std::string sG = "送风量与机器露点";
    const SecondaryFlows &f = *out.flows;
    steps.push_back(DoubleFormula(sG, "总送风量", "G = Q / (i_n − i_o)",
                                  Double(in.Q) / Difference(N->i, O->i), f.G, "kg/s"));
    const FoundState *L = FindState(out.states, StateName::L);
    if (out.dewPoint && L && L->t) {
        steps.push_back(
            Words(sG, "机器露点温度",
                  "从 t_o = " + DoubleText(out.t_o) + " ℃ 起，温度每次降低 "
                      + Constant(secondary_scan::kStep)
                      + " K，直到 φ_L 曲线上的含湿量不再大于过 N 的热湿比线上的含湿量，共计算 "
                      + std::to_string(out.dewPoint->evaluations)
                      + " 个温度。L 在 N、O 连线的延长线上；t_L 以单精度代入下式。",
                  SingleText(*L->t), "℃"));
        steps.back().formula = "t_L";
        CurveStateSteps(steps, sG, "L", "φ_L", static_cast<float>(in.phiL), *L->t, B, L->point);
    }
    if (f.G_L)
        steps.push_back(DoubleFormula(sG, "表冷器风量", "G_L = Q / (i_n − i_L)",
                                      Double(in.Q) / Difference(N->i, L->point.i), *f.G_L, "kg/s",
                                      "由第二次混合的热平衡 G i_o = G_L i_L + G_2 i_n 得出。"));
    if (f.G2)
        steps.push_back(DoubleFormula(sG, "二次回风量", "G_2 = G − G_L",
                                      Double(f.G) - Double(*f.G_L), *f.G2, "kg/s"));
    if (f.G_W)
        steps.push_back(
            DoubleFormula(sG, "新风量", "G_w = s G", Single(in.s) * Double(f.G), *f.G_W, "kg/s"));
    if (f.G1)
        steps.push_back(DoubleFormula(sG, "一次回风量", "G_1 = G_L − G_w",
                                      Double(*f.G_L) - Double(*f.G_W), *f.G1, "kg/s"));
    const FoundState *C1 = FindState(out.states, StateName::C1);
    if (!C1 || !W || !L || !out.CoilCapacity)
        return steps;
    MixedSteps(steps, "一次混合状态点 C1", "c1", "n", "w", "(G_w / G_L)",
               Double(*f.G_W) / Double(*f.G_L), *N, *W, C1->point);
    const std::string sQ = "冷量";
    steps.push_back(DoubleFormula(sQ, "表冷器冷量", "Q_0 = G_L (i_c1 − i_L)",
                                  Double(*f.G_L) * Difference(C1->point.i, L->point.i),
                                  *out.CoilCapacity, "kW",
                                  "无再热：送风状态 O 由第二次混合得到。"));
    if (out.primary && out.Saving()) {
        steps.push_back(DoubleFormula(
            sQ, "节省冷量", "ΔQ = Q_0(一次回风) − Q_0",
            Double(out.primary->SystemCooling1) - Double(*out.CoilCapacity), *out.Saving(), "kW",
            "与同一参数的一次回风设计（机器露点 "
                + SingleText(static_cast<float>(out.primary->t_L1)) + " ℃，再热量 "
                + SingleText(out.primary->ReheatLoad1) + " kW，系统冷量 Q_0(一次回风) = "
                + DoubleText(out.primary->SystemCooling1) + " kW）相比，节省的冷量等于其再热量。"));
        if (const std::optional<float> share = out.SavingShare())
            steps.push_back(SingleFormula(sQ, "节省比例", "η = 100 ΔQ / Q_0(一次回风)",
                                          Double(100.0) * Double(*out.Saving())
                                              / Double(out.primary->SystemCooling1),
                                          *share, "%"));
    } else {
        steps.push_back(Words(sQ, "节省冷量", "一次回风设计找不到机器露点，无从比较。", kNoValue));
    }
    return steps;
}

std::vector<SheetStep> StepsOf(const WinterOutcome &out, double B)
{
    std::vector<SheetStep> steps;
    const std::string sG = "送风量";
    if (!out.G)
        return steps;
    steps.push_back(Words(
        sG, "送风量（同夏季）",
        "送风量取夏季一次回风设计的 G = Q / (i_n − i_o)（大气压力 B = " + DoubleText(B) + " Pa）。",
        DoubleText(*out.G), "kg/s"));
    steps.back().formula = "G";
    if (!out.inputs)
        return steps;
    const WinterInputs &in = *out.inputs;
    const std::string take = "冬季设计参数的取用";
    steps.push_back(Words(
        take, "百分数与单位",
        "相对湿度与新风百分比按百分数输入，计算中取小数，余湿量由 g/s 换算为 kg/s；φ_n'、φ_w'、s'、"
        "φ_L'、W' 与 t_n'、t_w' 以单精度保存，代入算式时写作计算所用的值：φ_n' = "
            + SingleOperandText(static_cast<float>(in.phiN)) + "，φ_w' = "
            + SingleOperandText(static_cast<float>(in.phiW)) + "，s' = " + SingleOperandText(in.s)
            + "，φ_L' = " + SingleOperandText(static_cast<float>(in.phiL))
            + "，W' = " + SingleOperandText(in.W) + " kg/s。"));
    steps.push_back(DoubleFormula(take, "冬季热湿比", "ε' = −Q_h / W'",
                                  -Double(in.Qh) / Single(in.W), in.epsilon, "kJ/kg"));
    const FoundState *N = FindState(out.states, StateName::Nw);
    const FoundState *W = FindState(out.states, StateName::Ww);
    const FoundState *C = FindState(out.states, StateName::Cw);
    const FoundState *O = FindState(out.states, StateName::Ow);
    if (N && N->t)
        CurveStateSteps(steps, "冬季室内状态点 N'", "n'", "φ_n'", static_cast<float>(in.phiN),
                        *N->t, B, N->point);
    if (W && W->t)
        CurveStateSteps(steps, "冬季室外状态点 W'", "w'", "φ_w'", static_cast<float>(in.phiW),
                        *W->t, B, W->point);
    if (C && N && W) {
        MixedSteps(steps, "冬季混合状态点 C'", "c'", "n'", "w'", "s'", Single(in.s), N->point,
                   W->point, C->point);
        if (out.advisory)
            steps.back().words = *out.advisory;
    }
    if (O && N && O->t) {
        const std::string sO = "冬季送风状态点 O'";
        const std::string perGram = Constant(moist_air::kGramsPerKilogram);
        steps.push_back(SingleFormula(sO, "含湿量", "d_o' = d_n' − " + perGram + " W' / G",
                                      Single(N->point.d)
                                          - Double(moist_air::kGramsPerKilogram) * Single(in.W)
                                              / Double(*out.G),
                                      O->point.d, "g/kg", "房间的湿平衡：送风吸收余湿量 W'。"));
        steps.push_back(SingleFormula(sO, "焓", "i_o' = i_n' + Q_h / G",
                                      Single(N->point.i) + Double(in.Qh) / Double(*out.G),
                                      O->point.i, "kJ/kg", "房间的热平衡：送风补偿热负荷 Q_h。"));
        steps.push_back(TemperatureStep(sO, "o'", O->point, *O->t));
    }
    const std::string sH = "加湿";
    const FoundState *L = FindState(out.states, StateName::Lw);
    if (out.dewPoint && out.dewPoint->found) {
        // L' is a state of the process only when the mix is preheated to it;
        // otherwise its enthalpy is the limit the spray is compared with.
        const float tL = static_cast<float>(out.dewPoint->t_L);
        steps.push_back(Words(
            sH, "机器露点温度",
            "从 " + Constant(dew_point_scan::kStartTemperature) + " ℃ 起温度每次升高 "
                + Constant(dew_point_scan::kStep) + " K，求 φ_L' 曲线上含湿量与 d_o' 之差不大于 "
                + SingleText(dew_point_scan::kTolerance) + " g/kg 的温度，共计算 "
                + std::to_string(out.dewPoint->evaluations) + " 个温度；t_L' 以单精度代入下式。",
            SingleText(tL), "℃"));
        steps.back().formula = "t_L'";
        CurveStateSteps(steps, sH, "L'", "φ_L'", static_cast<float>(in.phiL), tL, B,
                        out.dewPoint->L);
    }
    const FoundState *M = FindState(out.states, StateName::M);
    if (M && C && L) {
        StateSteps(steps, sH, *M,
                   "混合点 C' 的焓低于 i_L'，先等湿预热到 i_L'：d_M = d_c'，i_M = i_L'。");
        if (const std::optional<float> t = TemperatureOf(M->point))
            steps.push_back(TemperatureStep(sH, "M", M->point, *t));
    }
    const FoundState *end = out.EndState();
    if (end && C && O) {
        const std::string sub = WinterSub(end->name);
        if (end->name == StateName::M2) {
            steps.push_back(
                Words(sH, "含湿量",
                      "喷蒸汽：先等湿加热到过 O' 的蒸汽线（ε = "
                          + Constant(kSteamEnthalpyPerGram * moist_air::kGramsPerKilogram)
                          + " kJ/kg）上的 M2，d_M2 = d_c'，再喷蒸汽到 O'。",
                      SingleText(end->point.d), "g/kg"));
            steps.back().formula = "d_M2";
            steps.push_back(SingleFormula(
                sH, "焓", "i_M2 = i_o' − " + Constant(kSteamEnthalpyPerGram) + " (d_o' − d_c')",
                Single(O->point.i)
                    - Double(kSteamEnthalpyPerGram) * Difference(O->point.d, C->point.d),
                end->point.i, "kJ/kg",
                "蒸汽带入的焓为每克 " + Constant(kSteamEnthalpyPerGram) + " kJ。"));
        } else if (end->name == StateName::E) {
            StateSteps(steps, sH, *end,
                       "喷循环水：混合点 C' 的焓不低于 i_L'，沿等焓线加湿到送风含湿量：d_E = d_o'，"
                       "i_E = i_c'。");
        } else {
            steps.push_back(Words(sH, "喷循环水", "沿等焓线 i = i_M 加湿到机器露点 L'。"));
        }
        if (end->name != StateName::Lw)
            if (const std::optional<float> t = TemperatureOf(end->point))
                steps.push_back(TemperatureStep(sH, sub, end->point, *t));
    }
    if (!out.loads || !end || !C || !O)
        return steps;
    const WinterLoads &q = *out.loads;
    const std::string sQ = "热量与加湿量";
    const Term G = Double(*out.G);
    const std::string endSub = WinterSub(end->name);
    if (end->name == StateName::M2) {
        steps.push_back(DoubleFormula(sQ, "加热量", "Q_pre = G (i_M2 − i_c')",
                                      G * Difference(end->point.i, C->point.i), q.preheat, "kW",
                                      "由 C' 等湿加热到 M2。"));
        steps.push_back(Words(sQ, "再热量", "喷蒸汽后即为送风状态点 O'，不再加热。",
                              DoubleText(q.reheat), "kW"));
        steps.back().formula = "Q_re";
    } else {
        if (M)
            steps.push_back(DoubleFormula(sQ, "预热量", "Q_pre = G (i_M − i_c')",
                                          G * Difference(M->point.i, C->point.i), q.preheat, "kW"));
        else {
            steps.push_back(Words(sQ, "预热量", "混合点 C' 的焓不低于 i_L'，不预热。",
                                  DoubleText(q.preheat), "kW"));
            steps.back().formula = "Q_pre";
        }
        steps.push_back(
            DoubleFormula(sQ, "再热量", "Q_re = G (i_o' − i_" + endSub + ")",
                          G * Difference(O->point.i, end->point.i), q.reheat, "kW",
                          "由 " + std::string(StateLetter(end->name)) + " 等湿加热到 O'。"));
    }
    steps.push_back(DoubleFormula(sQ, "加热量合计", "Q = Q_pre + Q_re",
                                  Double(q.preheat) + Double(q.reheat), q.heating, "kW"));
    const std::string wetSub = end->name == StateName::M2 ? std::string("o'") : endSub;
    const float wet = end->name == StateName::M2 ? O->point.d : end->point.d;
    steps.push_back(DoubleFormula(
        sQ, "加湿量",
        "W_h = " + Constant(kGramsPerSecondToKilogramsPerHour) + " G (d_" + wetSub + " − d_c')",
        Double(kGramsPerSecondToKilogramsPerHour) * G * Difference(wet, C->point.d), q.humidifier,
        "kg/h", "G (d − d_c') 为每秒加入的水分（g/s），乘 3.6 化为 kg/h。"));
    return steps;
}
