#include "draw/surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Pixels along one piece of a line that a curved layout draws as a chain.
constexpr double kPiecePixels = 6.0;
constexpr int kMostPieces = 256;

} // namespace

void Surface::Scale(float x1, float y1, float x2, float y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    userScale_ = true;
    RefreshScale();
}

void Surface::RefreshScale()
{
    const double w = PixelWidth() > 0 ? PixelWidth() : 1.0;
    const double h = PixelHeight() > 0 ? PixelHeight() : 1.0;
    if (userScale_)
        map_ = ScaleMap(x1_, y1_, x2_, y2_, w, h);
    else
        map_ = ScaleMap(0.0, 0.0, w, h, w, h); // pixels until a scale is set
    ScaleChanged();
}

SurfacePoint Surface::ToPlane(float x, float y) const
{
    if (!transform_)
        return {x, y};
    const PlanePoint p = transform_->ToPlane(x, y);
    return {static_cast<float>(p.x), static_cast<float>(p.y)};
}

SurfacePoint Surface::FromPlane(double X, double Y) const
{
    if (!transform_)
        return {static_cast<float>(X), static_cast<float>(Y)};
    const PlanePoint p = transform_->FromPlane(X, Y);
    return {static_cast<float>(p.x), static_cast<float>(p.y)};
}

SurfacePoint Surface::Shifted(float x, float y, float dx, float dy) const
{
    if (!transform_)
        return {x + dx, y + dy};
    const SurfacePoint p = ToPlane(x, y);
    return FromPlane(static_cast<double>(p.x) + dx, static_cast<double>(p.y) + dy);
}

std::optional<SurfacePoint> Surface::PlaneTextAnchor() const
{
    if (!textAnchor_)
        return std::nullopt;
    return ToPlane(textAnchor_->x, textAnchor_->y);
}

void Surface::Cls()
{
    PaintClear();
    const SurfacePoint corner = FromPlane(map_.left(), map_.top());
    currentX_ = corner.x;
    currentY_ = corner.y;
}

void Surface::Line(float x1, float y1, float x2, float y2)
{
    if (!transform_) {
        PaintLine(x1, y1, x2, y2);
    } else {
        const SurfacePoint a = ToPlane(x1, y1), b = ToPlane(x2, y2);
        const double pixels = std::hypot(map_.ToPixelX(b.x) - map_.ToPixelX(a.x),
                                         map_.ToPixelY(b.y) - map_.ToPixelY(a.y));
        const int pieces = transform_->KeepsLinesStraight() || !std::isfinite(pixels)
            ? 1
            : std::clamp(static_cast<int>(std::ceil(pixels / kPiecePixels)), 1, kMostPieces);
        SurfacePoint from = a;
        for (int k = 1; k <= pieces; ++k) {
            const double f = static_cast<double>(k) / pieces;
            const SurfacePoint to = k == pieces ? b
                                                : ToPlane(static_cast<float>(x1 + (x2 - x1) * f),
                                                          static_cast<float>(y1 + (y2 - y1) * f));
            PaintLine(from.x, from.y, to.x, to.y);
            from = to;
        }
    }
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::LineTo(float x2, float y2)
{
    Line(currentX_, currentY_, x2, y2);
}

void Surface::FillBox(float x1, float y1, float x2, float y2, Rgb colour)
{
    if (!transform_) {
        PaintFilledBox(x1, y1, x2, y2, colour);
    } else {
        const SurfacePoint c = ToPlane((x1 + x2) / 2.0f, (y1 + y2) / 2.0f);
        const float w = (x2 - x1) / 2.0f, h = (y2 - y1) / 2.0f;
        PaintFilledBox(c.x - w, c.y - h, c.x + w, c.y + h, colour);
    }
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::Circle(float x, float y, float radius)
{
    const SurfacePoint c = ToPlane(x, y);
    PaintCircle(c.x, c.y, radius);
    currentX_ = x;
    currentY_ = y;
}

void Surface::FillPolygon(std::span<const SurfacePoint> points, Rgb colour, std::uint8_t alpha)
{
    if (points.size() < 3)
        return;
    if (!transform_) {
        PaintPolygon(points, colour, alpha);
        return;
    }
    std::vector<SurfacePoint> plane;
    plane.reserve(points.size());
    for (const SurfacePoint &p : points)
        plane.push_back(ToPlane(p.x, p.y));
    PaintPolygon(plane, colour, alpha);
}

void Surface::Print(const std::string &text)
{
    if (transform_) {
        const SurfacePoint at = ToPlane(currentX_, currentY_);
        PaintText(at.x, at.y, text);
        const SurfacePoint next = FromPlane(
            map_.left(), at.y + map_.FromPixelY(LineHeightPixels()) - map_.FromPixelY(0.0));
        currentX_ = next.x;
        currentY_ = next.y;
        return;
    }
    PaintText(currentX_, currentY_, text);
    currentX_ = static_cast<float>(map_.left());
    currentY_ = static_cast<float>(currentY_ + map_.FromPixelY(LineHeightPixels())
                                   - map_.FromPixelY(0.0));
}

float Surface::LineHeight() const
{
    return static_cast<float>(map_.FromPixelY(LineHeightPixels()) - map_.FromPixelY(0.0));
}
