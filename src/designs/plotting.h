#pragma once

#include "designs/outcome.h"
#include "draw/rgb.h"

#include <initializer_list>
#include <utility>
#include <vector>

class Surface;

// How every design puts its states and process lines on the chart: states as
// dots (red as they are found, the machine dew point green), the process
// lines green and 2 pixels wide, then every dot again on top of the lines
// (states red on red, the machine dew point black on black). Each step sets
// the colours and the line width it needs and leaves them so.

// Radius of a state dot in horizontal chart units (g/kg), so that it is round
// on the screen whatever the vertical scale.
inline constexpr float kStatePointRadius = 0.15f;

// The winter design's state after the steam (M2), which is not a machine dew
// point: dark cyan, which the chart's legend names when it is drawn.
inline constexpr Rgb kSteamStateColour {0, 139, 139};
inline constexpr const char *kSteamStateLegend = ",  青点为喷蒸汽后的状态点M2";

// A dot at the state in the current colours and line width.
void DrawStatePoint(Surface &picture, StatePoint state);

// First pass, right after a state is computed: red outline, the fill colour
// left as it is.
void MarkState(Surface &picture, StatePoint state);
// First pass for the machine dew point: green outline and fill.
void MarkMachineDewPoint(Surface &picture, StatePoint state);

// Line width 2, green: each line from the first state of the pair to the second.
using ChartLine = std::pair<StatePoint, StatePoint>;
void DrawProcessLines(Surface &picture, const std::vector<ChartLine> &lines);

// A state's letter beside its dot: the letter, where the dot is, its colour.
struct StateLabel {
    StateName name;
    StatePoint point;
    Rgb colour;
};

// Prints each state's letter ("N", "C1", "O'") beside its dot in the dot's
// colour in bold, on the side of the dot farthest from
// the process lines that leave it, so that it covers neither.
void LabelStates(Surface &picture, const std::vector<StateLabel> &labels,
                 const std::vector<ChartLine> &lines);

// The same with letters of another size beside dots of another radius (in
// pixels), for a picture printed at another scale than the chart's.
struct LabelLook {
    double dotRadiusPixels;
    float fontSize;
};
void LabelStates(Surface &picture, const std::vector<StateLabel> &labels,
                 const std::vector<ChartLine> &lines, const LabelLook &look);

// The labels of found states: red, the machine dew point (named by dewPoint)
// in endColour (black) once the process is complete and green before.
std::vector<StateLabel> LabelsOf(const std::vector<FoundState> &states, StateName dewPoint,
                                 bool complete, Rgb endColour = colours::kBlack);

// Second pass, on top of the lines: the states red on red, then the machine
// dew point (or the design's end state) in endColour (black) on the same.
void DrawFinalPoints(Surface &picture, std::initializer_list<StatePoint> states,
                     StatePoint dewPoint, Rgb endColour = colours::kBlack);
