#pragma once

#include "chart/chart_state.h"
#include "designs/design_outcome.h"
#include "draw/scene.h"
#include "text/box_texts.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class StatePoints;

// The main window's chart as a scene in layers, each drawn from its own
// source: the chart from the chart settings, the process from a calculation's
// outcome, the state points from the points. Drawing the chart again draws
// the layers that depend on it again: the process vanishes with the old
// drawing, and the points are solved again at the chart's pressure and drawn
// over the new chart.

// Messages of the 计算并描点 button itself, shown in a message box with an OK button.
namespace compute_messages {
inline constexpr const char *kNoParameters = "未进行参数设定,将进行一次回风计算!";
inline constexpr const char *kUnexpected = "一次回风计算时出现意外错误，计算已停止。";
} // namespace compute_messages

// Every calculation draws its chart again at this precision (the work of 重绘).
inline constexpr float kCalculationPrecision = 1.0f;

// The chart at the state's pressure and precision on the chart layer (a fault
// of the property functions propagates as ArithmeticFault, the drawing up to
// it kept), the process layer emptied, the points solved at the new pressure
// and drawn again. The B0 and precision boxes follow the state.
void DrawChartLayer(Scene &scene, const ChartState &chart, StatePoints &points, BoxTexts &boxes);

// The layers drawn again after the scene took another pixel size, so that
// the texts placed by the picture's size (the panel's headings, the scale
// numbers beside it, the state letters) stand where a fresh drawing puts
// them: nothing when no chart is drawn; else the chart layer at the state's
// pressure and precision, the process of `shown` when one is on the chart, and
// the points. A chart that could be drawn only in part stays as far as it
// went. The boxes keep their texts.
void RedrawForSize(Scene &scene, const ChartState &chart, StatePoints &points,
                   const DesignOutcome *shown);

// The points layer drawn again from the points as they are now.
void DrawPointsLayer(Scene &scene, const StatePoints &points);

// One moment of the 计算并描点 button as the window shows it: the picture (so
// much of each layer), every box's text, and the message box shown then
// (empty for none). The picture and the boxes stand before the message appears.
struct DisplayMoment {
    LayerExtent shown = kWholeScene;
    BoxTexts boxes;
    std::string message;
};

// What 计算并描点 shows, in order, and what it leaves.
struct CalculationDisplay {
    // The picture and the boxes at each message, then as they stay.
    std::vector<DisplayMoment> moments;
    // Without parameters: the 一次回风 transition follows the last moment.
    bool openPrimaryReturnAir = false;
    // The calculation, when one ran.
    std::optional<DesignOutcome> outcome;
    std::optional<DesignTexts> texts;
};

// The 计算并描点 button without a window: the chart drawn again at precision
// 1 (chart.Precision becomes 1; with parameters set, the panel headings
// become the requested design's); without parameters it says so and asks for
// the 一次回风 transition; otherwise it computes the requested design at
// chart.B, draws what it found on the process layer and gives every result
// and state box its text (a value not computed leaves its box empty). A
// calculation that stops, or whose advisory is due, shows its message once
// the states it follows are drawn, beside the boxes as they stood then. The
// points come back over the chart only once the button's work is done.
// `shown` holds the boxes' texts before the press. Nothing is thrown.
CalculationDisplay DisplayCalculation(Scene &scene, ChartState &chart, StatePoints &points,
                                      const BoxTexts &shown, const DesignRequest &request,
                                      bool parametersSet);

// The panel headings of a design's result boxes.
const PanelHeadings &HeadingsOf(DesignKind design);
