#include "chart/chart_styles.h"

#include "chart/chart_drawing.h"
#include "chart/panel_texts.h"
#include "draw/surface.h"
#include "psychro/air_states.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

using namespace moist_air;
using namespace chart_styles;

namespace {

// The oblique chart's tilt: along the 0 °C isotherm i − 2.5 d stays 0, so that
// isotherm lies level and warmer ones rise gently to the right.
constexpr double kObliqueSlope = kLatentHeatPerGram;

constexpr float kScalePoints = 9.0f;
constexpr float kTitlePoints = 10.0f;
// Pixels of one row of scale numbers, a little more than their line.
constexpr double kRow = 18.0;
constexpr double kGap = 3.0;

constexpr Rgb kFineGrid {214, 192, 170};
constexpr Rgb kMajorGrid {150, 120, 95};
constexpr Rgb kIsotherm {190, 130, 0};
constexpr Rgb kProtractor {0, 0, 170};
constexpr Rgb kWetBulb {0, 130, 130};
constexpr Rgb kVolume {40, 90, 200};

constexpr const char *kObliqueLegend
    = "斜角焓湿图：竖线为等d线，斜线为等焓线，黄线为等温线，紫色曲线为等φ线，黑点为机器露点";
constexpr const char *kTdLegend
    = "t-d 图：灰线为等焓线，青线为等湿球温度线，蓝线为等比容线，紫色曲线为等φ线，黑点为机器露点";

// The rays of the heat-moisture-ratio protractor, kJ/kg (none: ∞).
struct Ray {
    std::optional<double> epsilon;
    const char *text;
};
constexpr std::array<Ray, 11> kRays = {{
    {std::nullopt, "∞"},
    {20000.0, "20000"},
    {10000.0, "10000"},
    {5000.0, "5000"},
    {3000.0, "3000"},
    {2000.0, "2000"},
    {1000.0, "1000"},
    {0.0, "0"},
    {-2000.0, "-2000"},
    {-5000.0, "-5000"},
    {-10000.0, "-10000"},
}};

// The relative humidities drawn, in %.
constexpr std::array<int, 11> kHumidities = {5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

// The dry bulb of the state (d, i): EnthalpyOf solved for t.
double TemperatureOf(double d, double i)
{
    return (i - kLatentHeatPerGram * d) / (kDryAirHeat + kVapourHeatPerGram * d);
}

// The saturated moisture content at t, or none where the saturation
// pressure reaches B.
std::optional<double> SaturatedMoisture(double B, float t)
{
    const float Pqb = SaturationPressure(t);
    if (!HasMoistureContent(B, Pqb))
        return std::nullopt;
    return MoistureFromVapourPressure(B, Pqb);
}

struct PixelRect {
    double left, top, right, bottom;
    bool Overlaps(const PixelRect &o, double gap = 0.0) const
    {
        return left < o.right + gap && o.left < right + gap && top < o.bottom + gap
            && o.top < bottom + gap;
    }
    bool Holds(const PixelRect &o) const
    {
        return o.left >= left && o.right <= right && o.top >= top && o.bottom <= bottom;
    }
};

// Whether the segment a–b passes through the rectangle (Liang–Barsky); the
// part inside in `from`, `to`.
bool ClipSegment(const PixelRect &r, PlanePoint a, PlanePoint b, PlanePoint *from = nullptr,
                 PlanePoint *to = nullptr)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const std::array<double, 4> p = {-dx, dx, -dy, dy};
    const std::array<double, 4> q = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    for (std::size_t k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double u = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, u);
        else
            t1 = std::min(t1, u);
        if (t0 > t1)
            return false;
    }
    if (from)
        *from = {a.x + t0 * dx, a.y + t0 * dy};
    if (to)
        *to = {a.x + t1 * dx, a.y + t1 * dy};
    return true;
}

bool CurveCrosses(const std::vector<PlanePoint> &curve, const PixelRect &r)
{
    for (std::size_t k = 1; k < curve.size(); ++k)
        if (ClipSegment(r, curve[k - 1], curve[k]))
            return true;
    return curve.size() == 1 && r.Holds({curve[0].x, curve[0].y, curve[0].x, curve[0].y});
}

// Where a label may stand.
enum class Where { InFrame, OutsideFrame, Anywhere };

// Draws a styled chart in pixels: lines clipped to the frame, texts placed
// clear of each other, of the curve they name and of the result panel.
class StyledDrawing {
public:
    StyledDrawing(Surface &picture, const StyleLayout &layout, std::vector<ChartLabel> *out)
        : picture_(picture), map_(layout.Map()), out_(out)
    {
        const StyleLayout::Frame &f = layout.PixelFrame();
        frame_ = {f.left, f.top, f.right, f.bottom};
        for (const ResultPanelBox &box : kResultPanelBoxes)
            panel_.push_back({map_.ToPixelX(box.left), map_.ToPixelY(box.top),
                              map_.ToPixelX(box.left + box.width),
                              map_.ToPixelY(box.top - box.height)});
    }

    const PixelRect &Frame() const { return frame_; }

    void Pen(Rgb colour, int width)
    {
        picture_.SetForeColor(colour);
        picture_.SetDrawWidth(width);
    }

    // A line between two pixels, as much of it as lies in the frame.
    void Segment(PlanePoint a, PlanePoint b)
    {
        PlanePoint from, to;
        if (!ClipSegment(frame_, a, b, &from, &to))
            return;
        picture_.Line(X(from.x), Y(from.y), X(to.x), Y(to.y));
    }
    // A line drawn whole, frame or not.
    void Unclipped(PlanePoint a, PlanePoint b) { picture_.Line(X(a.x), Y(a.y), X(b.x), Y(b.y)); }

    // The frame, in black.
    void Outline()
    {
        Pen(colours::kBlack, 1);
        const PixelRect &f = frame_;
        Unclipped({f.left, f.top}, {f.right, f.top});
        Unclipped({f.right, f.top}, {f.right, f.bottom});
        Unclipped({f.right, f.bottom}, {f.left, f.bottom});
        Unclipped({f.left, f.bottom}, {f.left, f.top});
    }

    void Polyline(const std::vector<PlanePoint> &points)
    {
        for (std::size_t k = 1; k < points.size(); ++k)
            Segment(points[k - 1], points[k]);
    }

    double TextWidth(const std::string &text, float points) const
    {
        return PrintedWidthAtMost(text, points);
    }
    double TextHeight(float points)
    {
        const float kept = picture_.FontSize();
        picture_.SetFontSize(points);
        const double pixels = std::fabs(map_.ToPixelY(picture_.LineHeight()) - map_.ToPixelY(0.0));
        picture_.SetFontSize(kept);
        return pixels;
    }

    // Prints the text at the first of the top-left corners where it stands
    // clear; answers whether it was printed.
    bool Place(const std::string &text, float points, const std::vector<PlanePoint> &corners,
               Where where, const std::vector<PlanePoint> *curve = nullptr)
    {
        const double width = TextWidth(text, points), height = TextHeight(points);
        const PixelRect picture {1.0, 1.0, map_.pixelWidth() - 1.0, map_.pixelHeight() - 1.0};
        for (const PlanePoint &corner : corners) {
            const PixelRect box {corner.x, corner.y, corner.x + width, corner.y + height};
            if (!picture.Holds(box))
                continue;
            if (where == Where::InFrame && !frame_.Holds(box))
                continue;
            if (where == Where::OutsideFrame && box.Overlaps(frame_))
                continue;
            const auto clashes = [&](const PixelRect &other) { return box.Overlaps(other, 1.0); };
            if (std::any_of(taken_.begin(), taken_.end(), clashes)
                || std::any_of(panel_.begin(), panel_.end(), clashes))
                continue;
            if (curve
                && CurveCrosses(*curve, {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}))
                continue;
            taken_.push_back(box);
            picture_.SetFontSize(points);
            picture_.SetCurrentX(X(box.left));
            picture_.SetCurrentY(Y(box.top));
            picture_.Print(text);
            if (out_)
                out_->push_back({text, box.left, box.top, box.right, box.bottom,
                                 curve ? *curve : std::vector<PlanePoint> {}});
            return true;
        }
        return false;
    }

    // The part of a curve inside the frame, from its first point in it to its last.
    std::vector<PlanePoint> InsideFrame(const std::vector<PlanePoint> &curve) const
    {
        std::vector<PlanePoint> inside;
        for (std::size_t k = 1; k < curve.size(); ++k) {
            PlanePoint from, to;
            if (!ClipSegment(frame_, curve[k - 1], curve[k], &from, &to))
                continue;
            if (inside.empty())
                inside.push_back(from);
            inside.push_back(to);
        }
        return inside;
    }

    float X(double px) const { return static_cast<float>(map_.FromPixelX(px)); }
    float Y(double py) const { return static_cast<float>(map_.FromPixelY(py)); }

private:
    Surface &picture_;
    ScaleMap map_;
    std::vector<ChartLabel> *out_;
    PixelRect frame_ {};
    std::vector<PixelRect> panel_;
    std::vector<PixelRect> taken_;
};

// The curve of relative humidity phi (fraction), in pixels, traced with the
// temperature step from below the range to above it; it ends where the
// moisture content leaves the range or the vapour pressure reaches B.
std::vector<PlanePoint> HumidityCurve(const StyleLayout &layout, double B, float phi, float step,
                                      const std::vector<float> &saturation, float tFirst)
{
    std::vector<PlanePoint> curve;
    float t = tFirst;
    for (std::size_t k = 0; k < saturation.size(); ++k, t += step) {
        const float Pq = VapourPressureFromPhi(saturation[k], phi);
        if (!HasMoistureContent(B, Pq))
            break;
        const float d = MoistureFromVapourPressure(B, Pq);
        curve.push_back(layout.PixelOf(d, EnthalpyFromTemperatureMoisture(t, d)));
        if (d > kHighestMoisture * 1.25f)
            break;
    }
    return curve;
}

// Label corners along a curve from its end backwards: left of and above
// each point, then right of and below.
std::vector<PlanePoint> CornersAlong(const std::vector<PlanePoint> &curve, double width,
                                     double height, bool leftAbove)
{
    std::vector<PlanePoint> corners;
    double walked = 0.0;
    for (std::size_t k = curve.size(); k-- > 1;) {
        walked += std::hypot(curve[k].x - curve[k - 1].x, curve[k].y - curve[k - 1].y);
        if (walked < 4.0)
            continue;
        walked = 0.0;
        const PlanePoint p = curve[k];
        corners.push_back(leftAbove ? PlanePoint {p.x - kGap - width, p.y - kGap - height}
                                    : PlanePoint {p.x + kGap, p.y + kGap});
    }
    return corners;
}

std::string PercentText(int percent)
{
    return "φ=" + std::to_string(percent) + "%";
}

// The step of scale numbers that keeps them apart: 1, 2, 5, 10 … units.
int ScaleStep(double pixelsPerUnit, double widest)
{
    for (const int step : {1, 2, 5, 10, 20, 50})
        if (pixelsPerUnit * step >= widest + 6.0)
            return step;
    return 100;
}

// The title: the style and the barometric pressure the chart is drawn for.
void PrintTitle(StyledDrawing &draw, ChartStyle style, const ChartState &state, double left,
                double top)
{
    const std::string name = style == ChartStyle::Oblique ? "斜角焓湿图" : "t-d 图";
    draw.Place(name + "　　大气压力 B = " + DoubleText(state.B) + " Pa", kTitlePoints,
               {{left, top}}, Where::Anywhere);
}

// The legend where the rectangular chart has its own, kept clear of by the other labels.
void PrintLegend(StyledDrawing &draw, const ScaleMap &map, const char *legend)
{
    draw.Pen(colours::kBlack, 1);
    draw.Place(legend, kChartLegendPoints,
               {{map.ToPixelX(kChartLegendX), map.ToPixelY(kChartLegendY)}}, Where::Anywhere);
}

// The saturation pressures at tFirst, tFirst + step, … up to tLast.
std::vector<float> SaturationPressures(float tFirst, float tLast, float step)
{
    std::vector<float> values;
    if (!(step > 0.0f))
        return values;
    for (float t = tFirst; t <= tLast; t += step)
        values.push_back(SaturationPressure(t));
    return values;
}

// The humidity curves in purple, the saturation curve bold; answers them in pixels.
std::vector<std::vector<PlanePoint>> DrawHumidities(StyledDrawing &draw, const StyleLayout &layout,
                                                    const ChartState &state)
{
    const float tFirst = kLowestTemperature - 12.0f, tLast = kHighestTemperature + 12.0f;
    const std::vector<float> saturation = SaturationPressures(tFirst, tLast, state.Precision);
    std::vector<std::vector<PlanePoint>> curves;
    for (const int percent : kHumidities) {
        draw.Pen(colours::kPurple, percent == 100 ? 2 : 1);
        curves.push_back(HumidityCurve(layout, state.B, static_cast<float>(percent) / 100.0f,
                                       state.Precision, saturation, tFirst));
        draw.Polyline(curves.back());
    }
    return curves;
}

// The humidity labels: beside the curve where it leaves the frame on the
// right, else along it from its upper end.
void LabelHumidities(StyledDrawing &draw, const std::vector<std::vector<PlanePoint>> &curves)
{
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const std::vector<PlanePoint> inside = draw.InsideFrame(curves[k]);
        if (inside.size() < 2)
            continue;
        const std::string text = PercentText(kHumidities[k]);
        const double width = draw.TextWidth(text, kScalePoints);
        const double height = draw.TextHeight(kScalePoints);
        const PlanePoint end = inside.back();
        if (std::fabs(end.x - draw.Frame().right) < 0.5
            && draw.Place(text, kScalePoints, {{end.x + kGap, end.y - height / 2.0}},
                          Where::OutsideFrame))
            continue;
        std::vector<PlanePoint> corners = CornersAlong(inside, width, height, true);
        const std::vector<PlanePoint> more = CornersAlong(inside, width, height, false);
        corners.insert(corners.end(), more.begin(), more.end());
        draw.Place(text, kScalePoints, corners, Where::InFrame, &inside);
    }
}

// The temperature at which the saturation curve has enthalpy i, if the range holds one.
std::optional<double> SaturationTemperatureAt(double B, double i)
{
    double low = kLowestTemperature - 30.0, high = kHighestTemperature + 30.0;
    const auto enthalpyAt = [&](double t) -> std::optional<double> {
        const std::optional<double> d = SaturatedMoisture(B, static_cast<float>(t));
        if (!d)
            return std::nullopt;
        return EnthalpyOf(t, *d);
    };
    const std::optional<double> lowI = enthalpyAt(low);
    if (!lowI || *lowI > i)
        return std::nullopt;
    for (int k = 0; k < 60; ++k) {
        const double middle = (low + high) / 2.0;
        const std::optional<double> at = enthalpyAt(middle);
        if (at && *at < i)
            low = middle;
        else
            high = middle;
    }
    return low;
}

// The heat-moisture-ratio protractor in the free space right of the chart,
// above the result panel: rays parallel to the process lines of each ε.
void DrawProtractor(StyledDrawing &draw, const StyleLayout &layout, const ScaleMap &map)
{
    const double areaLeft = layout.PixelFrame().right + 80.0;
    const double areaRight = map.pixelWidth() - 8.0;
    const double areaTop = 12.0;
    const double areaBottom = map.ToPixelY(kResultPanelBoxes[0].top) - 8.0;
    const double radius
        = std::min({areaRight - areaLeft - 70.0, (areaBottom - areaTop - 3.0 * kRow) / 2.0, 150.0});
    if (radius < 30.0)
        return;
    const PlanePoint centre {areaLeft + 4.0, areaTop + kRow + radius};
    draw.Pen(kProtractor, 1);
    std::vector<PlanePoint> arc;
    for (int k = -90; k <= 90; k += 3) {
        const double a = k * std::acos(-1.0) / 180.0;
        arc.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    for (std::size_t k = 1; k < arc.size(); ++k)
        draw.Unclipped(arc[k - 1], arc[k]);
    draw.Unclipped({centre.x, centre.y - radius}, {centre.x, centre.y + radius});
    const PlanePoint origin = layout.PixelOf(10.0, 30.0);
    const double height = draw.TextHeight(kScalePoints);
    for (const Ray &ray : kRays) {
        const PlanePoint to = ray.epsilon ? layout.PixelOf(11.0, 30.0 + *ray.epsilon / 1000.0)
                                          : layout.PixelOf(10.0, 31.0);
        double dx = to.x - origin.x, dy = to.y - origin.y;
        const double length = std::hypot(dx, dy);
        dx /= length;
        dy /= length;
        const PlanePoint end {centre.x + radius * dx, centre.y + radius * dy};
        draw.Unclipped(centre, end);
        const double width = draw.TextWidth(ray.text, kScalePoints);
        std::vector<PlanePoint> corners;
        for (const double reach : {6.0, 14.0, 24.0}) {
            // The box's centre pushed out along the ray until its edge clears the arc.
            const double out = reach
                + std::min(std::fabs(dx) > 1e-9 ? width / 2.0 / std::fabs(dx) : 1e300,
                           std::fabs(dy) > 1e-9 ? height / 2.0 / std::fabs(dy) : 1e300);
            corners.push_back({end.x + dx * out - width / 2.0, end.y + dy * out - height / 2.0});
        }
        const std::vector<PlanePoint> line {centre, end};
        draw.Place(ray.text, kScalePoints, corners, Where::OutsideFrame, &line);
    }
    std::vector<PlanePoint> captionCorners;
    for (int row = 0; row < 4; ++row)
        captionCorners.push_back({centre.x, centre.y + radius + 8.0 + row * (height + 2.0)});
    for (int row = 0; row < 4; ++row)
        captionCorners.push_back(
            {centre.x + radius + 40.0, centre.y + radius - row * (height + 2.0)});
    draw.Place("热湿比 ε (kJ/kg)", kScalePoints, captionCorners, Where::OutsideFrame);
}

void DrawOblique(const ChartState &state, StyledDrawing &draw, const StyleLayout &layout)
{
    const double B = state.B;
    const PixelRect &f = draw.Frame();
    const double height = draw.TextHeight(kScalePoints);

    // The d lines, upright, every g/kg, every fifth darker.
    for (int d = 0; d <= static_cast<int>(kHighestMoisture); ++d) {
        draw.Pen(d % 5 == 0 ? kMajorGrid : kFineGrid, 1);
        const double x = layout.PixelOf(d, 0.0).x;
        draw.Segment({x, f.top}, {x, f.bottom});
    }
    // The isenthalps, every kJ/kg, every tenth darker.
    const int iFirst = static_cast<int>(std::floor(layout.StateAt(f.left, f.bottom).y));
    const int iLast = static_cast<int>(std::ceil(layout.StateAt(f.right, f.top).y));
    for (int i = iFirst; i <= iLast; ++i) {
        draw.Pen(i % 10 == 0 ? kMajorGrid : kFineGrid, 1);
        draw.Segment(layout.PixelOf(0.0, i), layout.PixelOf(kHighestMoisture, i));
    }
    // The isotherms, every °C from d = 0 to the saturation curve, every fifth bolder.
    for (int t = static_cast<int>(kLowestTemperature); t <= static_cast<int>(kHighestTemperature);
         ++t) {
        const double dEnd = std::min<double>(
            SaturatedMoisture(B, static_cast<float>(t)).value_or(1e9), kHighestMoisture);
        draw.Pen(kIsotherm, t % 5 == 0 ? 2 : 1);
        draw.Segment(layout.PixelOf(0.0, EnthalpyOf(t, 0.0)),
                     layout.PixelOf(dEnd, EnthalpyOf(t, dEnd)));
    }
    const std::vector<std::vector<PlanePoint>> curves = DrawHumidities(draw, layout, state);

    draw.Outline();

    PrintTitle(draw, ChartStyle::Oblique, state, f.left, 2.0);

    // The vapour pressure scale along the top: a tick every 0.1 kPa, longer
    // every 0.5 kPa, numbered every kPa.
    for (int tenth = 0;; ++tenth) {
        const float Pq = static_cast<float>(tenth) * 100.0f;
        if (!HasMoistureContent(B, Pq))
            break;
        const float d = MoistureFromVapourPressure(B, Pq);
        if (d > kHighestMoisture)
            break;
        const double x = layout.PixelOf(d, 0.0).x;
        const double tick = tenth % 5 == 0 ? 6.0 : 3.0;
        draw.Unclipped({x, f.top}, {x, f.top - tick});
        if (tenth % 10 == 0) {
            const std::string text = std::to_string(tenth / 10);
            draw.Place(text, kScalePoints,
                       {{x - draw.TextWidth(text, kScalePoints) / 2.0, f.top - 6.0 - height}},
                       Where::OutsideFrame);
        }
    }
    draw.Place("Pq kPa", kScalePoints,
               {{f.right + kGap, f.top - 6.0 - height}, {f.right - 60.0, f.top - 6.0 - 2 * height}},
               Where::OutsideFrame);

    // The moisture scale along the bottom, and the temperatures on the left.
    const double perGram = layout.PixelOf(1.0, 0.0).x - layout.PixelOf(0.0, 0.0).x;
    const int dStep = ScaleStep(perGram, draw.TextWidth("35", kScalePoints));
    for (int d = 0; d <= static_cast<int>(kHighestMoisture); d += dStep) {
        const std::string text = std::to_string(d);
        const double x = layout.PixelOf(d, 0.0).x;
        draw.Place(text, kScalePoints,
                   {{x - draw.TextWidth(text, kScalePoints) / 2.0, f.bottom + kGap}},
                   Where::OutsideFrame);
    }
    const std::string dCaption = "d g/kg(a)";
    draw.Place(dCaption, kScalePoints,
               {{f.right - draw.TextWidth(dCaption, kScalePoints), f.bottom + 2 * kGap + height},
                {f.right + kGap, f.bottom + kGap}},
               Where::OutsideFrame);
    for (int t = static_cast<int>(kLowestTemperature); t <= static_cast<int>(kHighestTemperature);
         t += 5) {
        const std::string text = std::to_string(t);
        const PlanePoint at = layout.PixelOf(0.0, EnthalpyOf(t, 0.0));
        draw.Place(text, kScalePoints,
                   {{f.left - kGap - draw.TextWidth(text, kScalePoints), at.y - height / 2.0}},
                   Where::OutsideFrame);
    }
    draw.Place("t ℃", kScalePoints, {{2.0, f.top - 6.0 - height}, {2.0, f.top}},
               Where::OutsideFrame);

    // The enthalpies every 10 kJ/kg, beyond the saturation curve where the
    // isenthalp meets it, else where it leaves the frame on the right.
    for (int i = (iFirst / 10) * 10; i <= iLast; i += 10) {
        const std::vector<PlanePoint> line {layout.PixelOf(0.0, i),
                                            layout.PixelOf(kHighestMoisture, i)};
        const std::vector<PlanePoint> inside = draw.InsideFrame(line);
        if (inside.size() < 2)
            continue;
        const std::string text = std::to_string(i);
        std::vector<PlanePoint> corners;
        if (const std::optional<double> ts = SaturationTemperatureAt(B, i)) {
            const std::optional<double> ds = SaturatedMoisture(B, static_cast<float>(*ts));
            if (ds && *ds <= kHighestMoisture) {
                const PlanePoint c = layout.PixelOf(*ds, i);
                for (int k = 0; k < 4; ++k)
                    corners.push_back(
                        {c.x + height + 8.0 + k * (height + 4.0), c.y + kGap + k * (height + 4.0)});
            }
        }
        const bool placed
            = !corners.empty() && draw.Place(text, kScalePoints, corners, Where::InFrame, &inside);
        if (!placed && std::fabs(inside.back().x - f.right) < 0.5)
            draw.Place(text, kScalePoints, {{f.right + kGap, inside.back().y - height / 2.0}},
                       Where::OutsideFrame, &inside);
    }
    // The enthalpy's caption beyond the saturation curve, along the bottom.
    const std::string iCaption = "i kJ/kg(a)";
    std::vector<PlanePoint> iCorners;
    for (double x = f.right - draw.TextWidth(iCaption, kScalePoints) - 4.0; x > f.left; x -= 20.0)
        iCorners.push_back({x, f.bottom - height - 4.0});
    draw.Place(iCaption, kScalePoints, iCorners, Where::InFrame);

    LabelHumidities(draw, curves);
    DrawProtractor(draw, layout, layout.Map());
}

void DrawTemperatureMoisture(const ChartState &state, StyledDrawing &draw,
                             const StyleLayout &layout)
{
    const double B = state.B;
    const PixelRect &f = draw.Frame();
    const double height = draw.TextHeight(kScalePoints);
    const auto pixelAt = [&](double t, double d) { return layout.PixelOf(d, EnthalpyOf(t, d)); };
    // The grid under the saturation curve: isotherms every °C, d lines every g/kg.
    for (int t = static_cast<int>(kLowestTemperature); t <= static_cast<int>(kHighestTemperature);
         ++t) {
        const double dEnd = std::min<double>(
            SaturatedMoisture(B, static_cast<float>(t)).value_or(1e9), kHighestMoisture);
        draw.Pen(t % 5 == 0 ? kMajorGrid : kFineGrid, 1);
        draw.Segment(pixelAt(t, 0.0), pixelAt(t, dEnd));
    }
    for (int d = 1; d <= static_cast<int>(kHighestMoisture); ++d) {
        const double tStart = std::max<double>(
            DewPointTemperature(VapourPressureFromMoisture(B, static_cast<float>(d)))
                .value_or(kLowestTemperature),
            kLowestTemperature);
        draw.Pen(d % 5 == 0 ? kMajorGrid : kFineGrid, 1);
        draw.Segment(pixelAt(tStart, d), pixelAt(kHighestTemperature, d));
    }
    // Specific volume every 0.01 m³/kg, from d = 0 up to saturation.
    const auto temperatureAtVolume = [&](double v, double d) {
        const double Pq = B * d / (kMolarMassRatio + d);
        return v * (B - Pq) / kDryAirGasConstant - kZeroCelsius;
    };
    const double vFirst
        = std::ceil(kDryAirGasConstant * (kLowestTemperature + kZeroCelsius) / B * 100.0);
    std::vector<std::pair<int, std::vector<PlanePoint>>> volumes;
    for (int hundredth = static_cast<int>(vFirst);; ++hundredth) {
        const double v = hundredth / 100.0;
        if (temperatureAtVolume(v, 0.0) > kHighestTemperature)
            break;
        std::vector<PlanePoint> line;
        for (double d = 0.0; d <= kHighestMoisture; d += 0.5) {
            const double t = temperatureAtVolume(v, d);
            const std::optional<double> ds = SaturatedMoisture(B, static_cast<float>(t));
            if (!ds || *ds < d)
                break;
            line.push_back(pixelAt(t, d));
        }
        draw.Pen(kVolume, 1);
        draw.Polyline(line);
        if (hundredth % 5 == 0)
            volumes.emplace_back(hundredth, draw.InsideFrame(line));
    }
    // Wet-bulb lines every 5 °C and isenthalps every 10 kJ/kg, from the
    // saturation curve down to d = 0.
    for (int ts = static_cast<int>(kLowestTemperature); ts <= static_cast<int>(kHighestTemperature);
         ts += 5) {
        const std::optional<WetBulbLine> line = WetBulbLineOf(static_cast<float>(ts), B);
        if (!line)
            continue;
        const StatePoint s = line->saturated;
        const double i0 = s.i - line->epsilon * s.d / 1000.0;
        draw.Pen(kWetBulb, 1);
        std::vector<PlanePoint> points;
        for (int k = 0; k <= 16; ++k) {
            const double d = s.d * k / 16.0;
            points.push_back(layout.PixelOf(d, i0 + line->epsilon * d / 1000.0));
        }
        draw.Polyline(points);
    }
    std::vector<std::pair<int, std::vector<PlanePoint>>> isenthalps;
    for (int i = -10; i <= 200; i += 10) {
        const std::optional<double> ts = SaturationTemperatureAt(B, i);
        const double dEnd = ts ? SaturatedMoisture(B, static_cast<float>(*ts)).value_or(0.0) : 0.0;
        std::vector<PlanePoint> points;
        for (int k = 0; k <= 16; ++k)
            points.push_back(layout.PixelOf(dEnd * k / 16.0, i));
        draw.Pen(kMajorGrid, 1);
        draw.Polyline(points);
        isenthalps.emplace_back(i, draw.InsideFrame(points));
    }
    const std::vector<std::vector<PlanePoint>> curves = DrawHumidities(draw, layout, state);

    draw.Outline();

    PrintTitle(draw, ChartStyle::TemperatureMoisture, state, f.left, 2.0);

    // Dry bulb along the bottom, moisture content on the right.
    const double perKelvin = pixelAt(1.0, 0.0).x - pixelAt(0.0, 0.0).x;
    const int tStep = std::max(5, ScaleStep(perKelvin, draw.TextWidth("-10", kScalePoints)));
    for (int t = static_cast<int>(kLowestTemperature); t <= static_cast<int>(kHighestTemperature);
         t += tStep) {
        const std::string text = std::to_string(t);
        const double x = pixelAt(t, 0.0).x;
        draw.Place(text, kScalePoints,
                   {{x - draw.TextWidth(text, kScalePoints) / 2.0, f.bottom + kGap}},
                   Where::OutsideFrame);
    }
    const std::string tCaption = "干球温度 t ℃";
    draw.Place(tCaption, kScalePoints,
               {{f.right - draw.TextWidth(tCaption, kScalePoints), f.bottom + 2 * kGap + height}},
               Where::OutsideFrame);
    const double perGram = pixelAt(0.0, 0.0).y - pixelAt(0.0, 1.0).y;
    const int dStep = ScaleStep(perGram, height);
    for (int d = 0; d <= static_cast<int>(kHighestMoisture); d += dStep) {
        const double y = pixelAt(kHighestTemperature, d).y;
        draw.Place(std::to_string(d), kScalePoints, {{f.right + kGap, y - height / 2.0}},
                   Where::OutsideFrame);
    }
    const std::string dCaption = "d g/kg(a)";
    draw.Place(dCaption, kScalePoints,
               {{f.right - draw.TextWidth(dCaption, kScalePoints) / 2.0, f.top - height - kGap},
                {f.right + kGap, f.top - height - kGap}},
               Where::OutsideFrame);

    // The enthalpy scale along the saturation curve, above it where each isenthalp ends.
    for (const auto &[i, line] : isenthalps) {
        if (line.size() < 2 || i % 10 != 0)
            continue;
        const std::string text = std::to_string(i);
        const double width = draw.TextWidth(text, kScalePoints);
        const PlanePoint c = line.back();
        draw.Place(text, kScalePoints,
                   {{c.x - kGap - width, c.y - kGap - height},
                    {c.x - kGap - width - 6.0, c.y - kGap - height - 6.0}},
                   Where::InFrame, &line);
    }
    draw.Place("i kJ/kg(a)", kScalePoints, {{f.left + 2 * kGap, f.top + kGap}}, Where::InFrame);
    // The specific volumes at their feet.
    for (const auto &[hundredth, line] : volumes) {
        if (line.empty())
            continue;
        const std::string text = "v=" + std::to_string(hundredth / 100) + "."
            + std::to_string(hundredth % 100 / 10) + std::to_string(hundredth % 10);
        const PlanePoint foot = line.front();
        draw.Place(text, kScalePoints,
                   {{foot.x + kGap, f.bottom - kGap - height},
                    {foot.x + kGap, f.bottom - 2 * kGap - 2 * height}},
                   Where::InFrame, &line);
    }
    LabelHumidities(draw, curves);
}

} // namespace

StyleLayout::StyleLayout(ChartStyle style, const ScaleMap &map) : style_(style), map_(map)
{
    const double W = map.pixelWidth();
    const double legendTop = map.ToPixelY(kChartLegendY);
    if (style == ChartStyle::Oblique) {
        // Level of i − 2.5 d at the frame's corners: the lowest isotherm's
        // lowest point and the highest one's highest.
        const auto level = [](double t, double d) { return EnthalpyOf(t, d) - kObliqueSlope * d; };
        const double lowest
            = std::min(level(kLowestTemperature, 0.0), level(kLowestTemperature, kHighestMoisture));
        const double highest = std::max(level(kHighestTemperature, 0.0),
                                        level(kHighestTemperature, kHighestMoisture));
        frame_.left = 40.0;
        frame_.top = 2.0 * kRow + 10.0;
        // One row of moisture numbers between the frame and the legend, below
        // the result panel on all but the smallest pictures.
        const double bottom = legendTop - kRow - 6.0;
        scale_ = std::min((bottom - frame_.top) / (highest - lowest),
                          (W - frame_.left - 70.0) / (kObliqueSlope * kHighestMoisture));
        scale_ = std::max(scale_, 0.05);
        topLevel_ = highest;
        frame_.bottom = frame_.top + scale_ * (highest - lowest);
        frame_.right = frame_.left + scale_ * kObliqueSlope * kHighestMoisture;
        return;
    }
    // t-d: above and left of the result panel.
    const ResultPanelBox &upper = kResultPanelBoxes[0];
    const ResultPanelBox &lower = kResultPanelBoxes[1];
    frame_.left = 14.0;
    frame_.top = 2.0 * kRow + 6.0;
    frame_.right = std::max(frame_.left + 60.0, map.ToPixelX(upper.left) - 52.0);
    frame_.bottom = std::max(frame_.top + 60.0,
                             std::min(map.ToPixelY(lower.top), legendTop) - 2.0 * kRow - 4.0);
    perKelvin_ = (frame_.right - frame_.left) / (kHighestTemperature - kLowestTemperature);
    perGram_ = (frame_.bottom - frame_.top) / kHighestMoisture;
}

PlanePoint StyleLayout::PixelOf(double d, double i) const
{
    if (style_ == ChartStyle::Oblique)
        return {frame_.left + scale_ * kObliqueSlope * d,
                frame_.top + scale_ * (topLevel_ - (i - kObliqueSlope * d))};
    return {frame_.left + (TemperatureOf(d, i) - kLowestTemperature) * perKelvin_,
            frame_.bottom - d * perGram_};
}

PlanePoint StyleLayout::StateAt(double px, double py) const
{
    if (style_ == ChartStyle::Oblique) {
        const double d = (px - frame_.left) / (scale_ * kObliqueSlope);
        return {d, topLevel_ - (py - frame_.top) / scale_ + kObliqueSlope * d};
    }
    const double t = kLowestTemperature + (px - frame_.left) / perKelvin_;
    const double d = (frame_.bottom - py) / perGram_;
    return {d, EnthalpyOf(t, d)};
}

PlanePoint StyleLayout::ToPlane(double d, double i) const
{
    const PlanePoint p = PixelOf(d, i);
    return {map_.FromPixelX(p.x), map_.FromPixelY(p.y)};
}

PlanePoint StyleLayout::FromPlane(double X, double Y) const
{
    return StateAt(map_.ToPixelX(X), map_.ToPixelY(Y));
}

bool StyleLayout::InField(double d, double i) const
{
    const PlanePoint p = PixelOf(d, i);
    if (!(p.x >= frame_.left && p.x <= frame_.right && p.y >= frame_.top && p.y <= frame_.bottom))
        return false;
    return !UnderResultPanel(static_cast<float>(map_.FromPixelX(p.x)),
                             static_cast<float>(map_.FromPixelY(p.y)));
}

void DrawStyledChart(const ChartState &state, Surface &picture, std::vector<ChartLabel> *labels)
{
    picture.SetTransform(nullptr);
    SetChartScale(picture);
    picture.Cls();
    auto layout = std::make_shared<const StyleLayout>(state.style, picture.Map());
    StyledDrawing draw(picture, *layout, labels);
    PrintLegend(draw, picture.Map(),
                state.style == ChartStyle::Oblique ? kObliqueLegend : kTdLegend);
    if (state.style == ChartStyle::Oblique)
        DrawOblique(state, draw, *layout);
    else
        DrawTemperatureMoisture(state, draw, *layout);
    BlankResultPanel(picture);
    // The panel's texts in the purple of the rectangular chart's.
    picture.SetForeColor(colours::kPurple);
    PrintPanelTexts(state, picture);
    picture.SetForeColor(colours::kChartFore);
    picture.SetDrawWidth(1);
    picture.SetTransform(layout);
}
