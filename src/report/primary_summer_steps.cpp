// The calculation steps of the primary-return-air summer design, as the
// calculation sheet lists them: the steps the calculation carried out, in
// its order, each result to the digits its printed numbers support.

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
using sheet_numbers::Difference;
using sheet_numbers::SingleOperandText;

namespace {

// The steps one step of the calculation adds to the sheet.
void AddSteps(std::vector<SheetStep> &steps, PrimaryStep step, const PrimaryOutcome &out, double B)
{
    const SummerInputs &in = *out.inputs;
    const FoundState *N = FindState(out.states, StateName::N);
    const FoundState *W = FindState(out.states, StateName::W);
    const FoundState *O = FindState(out.states, StateName::O);
    const FoundState *L = FindState(out.states, StateName::L);
    switch (step) {
    case PrimaryStep::Load:
        SummerInputSteps(steps, in);
        break;
    case PrimaryStep::Indoor:
        IndoorSteps(steps, in, out.states, B);
        break;
    case PrimaryStep::Outdoor:
        OutdoorSteps(steps, in, out.states, B);
        break;
    case PrimaryStep::Mixed:
        // The mixture takes s as the fresh air's share of the supply flow.
        if (const FoundState *C = FindState(out.states, StateName::C))
            MixedSteps(steps, "混合状态点 C", "c", "n", "w", "s", Single(in.s), N->point, W->point,
                       C->point);
        break;
    case PrimaryStep::Supply:
        SupplySteps(steps, in, out.t_o, out.states);
        break;
    case PrimaryStep::DewPoint: {
        const std::string sL = "机器露点 L";
        const DewPointSearch &scan = *out.dewPoint;
        const float phiL = static_cast<float>(in.phiL);
        const std::string search = "从 " + DoubleText(dew_point_scan::kStartTemperature)
            + " ℃ 起，温度每次升高 " + DoubleText(dew_point_scan::kStep) + " K，求相对湿度 φ_L = "
            + SingleOperandText(phiL) + " 时的含湿量，直到它与 d_o = " + SingleText(O->point.d)
            + " g/kg 之差不大于 " + SingleText(dew_point_scan::kTolerance) + " g/kg";
        if (!scan.found || !L || !L->t) {
            steps.push_back(Words(sL, "温度",
                                  search + "。升到 " + DoubleText(dew_point_scan::kEndTemperature)
                                      + " ℃ 仍不满足（共计算 " + std::to_string(scan.evaluations)
                                      + " 个温度），没有找到机器露点 L。"));
            break;
        }
        steps.push_back(Words(sL, "温度",
                              search + "。共计算 " + std::to_string(scan.evaluations)
                                  + " 个温度；t_L 取满足条件的温度再加一个步长，以单精度代入下式。",
                              SingleText(*L->t), "℃"));
        steps.back().formula = "t_L";
        CurveStateSteps(steps, sL, "L", "φ_L", phiL, *L->t, B, L->point);
        break;
    }
    case PrimaryStep::AirFlows: {
        const std::string sG = "送风量";
        const PrimaryFlows &flows = *out.flows;
        steps.push_back(DoubleFormula(sG, "根据余热量确定的送风量", "G = Q / (i_n − i_o)",
                                      Double(in.Q) / Difference(N->point.i, O->point.i),
                                      flows.SupplyFlowByHeat, "kg/s"));
        steps.push_back(SingleFormula(
            sG, "含湿量差", "Δd = d_n − d_o", Difference(N->point.d, O->point.d),
            flows.MoistureDifference, "g/kg",
            "两个相近的数相减，代入的数多写几位，使差保留有效数字；下一步代入这个差。"));
        const std::string perGram = Constant(kGramsPerKilogram);
        if (flows.SupplyFlowByMoisture)
            steps.push_back(SingleFormula(
                sG, "根据余湿量确定的送风量", "G_d = " + perGram + " W / Δd",
                Double(kGramsPerKilogram) * Single(in.W) / Single(flows.MoistureDifference),
                *flows.SupplyFlowByMoisture, "kg/s"));
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
        const Term G = Double(out.flows->SupplyFlowByHeat);
        steps.push_back(DoubleFormula(sQ, "室内冷负荷", "Q_1 = G (i_n − i_o)",
                                      G * Difference(N->point.i, O->point.i), loads.Q1, "kW"));
        steps.push_back(DoubleFormula(sQ, "新风冷负荷", "Q_2 = G s (i_w − i_n)",
                                      G * Single(in.s) * Difference(W->point.i, N->point.i),
                                      loads.Q2, "kW", "新风量为送风量的 s 倍。"));
        steps.push_back(SingleFormula(sQ, "再热量", "Q_r = G (i_o − i_L)",
                                      G * Difference(O->point.i, L->point.i), loads.ReheatLoad,
                                      "kW", "由 L 等湿加热到 O。"));
        steps.push_back(
            DoubleFormula(sQ, "系统冷量", "Q_0 = Q_1 + Q_2 + Q_r",
                          Double(loads.Q1) + Double(loads.Q2) + Single(loads.ReheatLoad),
                          loads.SystemCooling, "kW"));
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
