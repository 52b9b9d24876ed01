#include "layout/layout.h"

#include "psychro/arithmetic_fault.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A value computed in double, checked and rounded to single precision before
// it is applied.
float LayoutValue(double value)
{
    return CheckedSingle(value, FaultCause::WindowLayout);
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
    // Everything else is proportional to what the window system made of it.
    ArrangeMainControls(t.window->Width(), t.window->Height(), t);
}

void ArrangeMainControls(float frameWidth, float frameHeight, const MainWindowTargets &t)
{
    const double FW = frameWidth;
    const double FH = frameHeight;

    // The chart surface over the upper four fifths of the window.
    t.chart->SetHeight(LayoutValue(0.8 * FH));
    t.chart->SetTop(0.0f);
    t.chart->SetWidth(LayoutValue(FW));
    t.chart->SetLeft(0.0f);

    // Readout columns: headings directly below the chart, values below them.
    for (int k = 0; k < 7; ++k) {
        t.readoutHeadings[k]->SetHeight(LayoutValue(0.05 * FH));
        t.readoutHeadings[k]->SetTop(LayoutValue(0.8 * FH));
        t.readoutHeadings[k]->SetWidth(LayoutValue(0.12 * FW));
        t.readoutValues[k]->SetHeight(LayoutValue(0.05 * FH));
        t.readoutValues[k]->SetWidth(LayoutValue(0.12 * FW));
        t.readoutValues[k]->SetTop(LayoutValue(0.85 * FH));
    }
    for (const auto *row : {&t.readoutHeadings, &t.readoutValues}) {
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
    // Each button under the readout column of its index: the seventh ends
    // where the readout columns end.
    t.buttons[0]->SetLeft(LayoutValue(0.015 * FW));
    for (int k = 1; k < kMainButtonCount; ++k) {
        t.buttons[k]->SetLeft(LayoutValue(static_cast<double>(t.buttons[k - 1]->Left())
                                          + t.buttons[k - 1]->Width() + 0.01 * FW));
    }

    ArrangeChartBoxes(t);
}

void ArrangeChartBoxes(const MainWindowTargets &t)
{
    const double PW = t.chart->Width();
    const double PH = t.chart->Height();

    // Result boxes: one column at the right of the chart from half its height
    // down, each box directly below the one before.
    const auto &results = t.resultBoxes;
    for (auto *box : results)
        box->SetWidth(LayoutValue(0.1 * PW));
    for (auto *box : results)
        box->SetLeft(LayoutValue(0.8 * PW));
    for (auto *box : results)
        box->SetHeight(LayoutValue(0.05 * PH));
    results[0]->SetTop(LayoutValue(0.5 * PH));
    for (int k = 1; k < kResultBoxCount; ++k) {
        results[k]->SetTop(
            LayoutValue(static_cast<double>(results[k - 1]->Top()) + results[0]->Height()));
    }

    // State boxes: three columns of four, two box widths apart, so that one
    // box width stays free for the headings printed left of each column.
    for (auto *box : t.stateBoxes) {
        box->SetWidth(LayoutValue(0.05 * PW));
        box->SetHeight(LayoutValue(0.03 * PH));
    }
    const auto column = [&t, PH](int first, auto left) {
        for (int r = 0; r < 4; ++r)
            t.stateBoxes[first + r]->SetLeft(left());
        t.stateBoxes[first]->SetTop(LayoutValue(0.7 * PH));
        for (int r = 1; r < 4; ++r) {
            auto *above = t.stateBoxes[first + r - 1];
            t.stateBoxes[first + r]->SetTop(
                LayoutValue(static_cast<double>(above->Top()) + above->Height()));
        }
    };
    column(0, [PW] { return LayoutValue(0.3 * PW); });
    column(4, [&t] {
        return LayoutValue(static_cast<double>(t.stateBoxes[0]->Left())
                           + 2.0 * t.stateBoxes[0]->Width());
    });
    column(8, [&t] {
        return LayoutValue(static_cast<double>(t.stateBoxes[4]->Left()) + t.stateBoxes[4]->Width()
                           + t.stateBoxes[0]->Width());
    });
}

ChartBoxRects ChartBoxesIn(int chartWidth, int chartHeight)
{
    using Snap = TwipGeometry::Snap;
    TwipGeometry chart(Snap::WholePixels);
    chart.SetWidth(PixelsToTwips(chartWidth));
    chart.SetHeight(PixelsToTwips(chartHeight));
    std::array<TwipGeometry, kResultBoxCount> results;
    std::array<TwipGeometry, kStateBoxCount> states;
    results.fill(TwipGeometry(Snap::WholePixels));
    states.fill(TwipGeometry(Snap::WholePixels));
    MainWindowTargets targets;
    targets.chart = &chart;
    for (int k = 0; k < kResultBoxCount; ++k)
        targets.resultBoxes[k] = &results[k];
    for (int k = 0; k < kStateBoxCount; ++k)
        targets.stateBoxes[k] = &states[k];
    ArrangeChartBoxes(targets);
    const auto rect = [](const TwipGeometry &g) {
        return BoxPlace {TwipsToPixels(g.Left()), TwipsToPixels(g.Top()), TwipsToPixels(g.Width()),
                         TwipsToPixels(g.Height())};
    };
    ChartBoxRects rects;
    for (int k = 0; k < kResultBoxCount; ++k)
        rects.results[k] = rect(results[k]);
    for (int k = 0; k < kStateBoxCount; ++k)
        rects.states[k] = rect(states[k]);
    return rects;
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
    const auto &boxes = t.boxes;
    const auto &labels = t.labels;
    for (int r = 0; r < kAirStateRows; ++r)
        boxes[r]->SetWidth(LayoutValue(0.1 * FW));
    for (int r = 0; r < kAirStateRows; ++r)
        boxes[r]->SetLeft(LayoutValue(0.3 * FW));
    for (int r = 0; r < kAirStateRows; ++r)
        boxes[r]->SetHeight(LayoutValue(0.05 * FH));
    boxes[0]->SetTop(LayoutValue(0.02 * FH));
    for (int r = 1; r < kAirStateRows; ++r) {
        boxes[r]->SetTop(LayoutValue(static_cast<double>(boxes[r - 1]->Top())
                                     + boxes[r - 1]->Height() + 0.05 * FH));
    }

    // The two load rows at the upper right, their boxes as tall as the
    // air-state boxes so that what is typed into them can be read back.
    GeometryTarget &heat = *boxes[kHeatLoadRow];
    GeometryTarget &moisture = *boxes[kMoistureLoadRow];
    for (GeometryTarget *box : {&heat, &moisture}) {
        box->SetWidth(LayoutValue(0.15 * FW));
        box->SetLeft(LayoutValue(0.75 * FW));
        box->SetHeight(LayoutValue(0.05 * FH));
    }
    heat.SetTop(LayoutValue(0.02 * FH));
    moisture.SetTop(LayoutValue(static_cast<double>(heat.Top()) + heat.Height() + 0.05 * FH));

    // Each label starts left of its box and runs beneath it, top edges aligned.
    for (int r = 0; r < kAirStateRows; ++r) {
        labels[r]->SetWidth(LayoutValue(0.5 * FW));
        labels[r]->SetLeft(LayoutValue(0.02 * FW));
        labels[r]->SetHeight(LayoutValue(0.055 * FH));
        labels[r]->SetTop(boxes[r]->Top());
    }
    labels[kHeatLoadRow]->SetWidth(LayoutValue(0.6 * FW));
    labels[kMoistureLoadRow]->SetWidth(LayoutValue(0.7 * FW));
    labels[kHeatLoadRow]->SetLeft(
        LayoutValue(static_cast<double>(labels[0]->Left()) + labels[0]->Width() + 0.02 * FW));
    labels[kMoistureLoadRow]->SetLeft(
        LayoutValue(static_cast<double>(labels[1]->Left()) + labels[1]->Width() + 0.02 * FW));
    labels[kHeatLoadRow]->SetHeight(LayoutValue(0.055 * FH));
    labels[kMoistureLoadRow]->SetHeight(LayoutValue(0.055 * FH));
    labels[kHeatLoadRow]->SetTop(heat.Top());
    labels[kMoistureLoadRow]->SetTop(moisture.Top());

    t.okButton->SetWidth(LayoutValue(0.2 * FW));
    t.okButton->SetLeft(LayoutValue(0.6 * FW));
    t.okButton->SetHeight(LayoutValue(0.1 * FH));
    t.okButton->SetTop(LayoutValue(0.5 * FH));
}
