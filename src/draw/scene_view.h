#pragma once

#include "draw/scale_map.h"

// A magnified part of a picture: the user coordinates at the picture's left,
// top, right and bottom edges. The view of the whole picture is its user scale.
struct SceneView {
    double left = 0.0;
    double top = 0.0;
    double right = 1.0;
    double bottom = 1.0;
    bool operator==(const SceneView &) const = default;
};

// How far a view may magnify the whole picture.
inline constexpr double kLargestZoom = 16.0;

// The view of the whole picture of a user scale.
SceneView WholeView(const ScaleMap &map);

// How many times the view magnifies the whole.
double ZoomOf(const SceneView &whole, const SceneView &view);

// The view magnified `factor` times more about the user point (x, y), which
// stays where it was on the picture; the zoom stays within 1…kLargestZoom and
// the view within the whole (at zoom 1 it is the whole again).
SceneView ZoomedAbout(const SceneView &whole, const SceneView &view, double factor, double x,
                      double y);

// The view moved so that what lay at (x, y) lies at (x + dx, y + dy): user
// units of the view. It stays within the whole.
SceneView Panned(const SceneView &whole, const SceneView &view, double dx, double dy);
