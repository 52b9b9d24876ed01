#pragma once

#include "text/box_texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// How the chart is laid out: the rectangular chart (d across, i up), the
// oblique-angle i-d chart of the textbooks (i axis at 135° to the d axis,
// isotherms nearly level, with the heat-moisture-ratio protractor), or the
// t-d chart (dry bulb across, d up on the right).
enum class ChartStyle : std::uint8_t { Original, Oblique, TemperatureMoisture };

// The styles with their command-line names and their menu captions, in menu order.
struct ChartStyleName {
    ChartStyle style;
    const char *option;
    const char *caption;
};
inline constexpr std::array<ChartStyleName, 3> kChartStyleNames = {{
    {ChartStyle::Original, "original", "原图"},
    {ChartStyle::Oblique, "oblique", "斜角焓湿图"},
    {ChartStyle::TemperatureMoisture, "td", "t-d 图"},
}};
// The style of a command-line name, if it names one.
std::optional<ChartStyle> ChartStyleOfOption(std::string_view option);
const char *ChartStyleOption(ChartStyle style);

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
    // The layout the chart is drawn in.
    ChartStyle style = ChartStyle::Original;
};

// The B0 and precision boxes of the chart drawn at this state: the pressure
// as typed and the precision as a single-precision number text.
void SetChartTexts(const ChartState &state, BoxTexts &boxes);
