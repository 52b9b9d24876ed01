#pragma once

#include "designs/design_texts.h"

class Surface;
struct PrimaryOutcome;

// The primary-return-air summer design on the chart and in the result panel.

namespace primary_texts {
// The moisture-flow result box instead of a flow when the supply state has
// the room's moisture content.
inline constexpr const char *kNoResidualMoisture = "余湿量为0";
} // namespace primary_texts

// The states found as dots in the order found (N, W, C, O red, L green); once
// L is known, the process lines N–W, N–O, O–L, C–L and the second pass.
void PlotPrimarySummer(const PrimaryOutcome &outcome, Surface &picture);

// Result boxes: the two supply flows (the no-residual-moisture text for the
// moisture flow when d_n = d_o), ε, Q1, Q2, the reheat and the system
// cooling; state boxes d and i of N, W, C, L and O. A value not computed is
// empty.
DesignTexts PrimarySummerTexts(const PrimaryOutcome &outcome);
