#pragma once

#include "chart/chart_state.h"
#include "draw/plane_transform.h"

#include <string>
#include <vector>

class Surface;

// The chart as the textbooks print it. Each style is a layout of the states
// (d, i) on the picture with its own axes, scales and labels; everything
// drawn on the chart afterwards (a design's process, the state points, the
// weather) goes through the layout, and a pointer position comes back
// through its inverse. The plane stays the rectangular chart's scale, so the
// result panel and its boxes keep their places in every style.

namespace chart_styles {
// The range shown: dry bulb −10…50 °C, moisture content 0…35 g/kg.
inline constexpr float kLowestTemperature = -10.0f;
inline constexpr float kHighestTemperature = 50.0f;
inline constexpr float kHighestMoisture = 35.0f;
} // namespace chart_styles

// A style's layout of the states on a picture of the map's pixel size (the
// same at every pressure: the range shown is fixed in t and d). Oblique: the d lines stand upright
// and d runs along the bottom; the enthalpy axis makes 135° with the d axis, tilted so that the
// isotherm of 0 °C lies level; one kJ/kg is as long as 0.4 g/kg. t-d: dry bulb across, d upwards,
// both linear. The frame is the rectangle the chart's grid fills, in pixels; the oblique frame is
// sized to keep lengths alike across and up.
class StyleLayout final : public PlaneTransform {
public:
    struct Frame {
        double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    };

    StyleLayout(ChartStyle style, const ScaleMap &map);

    ChartStyle Style() const { return style_; }
    const Frame &PixelFrame() const { return frame_; }
    const ScaleMap &Map() const { return map_; }
    // The pixel of the state (d, i), and the state (d, i) at a pixel.
    PlanePoint PixelOf(double d, double i) const;
    PlanePoint StateAt(double px, double py) const;

    PlanePoint ToPlane(double d, double i) const override;
    PlanePoint FromPlane(double X, double Y) const override;
    bool KeepsLinesStraight() const override { return style_ != ChartStyle::TemperatureMoisture; }
    // Inside the frame and not under the result panel.
    bool InField(double d, double i) const override;

private:
    ChartStyle style_;
    ScaleMap map_;
    Frame frame_;
    // Oblique: pixels per kJ/kg, and the top edge's value of i − 2.5 d.
    double scale_ = 1.0;
    double topLevel_ = 0.0;
    // t-d: pixels per K and per g/kg.
    double perKelvin_ = 1.0;
    double perGram_ = 1.0;
};

// A text of a styled chart: its box in pixels and, when it names a curve,
// that curve in pixels as drawn.
struct ChartLabel {
    std::string text;
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    std::vector<PlanePoint> curve;
};

// Clears the surface and draws the chart in the state's style (oblique or
// t-d) at the state's B, the humidity curves traced with its precision; the
// surface keeps the style's layout for what is drawn next. The labels are
// placed clear of each other, of the curves they name and of the result
// panel; a label that finds no such place is left out. `labels`, when
// given, receives every label printed. A fault of the property functions
// propagates as ArithmeticFault.
void DrawStyledChart(const ChartState &state, Surface &picture,
                     std::vector<ChartLabel> *labels = nullptr);
