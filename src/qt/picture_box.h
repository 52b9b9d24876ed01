#pragma once

#include "draw/scene.h"
#include "qt/image_surface.h"

#include <QWidget>

#include <functional>

// A picture box: a widget that shows a scene, painted on an ImageSurface, and
// reports pointer moves in the surface's user coordinates. The scene is drawn
// for the widget's size and the surface's font. While a mouse button pressed
// on it is held, moves outside it are reported too.
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

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    ImageSurface surface_;
    Scene scene_;
};
