#include "ui/layout.h"

#include "psychro/arithmetic_fault.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A value computed in double, checked and rounded to single precision before
// it is applied.
float LayoutValue(double value)
{
    return CheckedSingle(value, "window layout");
}

} // namespace

int TwipsToPixels(float twips)
{
    const double pixels = std::round(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(
        std::clamp(pixels, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

float PixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * kTwipsPerPixel;
}

float TwipGeometry::Applied(float twips) const
{
    return snap_ == Snap::WholePixels ? PixelsToTwips(TwipsToPixels(twips)) : twips;
}

void ArrangeMainWindow(float screenWidth, float screenHeight, const MainWindowTargets &t)
{
    const double SW = screenWidth;
    const double SH = screenHeight;

    // The window: full screen width, 95 % of its height, at the top-left corner.
    t.window->SetHeight(LayoutValue(0.95 * SH));
    t.window->SetTop(0.0f);
    t.window->SetWidth(LayoutValue(SW));
    t.window->SetLeft(0.0f);
    // Everything below is proportional to what the window system made of it.
    const double FW = t.window->Width();
    const double FH = t.window->Height();

    // The chart surface over the upper four fifths of the window.
    t.Picture1->SetHeight(LayoutValue(0.8 * FH));
    t.Picture1->SetTop(0.0f);
    t.Picture1->SetWidth(LayoutValue(FW));
    t.Picture1->SetLeft(0.0f);
    const double PW = t.Picture1->Width();
    const double PH = t.Picture1->Height();

    // Readout columns: headings directly below the chart, values below them.
    for (int k = 0; k < 7; ++k) {
        t.Label1[k]->SetHeight(LayoutValue(0.05 * FH));
        t.Label1[k]->SetTop(LayoutValue(0.8 * FH));
        t.Label1[k]->SetWidth(LayoutValue(0.12 * FW));
        t.Label2[k]->SetHeight(LayoutValue(0.05 * FH));
        t.Label2[k]->SetWidth(LayoutValue(0.12 * FW));
        t.Label2[k]->SetTop(LayoutValue(0.85 * FH));
    }
    for (const auto *row : {&t.Label1, &t.Label2}) {
        const auto &labels = *row;
        labels[0]->SetLeft(LayoutValue(0.015 * FW));
        for (int k = 1; k < 7; ++k) {
            labels[k]->SetLeft(LayoutValue(static_cast<double>(labels[k - 1]->Left())
                                           + labels[k - 1]->Width() + 0.01 * FW));
        }
    }

    // The button row below the readout values.
    for (auto *button : t.buttons)
        button->SetHeight(LayoutValue(0.05 * FH));
    for (auto *button : t.buttons)
        button->SetTop(LayoutValue(0.9 * FH));
    for (auto *button : t.buttons)
        button->SetWidth(LayoutValue(0.12 * FW));
    t.buttons[0]->SetLeft(LayoutValue(0.015 * FW));
    for (int k = 1; k < 6; ++k) {
        t.buttons[k]->SetLeft(LayoutValue(static_cast<double>(t.buttons[k - 1]->Left())
                                          + t.buttons[k - 1]->Width() + 0.01 * FW));
    }

    // Result boxes: one column at the right of the chart from half its height
    // down, each box directly below the one before.
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetWidth(LayoutValue(0.1 * PW));
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetLeft(LayoutValue(0.8 * PW));
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetHeight(LayoutValue(0.05 * PH));
    t.Text[1]->SetTop(LayoutValue(0.5 * PH));
    for (int n = 2; n <= 7; ++n) {
        t.Text[n]->SetTop(
            LayoutValue(static_cast<double>(t.Text[n - 1]->Top()) + t.Text[1]->Height()));
    }

    // State boxes: three columns of four, two box widths apart, so that one
    // box width stays free for the headings printed left of each column.
    for (auto *box : t.Texta) {
        box->SetWidth(LayoutValue(0.05 * PW));
        box->SetHeight(LayoutValue(0.03 * PH));
    }
    const auto column = [&t, PH](int first, auto left) {
        for (int r = 0; r < 4; ++r)
            t.Texta[first + r]->SetLeft(left());
        t.Texta[first]->SetTop(LayoutValue(0.7 * PH));
        for (int r = 1; r < 4; ++r) {
            auto *above = t.Texta[first + r - 1];
            t.Texta[first + r]->SetTop(
                LayoutValue(static_cast<double>(above->Top()) + above->Height()));
        }
    };
    column(0, [PW] { return LayoutValue(0.3 * PW); });
    column(4, [&t] {
        return LayoutValue(static_cast<double>(t.Texta[0]->Left()) + 2.0 * t.Texta[0]->Width());
    });
    column(8, [&t] {
        return LayoutValue(static_cast<double>(t.Texta[4]->Left()) + t.Texta[4]->Width()
                           + t.Texta[0]->Width());
    });
}

void ArrangeParameterDialog(float screenWidth, float screenHeight, const ParameterDialogTargets &t)
{
    const double SW = screenWidth;
    const double SH = screenHeight;

    t.dialog->SetWidth(LayoutValue(0.5 * SW));
    t.dialog->SetLeft(LayoutValue(0.3 * SW));
    t.dialog->SetHeight(LayoutValue(0.4 * SH));
    t.dialog->SetTop(LayoutValue(0.3 * SH));
    const double FW = t.dialog->Width();
    const double FH = t.dialog->Height();

    // The seven air-state rows, one every tenth of the dialog's height.
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetWidth(LayoutValue(0.1 * FW));
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetLeft(LayoutValue(0.3 * FW));
    for (int n = 1; n <= 7; ++n)
        t.Text[n]->SetHeight(LayoutValue(0.05 * FH));
    t.Text[1]->SetTop(LayoutValue(0.02 * FH));
    for (int n = 2; n <= 7; ++n) {
        t.Text[n]->SetTop(LayoutValue(static_cast<double>(t.Text[n - 1]->Top())
                                      + t.Text[n - 1]->Height() + 0.05 * FH));
    }

    // The two load rows at the upper right; their boxes are only 0.02 of the
    // dialog's height tall.
    for (int n = 8; n <= 9; ++n) {
        t.Text[n]->SetWidth(LayoutValue(0.15 * FW));
        t.Text[n]->SetLeft(LayoutValue(0.75 * FW));
        t.Text[n]->SetHeight(LayoutValue(0.02 * FH));
    }
    t.Text[8]->SetTop(LayoutValue(0.02 * FH));
    t.Text[9]->SetTop(
        LayoutValue(static_cast<double>(t.Text[8]->Top()) + t.Text[8]->Height() + 0.05 * FH));

    // Each label starts left of its box and runs beneath it, top edges aligned.
    for (int n = 1; n <= 7; ++n) {
        t.Label[n]->SetWidth(LayoutValue(0.5 * FW));
        t.Label[n]->SetLeft(LayoutValue(0.02 * FW));
        t.Label[n]->SetHeight(LayoutValue(0.055 * FH));
        t.Label[n]->SetTop(t.Text[n]->Top());
    }
    t.Label[8]->SetWidth(LayoutValue(0.6 * FW));
    t.Label[9]->SetWidth(LayoutValue(0.7 * FW));
    t.Label[8]->SetLeft(
        LayoutValue(static_cast<double>(t.Label[1]->Left()) + t.Label[1]->Width() + 0.02 * FW));
    t.Label[9]->SetLeft(
        LayoutValue(static_cast<double>(t.Label[2]->Left()) + t.Label[2]->Width() + 0.02 * FW));
    t.Label[8]->SetHeight(LayoutValue(0.055 * FH));
    t.Label[9]->SetHeight(LayoutValue(0.055 * FH));
    t.Label[8]->SetTop(t.Text[8]->Top());
    t.Label[9]->SetTop(t.Text[9]->Top());

    t.Command1->SetWidth(LayoutValue(0.2 * FW));
    t.Command1->SetLeft(LayoutValue(0.6 * FW));
    t.Command1->SetHeight(LayoutValue(0.1 * FH));
    t.Command1->SetTop(LayoutValue(0.5 * FH));
}
