#pragma once

#include "draw/scene_view.h"
#include "draw/surface.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The layers of the chart's picture, in the order they are painted: the
// chart itself, the overlays that lie on it (comfort zones, a year of
// weather), a design's process, and the state points on top.
enum class SceneLayer : std::uint8_t { Chart, Zones, Climate, Process, Points };
inline constexpr std::size_t kSceneLayerCount = 5;

// How many operations of each layer are painted: all of them, or the first
// part of a layer (a process while a calculation is being shown).
using LayerExtent = std::array<std::size_t, kSceneLayerCount>;
inline constexpr std::size_t kWholeLayer = static_cast<std::size_t>(-1);
inline constexpr LayerExtent kWholeScene
    = {kWholeLayer, kWholeLayer, kWholeLayer, kWholeLayer, kWholeLayer};

// Pixels of one printed line for a font size in points, on the picture a
// scene is painted on.
using LineHeightFunction = std::function<double(float points)>;

// What was drawn, as values: every drawing operation in user coordinates, in
// the order it was drawn, with the colours, line width and font size in force,
// kept in layers. Drawing code draws on a scene as on any Surface; the
// window, the files, the browser and the tests paint the same scene.
//
// A scene is drawn for a picture of a given pixel size and font metrics,
// since the placing of some texts (the state letters, the scale numbers under
// the result panel) depends on them.
class Scene : public Surface {
public:
    // A filled polygon is a Polygon operation followed by its corners, one
    // Corner operation each, so that every operation keeps the same few
    // numbers (the web page reads them as such).
    enum class Kind : std::uint8_t { Clear, Line, FilledBox, Circle, Text, Polygon, Corner };

    struct Op {
        Kind kind = Kind::Clear;
        // circle: centre in x1, y1 and radius in x2; polygon: the number of
        // its corners in x1 and its opacity (0…255) in x2, its colour in
        // colour; corner: the point in x1, y1
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Rgb colour; // foreground colour, or the box colour
        Rgb fill; // fill colour in force
        int width = 1; // line width in force
        float fontSize = 0; // font size in force
        bool bold = false; // bold weight in force
        // a text that belongs to a point (TextAnchor), the point in x2, y2
        bool anchored = false;
        std::string text;
    };

    // Without a line-height function a printed line is 1.25 em at 96 dots per inch.
    explicit Scene(double pixelWidth = 1920, double pixelHeight = 821,
                   LineHeightFunction lineHeight = {});

    // A new pixel size; the user scale stays and maps onto it.
    void Resize(double pixelWidth, double pixelHeight);
    double Width() const { return pixelWidth_; }
    double Height() const { return pixelHeight_; }

    // Later drawing goes into this layer. Cls empties the layer drawn into.
    void SetLayer(SceneLayer layer) { layer_ = layer; }
    SceneLayer Layer() const { return layer_; }
    void ClearLayer(SceneLayer layer);
    // Every layer emptied, and the style's layout set aside.
    void ClearAll();

    const std::vector<Op> &Ops(SceneLayer layer) const;
    // Every operation of every layer in painting order.
    std::vector<Op> Ops() const;
    // Operations in all layers.
    std::size_t Size() const;

    // The colour the picture is cleared to.
    Rgb BackColor() const { return back_; }
    void SetBackColor(Rgb colour) { back_ = colour; }

protected:
    double PixelWidth() const override { return pixelWidth_; }
    double PixelHeight() const override { return pixelHeight_; }
    void PaintClear() override;
    void PaintLine(double x1, double y1, double x2, double y2) override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintCircle(double x, double y, double radius) override;
    void PaintPolygon(std::span<const SurfacePoint> points, Rgb colour,
                      std::uint8_t alpha) override;
    void PaintText(double x, double y, const std::string &text) override;
    double LineHeightPixels() const override;

private:
    Op Make(Kind kind) const;
    std::vector<Op> &Current() { return layers_[static_cast<std::size_t>(layer_)]; }

    double pixelWidth_;
    double pixelHeight_;
    LineHeightFunction lineHeight_;
    // The line heights asked so far, by font size: a chart prints in few sizes.
    mutable std::vector<std::pair<float, double>> lineHeights_;
    Rgb back_ = colours::kChartBack;
    SceneLayer layer_ = SceneLayer::Chart;
    std::array<std::vector<Op>, kSceneLayerCount> layers_;
};

// Paints a scene on a surface: the surface takes the scene's user scale, is
// cleared, and the operations of each layer, as many as `extent` gives, are
// drawn again with the colours, width and font size they were drawn with.
// With a view, the surface shows that part of the scene's user scale, lines
// and texts at their own width and size and dots at their own size.
void PaintScene(const Scene &scene, Surface &target, const LayerExtent &extent = kWholeScene,
                const SceneView *view = nullptr);
