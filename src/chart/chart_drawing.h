#pragma once

struct ChartState;
class Surface;

// The chart's user coordinates: d (g/kg) from 0 at the left to 42 at the
// right edge, i (kJ/kg) from 145 at the top to −30 at the bottom edge.
namespace chart_scale {
inline constexpr float kLeft = 0.0f;
inline constexpr float kTop = 145.0f;
inline constexpr float kRight = 42.0f;
inline constexpr float kBottom = -30.0f;
} // namespace chart_scale

void SetChartScale(Surface &picture);

// Whether the chart point (d, i) lies in the chart's field: within the
// moisture lines 0…40 g/kg and the enthalpy lines −20…145 kJ/kg, and not
// under the result panel, which the chart leaves blank for its boxes.
bool InChartField(float d, float i);

// The legend under the moisture scale: its text, its top-left corner (d, i)
// and its size in points.
inline constexpr const char *kChartLegend
    = "本图横坐标为含湿量 d ,纵坐标为焓 i ,黄线为等温线,  紫色曲线为等φ线,  黑点为机器露点";
inline constexpr float kChartLegendX = 2.0f;
inline constexpr float kChartLegendY = -25.0f;
inline constexpr float kChartLegendPoints = 10.0f;

// Makes a surface ready for the chart as the main window's chart surface
// starts out: the chart's scale, and the
// red foreground and fill colours that a first drawing finds.
void SetUpChart(Surface &picture);

// Clears the surface and draws the whole chart at the state's B and
// Precision, in the state's style (the others are DrawStyledChart's):
// grid, isotherms, saturation curve, relative-humidity curves, labels, panel
// headings. The pressure and precision boxes that come with it are
// SetChartTexts's. A fault of the property functions propagates as
// ArithmeticFault.
void DrawChart(const ChartState &state, Surface &picture);

// The steps of DrawChart, in its order.
void DrawMoistureLines(Surface &picture);
void DrawEnthalpyLines(Surface &picture);
void DrawIsotherms(Surface &picture);
void DrawSaturationCurve(const ChartState &state, Surface &picture);
void DrawHumidityCurves(const ChartState &state, Surface &picture);
void DrawChartLabels(const ChartState &state, Surface &picture);

// The L-shaped result panel: two rectangles of the chart's scale, each from
// its upper-left corner (left, top) by width and height.
struct ResultPanelBox {
    float left, top, width, height;
};
inline constexpr ResultPanelBox kResultPanelBoxes[]
    = {{20.1f, 59.5f, 20.0f, 59.0f}, {10.1f, 29.5f, 30.0f, 44.0f}};

// The result panel: the L-shaped area in the chart's lower right blanked in
// the background colour, where the main window's result and state boxes
// stand, and the headings and labels printed beside the boxes. Every style
// leaves the area to the panel.
void BlankResultPanel(Surface &picture);
void PrintPanelTexts(const ChartState &state, Surface &picture);
// Whether the chart point (d, i) of the rectangular chart's scale lies under the panel.
bool UnderResultPanel(float d, float i);
