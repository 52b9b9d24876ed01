#include "designs/compute_and_plot.h"

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "designs/primary_winter/winter_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "psychro/arithmetic_fault.h"
#include "text/fault_message.h"
#include "text/main_window_texts.h"
#include "text/prompts.h"

namespace {

// The boxes of a calculation that could not even draw its chart: all empty.
void EmptyBoxes(MainWindowTexts &boxes)
{
    DesignTexts empty;
    WriteBoxes(empty, boxes);
}

std::optional<DesignTexts> Run(ChartView &view, const DesignRequest &request, bool parametersSet,
                               const std::function<void()> &openPrimaryReturnAir,
                               DesignOutcome *kept)
{
    // The work of 重绘: the previous process vanishes with the old drawing.
    // The boxes are about to hold the requested design's results, so its
    // headings come with the new chart.
    view.chart.Precision = 1.0f;
    if (parametersSet)
        view.chart.panel = &HeadingsOf(request.design);
    try {
        DrawChart(view.chart, view.picture, view.boxes);
    } catch (const ArithmeticFault &fault) {
        if (parametersSet)
            EmptyBoxes(view.boxes); // nothing computed
        view.prompts.MsgBox(FaultMessage("绘制焓湿图", fault));
        return std::nullopt;
    }

    if (!parametersSet) {
        view.prompts.MsgBox(compute_messages::kNoParameters);
        if (openPrimaryReturnAir)
            openPrimaryReturnAir();
        return std::nullopt;
    }

    const DesignOutcome outcome = ComputeDesign(request, view.chart.B);
    // An advisory comes once the state it follows is drawn, beside the boxes
    // as they stood then; the calculation has gone on.
    const std::optional<DesignAdvisory> advisory = AdvisoryOf(outcome);
    PlotDesign(outcome, view.picture, [&](StateName drawn) {
        if (advisory && drawn == advisory->after) {
            WriteBoxes(DesignTextsOf(advisory->then), view.boxes);
            view.prompts.MsgBox(advisory->message);
        }
    });
    DesignTexts texts = DesignTextsOf(outcome);
    WriteBoxes(texts, view.boxes);
    // The dots found and every box stand before the message appears.
    if (texts.stop)
        view.prompts.MsgBox(texts.stop->message);
    if (kept)
        *kept = outcome;
    return texts;
}

} // namespace

std::optional<DesignTexts> ComputeAndPlot(ChartView view, const DesignRequest &request,
                                          bool parametersSet,
                                          const std::function<void()> &openPrimaryReturnAir,
                                          DesignOutcome *outcome)
{
    try {
        return Run(view, request, parametersSet, openPrimaryReturnAir, outcome);
    } catch (...) {
        // Nothing may leave a click handler; the chart and the boxes stay as they are.
        try {
            view.prompts.MsgBox(compute_messages::kUnexpected);
        } catch (...) {
        }
    }
    return std::nullopt;
}

const PanelHeadings &HeadingsOf(DesignKind design)
{
    switch (design) {
    case DesignKind::SecondarySummer:
        return kSecondaryPanelHeadings;
    case DesignKind::PrimaryWinter:
        return kWinterPanelHeadings;
    case DesignKind::PrimarySummer:
        break;
    }
    return kPrimaryPanelHeadings;
}
