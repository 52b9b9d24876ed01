#pragma once

#include <functional>

struct ChartState;
struct DesignParameters;
struct ProcessState;
class MainWindowTexts;
class Prompts;
class Surface;

// What the 计算并描点 button works on: the main window's chart state and
// flag, its process record, the design record, the chart surface, the prompts
// and the result boxes.
struct ComputeContext {
    ChartState &chart; // B is chart.B; the redraw sets chart.Precision = 1
    bool &ParametersSet;
    ProcessState &process;
    const DesignParameters &parameters;
    Surface &picture; // Picture1
    Prompts &prompts;
    MainWindowTexts &texts;
    std::function<void()>
        openPrimaryReturnAir; // the 一次回风 transition (sets ParametersSet itself)
};

// Messages of the calculation, shown in a message box with an OK button.
namespace compute_messages {
inline constexpr const char *kNoParameters = "未进行参数设定,将进行一次回风计算!";
inline constexpr const char *kDewPointNotFound = "t在-30至100之间,没有找到L点!";
inline constexpr const char *kEqualEnthalpy
    = "送风状态点与室内状态点焓值相同，无法确定送风量，请检查参数设定!";
inline constexpr const char *kFreshAirShare
    = "新风百分比s为-100%，新风与回风无法混合，无法确定混合状态点C，请检查参数设定!";
inline constexpr const char *kIndoorVapourPressure
    = "室内状态点N的水蒸气分压力不低于大气压力，无法确定其含湿量，请检查参数设定!";
inline constexpr const char *kWetBulbVapourPressure
    = "室外湿球温度下的饱和水蒸气分压力不低于大气压力，无法确定室外状态点W，请检查参数设定!";
inline constexpr const char *kDewPointVapourPressure
    = "机器露点L的水蒸气分压力不低于大气压力，无法确定其含湿量，请检查参数设定!";
inline constexpr const char *kWetBulbLineParallel
    = "湿球温度线与室外干球温度的等温线平行，无法确定室外状态点W，请检查参数设定!";
inline constexpr const char *kProcessLineParallel
    = "热湿比线与送风温度的等温线平行，无法确定送风状态点O，请检查参数设定!";
inline constexpr const char *kUnexpected = "一次回风计算时出现意外错误，计算已停止。";
} // namespace compute_messages

// The 计算并描点 button: redraws the chart at precision 1; without parameters
// it says so and opens the parameter dialog; otherwise it computes N, W, C, O
// and L, drawing each state as soon as it is known, then the process lines,
// the flows and loads and the state values.
//
// A machine dew point that cannot be found or an arithmetic fault (a zero
// divisor, an overflow) stops the calculation with a message naming the
// cause; the dots drawn so far stay, and the result boxes show only what this
// run computed, the others empty. Nothing is thrown.
void ComputeAndPlot(ComputeContext &context);
