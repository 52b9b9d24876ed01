#pragma once

#include "text/box_texts.h"

#include <array>
#include <string>

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

// The B0 and precision boxes of the chart drawn at this state: the pressure
// as typed and the precision as a single-precision number text.
void SetChartTexts(const ChartState &state, BoxTexts &boxes);
