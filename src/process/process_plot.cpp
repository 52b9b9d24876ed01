#include "process/process_plot.h"

#include "process/process_state.h"
#include "ui/main_window_texts.h"
#include "ui/number_text.h"
#include "ui/rgb.h"
#include "ui/surface.h"

#include <string>

namespace {

// Width of the process lines in pixels (1.5 rounded to whole pixels).
constexpr int kProcessLineWidth = 2;

struct StateValues {
    float d;
    float i;
};

void DrawDot(Surface &picture, Rgb outline, Rgb fill, StateValues state)
{
    picture.SetForeColor(outline);
    picture.SetFillColor(fill);
    DrawStatePoint(picture, state.d, state.i);
}

} // namespace

void DrawStatePoint(Surface &picture, float d, float i)
{
    picture.Circle(d, i, kStatePointRadius);
}

void MarkState(Surface &picture, float d, float i)
{
    picture.SetForeColor(colours::kRed);
    DrawStatePoint(picture, d, i);
}

void MarkMachineDewPoint(Surface &picture, float d, float i)
{
    DrawDot(picture, colours::kGreen, colours::kGreen, {d, i});
}

void DrawProcessLines(Surface &picture, const ProcessState &s)
{
    picture.SetDrawWidth(kProcessLineWidth);
    picture.SetForeColor(colours::kGreen);
    picture.Line(s.d_n, s.i_n, s.d_w, s.i_w); // mixing line
    picture.Line(s.d_n, s.i_n, s.d_o, s.i_o); // the room's process line
    picture.Line(s.d_o, s.i_o, s.d_L, s.i_L); // reheat
    picture.Line(s.d_c, s.i_c, s.d_L, s.i_L); // cooling and drying
}

void DrawProcessPoints(Surface &picture, const ProcessState &s)
{
    const StateValues states[] = {{s.d_n, s.i_n}, {s.d_w, s.i_w}, {s.d_c, s.i_c}, {s.d_o, s.i_o}};
    for (const StateValues &state : states)
        DrawDot(picture, colours::kRed, colours::kRed, state);
    DrawDot(picture, colours::kBlack, colours::kBlack, {s.d_L, s.i_L});
}

void WriteAirFlowTexts(MainWindowTexts &texts, const ProcessState &s)
{
    texts.SetResultBox(ResultBox::SupplyFlowByHeat, DoubleText(s.SupplyFlowByHeat));
    const bool noResidualMoisture = s.MoistureDifference == 0.0f;
    texts.SetResultBox(ResultBox::SupplyFlowByMoisture,
                       noResidualMoisture ? std::string(process_texts::kNoResidualMoisture)
                                          : SingleText(s.SupplyFlowByMoisture));
    texts.SetResultBox(ResultBox::HeatMoistureRatio, DoubleText(s.epsilon));
}

void WriteLoadTexts(MainWindowTexts &texts, const ProcessState &s)
{
    texts.SetResultBox(ResultBox::Q1, DoubleText(s.Q1));
    texts.SetResultBox(ResultBox::Q2, DoubleText(s.Q2));
    texts.SetResultBox(ResultBox::Reheat, SingleText(s.ReheatLoad));
    texts.SetResultBox(ResultBox::SystemCooling, DoubleText(s.SystemCooling));
}

void ShowStateValues(MainWindowTexts &texts, const ProcessState &s)
{
    ShowKnownStateValues(texts, s, 5);
}

void ShowKnownStateValues(MainWindowTexts &texts, const ProcessState &s, int knownStates)
{
    // The boxes list N, W, C, L, O; the calculation finds N, W, C, O, L.
    struct Box {
        int foundAs; // position in the order of finding
        StateValues values;
        StateBox dBox, iBox;
    };
    const Box boxes[] = {{0, {s.d_n, s.i_n}, StateBox::d_n, StateBox::i_n},
                         {1, {s.d_w, s.i_w}, StateBox::d_w, StateBox::i_w},
                         {2, {s.d_c, s.i_c}, StateBox::d_c, StateBox::i_c},
                         {4, {s.d_L, s.i_L}, StateBox::d_L, StateBox::i_L},
                         {3, {s.d_o, s.i_o}, StateBox::d_o, StateBox::i_o}};
    for (const Box &box : boxes) {
        const bool known = box.foundAs < knownStates;
        texts.SetStateBox(box.dBox, known ? SingleText(box.values.d) : std::string());
        texts.SetStateBox(box.iBox, known ? SingleText(box.values.i) : std::string());
    }
}
