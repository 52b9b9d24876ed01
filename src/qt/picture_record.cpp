#include "qt/picture_record.h"

#include "qt/pixel_line.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// floor(), by way of a whole-number conversion for the coordinates a picture
// has (the library's floor is several times slower without SSE 4.1).
[[gnu::always_inline]] inline double Floor(double v)
{
    if (!(std::fabs(v) < 1e15))
        return std::floor(v);
    const double whole = static_cast<double>(static_cast<qint64>(v));
    return whole > v ? whole - 1.0 : whole;
}

// A logical position on the device: snapped to the centre of its device pixel
// on a raster device, to the centre of its logical pixel (and then scaled) on
// a vector device.
[[gnu::always_inline]] inline double Snap(double logical, const PictureScale &to)
{
    return to.raster ? Floor(logical * to.scale) + 0.5 : (Floor(logical) + 0.5) * to.scale;
}

// The top-left edge of the pixel that holds a logical position, on the device.
double PixelEdge(double logical, const PictureScale &to)
{
    return to.raster ? std::floor(logical * to.scale) : std::floor(logical) * to.scale;
}

double PenWidth(int logicalWidth, const PictureScale &to)
{
    const double width = logicalWidth * to.scale;
    return to.raster ? std::max(1.0, std::round(width)) : width;
}

// The font of a text item at the device's resolution and scale: point sizes
// are given for the 96 dots per inch of the retained picture.
QFont DeviceFont(const QFont &font, const QPaintDevice &device, const PictureScale &to)
{
    QFont scaled = font;
    const double factor = to.scale * kPictureDpi / std::max(1, device.logicalDpiY());
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pixelSize() * to.scale))));
    return scaled;
}

// Which side of the device area a point lies beyond, by more than `reach`:
// bit 0 left, 1 right, 2 above, 3 below.
unsigned Outside(const QPointF &p, double width, double height, double reach)
{
    return (p.x() < -reach ? 1u : 0u) | (p.x() > width + reach ? 2u : 0u)
        | (p.y() < -reach ? 4u : 0u) | (p.y() > height + reach ? 8u : 0u);
}

// Fills a rectangle of the device. A narrow one of whole pixels on a raster
// image goes straight into the image, as the painter would fill it: a grid
// line is a run of one pixel on each of hundreds of rows, which the painter
// fills one row at a time.
void FillPixels(QPainter &painter, const QRectF &area, const QColor &colour)
{
    constexpr int kNarrow = 8;
    PixelCanvas canvas;
    const QRect pixels = area.toRect();
    if (pixels.width() <= kNarrow && colour.alpha() == 255 && QRectF(pixels) == area
        && DirectCanvas(painter, canvas))
        FillPixelRect(canvas, colour.rgba(), pixels);
    else
        painter.fillRect(area, colour);
}

// Draws a polyline with its vertices snapped. Only what can change a pixel
// reaches the rasteriser: a vertex that lands on the pixel of the vertex
// before adds a segment of zero length, and a segment whose two ends lie
// beyond the same edge of the device, farther than the pen and its caps and
// joins reach, is invisible; the polyline is cut there. The picture is the
// same as from the whole polyline.
void PaintPolyline(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    const QSizeF &area = to.area;
    const double width = PenWidth(item.width, to);
    QPen pen(item.pen);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // A lone segment along a pixel row or column covers a rectangle of whole
    // pixels: the pen's square outline from one end to the other, the pixels
    // whose centres lie within it (the rasteriser takes a centre on the
    // right or lower edge, not on the left or upper one). Filled as a
    // rectangle it costs a fraction of the stroke. The chart's grid is drawn
    // this way.
    if (to.raster && item.points.size() == 2) {
        const QPointF a(Snap(item.points[0].x(), to), Snap(item.points[0].y(), to));
        const QPointF b(Snap(item.points[1].x(), to), Snap(item.points[1].y(), to));
        if ((a.x() == b.x()) != (a.y() == b.y())) {
            const double half = width / 2.0;
            const auto first = [](double low) { return std::floor(low - 0.5) + 1.0; };
            const auto last = [](double high) { return std::floor(high - 0.5); };
            const QRectF pixels(
                QPointF(first(std::min(a.x(), b.x()) - half), first(std::min(a.y(), b.y()) - half)),
                QPointF(last(std::max(a.x(), b.x()) + half) + 1.0,
                        last(std::max(a.y(), b.y()) + half) + 1.0));
            const QRectF shown = pixels.intersected(QRectF(QPointF(0, 0), area));
            if (!shown.isEmpty())
                FillPixels(painter, shown, item.pen);
            return;
        }
    }

    // One-pixel lines go straight into the image, pixel for pixel as the
    // painter would draw them; so do the wider lines of a picture at another
    // resolution than the window's, widened to the pen's breadth. At the
    // window's own resolution a wider line is the painter's.
    PixelCanvas canvas;
    const bool direct = to.raster && item.pen.alpha() == 255 && (width == 1.0 || to.scale != 1.0)
        && DirectCanvas(painter, canvas);
    const auto draw = [&](const QPointF *points, qsizetype count) {
        if (direct)
            DrawPixelPolyline(canvas, item.pen.rgba(), points, count, static_cast<int>(width));
        else
            painter.drawPolyline(points, static_cast<int>(count));
    };

    // A miter join reaches at most twice the pen width beyond its vertex.
    const double reach = 2.0 * width + 2.0;
    std::vector<QPointF> run;
    run.reserve(static_cast<std::size_t>(item.points.size()) + 1);
    QPointF previous;
    unsigned previousOutside = 0;
    bool first = true;
    bool endsOnItsPixel = false;
    for (const QPointF &point : item.points) {
        const QPointF snapped(Snap(point.x(), to), Snap(point.y(), to));
        endsOnItsPixel = !first && snapped.x() == previous.x() && snapped.y() == previous.y();
        if (endsOnItsPixel)
            continue;
        const unsigned outside = Outside(snapped, area.width(), area.height(), reach);
        if (!first && (outside & previousOutside) != 0) {
            // Invisible segment: end the run at its start, begin a new one at its end.
            if (run.size() >= 2)
                draw(run.data(), static_cast<qsizetype>(run.size()));
            run.clear();
        }
        run.push_back(snapped);
        previous = snapped;
        previousOutside = outside;
        first = false;
    }
    // A last segment of zero length stays: the rasteriser then leaves out the
    // end pixel of the segment before it, as it does within the whole polyline.
    if (endsOnItsPixel && !run.empty())
        run.push_back(run.back());
    if (run.size() == 1 && item.points.size() >= 2)
        run.push_back(run.front()); // all on one pixel, or a tail beyond an edge
    if (run.size() >= 2)
        draw(run.data(), static_cast<qsizetype>(run.size()));
}

void PaintBox(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    const QPointF &a = item.points.value(0);
    const QPointF &b = item.points.value(1);
    // Every pixel whose area the box touches, edges included.
    const double left = PixelEdge(std::min(a.x(), b.x()), to);
    const double top = PixelEdge(std::min(a.y(), b.y()), to);
    const double step = to.raster ? 1.0 : to.scale;
    const double right = PixelEdge(std::max(a.x(), b.x()), to) + step;
    const double bottom = PixelEdge(std::max(a.y(), b.y()), to) + step;
    const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom))
                           .intersected(QRectF(QPointF(0, 0), to.area));
    if (!box.isEmpty())
        FillPixels(painter, box, item.pen);
}

void PaintCircle(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    QPen pen(item.pen);
    pen.setWidthF(PenWidth(item.width, to));
    painter.setPen(pen);
    painter.setBrush(item.fill);
    const QPointF &centre = item.points.value(0);
    const double r = item.radius * to.scale;
    painter.drawEllipse(QPointF(centre.x() * to.scale, centre.y() * to.scale), r, r);
}

// A filled polygon, no outline: its corners scaled to the device (a shape,
// not a line, so they are not snapped to pixel centres), the fill blended
// over what lies below it.
void PaintPolygon(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    QPolygonF scaled(item.points.size());
    for (qsizetype k = 0; k < item.points.size(); ++k)
        scaled[k] = item.points[k] * to.scale;
    painter.setPen(Qt::NoPen);
    painter.setBrush(item.fill);
    painter.drawPolygon(scaled);
}

// A text laid out in a font on a raster device: its glyphs and where they go.
struct ShapedText {
    QFont font;
    int dpiX = 0, dpiY = 0;
    QList<QGlyphRun> glyphs; // placed with the line's top at 0
    double ascent = 0.0; // the font's, to put the baseline where printing puts it
    double lineAscent = 0.0; // the laid-out line's
};

// The layout of a text, made once: every redraw prints the chart's texts
// again, and shaping them is most of what printing costs. The glyphs are the
// ones the painter's own text drawing places, pixel for pixel.
const ShapedText &Shaped(const QString &text, const QFont &font, const QPaintDevice &device)
{
    constexpr int kMostRemembered = 1024; // texts of results come and go
    static QHash<QString, std::vector<ShapedText>> remembered;
    static int count = 0;
    if (count >= kMostRemembered) {
        remembered.clear();
        count = 0;
    }
    std::vector<ShapedText> &layouts = remembered[text];
    for (const ShapedText &shaped : layouts)
        if (shaped.dpiX == device.logicalDpiX() && shaped.dpiY == device.logicalDpiY()
            && shaped.font == font)
            return shaped;
    ShapedText shaped;
    shaped.font = font;
    shaped.dpiX = device.logicalDpiX();
    shaped.dpiY = device.logicalDpiY();
    QTextLayout layout(text, font, &device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    shaped.glyphs = layout.glyphRuns();
    shaped.lineAscent = line.ascent();
    shaped.ascent = QFontMetricsF(font, &device).ascent();
    ++count;
    layouts.push_back(std::move(shaped));
    return layouts.back();
}

void PaintText(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    const QFont font = DeviceFont(item.font, *painter.device(), to);
    painter.setPen(item.pen);
    const QPointF &at = item.points.value(0);
    const double left = PixelEdge(at.x(), to), top = PixelEdge(at.y(), to);
    if (to.raster) {
        const ShapedText &shaped = Shaped(item.text, font, *painter.device());
        const QPointF lineTop(left, top + shaped.ascent - shaped.lineAscent);
        for (const QGlyphRun &run : shaped.glyphs)
            painter.drawGlyphRun(lineTop, run);
        return;
    }
    // Files and printers keep the text as text.
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(left, top + metrics.ascent()), item.text);
}

} // namespace

void PaintItem(QPainter &painter, const PictureItem &item, const PictureScale &to)
{
    switch (item.kind) {
    case PictureItem::Kind::Polyline:
        PaintPolyline(painter, item, to);
        break;
    case PictureItem::Kind::Box:
        PaintBox(painter, item, to);
        break;
    case PictureItem::Kind::Circle:
        PaintCircle(painter, item, to);
        break;
    case PictureItem::Kind::Text:
        PaintText(painter, item, to);
        break;
    case PictureItem::Kind::Polygon:
        PaintPolygon(painter, item, to);
        break;
    }
}

void PaintRecord(QPainter &painter, const PictureRecord &record, const PictureScale &to)
{
    painter.fillRect(QRectF(0, 0, record.width * to.scale, record.height * to.scale), record.back);
    for (const PictureItem &item : record.items)
        PaintItem(painter, item, to);
}

double LogicalLineHeight(const QFont &font)
{
    static const QImage reference(1, 1, QImage::Format_RGB32);
    return QFontMetricsF(font, &reference).height();
}
