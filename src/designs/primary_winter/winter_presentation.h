#pragma once

#include "chart/chart_state.h"
#include "designs/design_parameters.h"
#include "designs/design_texts.h"

#include <functional>

class Surface;
struct WinterOutcome;

// The primary-return-air winter design on the chart and in the result panel.

// The headings of the seven result boxes for the winter design, their colons
// and units in the columns of the primary design's headings.
inline constexpr PanelHeadings kWinterPanelHeadings = {
    "       送风量G(同夏季):           kg/s",
    "      \u3000 冬季热湿比ε':",
    "       冬季送风温度to':           ℃",
    "      \u3000\u3000\u3000\u3000预热量Qp:           kw",
    "      \u3000\u3000\u3000\u3000再热量Qr:           kw",
    "      \u3000\u3000\u3000加热量合计:           kw",
    "      \u3000\u3000\u3000\u3000\u3000加湿量:           kg/h",
};

// The humidifier as the dialog and the result table name it.
const char *HumidifierText(Humidifier humidifier);

// The states found as dots in the order found (N', W', C', O', M red; L', E
// or M2 green); once the design is complete, the lines of its humidifier
// (spray: N'–W', C'–M when preheated, M–E, E–O', O'–N'; steam: N'–W', C'–M2,
// M2–O', O'–N') and the second pass with the end state black. afterDot, when
// given, is called after each first-pass dot with the state's name.
void PlotPrimaryWinter(const WinterOutcome &outcome, Surface &picture,
                       const std::function<void(StateName)> &afterDot = {});

// Result boxes: G, ε', t_o', Q_pre, Q_re, Q_heat and the humidifier output;
// state boxes d and i of N', W', C', the end state (L', E or M2) and O'. The
// full table adds the end state's temperature, the humidifier and M. A value
// not computed is empty.
DesignTexts WinterTexts(const WinterOutcome &outcome);

// The outcome as it stood when its advisory was due (C' found): for the
// boxes shown beside the advisory.
WinterOutcome WinterOutcomeAtAdvisory(const WinterOutcome &outcome);
