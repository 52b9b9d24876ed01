#pragma once

#include <array>
#include <optional>
#include <string>

class Prompts;

// The seven headings of the result panel, printed beside the result boxes
// Text1 … Text7 with every chart. They follow the design whose results the
// boxes hold.
using PanelHeadings = std::array<const char *, 7>;
// The primary-return-air summer design's headings, the ones shown at start.
inline constexpr PanelHeadings kPrimaryPanelHeadings = {
    " 根据余热量确定的送风量:          kg/s",
    " 根据余湿量确定的送风量:          kg/s",
    "      \u3000\u3000\u3000\u3000热湿比ε:",
    "        室内冷负荷 Q1 :           kw",
    "      \u3000新风冷负荷 Q2 :           kw",
    "      \u3000\u3000\u3000\u3000 再热量 :           kw",
    "      \u3000\u3000 \u3000系统冷量 :           kw",
};

// The main window's chart settings, read by the chart drawing, the pointer
// readout and the calculation.
struct ChartState {
    // Barometric pressure in Pa, with the text the user confirmed at the prompt.
    double B = 101325.0;
    std::string BText = "101325";
    // Drawing precision: the temperature step (°C) of the traced curves. Never 0.
    float Precision = 1.0f;
    // The result panel's headings: those of the design whose results the boxes hold.
    const PanelHeadings *panel = &kPrimaryPanelHeadings;
};

namespace chart_prompts {
inline constexpr const char *kPressurePrompt = "请输入当地的大气压的值：(默认值为101325pa)";
inline constexpr const char *kPressureRepeatedPrompt
    = "您输入的大气压的值不在90000至120000帕之间，请从新输入：";
inline constexpr const char *kPressureTitle = "大气压";
inline constexpr const char *kPressureDefault = "101325";
inline constexpr const char *kPrecisionPrompt = "请输入您希望的绘图精度：(默认值为0.05)";
inline constexpr const char *kPrecisionTitle = "绘图精度";
inline constexpr const char *kPrecisionDefault = "0.05";
// Said before the precision prompt comes again. A negative precision is
// accepted (it draws no humidity curves), so the first message speaks of
// zero and of the positive values below the finest step only.
inline constexpr const char *kPrecisionTooFine
    = "绘图精度不能为0，为正数时应不小于0.001，请重新输入!";
inline constexpr const char *kPrecisionBeyondRange
    = "绘图精度的绝对值应不大于3.402823E+38，请重新输入!";

// Accepted pressures, Pa (limits included).
inline constexpr double kLowestPressure = 90000.0;
inline constexpr double kHighestPressure = 120000.0;
// The smallest positive drawing step accepted, °C: a finer step would trace
// millions of points per curve.
inline constexpr float kFinestPrecision = 0.001f;
} // namespace chart_prompts

// A pressure answer counts only when it is a number as a whole within
// 90000…120000 Pa. Blanks around it are allowed, and so is the unit pa, Pa, PA
// or 帕 after it; full-width characters read as their ASCII twins. "95000pa"
// and "９５０００ 帕" give 95000. Anything else gives nothing.
std::optional<double> AcceptedPressure(const std::string &answer);

// A precision answer read by the number rule of every entry: accepted unless
// it is 0, a positive value below 0.001 or beyond single-precision range. A
// refused answer comes with the message that says what is accepted.
struct PrecisionReading {
    std::optional<float> value;
    const char *refusal = nullptr;
};
PrecisionReading ReadPrecision(const std::string &answer);

// Asks for the barometric pressure (again until AcceptedPressure accepts the
// answer) and then for the drawing precision (again, after a message naming
// what is accepted, until ReadPrecision accepts it). Draws nothing.
void AskChartSettings(ChartState &state, Prompts &prompts);
