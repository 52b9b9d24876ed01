#include "designs/secondary_summer/secondary_presentation.h"

#include "designs/plotting.h"
#include "designs/secondary_summer/secondary_summer.h"
#include "text/number_text.h"

#include <string>

const PanelHeadings kSecondaryPanelHeadings = {
    "      \u3000\u3000\u3000 总送风量G:          kg/s",
    "      \u3000\u3000表冷器风量G_L:          kg/s",
    "      \u3000\u3000 一次回风量G1:          kg/s",
    "      \u3000\u3000 二次回风量G2:          kg/s",
    "      \u3000\u3000\u3000 新风量Gw:          kg/s",
    "      \u3000\u3000表冷器冷量Q0:           kw",
    "      \u3000\u3000 节省冷量ΔQ:           kw",
};

namespace {

// The state boxes list N, W, C1 (in the C boxes), L, O; the full table N, W, C1, O, L.
constexpr std::array<StateName, 5> kBoxOrder
    = {StateName::N, StateName::W, StateName::C1, StateName::L, StateName::O};
const std::vector<TableState> kTableOrder = {{StateName::N, "室内状态点 N"},
                                             {StateName::W, "室外状态点 W"},
                                             {StateName::C1, "一次混合状态点 C1"},
                                             {StateName::O, "送风状态点 O"},
                                             {StateName::L, "机器露点 L"}};

std::string Flow(const std::optional<double> &flow)
{
    return flow ? DoubleText(*flow) : std::string();
}

} // namespace

void PlotSecondarySummer(const SecondaryOutcome &out, Surface &picture)
{
    for (const FoundState &state : out.states) {
        if (state.name == StateName::L)
            MarkMachineDewPoint(picture, state.point);
        else
            MarkState(picture, state.point);
    }
    if (out.stop || !out.State(StateName::C1)) {
        LabelStates(picture, LabelsOf(out.states, StateName::L, false), {});
        return;
    }
    const StatePoint N = *out.State(StateName::N), W = *out.State(StateName::W),
                     C1 = *out.State(StateName::C1), O = *out.State(StateName::O),
                     L = *out.State(StateName::L);
    // The mixing line (C1 lies on it), the coil, and the second mix, which is
    // one straight line with the room's process line through O.
    const std::vector<ChartLine> lines = {{N, W}, {C1, L}, {L, N}};
    DrawProcessLines(picture, lines);
    DrawFinalPoints(picture, {N, W, C1, O}, L);
    // O lies on the line L–N: its letter keeps clear of that line too.
    LabelStates(picture, LabelsOf(out.states, StateName::L, true),
                {{N, W}, {C1, L}, {L, N}, {O, N}, {O, L}});
}

DesignTexts SecondarySummerTexts(const SecondaryOutcome &out)
{
    DesignTexts texts;
    texts.design = DesignKind::SecondarySummer;
    texts.stop = out.stop;
    texts.statesAfterQuantities = true;

    const bool flows = out.flows.has_value();
    const std::string saving = !out.CoilCapacity ? std::string()
        : out.Saving()                           ? DoubleText(*out.Saving())
        : out.compared                           ? std::string(kNoValue)
                                                 : std::string();
    const std::string share = !out.CoilCapacity ? std::string()
        : out.SavingShare()                     ? SingleText(*out.SavingShare())
        : out.compared                          ? std::string(kNoValue)
                                                : std::string();
    texts.results = {
        flows ? DoubleText(out.flows->G) : "",
        flows ? Flow(out.flows->G_L) : "",
        flows ? Flow(out.flows->G1) : "",
        flows ? Flow(out.flows->G2) : "",
        flows ? Flow(out.flows->G_W) : "",
        out.CoilCapacity ? DoubleText(*out.CoilCapacity) : "",
        saving,
    };

    FillStateTexts(texts, out.states, kBoxOrder, kTableOrder);

    const std::string tL
        = out.dewPoint ? SingleText(static_cast<float>(out.dewPoint->t_L)) : std::string();
    // ε is known with G, as in the primary design's boxes.
    const std::string epsilon = flows ? DoubleText(out.inputs->epsilon) : std::string();
    texts.quantities = {
        {"总送风量G", texts.results[0], "kg/s", "G"},
        {"表冷器风量G_L", texts.results[1], "kg/s", "G_L"},
        {"一次回风量G1", texts.results[2], "kg/s", "G1"},
        {"二次回风量G2", texts.results[3], "kg/s", "G2"},
        {"新风量Gw", texts.results[4], "kg/s", "G_W"},
        {"表冷器冷量Q0", texts.results[5], "kW", "coilCapacity"},
        {"节省冷量ΔQ", texts.results[6], "kW", "saving"},
        {"节省比例η", share, "%", "savingShare"},
        {"机器露点温度t_L", tL, "℃", "t_L"},
        {"热湿比ε", epsilon, "kJ/kg", "heatMoistureRatio"},
    };
    return texts;
}
