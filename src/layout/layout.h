#pragma once

#include "text/box_texts.h"

#include <array>

// The proportional arrangement of the main window and of the parameter dialog.
//
// Geometry is in twips (1440 per inch, 15 per pixel at 96 pixels per inch).
// Left, Top, Width and Height are single-precision values: every value is
// computed in double from the single-precision dimensions it reads and the
// double constants, rounded to single precision and then applied. Where a
// value depends on a neighbour (a row of labels, a column of boxes), the
// neighbour's Left, Top, Width or Height is read back as it was applied, so a
// screen that keeps only whole pixels shifts the rest of the chain with it.
// A product beyond single-precision range throws ArithmeticFault.

// Twips per device-independent pixel.
constexpr float kTwipsPerPixel = 15.0f;

// Whole pixels nearest to a length in twips (halves away from zero), and back.
int TwipsToPixels(float twips);
float PixelsToTwips(int pixels);

// A window or control whose geometry the arrangement sets and reads back. For
// a window, Left, Top, Width and Height are its outer frame on the screen; for
// a control they count from the top-left corner of its window's client area.
// The values read back are whatever the window system made of the values set.
class GeometryTarget {
public:
    virtual ~GeometryTarget() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
};

// A geometry kept in memory, either exactly as set or snapped to whole pixels
// the way a screen keeps it.
class TwipGeometry : public GeometryTarget {
public:
    enum class Snap { Exact, WholePixels };

    explicit TwipGeometry(Snap snap = Snap::Exact) : snap_(snap) { }

    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
    void SetLeft(float twips) override { left_ = Applied(twips); }
    void SetTop(float twips) override { top_ = Applied(twips); }
    void SetWidth(float twips) override { width_ = Applied(twips); }
    void SetHeight(float twips) override { height_ = Applied(twips); }

private:
    float Applied(float twips) const;

    Snap snap_;
    float left_ = 0.0f;
    float top_ = 0.0f;
    float width_ = 0.0f;
    float height_ = 0.0f;
};

// The buttons of the main window's row.
inline constexpr int kMainButtonCount = 7;

// The main window and its controls. The buttons are in their row order
// 生成焓湿图, 重绘, 计算并描点, 一次回风, 二次回风, 帮助, 冬季工况; the readout columns left
// to right; the result and state boxes indexed by Index(ResultBox) and
// Index(StateBox).
struct MainWindowTargets {
    GeometryTarget *window = nullptr;
    GeometryTarget *chart = nullptr;
    std::array<GeometryTarget *, 7> readoutHeadings {};
    std::array<GeometryTarget *, 7> readoutValues {};
    std::array<GeometryTarget *, kMainButtonCount> buttons {};
    std::array<GeometryTarget *, kResultBoxCount> resultBoxes {};
    std::array<GeometryTarget *, kStateBoxCount> stateBoxes {};
};

// Makes the main window as wide as the screen and 95 % as tall at the screen's
// top-left corner; the chart surface takes the upper four fifths, the two
// readout rows and the button row follow below it, the result boxes and the
// state boxes lie over the chart. Screen size in twips.
void ArrangeMainWindow(float screenWidth, float screenHeight, const MainWindowTargets &targets);

// The part of that arrangement that places the controls in a window whose
// outer frame is frameWidth × frameHeight twips: what the window does when
// the user gives it another size. targets.window is not used.
void ArrangeMainControls(float frameWidth, float frameHeight, const MainWindowTargets &targets);

// The part of that arrangement that places the result and state boxes over
// the chart surface, from the chart's Width and Height alone: it reads
// targets.chart and sets targets.resultBoxes and targets.stateBoxes.
void ArrangeChartBoxes(const MainWindowTargets &targets);

// A rectangle in whole pixels: its top-left corner, width and height.
struct BoxPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

// The result and state boxes over a chart of the given size in pixels, where
// ArrangeChartBoxes puts them on a screen that keeps whole pixels, indexed
// by Index(ResultBox) and Index(StateBox).
struct ChartBoxRects {
    std::array<BoxPlace, kResultBoxCount> results {};
    std::array<BoxPlace, kStateBoxCount> states {};
};
ChartBoxRects ChartBoxesIn(int chartWidth, int chartHeight);

// The rows of the parameter dialog from the top: the seven air-state rows
// (tn, φn, tw, ts, Δt, s, φL) on the left, the two load rows (Q, W) at the
// upper right.
inline constexpr int kAirStateRows = 7;
inline constexpr int kHeatLoadRow = 7;
inline constexpr int kMoistureLoadRow = 8;
inline constexpr int kParameterRows = 9;

// The parameter dialog and its controls: the entry box and the label of each
// row, indexed by row from 0, and the OK button.
struct ParameterDialogTargets {
    GeometryTarget *dialog = nullptr;
    std::array<GeometryTarget *, kParameterRows> boxes {};
    std::array<GeometryTarget *, kParameterRows> labels {};
    GeometryTarget *okButton = nullptr;
};

// Makes the parameter dialog half the screen wide and 40 % of it high at
// (30 %, 30 %) of the screen; seven parameter rows on the left, the two load
// rows at the upper right, each label running beneath its box, and the OK
// button at mid-height in the right half. Screen size in twips.
void ArrangeParameterDialog(float screenWidth, float screenHeight,
                            const ParameterDialogTargets &targets);
