#include "report/sheet_chart.h"

#include "chart/chart_drawing.h"
#include "designs/plotting.h"
#include "draw/scene.h"
#include "draw/surface.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace moist_air;

namespace {

// The main window's chart on a 1920 × 1080 screen is 1920 × 821 pixels for
// 42 g/kg by 175 kJ/kg: pixels per g/kg over pixels per kJ/kg.
constexpr double kChartShape = (1920.0 / (chart_scale::kRight - chart_scale::kLeft))
    / (821.0 / (chart_scale::kTop - chart_scale::kBottom));

// The margin around the states, as a share of their spread and at least
// this much.
constexpr double kMarginShare = 0.12;
constexpr double kLeastMoistureMargin = 0.3; // g/kg
constexpr double kLeastEnthalpyMargin = 2.0; // kJ/kg

// The picture's margins around the plot, pixels: the enthalpy numbers on the
// left, the moisture numbers, the axis title and the legend below.
constexpr double kLeftMargin = 56, kRightMargin = 14, kTopMargin = 26, kBottomMargin = 84;

// Sizes in print: the state dots 3.6 mm across, their letters 14 pt (capitals
// about 3.5 mm high), the process lines 0.8 mm, the scale numbers 10 pt.
constexpr double kDotRadiusMillimetres = 1.8;
constexpr float kLetterPoints = 14.0f;
constexpr int kProcessLinePixels = 3;
constexpr float kNumberPoints = 10.0f;
constexpr float kCurveLabelPoints = 9.0f;
// At most this many grid lines, isotherms across the plot.
constexpr double kMostLines = 14;
// Points of a traced humidity curve across the region's temperatures.
constexpr int kCurvePoints = 240;

constexpr Rgb kMarginBack = colours::kWhite;
constexpr Rgb kIsothermText {150, 110, 0};

double PixelsPerPoint()
{
    return 96.0 / 72.0;
}

// A text's width estimated from its characters: a Chinese character is as
// wide as the font size, a Latin letter or digit a little over half.
double TextWidth(const std::string &text, float points)
{
    double ems = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if ((c & 0xC0) == 0x80)
            continue;
        ems += c < 0x80 ? 0.55 : 1.0;
    }
    return ems * points * PixelsPerPoint();
}

// The smallest of 1, 2, 5 times a power of ten that divides `span` into at
// most kMostLines parts.
double NiceStep(double span)
{
    const double rough = span / kMostLines;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return factor * power;
    return 10.0 * power;
}

// The multiples of `step` in [low, high]; their count is bounded by kMostLines.
std::vector<double> Multiples(double low, double high, double step)
{
    std::vector<double> values;
    const double first = std::ceil(low / step - 1e-9);
    for (double k = first; k * step <= high + 1e-9 * step && values.size() <= kMostLines + 1; ++k)
        values.push_back(k * step);
    return values;
}

double EnthalpyAt(double t, double d)
{
    return kDryAirHeat * t + kKilogramsPerGram * d * (kLatentHeat + kVapourHeat * t);
}

double TemperatureAt(double d, double i)
{
    return (i - kLatentHeatPerGram * d) / (kDryAirHeat + kVapourHeatPerGram * d);
}

const std::vector<FoundState> &StatesOf(const DesignOutcome &outcome)
{
    return std::visit([](const auto &o) -> const std::vector<FoundState> & { return o.states; },
                      outcome);
}

bool SamePoint(StatePoint a, StatePoint b)
{
    return a.d == b.d && a.i == b.i;
}

// The process as the main window plots it: its lines and each state's final
// dot colours (outline, fill), read from the outcome's plot on a scene.
struct Process {
    std::vector<ChartLine> lines;
    std::vector<std::pair<StatePoint, std::pair<Rgb, Rgb>>> dots;
};

Process ProcessOf(const DesignOutcome &outcome)
{
    Scene scene;
    SetChartScale(scene);
    PlotDesign(outcome, scene);
    Process process;
    for (const Scene::Op &op : scene.Ops(scene.Layer())) {
        const StatePoint from {static_cast<float>(op.x1), static_cast<float>(op.y1)};
        if (op.kind == Scene::Kind::Line) {
            process.lines.push_back({from, {static_cast<float>(op.x2), static_cast<float>(op.y2)}});
        } else if (op.kind == Scene::Kind::Circle) {
            auto dot
                = std::find_if(process.dots.begin(), process.dots.end(),
                               [&](const auto &known) { return SamePoint(known.first, from); });
            if (dot == process.dots.end())
                process.dots.push_back({from, {op.colour, op.fill}});
            else
                dot->second = {op.colour, op.fill};
        }
    }
    return process;
}

// The lines a state's letter keeps clear of: the process lines, and for a
// state that lies on a line between two others (O of the secondary design on
// L–N) the two halves from it.
std::vector<ChartLine> LinesToAvoid(const std::vector<ChartLine> &lines,
                                    const std::vector<FoundState> &states, const ScaleMap &map)
{
    std::vector<ChartLine> avoid = lines;
    for (const FoundState &state : states)
        for (const auto &[a, b] : lines) {
            if (SamePoint(a, state.point) || SamePoint(b, state.point))
                continue;
            const double ax = map.ToPixelX(a.d), ay = map.ToPixelY(a.i);
            const double bx = map.ToPixelX(b.d), by = map.ToPixelY(b.i);
            const double px = map.ToPixelX(state.point.d), py = map.ToPixelY(state.point.i);
            const double length = std::hypot(bx - ax, by - ay);
            if (length == 0)
                continue;
            const double across = std::fabs((bx - ax) * (py - ay) - (by - ay) * (px - ax)) / length;
            const double along = ((bx - ax) * (px - ax) + (by - ay) * (py - ay)) / length;
            if (across < 1.0 && along > 0 && along < length) {
                avoid.push_back({state.point, a});
                avoid.push_back({state.point, b});
            }
        }
    return avoid;
}

void PrintAt(Surface &picture, double x, double y, const std::string &text)
{
    picture.SetCurrentX(static_cast<float>(x));
    picture.SetCurrentY(static_cast<float>(y));
    picture.Print(text);
}

// One curve of constant relative humidity across the region's temperatures,
// labelled where it leaves the plot.
// A label's rectangle in pixels: left, top, right, bottom.
using LabelBox = std::array<double, 4>;

void DrawHumidityCurve(Surface &picture, const ChartRegion &r, double phi, double tLow,
                       double tHigh, double B, std::vector<LabelBox> &placed)
{
    const ScaleMap &map = picture.Map();
    picture.SetForeColor(colours::kPurple);
    picture.SetDrawWidth(1);
    bool started = false;
    StatePoint lastInside {};
    bool inside = false;
    try {
        for (int k = 0; k <= kCurvePoints; ++k) {
            const auto t = static_cast<float>(tLow + (tHigh - tLow) * k / kCurvePoints);
            const float Pq = VapourPressureFromPhi(SaturationPressure(t), static_cast<float>(phi));
            if (!HasMoistureContent(B, Pq))
                break;
            const float d = MoistureFromVapourPressure(B, Pq);
            const float i = EnthalpyFromTemperatureMoisture(t, d);
            if (started) {
                picture.LineTo(d, i);
            } else {
                picture.SetCurrentX(d);
                picture.SetCurrentY(i);
                started = true;
            }
            if (d >= r.dLeft && d <= r.dRight && i >= r.iBottom && i <= r.iTop) {
                lastInside = {d, i};
                inside = true;
            }
        }
    } catch (const ArithmeticFault &) {
        // The curve ends where its values cannot be formed.
    }
    if (!inside)
        return;
    const std::string text = "φ=" + DoubleText(std::round(phi * 100)) + "%";
    picture.SetFontSize(kCurveLabelPoints);
    const double width = TextWidth(text, kCurveLabelPoints);
    const double height = kCurveLabelPoints * PixelsPerPoint() * 1.25;
    const double x = std::min(map.ToPixelX(lastInside.d) + 3, map.ToPixelX(r.dRight) - width - 3);
    double y = std::max(map.ToPixelY(lastInside.i) + 2, map.ToPixelY(r.iTop) + 2);
    // Curves that leave the plot close together near a corner keep their
    // labels apart: a label moves down below one it would cover.
    const auto covers = [&](double top) {
        return std::any_of(placed.begin(), placed.end(), [&](const LabelBox &b) {
            return x < b[2] && x + width > b[0] && top < b[3] && top + height > b[1];
        });
    };
    for (int k = 0; k < 12 && covers(y); ++k)
        y += height;
    placed.push_back({x, y, x + width, y + height});
    PrintAt(picture, map.FromPixelX(x), map.FromPixelY(y), text);
}

// The legend names the machine dew point's black dot and the steam state's
// cyan one only where the process has them.
void DrawLegend(Surface &picture, double top, bool dewPoint, bool steam)
{
    const ScaleMap &map = picture.Map();
    struct Entry {
        Rgb colour;
        int width;
        bool dot;
        const char *text;
    };
    const Entry entries[] = {
        {colours::kBlack, 1, false, "等含湿量线 d、等焓线 i"},
        {colours::kYellow, 2, false, "等温线 t"},
        {colours::kPurple, 1, false, "等相对湿度线 φ"},
        {colours::kGreen, kProcessLinePixels, false, "空气处理过程线"},
        {colours::kRed, 1, true, "状态点"},
        {colours::kBlack, 1, true, "机器露点"},
        {kSteamStateColour, 1, true, "喷蒸汽后的状态点 M2"},
    };
    const double lineLength = 34, gap = 8, spacing = 22;
    const double height = kNumberPoints * PixelsPerPoint() * 1.25;
    double x = map.ToPixelX(map.left()) + kLeftMargin;
    picture.SetFontSize(kNumberPoints);
    for (const Entry &entry : entries) {
        if (entry.dot
            && ((entry.colour == kSteamStateColour && !steam)
                || (entry.colour == colours::kBlack && !dewPoint)))
            continue;
        const double middle = top + height / 2;
        picture.SetForeColor(entry.colour);
        picture.SetFillColor(entry.colour);
        if (entry.dot) {
            picture.SetDrawWidth(1);
            picture.Circle(static_cast<float>(map.FromPixelX(x + lineLength / 2)),
                           static_cast<float>(map.FromPixelY(middle)),
                           static_cast<float>(kDotRadiusMillimetres * kSheetPixelsPerMillimetre
                                              / map.PixelsPerUnitX()));
        } else {
            picture.SetDrawWidth(entry.width);
            picture.Line(static_cast<float>(map.FromPixelX(x)),
                         static_cast<float>(map.FromPixelY(middle)),
                         static_cast<float>(map.FromPixelX(x + lineLength)),
                         static_cast<float>(map.FromPixelY(middle)));
        }
        picture.SetForeColor(colours::kBlack);
        PrintAt(picture, map.FromPixelX(x + lineLength + gap), map.FromPixelY(top), entry.text);
        x += lineLength + gap + TextWidth(entry.text, kNumberPoints) + spacing;
    }
}

} // namespace

ChartRegion ProcessRegion(const std::vector<FoundState> &states, double width, double height)
{
    ChartRegion r {1e300, -1e300, 1e300, -1e300};
    for (const FoundState &state : states) {
        r.dLeft = std::min(r.dLeft, static_cast<double>(state.point.d));
        r.dRight = std::max(r.dRight, static_cast<double>(state.point.d));
        r.iBottom = std::min(r.iBottom, static_cast<double>(state.point.i));
        r.iTop = std::max(r.iTop, static_cast<double>(state.point.i));
    }
    if (states.empty())
        r = {0, 1, 0, 1};
    const double dMargin = std::max(kMarginShare * (r.dRight - r.dLeft), kLeastMoistureMargin);
    const double iMargin = std::max(kMarginShare * (r.iTop - r.iBottom), kLeastEnthalpyMargin);
    r = {r.dLeft - dMargin, r.dRight + dMargin, r.iBottom - iMargin, r.iTop + iMargin};
    // At least 1 g/kg by the enthalpy of 1 K at the region's moisture.
    const auto widen = [](double &low, double &high, double least) {
        if (high - low < least) {
            const double middle = (low + high) / 2;
            low = middle - least / 2;
            high = middle + least / 2;
        }
    };
    widen(r.dLeft, r.dRight, 1.0);
    widen(r.iBottom, r.iTop, kDryAirHeat + kVapourHeatPerGram * std::max(r.dRight, 0.0));
    // The plot area's shape at the chart's proportions.
    const double shape = width / height;
    const double now = (r.dRight - r.dLeft) * kChartShape / (r.iTop - r.iBottom);
    if (now < shape)
        widen(r.dLeft, r.dRight, shape * (r.iTop - r.iBottom) / kChartShape);
    else
        widen(r.iBottom, r.iTop, (r.dRight - r.dLeft) * kChartShape / shape);
    // No moisture content lies below zero: a region reaching past it starts there.
    if (r.dLeft < 0.0) {
        r.dRight -= r.dLeft;
        r.dLeft = 0.0;
    }
    return r;
}

std::optional<ChartRegion> DrawProcessRegion(const DesignOutcome &outcome, double B,
                                             Surface &picture)
{
    const std::vector<FoundState> &states = StatesOf(outcome);
    if (states.empty())
        return std::nullopt;
    const double width = picture.Map().pixelWidth(), height = picture.Map().pixelHeight();
    const double plotWidth = width - kLeftMargin - kRightMargin;
    const double plotHeight = height - kTopMargin - kBottomMargin;
    const ChartRegion r = ProcessRegion(states, plotWidth, plotHeight);
    const double perGram = plotWidth / (r.dRight - r.dLeft);
    const double perKilojoule = plotHeight / (r.iTop - r.iBottom);
    const auto f = [](double v) { return static_cast<float>(v); };
    picture.Scale(f(r.dLeft - kLeftMargin / perGram), f(r.iTop + kTopMargin / perKilojoule),
                  f(r.dRight + kRightMargin / perGram),
                  f(r.iBottom - kBottomMargin / perKilojoule));
    picture.Cls();
    const ScaleMap &map = picture.Map();

    // The grid: moisture lines across, enthalpy lines up, at steps of 1, 2 or 5.
    const std::vector<double> ds = Multiples(r.dLeft, r.dRight, NiceStep(r.dRight - r.dLeft));
    const std::vector<double> is = Multiples(r.iBottom, r.iTop, NiceStep(r.iTop - r.iBottom));
    picture.SetForeColor(colours::kBlack);
    picture.SetDrawWidth(1);
    for (double d : ds)
        picture.Line(f(d), f(r.iBottom), f(d), f(r.iTop));
    for (double i : is)
        picture.Line(f(r.dLeft), f(i), f(r.dRight), f(i));

    // The isotherms through the region, each labelled where it leaves the plot.
    const double tLow = TemperatureAt(r.dRight, r.iBottom), tHigh = TemperatureAt(r.dLeft, r.iTop);
    const std::vector<double> ts = Multiples(tLow, tHigh, NiceStep(tHigh - tLow));
    for (double t : ts) {
        picture.SetForeColor(colours::kYellow);
        picture.SetDrawWidth(2);
        picture.Line(f(r.dLeft), f(EnthalpyAt(t, r.dLeft)), f(r.dRight),
                     f(EnthalpyAt(t, r.dRight)));
        // The label where the isotherm enters the plot, on the left edge or
        // the bottom edge, away from the humidity curves' labels on the right.
        const double iLeft = EnthalpyAt(t, r.dLeft);
        const double dBottom
            = (r.iBottom - kDryAirHeat * t) / (kLatentHeatPerGram + kVapourHeatPerGram * t);
        const std::string text = DoubleText(t) + "℃";
        picture.SetFontSize(kCurveLabelPoints);
        picture.SetForeColor(kIsothermText);
        const double lineHeight = kCurveLabelPoints * PixelsPerPoint() * 1.25;
        if (iLeft >= r.iBottom && iLeft <= r.iTop - (lineHeight + 2) / perKilojoule)
            PrintAt(picture, map.FromPixelX(map.ToPixelX(r.dLeft) + 3),
                    map.FromPixelY(map.ToPixelY(iLeft) - lineHeight), text);
        else if (dBottom >= r.dLeft && dBottom <= r.dRight)
            PrintAt(picture, map.FromPixelX(map.ToPixelX(dBottom) + 3),
                    map.FromPixelY(map.ToPixelY(r.iBottom) - lineHeight - 1), text);
    }

    // The curves of constant relative humidity, every 10 %.
    std::vector<LabelBox> placed;
    for (int percent = 10; percent <= 100; percent += 10)
        DrawHumidityCurve(picture, r, percent / 100.0, tLow - 1, tHigh + 1, B, placed);

    // The process: its lines, the dots in their colours, the letters.
    const Process process = ProcessOf(outcome);
    picture.SetForeColor(colours::kGreen);
    picture.SetDrawWidth(kProcessLinePixels);
    for (const auto &[from, to] : process.lines)
        picture.Line(from.d, from.i, to.d, to.i);
    const double radius = kDotRadiusMillimetres * kSheetPixelsPerMillimetre;
    picture.SetDrawWidth(1);
    for (const auto &[point, colours] : process.dots) {
        picture.SetForeColor(colours.first);
        picture.SetFillColor(colours.second);
        picture.Circle(point.d, point.i, f(radius / perGram));
    }
    std::vector<StateLabel> labels;
    for (const FoundState &state : states) {
        Rgb colour = colours::kRed;
        for (const auto &[point, colours] : process.dots)
            if (SamePoint(point, state.point))
                colour = colours.first;
        labels.push_back({state.name, state.point, colour});
    }
    LabelStates(picture, labels, LinesToAvoid(process.lines, states, map), {radius, kLetterPoints});

    // The margins blanked, the frame, the scale numbers and the axis names.
    const auto blank = [&](double x1, double y1, double x2, double y2) {
        picture.FillBox(f(x1), f(y1), f(x2), f(y2), kMarginBack);
    };
    // The strips reach past the margin beyond the picture to which lines are
    // kept, so that nothing of a line shows at the picture's edge.
    const double outX = 80 / perGram, outY = 80 / perKilojoule;
    const double left = map.left() - outX, right = map.right() + outX;
    const double top = map.top() + outY, bottomEdge = map.bottom() - outY;
    blank(left, top, r.dLeft, bottomEdge);
    blank(r.dRight, top, right, bottomEdge);
    blank(left, top, right, r.iTop);
    blank(left, r.iBottom, right, bottomEdge);
    picture.SetForeColor(colours::kBlack);
    picture.SetDrawWidth(1);
    picture.Line(f(r.dLeft), f(r.iTop), f(r.dRight), f(r.iTop));
    picture.LineTo(f(r.dRight), f(r.iBottom));
    picture.LineTo(f(r.dLeft), f(r.iBottom));
    picture.LineTo(f(r.dLeft), f(r.iTop));
    picture.SetFontSize(kNumberPoints);
    const double numberHeight = kNumberPoints * PixelsPerPoint() * 1.25;
    const double bottom = map.ToPixelY(r.iBottom), plotLeft = map.ToPixelX(r.dLeft);
    for (double d : ds) {
        const std::string text = DoubleText(d);
        PrintAt(picture, map.FromPixelX(map.ToPixelX(d) - TextWidth(text, kNumberPoints) / 2),
                map.FromPixelY(bottom + 3), text);
    }
    for (double i : is) {
        const std::string text = DoubleText(i);
        PrintAt(picture, map.FromPixelX(plotLeft - TextWidth(text, kNumberPoints) - 5),
                map.FromPixelY(map.ToPixelY(i) - numberHeight / 2), text);
    }
    const std::string dTitle = "含湿量 d（g/kg）";
    PrintAt(picture, map.FromPixelX(map.ToPixelX(r.dRight) - TextWidth(dTitle, kNumberPoints)),
            map.FromPixelY(bottom + 3 + numberHeight), dTitle);
    PrintAt(picture, map.FromPixelX(2), map.FromPixelY(map.ToPixelY(r.iTop) - numberHeight - 4),
            "焓 i（kJ/kg）");
    const auto hasDot = [&process](Rgb fill) {
        return std::any_of(process.dots.begin(), process.dots.end(),
                           [fill](const auto &dot) { return dot.second.second == fill; });
    };
    DrawLegend(picture, bottom + 3 + 2.4 * numberHeight, hasDot(colours::kBlack),
               hasDot(kSteamStateColour));
    return r;
}
