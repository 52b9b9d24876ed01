#include "project/chart_layers.h"

#include "chart/chart_drawing.h"
#include "designs/primary_winter/winter_presentation.h"
#include "designs/secondary_summer/secondary_presentation.h"
#include "psychro/arithmetic_fault.h"
#include "readout/state_points.h"
#include "text/fault_message.h"

namespace {

// The picture while a message of the button is shown: the points are not
// back over the new chart yet.
LayerExtent WithoutPoints(LayerExtent extent = kWholeScene)
{
    extent[static_cast<std::size_t>(SceneLayer::Points)] = 0;
    return extent;
}

void Calculate(CalculationDisplay &display, Scene &scene, ChartState &chart, StatePoints &points,
               BoxTexts &boxes, const DesignRequest &request, bool parametersSet)
{
    // The work of 重绘: the previous process vanishes with the old drawing.
    // The boxes are about to hold the requested design's results, so its
    // headings come with the new chart.
    chart.Precision = kCalculationPrecision;
    if (parametersSet)
        chart.panel = &HeadingsOf(request.design);
    try {
        DrawChartLayer(scene, chart, points, boxes);
    } catch (const ArithmeticFault &fault) {
        if (parametersSet)
            WriteBoxes(DesignTexts(), boxes); // nothing computed
        display.moments.push_back({WithoutPoints(), boxes, FaultMessage("绘制焓湿图", fault)});
        return;
    }

    if (!parametersSet) {
        display.moments.push_back({WithoutPoints(), boxes, compute_messages::kNoParameters});
        display.openPrimaryReturnAir = true;
        return;
    }

    const DesignOutcome &outcome = display.outcome.emplace(ComputeDesign(request, chart.B));
    // An advisory comes once the state it follows is drawn, beside the boxes
    // as they stood then; the calculation has gone on.
    const std::optional<DesignAdvisory> advisory = AdvisoryOf(outcome);
    scene.SetLayer(SceneLayer::Process);
    PlotDesign(outcome, scene, [&](StateName drawn) {
        if (!advisory || drawn != advisory->after)
            return;
        LayerExtent shown = WithoutPoints();
        shown[static_cast<std::size_t>(SceneLayer::Process)]
            = scene.Ops(SceneLayer::Process).size();
        BoxTexts then = boxes;
        WriteBoxes(DesignTextsOf(advisory->then), then);
        display.moments.push_back({shown, then, advisory->message});
    });
    scene.SetLayer(SceneLayer::Chart);
    const DesignTexts &texts = display.texts.emplace(DesignTextsOf(outcome));
    WriteBoxes(texts, boxes);
    // The dots found and every box stand before the message appears.
    if (texts.stop)
        display.moments.push_back({WithoutPoints(), boxes, texts.stop->message});
}

} // namespace

void DrawChartLayer(Scene &scene, const ChartState &chart, StatePoints &points, BoxTexts &boxes)
{
    scene.ClearLayer(SceneLayer::Process);
    scene.SetLayer(SceneLayer::Chart);
    try {
        DrawChart(chart, scene);
    } catch (const ArithmeticFault &) {
        // Whatever was drawn stays; the points are drawn over it as ever.
        points.Recompute(chart.B);
        DrawPointsLayer(scene, points);
        throw;
    }
    SetChartTexts(chart, boxes);
    points.Recompute(chart.B);
    DrawPointsLayer(scene, points);
}

void RedrawForSize(Scene &scene, const ChartState &chart, StatePoints &points,
                   const DesignOutcome *shown)
{
    if (scene.Ops(SceneLayer::Chart).empty())
        return;
    const bool process = shown != nullptr && !scene.Ops(SceneLayer::Process).empty();
    BoxTexts boxes;
    try {
        DrawChartLayer(scene, chart, points, boxes);
    } catch (const ArithmeticFault &) {
        return;
    }
    if (process) {
        scene.SetLayer(SceneLayer::Process);
        PlotDesign(*shown, scene);
        scene.SetLayer(SceneLayer::Chart);
    }
}

void DrawPointsLayer(Scene &scene, const StatePoints &points)
{
    const SceneLayer layer = scene.Layer();
    scene.ClearLayer(SceneLayer::Points);
    scene.SetLayer(SceneLayer::Points);
    points.Draw(scene);
    scene.SetLayer(layer);
}

CalculationDisplay DisplayCalculation(Scene &scene, ChartState &chart, StatePoints &points,
                                      const BoxTexts &shown, const DesignRequest &request,
                                      bool parametersSet)
{
    CalculationDisplay display;
    BoxTexts boxes = shown;
    try {
        Calculate(display, scene, chart, points, boxes, request, parametersSet);
        display.moments.push_back({kWholeScene, boxes, {}});
    } catch (...) {
        // Nothing may leave the button; the picture and the boxes stay as they are.
        scene.SetLayer(SceneLayer::Chart);
        display.moments.push_back({kWholeScene, boxes, compute_messages::kUnexpected});
    }
    return display;
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
