#include "climate/climate_drawing.h"

#include "chart/chart_drawing.h"
#include "climate/climate_report.h"
#include "draw/surface.h"
#include "psychro/moist_air.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

using namespace climate;
using comfort_zones::Zone;

namespace {

// The zones' colours: cooling in blues, heating in warm colours, PMV in green.
constexpr Rgb ZoneColour(Zone zone)
{
    switch (zone) {
    case Zone::CoolingI:
        return {0, 90, 230};
    case Zone::CoolingII:
        return {0, 150, 160};
    case Zone::HeatingI:
        return {220, 70, 0};
    case Zone::HeatingII:
        return {170, 120, 0};
    case Zone::Pmv:
        break;
    }
    return {0, 140, 0};
}
constexpr std::uint8_t kZoneOpacity = 70;

// The density's shades, light to dark (ColorBrewer's YlOrRd), drawn nearly opaque.
constexpr std::array<Rgb, 6> kDensityShades = {{{255, 237, 160},
                                                {254, 217, 118},
                                                {254, 178, 76},
                                                {253, 141, 60},
                                                {240, 59, 32},
                                                {189, 0, 38}}};
constexpr std::uint8_t kDensityOpacity = 200;

// A colour for each month, round the year from winter blue through summer red.
constexpr std::array<Rgb, 12> kMonthColours = {{{33, 102, 172},
                                                {67, 147, 195},
                                                {0, 170, 160},
                                                {60, 170, 60},
                                                {130, 180, 20},
                                                {220, 160, 0},
                                                {230, 100, 0},
                                                {200, 30, 30},
                                                {160, 0, 100},
                                                {120, 60, 160},
                                                {80, 80, 180},
                                                {20, 50, 130}}};
// A dot of the month display, logical pixels across.
constexpr double kDotPixels = 3.0;

// The text block: its top-left corner and font, and its legend's swatches.
constexpr float kPlainBlockLeft = 0.4f;
constexpr float kStyledBlockLeft = 29.5f;
constexpr float kBlockTop = 144.0f;
constexpr float kBlockFontSize = 10.0f;
constexpr double kSwatchPixels = 12.0;
constexpr double kMonthColumnPixels = 110.0; // the month legend's two columns
constexpr float kLabelGap = 0.25f; // g/kg between a zone and its name
// The pale ground under texts drawn over the hours.
constexpr std::uint8_t kGroundOpacity = 225;

// The surface's colours, width and font, put back when the drawing is done.
class KeptState {
public:
    explicit KeptState(Surface &picture)
        : picture_(picture), fore_(picture.ForeColor()), fill_(picture.FillColor()),
          width_(picture.DrawWidth()), size_(picture.FontSize()), x_(picture.CurrentX()),
          y_(picture.CurrentY())
    {
    }
    ~KeptState()
    {
        picture_.SetForeColor(fore_);
        picture_.SetFillColor(fill_);
        picture_.SetDrawWidth(width_);
        picture_.SetFontSize(size_);
        picture_.SetCurrentX(x_);
        picture_.SetCurrentY(y_);
    }
    KeptState(const KeptState &) = delete;
    KeptState &operator=(const KeptState &) = delete;

private:
    Surface &picture_;
    Rgb fore_, fill_;
    int width_;
    float size_, x_, y_;
};

// User units of a number of pixels across and down (down being negative i).
float PixelsAcross(const Surface &picture, double pixels)
{
    return static_cast<float>(picture.Map().FromPixelX(pixels) - picture.Map().FromPixelX(0.0));
}
float PixelsDown(const Surface &picture, double pixels)
{
    return static_cast<float>(picture.Map().FromPixelY(pixels) - picture.Map().FromPixelY(0.0));
}

void Outline(Surface &picture, const std::vector<SurfacePoint> &points)
{
    for (std::size_t k = 0; k < points.size(); ++k) {
        const SurfacePoint &a = points[k];
        const SurfacePoint &b = points[(k + 1) % points.size()];
        picture.Line(a.x, a.y, b.x, b.y);
    }
}

// Prints a line of text with its top-left corner at (x, y); answers the y of the next line.
float PrintAt(Surface &picture, float x, float y, const std::string &text)
{
    picture.SetCurrentX(x);
    picture.SetCurrentY(y);
    picture.Print(text);
    return picture.CurrentY();
}

// About how wide a text prints, in pixels: a Chinese character an em, any
// other character half of one. Enough for the pale ground behind the block.
double TextPixels(const std::string &text, float points)
{
    const double em = points * 96.0 / 72.0;
    double width = 0.0;
    for (std::size_t k = 0; k < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += length >= 3 ? em : em * 0.55;
        k += length;
    }
    return width;
}

// A filled square of `pixels` across centred on (x, y).
void Swatch(Surface &picture, float x, float y, double pixels, Rgb colour)
{
    const float w = PixelsAcross(picture, pixels / 2.0);
    const float h = PixelsDown(picture, pixels / 2.0);
    picture.FillBox(x - w, y - h, x + w, y + h, colour);
}

// The corners of a density cell on the chart: a parallelogram between two
// isotherms and two lines of constant moisture content.
std::array<SurfacePoint, 4> CellCorners(const Cell &cell, float cellT, float cellD)
{
    using moist_air::EnthalpyFromTemperatureMoisture;
    const float t0 = static_cast<float>(cell.tIndex) * cellT, t1 = t0 + cellT;
    const float d0 = static_cast<float>(cell.dIndex) * cellD, d1 = d0 + cellD;
    return {{{d0, EnthalpyFromTemperatureMoisture(t0, d0)},
             {d1, EnthalpyFromTemperatureMoisture(t0, d1)},
             {d1, EnthalpyFromTemperatureMoisture(t1, d1)},
             {d0, EnthalpyFromTemperatureMoisture(t1, d0)}}};
}

std::size_t ClassOf(const std::vector<int> &classes, int hours)
{
    std::size_t k = 0;
    while (k + 1 < classes.size() && hours >= classes[k + 1])
        ++k;
    return k;
}

} // namespace

namespace {

// A zone shown, as the chart of a pressure draws it.
struct ShownZone {
    Zone zone;
    comfort_zones::ZoneShape shape;
};

// The zones chosen that have states at pressure B, in their order.
std::vector<ShownZone> ShapesOf(double B, const ClimateSettings &settings)
{
    std::vector<ShownZone> shown;
    for (const Zone zone : comfort_zones::kZones) {
        if (!comfort_zones::Has(settings.zones, zone))
            continue;
        const comfort_zones::TableZone *row = comfort_zones::TableRow(zone);
        comfort_zones::ZoneShape shape = row ? comfort_zones::TableZoneShape(*row, B)
                                             : comfort_zones::PmvZoneShape(settings.pmv, B);
        if (shape.outline.size() >= 3)
            shown.push_back({zone, std::move(shape)});
    }
    return shown;
}

// The zones filled translucently (the zones layer), or only outlined more
// boldly with their names on a pale ground (over the hours, so that the
// hours do not hide them).
void DrawZoneShapes(Surface &picture, const std::vector<ShownZone> &zones, bool filled)
{
    picture.SetDrawWidth(filled ? 1 : 2);
    picture.SetFontSize(kBlockFontSize);
    for (const ShownZone &shown : zones) {
        const comfort_zones::ZoneShape &shape = shown.shape;
        const Rgb colour = ZoneColour(shown.zone);
        if (filled)
            picture.FillPolygon(shape.outline, colour, kZoneOpacity);
        picture.SetForeColor(colour);
        Outline(picture, shape.outline);
        // The name beside the zone, its middle level with the point.
        const std::string name = comfort_zones::ZoneName(shown.zone);
        const SurfacePoint label = picture.PlaneOf(shape.label.x, shape.label.y);
        const float x = label.x + kLabelGap;
        const float top = label.y - picture.LineHeight() / 2.0f;
        const PlaneDrawing plane(picture);
        if (!filled) {
            const float right = x + PixelsAcross(picture, TextPixels(name, kBlockFontSize) + 2.0);
            const float bottom = top + picture.LineHeight();
            const std::array<SurfacePoint, 4> ground {
                {{x, top}, {right, top}, {right, bottom}, {x, bottom}}};
            picture.FillPolygon(ground, colours::kWhite, kGroundOpacity);
        }
        PrintAt(picture, x, top, name);
    }
}

// DrawClimate's work, the zones' shapes given.
void DrawHours(Surface &picture, const weather::Weather &weather, const Tally &tally,
               const ClimateSettings &settings, const std::vector<ShownZone> &zones)
{
    picture.SetDrawWidth(1);
    picture.SetFontSize(kBlockFontSize);

    std::vector<int> classes;
    if (settings.display == Display::Density) {
        classes = DensityClasses(tally.mostInCell);
        const float cellT = settings.cellT > 0.0f ? settings.cellT : 1.0f;
        const float cellD = settings.cellD > 0.0f ? settings.cellD : 1.0f;
        for (const Cell &cell : tally.cells)
            picture.FillPolygon(CellCorners(cell, cellT, cellD),
                                kDensityShades[ClassOf(classes, cell.hours)], kDensityOpacity);
    } else {
        const float w = PixelsAcross(picture, kDotPixels / 2.0);
        const float h = PixelsDown(picture, kDotPixels / 2.0);
        for (const weather::Hour &hour : weather.hours) {
            if (!Takes(settings.filter, hour)
                || !InShownField(picture.Transform().get(), hour.d, hour.i))
                continue;
            const Rgb colour = hour.month >= 1 && hour.month <= 12
                ? kMonthColours[static_cast<std::size_t>(hour.month - 1)]
                : colours::kBlack;
            picture.FillBox(hour.d - w, hour.i - h, hour.d + w, hour.i + h, colour);
        }
    }

    DrawZoneShapes(picture, zones, false);
    picture.SetDrawWidth(1);

    // The block of texts at the top-left corner, where no weather lies (air
    // hotter than 100 °C), on a pale ground that keeps them legible; a styled
    // chart leaves the upper right free instead.
    const float kBlockLeft = picture.Transform() ? kStyledBlockLeft : kPlainBlockLeft;
    const PlaneDrawing plane(picture);
    const std::vector<std::string> lines = ClimateChartLines(weather, tally, settings);
    const float lineHeight = picture.LineHeight(); // negative: i runs upwards
    const std::size_t legendRows = settings.display == Display::Density ? classes.size() : 6;
    double widest = 0.0;
    for (const std::string &line : lines)
        widest = std::max(widest, TextPixels(line, kBlockFontSize));
    widest = std::max(widest, 2.0 * kMonthColumnPixels + kSwatchPixels);
    const float left = kBlockLeft - PixelsAcross(picture, 4.0);
    const float right = kBlockLeft + PixelsAcross(picture, widest + 10.0);
    const float top = kBlockTop - PixelsDown(picture, 4.0);
    const float bottom = kBlockTop + lineHeight * static_cast<float>(lines.size() + legendRows)
        + PixelsDown(picture, 4.0);
    const std::array<SurfacePoint, 4> ground {
        {{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
    picture.FillPolygon(ground, colours::kWhite, kGroundOpacity);
    picture.SetForeColor(colours::kBlack);
    float y = kBlockTop;
    for (const std::string &line : lines)
        y = PrintAt(picture, kBlockLeft, y, line);

    // The legend: a swatch and its hours, or a swatch and its month, two months a row.
    const float swatchX = kBlockLeft + PixelsAcross(picture, kSwatchPixels / 2.0);
    const float textX = kBlockLeft + PixelsAcross(picture, kSwatchPixels + 4.0);
    if (settings.display == Display::Density) {
        for (std::size_t k = 0; k < classes.size(); ++k) {
            const int from = classes[k];
            const int to = k + 1 < classes.size() ? classes[k + 1] - 1 : tally.mostInCell;
            Swatch(picture, swatchX, y + lineHeight / 2.0f, kSwatchPixels, kDensityShades[k]);
            picture.SetForeColor(colours::kBlack);
            y = PrintAt(picture, textX, y,
                        (from == to ? std::to_string(from)
                                    : std::to_string(from) + "–" + std::to_string(to))
                            + " 小时/格");
        }
    } else {
        const float column = PixelsAcross(picture, kMonthColumnPixels);
        for (std::size_t month = 0; month < kMonthColours.size(); ++month) {
            const float dx = (month % 2) * column;
            Swatch(picture, swatchX + dx, y + lineHeight / 2.0f, kSwatchPixels * 0.6,
                   kMonthColours[month]);
            picture.SetForeColor(colours::kBlack);
            const float next = PrintAt(picture, textX + dx, y, std::to_string(month + 1) + " 月");
            if (month % 2 == 1)
                y = next;
        }
    }
}

} // namespace

void DrawZones(Surface &picture, double B, const ClimateSettings &settings)
{
    KeptState kept(picture);
    DrawZoneShapes(picture, ShapesOf(B, settings), true);
}

void DrawClimate(Surface &picture, const weather::Weather &weather, const Tally &tally,
                 const ClimateSettings &settings)
{
    KeptState kept(picture);
    DrawHours(picture, weather, tally, settings, ShapesOf(tally.B, settings));
}

namespace climate {

Tally DrawClimateLayers(Scene &scene, double B, const ClimateSettings &settings,
                        const weather::Weather *weather,
                        const std::optional<DesignTemperatures> &design)
{
    const SceneLayer layer = scene.Layer();
    scene.ClearLayer(SceneLayer::Zones);
    scene.ClearLayer(SceneLayer::Climate);
    // The zones' shapes once for both layers (the PMV zone's take a few
    // hundred heat balances).
    const std::vector<ShownZone> zones = ShapesOf(B, settings);
    scene.SetLayer(SceneLayer::Zones);
    {
        KeptState kept(scene);
        DrawZoneShapes(scene, zones, true);
    }
    Tally tally;
    tally.B = B;
    if (weather) {
        tally = TallyHours(*weather, B, settings, design, scene.Transform().get());
        scene.SetLayer(SceneLayer::Climate);
        KeptState kept(scene);
        DrawHours(scene, *weather, tally, settings, zones);
    }
    scene.SetLayer(layer);
    return tally;
}

std::vector<int> DensityClasses(int mostInCell)
{
    // Steps that grow geometrically from 1 to the fullest cell: a year has
    // many cells of a few hours and a few of a hundred or more.
    std::vector<int> classes {1};
    const double most = std::max(1, mostInCell);
    for (std::size_t k = 1; k < kDensityShades.size(); ++k) {
        const int from = static_cast<int>(
            std::ceil(std::pow(most, static_cast<double>(k) / kDensityShades.size())));
        if (from > classes.back() && from <= mostInCell)
            classes.push_back(from);
    }
    return classes;
}

} // namespace climate
