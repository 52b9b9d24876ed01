#include "chart/chart_drawing.h"

#include "chart/chart_state.h"
#include "chart/chart_styles.h"
#include "chart/panel_texts.h"
#include "draw/surface.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

using namespace moist_air;

namespace {

struct ChartText {
    const char *text;
    float x;
    float y;
    int fontSize;
    bool setsFontSize;
};

// The legend and the three curve labels.
constexpr ChartText kCurveLabels[] = {
    {kChartLegend, kChartLegendX, kChartLegendY, static_cast<int>(kChartLegendPoints), true},
    {"φ=5%", 8.0f, 105.0f, 10, false},
    {"φ=10%", 10.0f, 95.0f, 10, false},
    {"φ=100%", 12.0f, 45.0f, 10, false},
};

// The result panel's seven headings: one row of boxes every 9 kJ/kg from the
// top (PlacePanelTexts gives their left edge and size).
constexpr float kPanelHeadingTop = 57.0f;
constexpr float kPanelHeadingPitch = 9.0f;

// Labels of the state boxes, printed on the blanked area where
// PlacePanelTexts puts them.
constexpr std::array<const char *, kStateBoxCount> kStateBoxLabels = {
    " d_n:", " i_n:", " d_w:", " i_w:", " d_c:", " i_c:",
    " d_L:", " i_L:", " d_o:", " i_o:", " B0 :", "精度:",
};

using PanelBox = ResultPanelBox;
constexpr const auto &kPanelBoxes = kResultPanelBoxes;

// The enthalpy scale: a number every 5 kJ/kg from -20 to 145 at d = 40.
constexpr int kEnthalpyScaleFirst = -20;
constexpr int kEnthalpyScaleLast = 145;
constexpr int kEnthalpyScaleStep = 5;
constexpr float kEnthalpyScaleX = 40.0f;
// The moisture lines: one every 1 g/kg from d = 0 to 40, from the lowest
// enthalpy line up to the top of the chart, their numbers at their feet.
constexpr int kMoistureLinesLast = 40;
constexpr float kMoistureLinesFoot = static_cast<float>(kEnthalpyScaleFirst);
// The curves of constant relative humidity start at this temperature, °C.
constexpr float kCurvesFirstTemperature = -30.0f;
constexpr float kScaleFontSize = 10.0f;

void PrintEnthalpyScaleNumber(Surface &picture, int i)
{
    picture.SetCurrentX(kEnthalpyScaleX);
    picture.SetCurrentY(static_cast<float>(i));
    picture.SetFontSize(kScaleFontSize);
    picture.Print(SurfaceNumberText(i));
}

// Whether the panel blanks part of the enthalpy scale number printed at i: the
// panel reaches just past d = 40, over the first characters of the numbers
// beside it (their minus signs on the widest screens).
bool PanelCoversScaleNumber(const Surface &picture, int i)
{
    const float top = static_cast<float>(i);
    const float bottom = top + picture.LineHeight();
    for (const PanelBox &box : kPanelBoxes) {
        const bool across = box.left <= kEnthalpyScaleX && kEnthalpyScaleX < box.left + box.width;
        const bool beside = bottom < box.top && top > box.top - box.height;
        if (across && beside)
            return true;
    }
    return false;
}

void PrintTexts(Surface &picture, const ChartText *texts, size_t count)
{
    for (size_t k = 0; k < count; ++k) {
        picture.SetCurrentX(texts[k].x);
        picture.SetCurrentY(texts[k].y);
        if (texts[k].setsFontSize)
            picture.SetFontSize(static_cast<float>(texts[k].fontSize));
        picture.Print(texts[k].text);
    }
}

// Saturation pressures at the temperatures the curves pass: every curve
// starts at -30 °C and adds the same single-precision step, so the k-th point
// of each lies at the same temperature, and its saturation pressure, the
// costly part of a point, is computed once for all curves. A step so fine that
// the table would grow past its bound leaves the rest to be computed point by
// point.
class SaturationPressures {
public:
    float At(std::size_t k, float t)
    {
        if (k < values_.size())
            return values_[k];
        const float Pqb = SaturationPressure(t);
        if (k == values_.size() && k < kMostRemembered)
            values_.push_back(Pqb);
        return Pqb;
    }

private:
    static constexpr std::size_t kMostRemembered = std::size_t {1} << 18;
    std::vector<float> values_;
};

// Traces one curve of constant relative humidity from -30 °C up to tEnd with
// the state's precision as one polyline starting at the chart's bottom-left
// corner (0, -30).
// The running temperature is single precision. The curve ends early where the
// vapour pressure reaches the barometric pressure (possible at low pressures),
// since moisture content has no meaning there.
void TraceHumidityCurve(const ChartState &s, Surface &picture, float phi, float tEnd,
                        SaturationPressures &saturation)
{
    picture.SetCurrentX(chart_scale::kLeft);
    picture.SetCurrentY(chart_scale::kBottom);
    const float step = s.Precision;
    if (!(step > 0.0f))
        return; // a negative step draws no point
    std::size_t k = 0;
    for (float t = kCurvesFirstTemperature; t <= tEnd; t += step, ++k) {
        const float Pqb = saturation.At(k, t);
        const float Pq = VapourPressureFromPhi(Pqb, phi);
        if (Pq >= s.B)
            break;
        const float d = MoistureFromVapourPressure(s.B, Pq);
        const float i = EnthalpyFromTemperatureMoisture(t, d);
        picture.LineTo(d, i);
    }
}

} // namespace

void SetChartScale(Surface &picture)
{
    picture.Scale(chart_scale::kLeft, chart_scale::kTop, chart_scale::kRight, chart_scale::kBottom);
}

bool InChartField(float d, float i)
{
    if (!(d >= 0.0f && d <= static_cast<float>(kMoistureLinesLast)
          && i >= static_cast<float>(kEnthalpyScaleFirst)
          && i <= static_cast<float>(kEnthalpyScaleLast)))
        return false;
    return !UnderResultPanel(d, i);
}

void SetUpChart(Surface &picture)
{
    SetChartScale(picture);
    picture.SetForeColor(colours::kChartFore);
    picture.SetFillColor(colours::kChartFore);
}

void DrawChart(const ChartState &state, Surface &picture)
{
    if (state.style != ChartStyle::Original) {
        DrawStyledChart(state, picture);
        return;
    }
    picture.SetTransform(nullptr);
    picture.Cls();
    DrawMoistureLines(picture);
    DrawEnthalpyLines(picture);
    DrawIsotherms(picture);
    DrawSaturationCurve(state, picture);
    DrawHumidityCurves(state, picture);
    SetChartScale(picture);
    DrawChartLabels(state, picture);
}

void DrawMoistureLines(Surface &picture)
{
    picture.SetForeColor(colours::kBlack);
    picture.SetDrawWidth(1);
    for (int d = 0; d <= kMoistureLinesLast; ++d) {
        picture.Line(static_cast<float>(d), kMoistureLinesFoot, static_cast<float>(d),
                     chart_scale::kTop);
        picture.SetCurrentY(kMoistureLinesFoot);
        picture.SetFontSize(10.0f);
        picture.Print(SurfaceNumberText(d));
    }
}

void DrawEnthalpyLines(Surface &picture)
{
    picture.SetForeColor(colours::kBlack);
    picture.SetDrawWidth(1);
    for (int i = kEnthalpyScaleFirst; i <= kEnthalpyScaleLast; i += kEnthalpyScaleStep) {
        picture.Line(chart_scale::kLeft, static_cast<float>(i), chart_scale::kRight,
                     static_cast<float>(i));
        // The lowest line's number would stand where the moisture scale
        // prints 40: the moisture scale keeps the place.
        if (static_cast<float>(i) != kMoistureLinesFoot)
            PrintEnthalpyScaleNumber(picture, i);
    }
}

void DrawIsotherms(Surface &picture)
{
    picture.SetForeColor(colours::kYellow);
    picture.SetDrawWidth(1);
    for (float t = -100.0f; t <= 200.0f; t += 5.0f) {
        const float x1 = chart_scale::kLeft;
        const float y1 = EnthalpyFromTemperatureMoisture(t, x1);
        const float x2 = chart_scale::kRight;
        // The right end is kept as a whole kJ/kg, ties to the even number.
        const auto y2
            = static_cast<std::int16_t>(std::nearbyint(EnthalpyFromTemperatureMoisture(t, x2)));
        picture.Line(x1, y1, x2, static_cast<float>(y2));
    }
}

void DrawSaturationCurve(const ChartState &state, Surface &picture)
{
    picture.SetForeColor(colours::kPurple);
    picture.SetDrawWidth(1);
    SaturationPressures saturation;
    TraceHumidityCurve(state, picture, 1.0f, 50.0f, saturation);
}

void DrawHumidityCurves(const ChartState &state, Surface &picture)
{
    picture.SetForeColor(colours::kPurple);
    picture.SetDrawWidth(1);
    // Double-precision running value: after twenty additions of 0.05 it is
    // just above 1, so the curves are 0 %, 5 %, … 95 %; the 100 % curve is the
    // saturation curve's.
    SaturationPressures saturation;
    for (double phi = 0.0; phi <= 1.0; phi += 0.05)
        TraceHumidityCurve(state, picture, static_cast<float>(phi), 100.0f, saturation);
}

void DrawChartLabels(const ChartState &state, Surface &picture)
{
    PrintTexts(picture, kCurveLabels, std::size(kCurveLabels));

    BlankResultPanel(picture);
    // The scale numbers the panel cut into are printed whole again, in the
    // scale's colour, so that -5 never reads 5.
    const Rgb foreColour = picture.ForeColor();
    const float fontSize = picture.FontSize();
    picture.SetForeColor(colours::kBlack);
    for (int i = kEnthalpyScaleFirst; i <= kEnthalpyScaleLast; i += kEnthalpyScaleStep) {
        if (PanelCoversScaleNumber(picture, i))
            PrintEnthalpyScaleNumber(picture, i);
    }
    picture.SetForeColor(foreColour);
    picture.SetFontSize(fontSize);
    PrintPanelTexts(state, picture);
}

void BlankResultPanel(Surface &picture)
{
    // Two rectangles in the background colour blank the L-shaped panel area.
    for (const PanelBox &box : kPanelBoxes) {
        picture.FillBox(box.left, box.top, box.left + box.width, box.top - box.height,
                        colours::kChartBack);
    }
}

bool UnderResultPanel(float d, float i)
{
    for (const PanelBox &box : kPanelBoxes)
        if (d >= box.left && d <= box.left + box.width && i <= box.top && i >= box.top - box.height)
            return true;
    return false;
}

void PrintPanelTexts(const ChartState &state, Surface &picture)
{
    const PanelHeadings &headings = *state.panel;
    const PanelTextPlaces places = PlacePanelTexts(headings, picture);
    picture.SetFontSize(places.headingFontSize);
    for (std::size_t row = 0; row < headings.size(); ++row) {
        picture.SetCurrentX(places.headingX);
        picture.SetCurrentY(kPanelHeadingTop - kPanelHeadingPitch * static_cast<float>(row));
        picture.Print(headings[row]);
    }
    for (std::size_t k = 0; k < kStateBoxLabels.size(); ++k) {
        const PrintedPlace &place = places.labels[k];
        picture.SetFontSize(place.fontSize);
        picture.SetCurrentX(place.x);
        picture.SetCurrentY(place.y);
        picture.Print(kStateBoxLabels[k]);
    }
}
