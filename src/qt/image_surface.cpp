#include "qt/image_surface.h"

#include "qt/qt_colour.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Segments are clipped to the picture enlarged by this many logical pixels on
// each side, so the rasteriser never sees the huge coordinates that a curve
// reaching far off the chart can produce, while lines that only graze the
// edge keep their direction.
constexpr double kClipMargin = 64.0;

// Liang–Barsky clipping of the segment (x1, y1)–(x2, y2) to the rectangle
// [left, right] × [top, bottom]. Returns false when nothing of it is inside.
bool ClipSegment(double &x1, double &y1, double &x2, double &y2, double left, double top,
                 double right, double bottom)
{
    // Most segments of a curve lie wholly inside the rectangle or wholly
    // beyond one of its sides; neither needs the divisions below.
    const bool firstInside = x1 >= left && x1 <= right && y1 >= top && y1 <= bottom;
    if (firstInside && x2 >= left && x2 <= right && y2 >= top && y2 <= bottom)
        return true;
    if ((x1 < left && x2 < left) || (x1 > right && x2 > right) || (y1 < top && y2 < top)
        || (y1 > bottom && y2 > bottom))
        return false;
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
    }
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    const double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

} // namespace

ImageSurface::ImageSurface()
{
    Resize(1, 1);
}

ImageSurface::~ImageSurface()
{
    EndPainting();
}

void ImageSurface::Resize(int width, int height)
{
    EndPainting();
    record_.width = std::max(width, 1);
    record_.height = std::max(height, 1);
    record_.items.clear();
    Rebuild();
    RefreshScale();
}

void ImageSurface::SetDevicePixelRatio(double ratio)
{
    if (!(ratio > 0.0) || ratio == ratio_)
        return;
    EndPainting();
    ratio_ = ratio;
    Rebuild();
    Changed();
}

PictureScale ImageSurface::ImageScale() const
{
    return PictureScale::For(record_, ratio_, true);
}

void ImageSurface::Rebuild()
{
    painter_.reset();
    record_.back = ToQColor(backColor_);
    const PictureScale to = ImageScale();
    image_
        = QImage(std::max(1, static_cast<int>(std::ceil(to.area.width()))),
                 std::max(1, static_cast<int>(std::ceil(to.area.height()))), QImage::Format_RGB32);
    image_.fill(record_.back);
    for (const PictureItem &item : record_.items)
        PaintItem(Painter(), item, to);
}

const QImage &ImageSurface::Image()
{
    EndPainting();
    changeNotified_ = false;
    return image_;
}

QImage ImageSurface::DisplayImage()
{
    QImage shown = Image();
    shown.setDevicePixelRatio(ratio_);
    return shown;
}

const PictureRecord &ImageSurface::Record()
{
    Flush();
    return record_;
}

QImage ImageSurface::Render(double scale)
{
    if (scale == ratio_)
        return Image().copy();
    const PictureRecord &record = Record();
    const PictureScale to = PictureScale::For(record, scale, true);
    QImage image(std::max(1, static_cast<int>(std::ceil(to.area.width()))),
                 std::max(1, static_cast<int>(std::ceil(to.area.height()))), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintRecord(painter, record, to);
    return image;
}

std::size_t ImageSurface::ItemCount()
{
    return Record().items.size();
}

void ImageSurface::KeepFirst(std::size_t count)
{
    EndPainting();
    if (count >= record_.items.size())
        return;
    record_.items.resize(count);
    Rebuild();
    Changed();
}

QPainter &ImageSurface::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void ImageSurface::EndPainting()
{
    Flush();
    painter_.reset();
}

void ImageSurface::Changed()
{
    if (!changeNotified_ && onChanged) {
        changeNotified_ = true;
        onChanged();
    }
}

void ImageSurface::Add(PictureItem item)
{
    PaintItem(Painter(), item, ImageScale());
    record_.items.push_back(std::move(item));
    Changed();
}

void ImageSurface::Flush()
{
    if (pending_.points.isEmpty())
        return; // nothing pending: a curve running off the picture flushes at every step
    if (pending_.points.size() >= 2) {
        PictureItem line;
        line.kind = PictureItem::Kind::Polyline;
        line.pen = pending_.pen;
        line.width = pending_.width;
        line.points.swap(pending_.points);
        Add(std::move(line));
    }
    pending_.points.clear();
}

QFont ImageSurface::SizedFont() const
{
    QFont font = font_;
    if (FontSize() > 0)
        font.setPointSizeF(FontSize());
    if (FontBold())
        font.setWeight(QFont::Bold);
    return font;
}

void ImageSurface::PaintClear()
{
    pending_.points.clear();
    EndPainting();
    record_.items.clear();
    record_.back = ToQColor(backColor_);
    image_.fill(record_.back);
    Changed();
}

void ImageSurface::ScaleChanged()
{
    // A pixel beyond the margin, so that rounding in either direction of the
    // map cannot put a point rejected here inside it.
    const ScaleMap &m = Map();
    const double a = m.FromPixelX(-kClipMargin - 1.0),
                 b = m.FromPixelX(record_.width + kClipMargin + 1.0);
    const double c = m.FromPixelY(-kClipMargin - 1.0),
                 d = m.FromPixelY(record_.height + kClipMargin + 1.0);
    outsideLeft_ = std::min(a, b);
    outsideRight_ = std::max(a, b);
    outsideTop_ = std::min(c, d);
    outsideBottom_ = std::max(c, d);
}

void ImageSurface::PaintLine(double x1, double y1, double x2, double y2)
{
    // Most of a curve that runs far off the picture is rejected here, before
    // its points are mapped to pixels; what is rejected would have been cut
    // away whole below.
    if (((x1 < outsideLeft_ && x2 < outsideLeft_) || (x1 > outsideRight_ && x2 > outsideRight_)
         || (y1 < outsideTop_ && y2 < outsideTop_) || (y1 > outsideBottom_ && y2 > outsideBottom_))
        && std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)) {
        Flush();
        return;
    }
    const ScaleMap &m = Map();
    double px1 = m.ToPixelX(x1), py1 = m.ToPixelY(y1);
    double px2 = m.ToPixelX(x2), py2 = m.ToPixelY(y2);
    if (!std::isfinite(px1) || !std::isfinite(py1) || !std::isfinite(px2) || !std::isfinite(py2))
        return;
    const double sx = px1, sy = py1;
    if (!ClipSegment(px1, py1, px2, py2, -kClipMargin, -kClipMargin, record_.width + kClipMargin,
                     record_.height + kClipMargin)) {
        Flush();
        return;
    }
    const QPointF start(px1, py1);
    // Exact comparison: a segment continues the pending polyline when it
    // starts on the very point the last one ended on.
    const QPointF *last = pending_.points.isEmpty() ? nullptr : &pending_.points.constLast();
    const bool continues = last != nullptr && last->x() == px1 && last->y() == py1 && px1 == sx
        && py1 == sy && pendingColour_ == ForeColor() && pending_.width == DrawWidth();
    if (!continues) {
        Flush();
        pending_.kind = PictureItem::Kind::Polyline;
        pendingColour_ = ForeColor();
        pending_.pen = ToQColor(pendingColour_);
        pending_.width = DrawWidth();
        pending_.points.append(start);
    }
    pending_.points.append(QPointF(px2, py2));
    Changed();
}

void ImageSurface::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Flush();
    const ScaleMap &m = Map();
    PictureItem box;
    box.kind = PictureItem::Kind::Box;
    box.pen = ToQColor(colour);
    box.points = {QPointF(m.ToPixelX(x1), m.ToPixelY(y1)), QPointF(m.ToPixelX(x2), m.ToPixelY(y2))};
    for (const QPointF &corner : box.points)
        if (!std::isfinite(corner.x()) || !std::isfinite(corner.y()))
            return;
    Add(std::move(box));
}

void ImageSurface::PaintCircle(double x, double y, double radius)
{
    Flush();
    const ScaleMap &m = Map();
    const double cx = m.ToPixelX(x), cy = m.ToPixelY(y);
    const double r = std::fabs(radius * m.PixelsPerUnitX());
    const double limit = 4.0 * (record_.width + record_.height);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || std::fabs(cx) > limit
        || std::fabs(cy) > limit || r > limit)
        return;
    PictureItem circle;
    circle.kind = PictureItem::Kind::Circle;
    circle.pen = ToQColor(ForeColor());
    circle.fill = ToQColor(FillColor());
    circle.width = DrawWidth();
    circle.points = {QPointF(cx, cy)};
    circle.radius = r;
    Add(std::move(circle));
}

void ImageSurface::PaintPolygon(std::span<const SurfacePoint> points, Rgb colour,
                                std::uint8_t alpha)
{
    Flush();
    const ScaleMap &m = Map();
    // Corners far off the picture are held at a bound that keeps the
    // rasteriser's arithmetic in range; a corner that is no number drops the polygon.
    const double limit = 4.0 * (record_.width + record_.height);
    PictureItem polygon;
    polygon.kind = PictureItem::Kind::Polygon;
    QColor fill = ToQColor(colour);
    fill.setAlpha(alpha);
    polygon.fill = fill;
    polygon.points.reserve(static_cast<qsizetype>(points.size()));
    for (const SurfacePoint &point : points) {
        const double px = m.ToPixelX(point.x), py = m.ToPixelY(point.y);
        if (!std::isfinite(px) || !std::isfinite(py))
            return;
        polygon.points.append(
            QPointF(std::clamp(px, -limit, limit), std::clamp(py, -limit, limit)));
    }
    Add(std::move(polygon));
}

void ImageSurface::PaintText(double x, double y, const std::string &text)
{
    Flush();
    const ScaleMap &m = Map();
    const double px = m.ToPixelX(x), py = m.ToPixelY(y);
    const double limit = 4.0 * (record_.width + record_.height);
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > limit || std::fabs(py) > limit)
        return;
    PictureItem print;
    print.kind = PictureItem::Kind::Text;
    print.pen = ToQColor(ForeColor());
    print.font = SizedFont();
    print.points = {QPointF(px, py)};
    print.text = QString::fromStdString(text);
    Add(std::move(print));
}

double ImageSurface::LineHeightPixels() const
{
    return LineHeightAt(FontSize());
}

double ImageSurface::LineHeightAt(float points) const
{
    for (const auto &[size, height] : lineHeights_)
        if (size == points)
            return height;
    QFont font = font_;
    if (points > 0)
        font.setPointSizeF(points);
    return lineHeights_.emplace_back(points, LogicalLineHeight(font)).second;
}
