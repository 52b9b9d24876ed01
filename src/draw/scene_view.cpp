#include "draw/scene_view.h"

#include <algorithm>
#include <cmath>

namespace {

// The view moved along one axis so that it lies within the whole's span
// [a, b] (either order); a view wider than the whole becomes the whole.
void KeepWithin(double a, double b, double &low, double &high)
{
    const bool rising = b > a;
    const double wholeSpan = std::abs(b - a);
    const double span = std::abs(high - low);
    if (!(span < wholeSpan)) {
        low = a;
        high = b;
        return;
    }
    const double first = std::min(a, b);
    const double last = std::max(a, b);
    double start = std::min(low, high);
    start = std::clamp(start, first, last - span);
    low = rising ? start : start + span;
    high = rising ? start + span : start;
}

SceneView Kept(const SceneView &whole, SceneView view)
{
    KeepWithin(whole.left, whole.right, view.left, view.right);
    KeepWithin(whole.top, whole.bottom, view.top, view.bottom);
    return view;
}

} // namespace

SceneView WholeView(const ScaleMap &map)
{
    return {map.left(), map.top(), map.right(), map.bottom()};
}

double ZoomOf(const SceneView &whole, const SceneView &view)
{
    return (whole.right - whole.left) / (view.right - view.left);
}

SceneView ZoomedAbout(const SceneView &whole, const SceneView &view, double factor, double x,
                      double y)
{
    if (!(factor > 0.0) || !std::isfinite(factor) || !std::isfinite(x) || !std::isfinite(y))
        return view;
    const double zoom = std::clamp(ZoomOf(whole, view) * factor, 1.0, kLargestZoom);
    if (zoom == 1.0)
        return whole;
    // The point keeps its fraction of the view's width and height.
    const double scale = ZoomOf(whole, view) / zoom;
    SceneView next;
    next.left = x - (x - view.left) * scale;
    next.right = x + (view.right - x) * scale;
    next.top = y - (y - view.top) * scale;
    next.bottom = y + (view.bottom - y) * scale;
    return Kept(whole, next);
}

SceneView Panned(const SceneView &whole, const SceneView &view, double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return view;
    return Kept(whole, {view.left - dx, view.top - dy, view.right - dx, view.bottom - dy});
}
