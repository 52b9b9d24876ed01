#pragma once

#include "chart/chart_state.h"
#include "designs/design_texts.h"

class Surface;
struct SecondaryOutcome;

// The secondary-return-air summer design on the chart and in the result panel.

// The result panel's headings for this design: G, G_L, G1, G2, G_W, Q0, ΔQ.
extern const PanelHeadings kSecondaryPanelHeadings;

// What the saving boxes show when the primary design finds no machine dew point.
inline constexpr const char *kNoValue = "无";

// The states as they are found (N, W, O red, L green, C1 red); once the
// calculation is complete, the lines N–W, C1–L and L–N and the second pass.
void PlotSecondarySummer(const SecondaryOutcome &outcome, Surface &picture);

// Result boxes G, G_L, G1, G2, G_W, Q0 and ΔQ; state boxes d and i of N, W,
// C1, L and O; the full table G … ΔQ, η, t_L, ε, then the states.
DesignTexts SecondarySummerTexts(const SecondaryOutcome &outcome);
