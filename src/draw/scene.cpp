#include "draw/scene.h"

#include <algorithm>

Scene::Scene(double pixelWidth, double pixelHeight, LineHeightFunction lineHeight)
    : pixelWidth_(pixelWidth), pixelHeight_(pixelHeight), lineHeight_(std::move(lineHeight))
{
    RefreshScale();
}

void Scene::Resize(double pixelWidth, double pixelHeight)
{
    pixelWidth_ = pixelWidth;
    pixelHeight_ = pixelHeight;
    RefreshScale();
}

void Scene::ClearLayer(SceneLayer layer)
{
    layers_[static_cast<std::size_t>(layer)].clear();
}

void Scene::ClearAll()
{
    for (std::vector<Op> &layer : layers_)
        layer.clear();
    // An empty picture shows no style's layout: the pointer reads the plain scale.
    SetTransform(nullptr);
}

const std::vector<Scene::Op> &Scene::Ops(SceneLayer layer) const
{
    return layers_[static_cast<std::size_t>(layer)];
}

std::vector<Scene::Op> Scene::Ops() const
{
    std::vector<Op> all;
    all.reserve(Size());
    for (const std::vector<Op> &layer : layers_)
        all.insert(all.end(), layer.begin(), layer.end());
    return all;
}

std::size_t Scene::Size() const
{
    std::size_t size = 0;
    for (const std::vector<Op> &layer : layers_)
        size += layer.size();
    return size;
}

Scene::Op Scene::Make(Kind kind) const
{
    Op op;
    op.kind = kind;
    op.colour = ForeColor();
    op.fill = FillColor();
    op.width = DrawWidth();
    op.fontSize = FontSize();
    op.bold = FontBold();
    return op;
}

void Scene::PaintClear()
{
    // A cleared layer starts afresh; the clearing itself is kept, so that
    // what follows it is known to be drawn on a cleared picture.
    Current().clear();
    Current().push_back(Make(Kind::Clear));
}

void Scene::PaintLine(double x1, double y1, double x2, double y2)
{
    Op &op = Current().emplace_back(Make(Kind::Line));
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
}

void Scene::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Op &op = Current().emplace_back(Make(Kind::FilledBox));
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
}

void Scene::PaintCircle(double x, double y, double radius)
{
    Op &op = Current().emplace_back(Make(Kind::Circle));
    op.x1 = x;
    op.y1 = y;
    op.x2 = radius;
}

void Scene::PaintPolygon(std::span<const SurfacePoint> points, Rgb colour, std::uint8_t alpha)
{
    std::vector<Op> &ops = Current();
    Op &polygon = ops.emplace_back(Make(Kind::Polygon));
    polygon.x1 = static_cast<double>(points.size());
    polygon.x2 = alpha;
    polygon.colour = colour;
    Op corner = polygon;
    corner.kind = Kind::Corner;
    corner.x1 = corner.x2 = 0.0;
    for (const SurfacePoint &point : points) {
        Op &op = ops.emplace_back(corner);
        op.x1 = point.x;
        op.y1 = point.y;
    }
}

void Scene::PaintText(double x, double y, const std::string &text)
{
    Op &op = Current().emplace_back(Make(Kind::Text));
    op.x1 = x;
    op.y1 = y;
    op.text = text;
    if (const std::optional<SurfacePoint> anchor = PlaneTextAnchor()) {
        op.anchored = true;
        op.x2 = anchor->x;
        op.y2 = anchor->y;
    }
}

double Scene::LineHeightPixels() const
{
    if (lineHeight_) {
        const float size = FontSize();
        for (const auto &[known, height] : lineHeights_)
            if (known == size)
                return height;
        return lineHeights_.emplace_back(size, lineHeight_(size)).second;
    }
    // About the line height of a CJK face at 96 dpi.
    return FontSize() * 96.0 / 72.0 * 1.25;
}

namespace {

// Paints the polygon whose operation stands at ops[at] with the corners that
// follow it, as many of them as lie before `end`; answers the index after them.
std::size_t PaintPolygonAt(const std::vector<Scene::Op> &ops, std::size_t at, std::size_t end,
                           Surface &target)
{
    const Scene::Op &polygon = ops[at];
    target.SetFillColor(polygon.fill);
    target.SetDrawWidth(polygon.width);
    target.SetFontSize(polygon.fontSize);
    std::vector<SurfacePoint> corners;
    std::size_t k = at + 1;
    while (k < end && ops[k].kind == Scene::Kind::Corner) {
        corners.push_back({static_cast<float>(ops[k].x1), static_cast<float>(ops[k].y1)});
        ++k;
    }
    target.FillPolygon(corners, polygon.colour, static_cast<std::uint8_t>(polygon.x2));
    return k;
}

// radiusScale: a dot's radius is multiplied by it, so that dots keep their
// size on a magnified view.
void PaintOp(const Scene::Op &op, Surface &target, double radiusScale)
{
    target.SetForeColor(op.colour);
    target.SetFillColor(op.fill);
    target.SetDrawWidth(op.width);
    target.SetFontSize(op.fontSize);
    target.SetFontBold(op.bold);
    // The coordinates were single-precision values when they were drawn.
    const auto f = [](double v) { return static_cast<float>(v); };
    switch (op.kind) {
    case Scene::Kind::Clear:
        break;
    case Scene::Kind::Line:
        target.Line(f(op.x1), f(op.y1), f(op.x2), f(op.y2));
        break;
    case Scene::Kind::FilledBox:
        target.FillBox(f(op.x1), f(op.y1), f(op.x2), f(op.y2), op.colour);
        break;
    case Scene::Kind::Circle:
        target.Circle(f(op.x1), f(op.y1), f(op.x2 * radiusScale));
        break;
    case Scene::Kind::Text:
        // A text that belongs to a point keeps its distance from it in pixels.
        if (op.anchored) {
            target.SetCurrentX(f(op.x2 + (op.x1 - op.x2) * radiusScale));
            target.SetCurrentY(f(op.y2 + (op.y1 - op.y2) * radiusScale));
        } else {
            target.SetCurrentX(f(op.x1));
            target.SetCurrentY(f(op.y1));
        }
        target.Print(op.text);
        break;
    case Scene::Kind::Polygon: // painted with its corners by PaintPolygonAt
    case Scene::Kind::Corner:
        break;
    }
}

} // namespace

void PaintScene(const Scene &scene, Surface &target, const LayerExtent &extent,
                const SceneView *view)
{
    double radiusScale = 1.0;
    if (scene.HasUserScale()) {
        const SceneView whole = WholeView(scene.Map());
        const SceneView &shown = view != nullptr ? *view : whole;
        target.Scale(static_cast<float>(shown.left), static_cast<float>(shown.top),
                     static_cast<float>(shown.right), static_cast<float>(shown.bottom));
        radiusScale = 1.0 / ZoomOf(whole, shown);
    }
    target.Cls();
    for (std::size_t layer = 0; layer < kSceneLayerCount; ++layer) {
        const std::vector<Scene::Op> &ops = scene.Ops(static_cast<SceneLayer>(layer));
        const std::size_t count = std::min(ops.size(), extent[layer]);
        for (std::size_t k = 0; k < count;) {
            if (ops[k].kind == Scene::Kind::Polygon) {
                k = PaintPolygonAt(ops, k, count, target);
                continue;
            }
            PaintOp(ops[k], target, radiusScale);
            ++k;
        }
    }
}
