// The calculation steps of the secondary-return-air summer design and of the
// primary-return-air winter design, as the calculation sheet lists them: in
// the order their calculations compute, each value the text its box shows or
// would show.

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

namespace {

// A state found by the design, given by its result and how it was found.
void StateSteps(std::vector<SheetStep> &steps, const std::string &section, const FoundState &state,
                const std::string &how)
{
    const std::string letter = StateLetter(state.name);
    steps.push_back(Words(section, "含湿量", how, SingleText(state.point.d), "g/kg"));
    steps.back().formula = "d(" + letter + ")";
    steps.push_back(Words(section, "焓", {}, SingleText(state.point.i), "kJ/kg"));
    steps.back().formula = "i(" + letter + ")";
}

} // namespace

std::vector<SheetStep> StepsOf(const SecondaryOutcome &out, double B)
{
    std::vector<SheetStep> steps;
    if (!out.inputs)
        return steps;
    const SummerInputs &in = *out.inputs;
    const std::string states = "状态点 N、W、O";
    steps.push_back(Words(
        states, "取用",
        "N、W、O 与一次回风夏季设计的求法相同（大气压力 B = " + PutD(B)
            + " Pa）：N 由 t_n 与 φ_n，W 由 t_w 与湿球温度 t_s，O 在过 N、热湿比 ε = "
            + DoubleText(in.epsilon) + " kJ/kg 的过程线与 t_o = t_n − Δt 的等温线的交点上。"));
    for (StateName name : {StateName::N, StateName::W, StateName::O})
        if (const FoundState *state = FindState(out.states, name))
            StateSteps(steps, states, *state, {});
    const auto N = out.State(StateName::N), W = out.State(StateName::W),
               O = out.State(StateName::O);
    if (!out.flows || !N || !O)
        return steps;
    const std::string sG = "送风量与机器露点";
    const SecondaryFlows &f = *out.flows;
    steps.push_back({sG,
                     "总送风量",
                     "G = Q / (i_n − i_o)",
                     PutD(in.Q) + " / (" + Put(N->i) + " − " + Put(O->i) + ")",
                     DoubleText(f.G),
                     "kg/s",
                     {}});
    const FoundState *L = FindState(out.states, StateName::L);
    if (out.dewPoint && L) {
        steps.push_back(Words(
            sG, "机器露点温度",
            "从 t_o = " + PutD(out.t_o) + " ℃ 起，温度每次降低 " + Constant(secondary_scan::kStep)
                + " K，直到 φ_L 曲线上的含湿量不再大于过 N "
                  "的热湿比线上的含湿量，共计算 "
                + std::to_string(out.dewPoint->evaluations) + " 个温度。L 在 N、O 连线的延长线上。",
            SingleText(*L->t), "℃"));
        steps.back().formula = "t_L";
        StateSteps(steps, sG, *L, {});
    }
    if (f.G_L)
        steps.push_back({sG, "表冷器风量", "G_L = Q / (i_n − i_L)",
                         PutD(in.Q) + " / (" + Put(N->i) + " − " + Put(L->point.i) + ")",
                         DoubleText(*f.G_L), "kg/s",
                         "由第二次混合的热平衡 G i_o = G_L i_L + G_2 i_n 得出。"});
    if (f.G2)
        steps.push_back({sG,
                         "二次回风量",
                         "G_2 = G − G_L",
                         PutD(f.G) + " − " + PutD(*f.G_L),
                         DoubleText(*f.G2),
                         "kg/s",
                         {}});
    if (f.G_W)
        steps.push_back({sG,
                         "新风量",
                         "G_w = s G",
                         Put(in.s) + " × " + PutD(f.G),
                         DoubleText(*f.G_W),
                         "kg/s",
                         {}});
    if (f.G1)
        steps.push_back({sG,
                         "一次回风量",
                         "G_1 = G_L − G_w",
                         PutD(*f.G_L) + " − " + PutD(*f.G_W),
                         DoubleText(*f.G1),
                         "kg/s",
                         {}});
    const FoundState *C1 = FindState(out.states, StateName::C1);
    if (!C1 || !W || !out.CoilCapacity)
        return steps;
    const std::string sC = "一次混合状态点 C1";
    const double x = *f.G_W / *f.G_L;
    steps.push_back({sC,
                     "含湿量",
                     "d_c1 = d_n + (G_w / G_L)(d_w − d_n)",
                     Put(N->d) + " + " + PutD(x) + " × (" + Put(W->d) + " − " + Put(N->d) + ")",
                     SingleText(C1->point.d),
                     "g/kg",
                     {}});
    steps.push_back({sC,
                     "焓",
                     "i_c1 = i_n + (G_w / G_L)(i_w − i_n)",
                     Put(N->i) + " + " + PutD(x) + " × (" + Put(W->i) + " − " + Put(N->i) + ")",
                     SingleText(C1->point.i),
                     "kJ/kg",
                     {}});
    const std::string sQ = "冷量";
    steps.push_back({sQ, "表冷器冷量", "Q_0 = G_L (i_c1 − i_L)",
                     PutD(*f.G_L) + " × (" + Put(C1->point.i) + " − " + Put(L->point.i) + ")",
                     DoubleText(*out.CoilCapacity), "kW", "无再热：送风状态 O 由第二次混合得到。"});
    if (out.primary && out.Saving())
        steps.push_back({sQ, "节省冷量", "ΔQ = Q_0(一次回风) − Q_0",
                         PutD(out.primary->SystemCooling1) + " − " + PutD(*out.CoilCapacity),
                         DoubleText(*out.Saving()), "kW",
                         "与同一参数的一次回风设计（机器露点 "
                             + SingleText(static_cast<float>(out.primary->t_L1)) + " ℃，再热量 "
                             + SingleText(out.primary->ReheatLoad1)
                             + " kW）相比，节省的冷量等于其再热量。"});
    else
        steps.push_back(Words(sQ, "节省冷量", "一次回风设计找不到机器露点，无从比较。", kNoValue));
    return steps;
}

std::vector<SheetStep> StepsOf(const WinterOutcome &out, double B)
{
    std::vector<SheetStep> steps;
    const std::string sG = "送风量";
    if (!out.G)
        return steps;
    steps.push_back(
        Words(sG, "送风量（同夏季）",
              "送风量取夏季一次回风设计的 G = Q / (i_n − i_o)（大气压力 B = " + PutD(B) + " Pa）。",
              DoubleText(*out.G), "kg/s"));
    if (!out.inputs)
        return steps;
    const WinterInputs &in = *out.inputs;
    steps.push_back({sG,
                     "冬季热湿比",
                     "ε' = −Q_h / W'",
                     "−" + PutD(in.Qh) + " / " + Put(in.W),
                     DoubleText(in.epsilon),
                     "kJ/kg",
                     {}});
    const auto N = out.State(StateName::Nw), W = out.State(StateName::Ww),
               C = out.State(StateName::Cw), O = out.State(StateName::Ow);
    const std::string states = "冬季状态点";
    for (StateName name : {StateName::Nw, StateName::Ww})
        if (const FoundState *state = FindState(out.states, name))
            StateSteps(steps, states, *state,
                       name == StateName::Nw ? "由 t_n' 与 φ_n' 求得。"
                                             : "由 t_w' 与 φ_w' 求得（0 ℃ 以下按冰面饱和压力）。");
    if (C && N && W) {
        steps.push_back(
            {states,
             "混合点含湿量",
             "d_c' = d_n' + s' (d_w' − d_n')",
             Put(N->d) + " + " + Put(in.s) + " × (" + Put(W->d) + " − " + Put(N->d) + ")",
             SingleText(C->d),
             "g/kg",
             {}});
        steps.push_back(
            {states, "混合点焓", "i_c' = i_n' + s' (i_w' − i_n')",
             Put(N->i) + " + " + Put(in.s) + " × (" + Put(W->i) + " − " + Put(N->i) + ")",
             SingleText(C->i), "kJ/kg", out.advisory ? *out.advisory : std::string()});
    }
    if (O && N) {
        steps.push_back({states,
                         "送风含湿量",
                         "d_o' = d_n' − " + Constant(moist_air::kGramsPerKilogram) + " W' / G",
                         Put(N->d) + " − " + Constant(moist_air::kGramsPerKilogram) + " × "
                             + Put(in.W) + " / " + PutD(*out.G),
                         SingleText(O->d),
                         "g/kg",
                         {}});
        steps.push_back({states,
                         "送风焓",
                         "i_o' = i_n' + Q_h / G",
                         Put(N->i) + " + " + PutD(in.Qh) + " / " + PutD(*out.G),
                         SingleText(O->i),
                         "kJ/kg",
                         {}});
    }
    if (out.dewPoint && out.dewPoint->found)
        steps.push_back(Words("加湿", "机器露点温度",
                              "从 " + Constant(dew_point_scan::kStartTemperature)
                                  + " ℃ 起温度每次升高 " + Constant(dew_point_scan::kStep)
                                  + " K，求 φ_L' 曲线上含湿量与 d_o' 之差不大于 "
                                  + SingleText(dew_point_scan::kTolerance) + " g/kg 的温度，共计算 "
                                  + std::to_string(out.dewPoint->evaluations) + " 个温度。",
                              SingleText(static_cast<float>(out.dewPoint->t_L)), "℃"));
    if (const FoundState *M = FindState(out.states, StateName::M))
        StateSteps(steps, "加湿", *M, "混合点 C' 的焓低于 i_L'，先等湿预热到 i_L'。");
    if (const FoundState *end = out.EndState())
        StateSteps(steps, "加湿", *end,
                   in.mode == Humidifier::Steam ? "喷蒸汽：等湿加热到过 O' 的蒸汽线（ε = "
                           + Constant(kSteamEnthalpyPerGram * moist_air::kGramsPerKilogram)
                           + " kJ/kg）上。"
                                                : "喷循环水：沿等焓线加湿。");
    if (!out.loads)
        return steps;
    const WinterLoads &q = *out.loads;
    const std::string sQ = "热量与加湿量";
    steps.push_back(Words(sQ, "预热量", "Q_pre = G (i_M − i_c')", DoubleText(q.preheat), "kW"));
    steps.push_back(Words(sQ, "再热量", "Q_re = G (i_o' − i_E)", DoubleText(q.reheat), "kW"));
    steps.push_back({sQ,
                     "加热量合计",
                     "Q = Q_pre + Q_re",
                     PutD(q.preheat) + " + " + PutD(q.reheat),
                     DoubleText(q.heating),
                     "kW",
                     {}});
    steps.push_back(Words(sQ, "加湿量",
                          Constant(kGramsPerSecondToKilogramsPerHour) + " G (d_E − d_c')",
                          DoubleText(q.humidifier), "kg/h"));
    return steps;
}
