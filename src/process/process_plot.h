#pragma once

// The primary-return-air process on the chart and in the result panel: the
// five states as dots, the four process lines, the seven result boxes and the
// ten state-value boxes.
//
// Colours: states red, the machine dew point green while it is found and
// black in the finished picture, process lines green. Each step sets the
// colours and the line width it needs and leaves them so.

struct ProcessState;
class Surface;
class MainWindowTexts;

namespace process_texts {
// The moisture-flow result box instead of a flow when the supply state has the room's moisture
// content.
inline constexpr const char *kNoResidualMoisture = "余湿量为0";
} // namespace process_texts

// Radius of a state dot in horizontal chart units (g/kg), so that it is round
// on the screen whatever the vertical scale.
inline constexpr float kStatePointRadius = 0.15f;

// A dot at (d, i) in the current colours and line width.
void DrawStatePoint(Surface &picture, float d, float i);

// First pass, right after a state is computed: red outline, the fill colour
// left as it is (N, W, C and O).
void MarkState(Surface &picture, float d, float i);
// First pass for the machine dew point: green outline and fill.
void MarkMachineDewPoint(Surface &picture, float d, float i);

// Line width 2, green: N–W, N–O, O–L, C–L, each from the first-named state.
void DrawProcessLines(Surface &picture, const ProcessState &state);

// Second pass, on top of the lines: N, W, C and O red on red, then L black on black.
void DrawProcessPoints(Surface &picture, const ProcessState &state);

// The result boxes of the two supply flows (the no-residual-moisture text for
// the moisture flow when MoistureDifference is 0) and of epsilon.
void WriteAirFlowTexts(MainWindowTexts &texts, const ProcessState &state);
// The result boxes Q1, Q2, ReheatLoad and SystemCooling.
void WriteLoadTexts(MainWindowTexts &texts, const ProcessState &state);

// The state boxes d and i of N, W, C, L and O.
void ShowStateValues(MainWindowTexts &texts, const ProcessState &state);

// The state boxes of N, W, C, L and O after a calculation that stopped early: the values of
// the states found so far (the first knownStates of N, W, C, O, L, the order in
// which the calculation finds them) and empty boxes for the others.
void ShowKnownStateValues(MainWindowTexts &texts, const ProcessState &state, int knownStates);
