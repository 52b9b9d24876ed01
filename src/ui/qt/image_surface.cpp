#include "ui/qt/image_surface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// Segments are clipped to the image enlarged by this many pixels on each
// side, so the rasteriser never sees the huge coordinates that a curve
// reaching far off the chart can produce, while lines that only graze the
// edge keep their direction.
constexpr double kClipMargin = 64.0;

// Liang–Barsky clipping of the segment (x1, y1)–(x2, y2) to the rectangle
// [left, right] × [top, bottom]. Returns false when nothing of it is inside.
bool ClipSegment(double &x1, double &y1, double &x2, double &y2, double left, double top,
                 double right, double bottom)
{
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

// The centre of the pixel that holds a pixel coordinate.
QPointF PixelCentre(double px, double py)
{
    return QPointF(std::floor(px) + 0.5, std::floor(py) + 0.5);
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
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(ToQColor(backColor_));
    RefreshScale();
}

const QImage &ImageSurface::Image()
{
    EndPainting();
    changeNotified_ = false;
    return image_;
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

void ImageSurface::Flush()
{
    if (pending_.size() >= 2) {
        QPainter &p = Painter();
        QPen pen(ToQColor(pendingColour_));
        pen.setWidth(pendingWidth_);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(pending_);
    }
    pending_.clear();
}

QFont ImageSurface::SizedFont() const
{
    QFont font = font_;
    if (FontSize() > 0)
        font.setPointSizeF(FontSize());
    return font;
}

void ImageSurface::PaintClear()
{
    pending_.clear();
    EndPainting();
    image_.fill(ToQColor(backColor_));
    Changed();
}

void ImageSurface::PaintLine(double x1, double y1, double x2, double y2)
{
    const ScaleMap &m = Map();
    double px1 = m.ToPixelX(x1), py1 = m.ToPixelY(y1);
    double px2 = m.ToPixelX(x2), py2 = m.ToPixelY(y2);
    if (!std::isfinite(px1) || !std::isfinite(py1) || !std::isfinite(px2) || !std::isfinite(py2))
        return;
    const double sx = px1, sy = py1;
    if (!ClipSegment(px1, py1, px2, py2, -kClipMargin, -kClipMargin, image_.width() + kClipMargin,
                     image_.height() + kClipMargin)) {
        Flush();
        return;
    }
    const QPointF start = PixelCentre(px1, py1);
    const QPointF end = PixelCentre(px2, py2);
    const bool continues = !pending_.isEmpty() && pendingColour_ == ForeColor()
        && pendingWidth_ == DrawWidth() && pending_.last() == start && px1 == sx && py1 == sy;
    if (!continues) {
        Flush();
        pendingColour_ = ForeColor();
        pendingWidth_ = DrawWidth();
        pending_.append(start);
    }
    pending_.append(end);
    Changed();
}

void ImageSurface::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Flush();
    const ScaleMap &m = Map();
    const double left = std::floor(std::min(m.ToPixelX(x1), m.ToPixelX(x2)));
    const double right = std::floor(std::max(m.ToPixelX(x1), m.ToPixelX(x2)));
    const double top = std::floor(std::min(m.ToPixelY(y1), m.ToPixelY(y2)));
    const double bottom = std::floor(std::max(m.ToPixelY(y1), m.ToPixelY(y2)));
    const QRectF r = QRectF(QPointF(left, top), QPointF(right + 1, bottom + 1))
                         .intersected(QRectF(0, 0, image_.width(), image_.height()));
    if (!r.isEmpty())
        Painter().fillRect(r, ToQColor(colour));
    Changed();
}

void ImageSurface::PaintCircle(double x, double y, double radius)
{
    Flush();
    const ScaleMap &m = Map();
    const double cx = m.ToPixelX(x), cy = m.ToPixelY(y);
    const double r = std::fabs(radius * m.PixelsPerUnitX());
    const double limit = 4.0 * (image_.width() + image_.height());
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || std::fabs(cx) > limit
        || std::fabs(cy) > limit || r > limit)
        return;
    QPainter &p = Painter();
    QPen pen(ToQColor(ForeColor()));
    pen.setWidth(DrawWidth());
    p.setPen(pen);
    p.setBrush(ToQColor(FillColor()));
    p.drawEllipse(QPointF(cx, cy), r, r);
    Changed();
}

void ImageSurface::PaintText(double x, double y, const std::string &text)
{
    Flush();
    const ScaleMap &m = Map();
    const double px = m.ToPixelX(x), py = m.ToPixelY(y);
    const double limit = 4.0 * (image_.width() + image_.height());
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > limit || std::fabs(py) > limit)
        return;
    QPainter &p = Painter();
    const QFont font = SizedFont();
    p.setFont(font);
    p.setPen(ToQColor(ForeColor()));
    const QFontMetricsF metrics(font, &image_);
    p.drawText(QPointF(std::floor(px), std::floor(py) + metrics.ascent()),
               QString::fromStdString(text));
    Changed();
}

double ImageSurface::LineHeightPixels() const
{
    return QFontMetricsF(SizedFont(), const_cast<QImage *>(&image_)).height();
}
