#pragma once

#include "chart/chart_state.h"
#include "designs/design_outcome.h"

#include <functional>
#include <optional>

class MainWindowTexts;
class Prompts;
class Surface;

// Messages of the 计算并描点 button itself, shown in a message box with an OK button.
namespace compute_messages {
inline constexpr const char *kNoParameters = "未进行参数设定,将进行一次回风计算!";
inline constexpr const char *kUnexpected = "一次回风计算时出现意外错误，计算已停止。";
} // namespace compute_messages

// Where the 计算并描点 button shows its work: the main window's chart
// settings, its chart surface, its result boxes and its message boxes.
struct ChartView {
    ChartState &chart; // B is chart.B; the redraw sets chart.Precision = 1
    Surface &picture; // Picture1
    MainWindowTexts &boxes;
    Prompts &prompts;
};

// The 计算并描点 button: redraws the chart at precision 1; without
// parameters (parametersSet false) it says so and runs
// openPrimaryReturnAir, the 一次回风 transition; otherwise it computes the
// requested design, draws what it found, writes every result and state box
// (a value not computed leaves its box empty) and, when the calculation
// stopped, shows the message after the drawing and the boxes. The panel
// headings follow the design computed.
//
// Answers the texts of the calculation when one ran, and puts its outcome
// into `outcome` when one is given. Nothing is thrown.
std::optional<DesignTexts> ComputeAndPlot(ChartView view, const DesignRequest &request,
                                          bool parametersSet,
                                          const std::function<void()> &openPrimaryReturnAir,
                                          DesignOutcome *outcome = nullptr);

// The panel headings of a design's result boxes.
const PanelHeadings &HeadingsOf(DesignKind design);
