// The calculation steps of the primary-return-air summer design, as the
// calculation sheet lists them: the steps the calculation carried out, in
// its order, each value the text its box shows or would show.

#include "designs/dew_point_scan.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_summer/primary_summer.h"
#include "psychro/moist_air.h"
#include "report/calculation_sheet.h"
#include "report/sheet_steps.h"
#include "text/number_text.h"

#include <string>

using namespace sheet_steps;
using namespace moist_air;

namespace {

// The moisture content on the φ curve at t: the vapour pressure φ · P_qb(t)
// in the moisture formula. P_qb(t) is the saturation pressure over water (over
// ice below 0 ℃) at t; the calculation forms it without showing it.
SheetStep MoistureOnCurve(const std::string &section, const std::string &sub,
                          const std::string &phiSymbol, const std::string &tSymbol,
                          const std::string &phi, const std::string &t, const std::string &B,
                          float d)
{
    const std::string ratio = Constant(kMolarMassRatio);
    const std::string vapour = phiSymbol + " P_qb(" + tSymbol + ")";
    const std::string put = phi + " × P_qb(" + t + ")";
    return {section,
            "含湿量",
            "d_" + sub + " = " + ratio + " " + vapour + " / (B − " + vapour + ")",
            ratio + " × " + put + " / (" + B + " − " + put + ")",
            SingleText(d),
            "g/kg",
            {}};
}

// i = 1.005 t + 0.001 d (2500 + 1.84 t).
SheetStep Enthalpy(const std::string &section, const std::string &sub, const std::string &t,
                   float d, float i)
{
    const std::string ts = "t_" + sub;
    const std::string dry = Constant(kDryAirHeat), perGram = Constant(kKilogramsPerGram),
                      latent = Constant(kLatentHeat), vapour = Constant(kVapourHeat);
    return {section,
            "焓",
            "i_" + sub + " = " + dry + " " + ts + " + " + perGram + " d_" + sub + " (" + latent
                + " + " + vapour + " " + ts + ")",
            dry + " × " + t + " + " + perGram + " × " + Put(d) + " × (" + latent + " + " + vapour
                + " × " + t + ")",
            SingleText(i),
            "kJ/kg",
            {}};
}

// The steps one step of the calculation adds to the sheet.
void AddSteps(std::vector<SheetStep> &steps, PrimaryStep step, const PrimaryOutcome &out, double B)
{
    const SummerInputs &in = *out.inputs;
    const std::string Bt = PutD(B);
    const FoundState *N = FindState(out.states, StateName::N);
    const FoundState *W = FindState(out.states, StateName::W);
    const FoundState *O = FindState(out.states, StateName::O);
    const FoundState *L = FindState(out.states, StateName::L);
    const std::string s = Put(in.s);
    switch (step) {
    case PrimaryStep::Load: {
        // The record taken over: percentages as fractions, W in kg/s, ε = Q / W.
        const std::string take = "设计参数的取用";
        const bool zeroW = in.W < 1e-20f;
        steps.push_back(Words(
            take, "百分数与单位",
            "相对湿度与新风百分比按百分数输入，计算中取小数：φ_n = " + PutD(in.phiN) + "，s = " + s
                + "，φ_L = " + PutD(in.phiL) + "；余湿量由 g/s 换算为 kg/s：W = " + Put(in.W)
                + " kg/s" + (zeroW ? "（余湿量为 0，计算中以极小值代替，热湿比线为竖直线）" : "")
                + "。"));
        steps.push_back({take,
                         "热湿比",
                         "ε = Q / W",
                         PutD(in.Q) + " / " + Put(in.W),
                         DoubleText(in.epsilon),
                         "kJ/kg",
                         {}});
        break;
    }
    case PrimaryStep::Indoor: {
        const std::string sN = "室内状态点 N";
        const std::string tn = Put(*N->t);
        steps.push_back(MoistureOnCurve(sN, "n", "φ_n", "t_n", PutD(in.phiN), tn, Bt, N->point.d));
        steps.back().words = "P_qb(t) 为温度 t 下的饱和水蒸气分压力（Pa），B 为大气压力（Pa）。";
        steps.push_back(Enthalpy(sN, "n", tn, N->point.d, N->point.i));
        break;
    }
    case PrimaryStep::Outdoor: {
        const std::string sW = "室外状态点 W";
        const std::string tw = Put(*W->t);
        steps.push_back(Words(sW, "含湿量",
                              "W 在湿球温度线与干球温度 t_w = " + tw
                                  + " ℃ 的等温线的交点上；湿球温度线过湿球温度 t_s = " + Put(in.ts)
                                  + " ℃ 的饱和状态点，热湿比 ε_s = " + Constant(kWaterHeat)
                                  + " t_s。",
                              SingleText(W->point.d), "g/kg"));
        steps.back().formula = "d_w";
        steps.push_back(Enthalpy(sW, "w", tw, W->point.d, W->point.i));
        break;
    }
    case PrimaryStep::Mixed: {
        // The mixture takes s as the fresh air's share of the supply flow.
        const FoundState *C = FindState(out.states, StateName::C);
        const std::string sC = "混合状态点 C";
        const auto mixed
            = [&](const char *x, float w, float n, float c, const char *what, const char *unit) {
                  const std::string X = x;
                  steps.push_back({sC,
                                   what,
                                   X + "_c = " + X + "_n + s (" + X + "_w − " + X + "_n)",
                                   Put(n) + " + " + s + " × (" + Put(w) + " − " + Put(n) + ")",
                                   SingleText(c),
                                   unit,
                                   {}});
              };
        mixed("d", W->point.d, N->point.d, C->point.d, "含湿量", "g/kg");
        mixed("i", W->point.i, N->point.i, C->point.i, "焓", "kJ/kg");
        break;
    }
    case PrimaryStep::Supply: {
        const std::string sO = "送风状态点 O";
        const std::string to = Put(*O->t);
        const std::string eps = PutD(in.epsilon);
        const std::string perGram = Constant(kGramsPerKilogram), dry = Constant(kDryAirHeat),
                          latent = Constant(kLatentHeatPerGram),
                          vapour = Constant(kVapourHeatPerGram);
        steps.push_back({sO,
                         "送风温度",
                         "t_o = t_n − Δt",
                         Put(*N->t) + " − " + PutD(in.deltaT),
                         DoubleText(out.t_o),
                         "℃",
                         {}});
        steps.push_back({sO, "含湿量",
                         "d_o = (i_n − ε d_n / " + perGram + " − " + dry + " t_o) / (" + latent
                             + " + " + vapour + " t_o − ε / " + perGram + ")",
                         "(" + Put(N->point.i) + " − " + eps + " × " + Put(N->point.d) + " / "
                             + perGram + " − " + dry + " × " + to + ") / (" + latent + " + "
                             + vapour + " × " + to + " − " + eps + " / " + perGram + ")",
                         SingleText(O->point.d), "g/kg",
                         "O 在过 N、热湿比为 ε 的过程线与送风温度 t_o 的等温线的交点上。"});
        steps.push_back(Enthalpy(sO, "o", to, O->point.d, O->point.i));
        break;
    }
    case PrimaryStep::DewPoint: {
        const std::string sL = "机器露点 L";
        const DewPointSearch &scan = *out.dewPoint;
        const std::string search = "从 " + DoubleText(dew_point_scan::kStartTemperature)
            + " ℃ 起，温度每次升高 " + PutD(dew_point_scan::kStep) + " K，求相对湿度 φ_L = "
            + PutD(in.phiL) + " 时的含湿量，直到它与 d_o = " + SingleText(O->point.d)
            + " g/kg 之差不大于 " + SingleText(dew_point_scan::kTolerance) + " g/kg";
        if (!scan.found || !L) {
            steps.push_back(Words(sL, "温度",
                                  search + "。升到 " + PutD(dew_point_scan::kEndTemperature)
                                      + " ℃ 仍不满足（共计算 " + std::to_string(scan.evaluations)
                                      + " 个温度），没有找到机器露点 L。"));
            break;
        }
        const std::string tL = Put(*L->t);
        steps.push_back(Words(sL, "温度",
                              search + "。共计算 " + std::to_string(scan.evaluations)
                                  + " 个温度；t_L 取满足条件的温度再加一个步长。",
                              SingleText(*L->t), "℃"));
        steps.back().formula = "t_L";
        steps.push_back(MoistureOnCurve(sL, "L", "φ_L", "t_L", PutD(in.phiL), tL, Bt, L->point.d));
        steps.push_back(Enthalpy(sL, "L", tL, L->point.d, L->point.i));
        break;
    }
    case PrimaryStep::AirFlows: {
        const std::string sG = "送风量";
        const PrimaryFlows &flows = *out.flows;
        steps.push_back({sG,
                         "根据余热量确定的送风量",
                         "G = Q / (i_n − i_o)",
                         PutD(in.Q) + " / (" + Put(N->point.i) + " − " + Put(O->point.i) + ")",
                         DoubleText(flows.SupplyFlowByHeat),
                         "kg/s",
                         {}});
        steps.push_back({sG,
                         "含湿量差",
                         "Δd = d_n − d_o",
                         Put(N->point.d) + " − " + Put(O->point.d),
                         SingleText(flows.MoistureDifference),
                         "g/kg",
                         {}});
        const std::string perGram = Constant(kGramsPerKilogram);
        if (flows.SupplyFlowByMoisture)
            steps.push_back({sG,
                             "根据余湿量确定的送风量",
                             "G_d = " + perGram + " W / Δd",
                             perGram + " × " + Put(in.W) + " / " + Put(flows.MoistureDifference),
                             SingleText(*flows.SupplyFlowByMoisture),
                             "kg/s",
                             {}});
        else
            steps.push_back(
                Words(sG, "根据余湿量确定的送风量",
                      "送风状态点与室内状态点含湿量相同（Δd = 0），不能由余湿量确定送风量。",
                      primary_texts::kNoResidualMoisture));
        break;
    }
    case PrimaryStep::Loads: {
        const std::string sQ = "冷量与再热量";
        const PrimaryLoads &loads = *out.loads;
        const std::string G = PutD(out.flows->SupplyFlowByHeat);
        steps.push_back({sQ,
                         "室内冷负荷",
                         "Q_1 = G (i_n − i_o)",
                         G + " × (" + Put(N->point.i) + " − " + Put(O->point.i) + ")",
                         DoubleText(loads.Q1),
                         "kW",
                         {}});
        steps.push_back({sQ, "新风冷负荷", "Q_2 = G s (i_w − i_n)",
                         G + " × " + s + " × (" + Put(W->point.i) + " − " + Put(N->point.i) + ")",
                         DoubleText(loads.Q2), "kW", "新风量为送风量的 s 倍。"});
        steps.push_back({sQ, "再热量", "Q_r = G (i_o − i_L)",
                         G + " × (" + Put(O->point.i) + " − " + Put(L->point.i) + ")",
                         SingleText(loads.ReheatLoad), "kW", "由 L 等湿加热到 O。"});
        steps.push_back({sQ,
                         "系统冷量",
                         "Q_0 = Q_1 + Q_2 + Q_r",
                         PutD(loads.Q1) + " + " + PutD(loads.Q2) + " + " + Put(loads.ReheatLoad),
                         DoubleText(loads.SystemCooling),
                         "kW",
                         {}});
        break;
    }
    }
}

} // namespace

std::vector<SheetStep> StepsOf(const PrimaryOutcome &out, double B)
{
    std::vector<SheetStep> steps;
    for (const PrimaryStep step : out.steps)
        AddSteps(steps, step, out, B);
    return steps;
}
