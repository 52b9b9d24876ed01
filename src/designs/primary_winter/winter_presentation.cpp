#include "designs/primary_winter/winter_presentation.h"

#include "chart/chart_drawing.h"
#include "chart/panel_texts.h"
#include "designs/plotting.h"
#include "designs/primary_winter/primary_winter.h"
#include "draw/surface.h"
#include "text/number_text.h"

#include <string>

namespace {

std::string DText(const FoundState *state)
{
    return state ? SingleText(state->point.d) : std::string();
}
std::string IText(const FoundState *state)
{
    return state ? SingleText(state->point.i) : std::string();
}

// The table's title of a state.
const char *Title(StateName name)
{
    switch (name) {
    case StateName::Nw:
        return "冬季室内状态点 N'";
    case StateName::Ww:
        return "冬季室外状态点 W'";
    case StateName::Cw:
        return "冬季混合状态点 C'";
    case StateName::M:
        return "预热后状态点 M";
    case StateName::Lw:
        return "冬季机器露点 L'";
    case StateName::E:
        return "加湿终状态点 E";
    case StateName::M2:
        return "加热终状态点 M2";
    case StateName::Ow:
        return "冬季送风状态点 O'";
    default:
        return "";
    }
}

// After the chart's legend, on its line: what the cyan dot is.
void PrintSteamLegend(Surface &picture)
{
    const float fontSize = picture.FontSize();
    const Rgb colour = picture.ForeColor();
    picture.SetFontSize(kChartLegendPoints);
    const ScaleMap &map = picture.Map();
    picture.SetCurrentX(static_cast<float>(map.FromPixelX(
        map.ToPixelX(kChartLegendX) + PrintedWidthAtMost(kChartLegend, kChartLegendPoints))));
    picture.SetCurrentY(kChartLegendY);
    picture.SetForeColor(kSteamStateColour);
    picture.Print(kSteamStateLegend);
    picture.SetForeColor(colour);
    picture.SetFontSize(fontSize);
}

// The end state the outcome has or would have: L' or E with spray, M2 with steam.
StateName EndStateName(const WinterOutcome &out)
{
    if (const FoundState *end = out.EndState())
        return end->name;
    if (out.inputs && out.inputs->mode == Humidifier::Steam)
        return StateName::M2;
    return StateName::Lw;
}

} // namespace

const char *HumidifierText(Humidifier humidifier)
{
    return humidifier == Humidifier::Steam ? "喷蒸汽" : "喷循环水";
}

void PlotPrimaryWinter(const WinterOutcome &out, Surface &picture,
                       const std::function<void(StateName)> &afterDot)
{
    const FoundState *end = out.EndState();
    for (const FoundState &state : out.states) {
        if (end && state.name == end->name)
            MarkMachineDewPoint(picture, state.point);
        else
            MarkState(picture, state.point);
        if (afterDot)
            afterDot(state.name);
    }
    if (!out.loads || !end) {
        LabelStates(picture, LabelsOf(out.states, end ? end->name : StateName::Lw, false), {});
        return;
    }
    const StatePoint N = *out.State(StateName::Nw), W = *out.State(StateName::Ww),
                     C = *out.State(StateName::Cw), O = *out.State(StateName::Ow), E = end->point;
    std::vector<ChartLine> lines;
    if (end->name == StateName::M2) {
        // Heating to the steam line, the steam, the room.
        lines = {{N, W}, {C, E}, {E, O}, {O, N}};
        DrawProcessLines(picture, lines);
        DrawFinalPoints(picture, {N, W, C, O}, E, kSteamStateColour);
        LabelStates(picture, LabelsOf(out.states, end->name, true, kSteamStateColour), lines);
        PrintSteamLegend(picture);
        return;
    } else if (const std::optional<StatePoint> M = out.State(StateName::M)) {
        // The mixing, the preheat, the spray, the reheat, the room.
        lines = {{N, W}, {C, *M}, {*M, E}, {E, O}, {O, N}};
        DrawProcessLines(picture, lines);
        DrawFinalPoints(picture, {N, W, C, O, *M}, E);
    } else {
        lines = {{N, W}, {C, E}, {E, O}, {O, N}};
        DrawProcessLines(picture, lines);
        DrawFinalPoints(picture, {N, W, C, O}, E);
    }
    LabelStates(picture, LabelsOf(out.states, end->name, true), lines);
}

DesignTexts WinterTexts(const WinterOutcome &out)
{
    DesignTexts texts;
    texts.design = DesignKind::PrimaryWinter;
    texts.stop = out.stop;

    const bool loads = out.loads.has_value();
    texts.results = {
        out.G ? DoubleText(*out.G) : "",
        out.inputs ? DoubleText(out.inputs->epsilon) : "",
        out.t_o ? SingleText(*out.t_o) : "",
        out.preheat ? DoubleText(*out.preheat) : "",
        loads ? DoubleText(out.loads->reheat) : "",
        loads ? DoubleText(out.loads->heating) : "",
        loads ? DoubleText(out.loads->humidifier) : "",
    };

    const FoundState *end = out.EndState();
    const StateName boxOrder[]
        = {StateName::Nw, StateName::Ww, StateName::Cw, EndStateName(out), StateName::Ow};
    for (int k = 0; k < 5; ++k) {
        const FoundState *state = FindState(out.states, boxOrder[k]);
        texts.states[2 * k] = DText(state);
        texts.states[2 * k + 1] = IText(state);
    }

    // The table in the order of the process; M only when the mix is preheated.
    std::vector<StateName> tableOrder = {StateName::Nw, StateName::Ww, StateName::Cw};
    if (out.preheated)
        tableOrder.push_back(StateName::M);
    tableOrder.push_back(EndStateName(out));
    tableOrder.push_back(StateName::Ow);
    for (StateName name : tableOrder) {
        const FoundState *state = FindState(out.states, name);
        texts.stateRows.push_back({Title(name), StateLetter(name),
                                   state ? TemperatureText(*state) : std::string(), DText(state),
                                   IText(state)});
    }

    using Where = QuantityText::Where;
    const std::string evaluations
        = out.dewPoint ? std::to_string(out.dewPoint->evaluations) : std::string();
    QuantityText humidifier {"加湿方式", out.inputs ? HumidifierText(out.inputs->mode) : "", "",
                             "humidifier"};
    humidifier.textual = true;
    texts.quantities = {
        {"送风量G(同夏季)", texts.results[0], "kg/s", "supplyFlow"},
        {"冬季热湿比ε'", texts.results[1], "kJ/kg", "heatMoistureRatio"},
        {"冬季送风温度to'", texts.results[2], "℃", "supplyTemperature"},
        {"预热量Qp", texts.results[3], "kW", "preheat"},
        {"再热量Qr", texts.results[4], "kW", "reheat"},
        {"加热量合计", texts.results[5], "kW", "heating"},
        {"加湿量", texts.results[6], "kg/h", "humidifierOutput"},
        {"终状态点温度tL'", end ? TemperatureText(*end) : std::string(), "℃",
         "endStateTemperature"},
        humidifier,
        {"机器露点搜索的温度个数", evaluations, "", "dewPointEvaluations", Where::NotInRows},
    };
    return texts;
}

WinterOutcome WinterOutcomeAtAdvisory(const WinterOutcome &outcome)
{
    WinterOutcome then;
    then.G = outcome.G;
    then.inputs = outcome.inputs;
    then.advisory = outcome.advisory;
    for (const FoundState &state : outcome.states) {
        then.states.push_back(state);
        if (state.name == StateName::Cw)
            break;
    }
    return then;
}
