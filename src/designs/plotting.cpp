#include "designs/plotting.h"

#include "draw/rgb.h"
#include "draw/surface.h"

namespace {

// Width of the process lines in pixels (1.5 rounded to whole pixels).
constexpr int kProcessLineWidth = 2;

void DrawDot(Surface &picture, Rgb outline, Rgb fill, StatePoint state)
{
    picture.SetForeColor(outline);
    picture.SetFillColor(fill);
    DrawStatePoint(picture, state);
}

} // namespace

void DrawStatePoint(Surface &picture, StatePoint state)
{
    picture.Circle(state.d, state.i, kStatePointRadius);
}

void MarkState(Surface &picture, StatePoint state)
{
    picture.SetForeColor(colours::kRed);
    DrawStatePoint(picture, state);
}

void MarkMachineDewPoint(Surface &picture, StatePoint state)
{
    DrawDot(picture, colours::kGreen, colours::kGreen, state);
}

void DrawProcessLines(Surface &picture,
                      std::initializer_list<std::pair<StatePoint, StatePoint>> lines)
{
    picture.SetDrawWidth(kProcessLineWidth);
    picture.SetForeColor(colours::kGreen);
    for (const auto &[from, to] : lines)
        picture.Line(from.d, from.i, to.d, to.i);
}

void DrawFinalPoints(Surface &picture, std::initializer_list<StatePoint> states,
                     StatePoint dewPoint)
{
    for (const StatePoint &state : states)
        DrawDot(picture, colours::kRed, colours::kRed, state);
    DrawDot(picture, colours::kBlack, colours::kBlack, dewPoint);
}
