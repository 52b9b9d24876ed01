#pragma once

#include "draw/scale_map.h"

// A point of a drawing surface's plane or of its user coordinates, in double precision.
struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

// How a chart style lays its user coordinates out on the drawing plane (the
// coordinates the surface's scale maps onto pixels): the identity for the
// rectangular chart, an oblique or a curved grid for the others. Drawing in
// user coordinates goes through it; a pointer position comes back through
// its inverse.
class PlaneTransform {
public:
    virtual ~PlaneTransform() = default;
    virtual PlanePoint ToPlane(double x, double y) const = 0;
    virtual PlanePoint FromPlane(double X, double Y) const = 0;
    // Whether straight lines of user coordinates stay straight on the plane;
    // otherwise a line is drawn as a chain of short pieces.
    virtual bool KeepsLinesStraight() const = 0;
    // Whether the user point lies in the chart's field: the part of the
    // plane the chart is drawn on.
    virtual bool InField(double x, double y) const = 0;
};

// Pixels and user coordinates of one picture: its plane's scale and, where
// a style lays the chart out, the style's transform.
class PixelMapping {
public:
    PixelMapping(const ScaleMap &map, const PlaneTransform *transform)
        : map_(map), transform_(transform)
    {
    }
    const ScaleMap &Map() const { return map_; }
    PlanePoint ToPixel(double x, double y) const
    {
        const PlanePoint p = transform_ ? transform_->ToPlane(x, y) : PlanePoint {x, y};
        return {map_.ToPixelX(p.x), map_.ToPixelY(p.y)};
    }
    PlanePoint FromPixel(double px, double py) const
    {
        const double X = map_.FromPixelX(px), Y = map_.FromPixelY(py);
        return transform_ ? transform_->FromPlane(X, Y) : PlanePoint {X, Y};
    }

private:
    ScaleMap map_;
    const PlaneTransform *transform_;
};
