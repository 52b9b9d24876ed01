#include "designs/primary_summer/primary_presentation.h"

#include "designs/plotting.h"
#include "designs/primary_summer/primary_summer.h"
#include "text/number_text.h"

#include <string>

namespace {

// The state boxes list N, W, C, L, O; the full table N, W, C, O, L.
constexpr std::array<StateName, 5> kBoxOrder
    = {StateName::N, StateName::W, StateName::C, StateName::L, StateName::O};
const std::vector<TableState> kTableOrder = {{StateName::N, "室内状态点 N"},
                                             {StateName::W, "室外状态点 W"},
                                             {StateName::C, "混合状态点 C"},
                                             {StateName::O, "送风状态点 O"},
                                             {StateName::L, "机器露点 L"}};

} // namespace

void PlotPrimarySummer(const PrimaryOutcome &out, Surface &picture)
{
    for (const FoundState &state : out.states) {
        if (state.name == StateName::L)
            MarkMachineDewPoint(picture, state.point);
        else
            MarkState(picture, state.point);
    }
    const auto L = out.State(StateName::L);
    if (!L) {
        LabelStates(picture, LabelsOf(out.states, StateName::L, false), {});
        return;
    }
    const StatePoint N = *out.State(StateName::N), W = *out.State(StateName::W),
                     C = *out.State(StateName::C), O = *out.State(StateName::O);
    // The mixing line, the room's process line, the reheat, the cooling and drying.
    const std::vector<ChartLine> lines = {{N, W}, {N, O}, {O, *L}, {C, *L}};
    DrawProcessLines(picture, lines);
    DrawFinalPoints(picture, {N, W, C, O}, *L);
    LabelStates(picture, LabelsOf(out.states, StateName::L, true), lines);
}

DesignTexts PrimarySummerTexts(const PrimaryOutcome &out)
{
    DesignTexts texts;
    texts.design = DesignKind::PrimarySummer;
    texts.stop = out.stop;

    const bool flows = out.flows.has_value();
    const bool loads = out.loads.has_value();
    const bool noResidualMoisture = flows && !out.flows->SupplyFlowByMoisture;
    const std::string moistureFlow = !flows ? std::string()
        : noResidualMoisture                ? std::string(primary_texts::kNoResidualMoisture)
                                            : SingleText(*out.flows->SupplyFlowByMoisture);
    texts.results = {
        flows ? DoubleText(out.flows->SupplyFlowByHeat) : "",
        moistureFlow,
        out.inputs ? DoubleText(out.inputs->epsilon) : "",
        loads ? DoubleText(out.loads->Q1) : "",
        loads ? DoubleText(out.loads->Q2) : "",
        loads ? SingleText(out.loads->ReheatLoad) : "",
        loads ? DoubleText(out.loads->SystemCooling) : "",
    };

    FillStateTexts(texts, out.states, kBoxOrder, kTableOrder);

    using Where = QuantityText::Where;
    const std::string evaluations
        = out.dewPoint ? std::to_string(out.dewPoint->evaluations) : std::string();
    texts.quantities = {
        {"根据余热量确定的送风量", texts.results[0], "kg/s", "supplyFlowByHeat"},
        {"根据余湿量确定的送风量", texts.results[1], "kg/s", "supplyFlowByMoisture"},
        {"余湿量为0", noResidualMoisture ? "true" : "false", "", "noResidualMoisture",
         Where::JsonOnly, true},
        {"热湿比ε", texts.results[2], "kJ/kg", "heatMoistureRatio"},
        {"室内冷负荷 Q1", texts.results[3], "kW", "Q1"},
        {"新风冷负荷 Q2", texts.results[4], "kW", "Q2"},
        {"再热量", texts.results[5], "kW", "reheat"},
        {"系统冷量", texts.results[6], "kW", "systemCooling"},
        {"机器露点搜索的温度个数", evaluations, "", "dewPointEvaluations", Where::NotInRows},
    };
    return texts;
}
