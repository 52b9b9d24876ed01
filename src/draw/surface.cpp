#include "draw/surface.h"

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

void Surface::Cls()
{
    PaintClear();
    currentX_ = static_cast<float>(map_.left());
    currentY_ = static_cast<float>(map_.top());
}

void Surface::Line(float x1, float y1, float x2, float y2)
{
    PaintLine(x1, y1, x2, y2);
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::LineTo(float x2, float y2)
{
    Line(currentX_, currentY_, x2, y2);
}

void Surface::FillBox(float x1, float y1, float x2, float y2, Rgb colour)
{
    PaintFilledBox(x1, y1, x2, y2, colour);
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::Circle(float x, float y, float radius)
{
    PaintCircle(x, y, radius);
    currentX_ = x;
    currentY_ = y;
}

void Surface::FillPolygon(std::span<const SurfacePoint> points, Rgb colour, std::uint8_t alpha)
{
    if (points.size() >= 3)
        PaintPolygon(points, colour, alpha);
}

void Surface::Print(const std::string &text)
{
    PaintText(currentX_, currentY_, text);
    currentX_ = static_cast<float>(map_.left());
    currentY_ = static_cast<float>(currentY_ + map_.FromPixelY(LineHeightPixels())
                                   - map_.FromPixelY(0.0));
}

float Surface::LineHeight() const
{
    return static_cast<float>(map_.FromPixelY(LineHeightPixels()) - map_.FromPixelY(0.0));
}
