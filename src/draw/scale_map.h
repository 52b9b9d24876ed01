#pragma once

// The user coordinate system of a drawing surface, set from the user
// coordinates of its upper-left and lower-right corners, and the map between
// user coordinates and pixels for a surface of a given pixel size.
class ScaleMap {
public:
    ScaleMap() = default;
    ScaleMap(double left, double top, double right, double bottom, double pixelWidth,
             double pixelHeight)
        : left_(left), top_(top), right_(right), bottom_(bottom), pixelWidth_(pixelWidth),
          pixelHeight_(pixelHeight)
    {
    }

    double left() const { return left_; }
    double top() const { return top_; }
    double right() const { return right_; }
    double bottom() const { return bottom_; }
    double pixelWidth() const { return pixelWidth_; }
    double pixelHeight() const { return pixelHeight_; }

    // User coordinates to pixels, measured from the surface's top-left corner.
    double ToPixelX(double x) const { return (x - left_) * pixelWidth_ / (right_ - left_); }
    double ToPixelY(double y) const { return (y - top_) * pixelHeight_ / (bottom_ - top_); }
    // Pixels to user coordinates.
    double FromPixelX(double px) const { return left_ + px * (right_ - left_) / pixelWidth_; }
    double FromPixelY(double py) const { return top_ + py * (bottom_ - top_) / pixelHeight_; }
    // Pixels per horizontal user unit, for lengths such as a circle's radius.
    double PixelsPerUnitX() const { return pixelWidth_ / (right_ - left_); }

private:
    double left_ = 0.0;
    double top_ = 0.0;
    double right_ = 1.0;
    double bottom_ = 1.0;
    double pixelWidth_ = 1.0;
    double pixelHeight_ = 1.0;
};
