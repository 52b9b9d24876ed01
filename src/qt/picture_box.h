#pragma once

#include "draw/scene.h"
#include "draw/scene_view.h"
#include "qt/image_surface.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

// A picture box: a widget that shows a scene, painted on an ImageSurface, and
// reports pointer moves in the surface's user coordinates. The scene is drawn
// for the widget's size and the surface's font. While a mouse button pressed
// on it is held, moves outside it are reported too.
//
// The picture can be magnified: Ctrl+wheel or a pinch zooms about the
// pointer, dragging with the middle button (or with the left button while
// Space is held) pans. Surface() always holds the whole picture, as saved,
// printed and copied; a magnified view is painted on a surface of its own and
// pointer moves are reported in the user coordinates of what is shown.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    ImageSurface &Surface() { return surface_; }
    Scene &ChartScene() { return scene_; }
    // Paints the scene, so much of each layer, and repaints the widget.
    void ShowScene(const LayerExtent &extent = kWholeScene);
    // Back colour of the surface (what Cls clears to) and of the widget.
    void SetBackColor(Rgb colour);

    // Called with the user coordinates (X, Y) on every pointer move.
    std::function<void(float X, float Y)> onMouseMove;

    // Repaints the widget from the retained image.
    void Refresh();

    // The part of the picture shown, in user coordinates (the whole picture
    // unless magnified), and the surface it is painted on.
    SceneView View() const;
    ImageSurface &ShownSurface() { return view_ ? *zoomed_ : surface_; }
    const ScaleMap &ShownMap() { return ShownSurface().Map(); }
    // Pixels of what is shown and the chart's user coordinates, through the
    // chart style's layout.
    PixelMapping ShownPixels() { return {ShownMap(), scene_.Transform().get()}; }
    bool Magnified() const { return view_.has_value(); }
    // Magnifies `factor` times about the widget point, or moves the view by
    // pixels; the whole picture again.
    void ZoomAbout(double factor, QPointF pixel);
    void PanBy(QPointF pixels);
    void ResetView();

    // The surface and the scene take the widget's size, if they have not yet:
    // after the widget was resized, before its resize event is delivered.
    void FollowSize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Paints the magnified view from the scene as it stands.
    void PaintView();
    void ReportPointer(QPointF pixel);

    ImageSurface surface_;
    Scene scene_;
    std::optional<SceneView> view_;
    std::unique_ptr<ImageSurface> zoomed_;
    LayerExtent extent_ = kWholeScene;
    std::optional<QPointF> panFrom_;
    bool spaceHeld_ = false;
};
