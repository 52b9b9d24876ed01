#include "process/compute_and_plot.h"

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "process/process_calculation.h"
#include "process/process_plot.h"
#include "process/process_state.h"
#include "psychro/arithmetic_fault.h"
#include "ui/fault_message.h"
#include "ui/main_window_texts.h"
#include "ui/number_text.h"
#include "ui/prompts.h"

#include <string>

namespace {

// The steps of the calculation, so that a fault can be told by where it arose.
enum class Stage { Load, Indoor, Outdoor, Mixed, Supply, DewPoint, AirFlows, Loads };

// What the user is told the calculation was doing when a fault stopped it.
const char *Activity(Stage stage)
{
    switch (stage) {
    case Stage::Load:
        return "读取设计参数";
    case Stage::Indoor:
        return "计算室内状态点N";
    case Stage::Outdoor:
        return "计算室外状态点W";
    case Stage::Mixed:
        return "计算混合状态点C";
    case Stage::Supply:
        return "计算送风状态点O";
    case Stage::DewPoint:
        return "寻找机器露点L";
    case Stage::AirFlows:
        return "计算送风量";
    case Stage::Loads:
        return "计算冷负荷";
    }
    return "一次回风计算";
}

// The message for a fault: the cause in the user's terms where the parameters
// can produce it, otherwise the step, the kind of fault and the quantity.
std::string CauseMessage(Stage stage, const ArithmeticFault &fault)
{
    namespace msg = compute_messages;
    const bool zeroDivisor = fault.kind() == ArithmeticFault::Kind::DivisionByZero;

    switch (fault.cause()) {
    case FaultCause::MoistureFromVapourPressure:
        if (stage == Stage::Indoor)
            return msg::kIndoorVapourPressure;
        if (stage == Stage::Outdoor)
            return msg::kWetBulbVapourPressure;
        if (stage == Stage::DewPoint)
            return msg::kDewPointVapourPressure;
        break;
    case FaultCause::MixedValue:
        if (zeroDivisor)
            return msg::kFreshAirShare;
        break;
    case FaultCause::ProcessLine:
        if (zeroDivisor && stage == Stage::Outdoor)
            return msg::kWetBulbLineParallel;
        if (zeroDivisor && stage == Stage::Supply)
            return msg::kProcessLineParallel;
        break;
    case FaultCause::SupplyFlowByHeat:
        if (zeroDivisor)
            return msg::kEqualEnthalpy;
        break;
    default:
        break;
    }
    return FaultMessage(Activity(stage), fault);
}

// How far a calculation got: which result boxes hold this run's values.
struct Progress {
    Stage stage = Stage::Load;
    bool epsilonKnown = false;
    int knownStates = 0; // of N, W, C, O, L in the order they are found
    bool flowsWritten = false; // the loads come last: no stop follows their texts
};

// Runs the calculation, drawing and writing as it goes. Answers false when the
// machine dew point cannot be found; an arithmetic fault propagates with the
// progress recorded.
bool Calculate(ComputeContext &c, Progress &progress)
{
    ProcessState &s = c.process;
    Surface &picture = c.picture;
    const double B = c.chart.B;

    progress.stage = Stage::Load;
    s.dewPointEvaluations = 0;
    LoadDesignParameters(s, c.parameters);
    progress.epsilonKnown = true;

    progress.stage = Stage::Indoor;
    ComputeIndoorState(s, B);
    progress.knownStates = 1;
    MarkState(picture, s.d_n, s.i_n);

    progress.stage = Stage::Outdoor;
    ComputeOutdoorState(s, B);
    progress.knownStates = 2;
    MarkState(picture, s.d_w, s.i_w);

    progress.stage = Stage::Mixed;
    ComputeMixedState(s);
    progress.knownStates = 3;
    MarkState(picture, s.d_c, s.i_c);

    progress.stage = Stage::Supply;
    ComputeSupplyState(s);
    progress.knownStates = 4;
    MarkState(picture, s.d_o, s.i_o);

    progress.stage = Stage::DewPoint;
    const DewPointSearch search = FindMachineDewPoint(s, B);
    s.dewPointEvaluations = search.evaluations;
    if (!search.found) {
        // Without L there is no cooling line, no reheat and no load to speak of.
        return false;
    }
    progress.knownStates = 5;
    MarkMachineDewPoint(picture, s.d_L, s.i_L);

    DrawProcessLines(picture, s);
    DrawProcessPoints(picture, s);

    progress.stage = Stage::AirFlows;
    ComputeAirFlows(s);
    WriteAirFlowTexts(c.texts, s);
    progress.flowsWritten = true;

    progress.stage = Stage::Loads;
    ComputeLoads(s);
    WriteLoadTexts(c.texts, s);

    ShowStateValues(c.texts, s);
    return true;
}

// After a stop: every box shows this run's value or nothing, never an old one.
// The two supply flows and the heat-moisture ratio are written together once
// the flows are known, the ratio alone before that when it is known.
void ShowStoppedResults(MainWindowTexts &texts, const ProcessState &s, const Progress &progress)
{
    if (!progress.flowsWritten) {
        texts.SetResultBox(ResultBox::SupplyFlowByHeat, "");
        texts.SetResultBox(ResultBox::SupplyFlowByMoisture, "");
        texts.SetResultBox(ResultBox::HeatMoistureRatio,
                           progress.epsilonKnown ? DoubleText(s.epsilon) : std::string());
    }
    for (ResultBox box :
         {ResultBox::Q1, ResultBox::Q2, ResultBox::Reheat, ResultBox::SystemCooling})
        texts.SetResultBox(box, "");
    ShowKnownStateValues(texts, s, progress.knownStates);
}

void Run(ComputeContext &c)
{
    // The work of 重绘: the previous process vanishes with the old drawing.
    c.chart.Precision = 1.0f;
    try {
        DrawChart(c.chart, c.picture, c.texts);
    } catch (const ArithmeticFault &fault) {
        if (c.ParametersSet)
            ShowStoppedResults(c.texts, c.process, Progress {}); // nothing computed
        c.prompts.MsgBox(FaultMessage("绘制焓湿图", fault));
        return;
    }

    if (!c.ParametersSet) {
        c.prompts.MsgBox(compute_messages::kNoParameters);
        if (c.openPrimaryReturnAir)
            c.openPrimaryReturnAir();
        return;
    }

    Progress progress;
    std::string message;
    try {
        if (Calculate(c, progress))
            return;
        message = compute_messages::kDewPointNotFound;
    } catch (const ArithmeticFault &fault) {
        message = CauseMessage(progress.stage, fault);
    }
    // Clear first, so that no old value stands beside the message.
    ShowStoppedResults(c.texts, c.process, progress);
    c.prompts.MsgBox(message);
}

} // namespace

void ComputeAndPlot(ComputeContext &context)
{
    try {
        Run(context);
    } catch (...) {
        // Nothing may leave a click handler; the chart and the boxes stay as they are.
        try {
            context.prompts.MsgBox(compute_messages::kUnexpected);
        } catch (...) {
        }
    }
}
