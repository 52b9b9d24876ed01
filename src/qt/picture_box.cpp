#include "qt/picture_box.h"

#include "qt/qt_colour.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent), scene_(1, 1, [this](float points) { return surface_.LineHeightAt(points); })
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.onChanged = [this] { update(); };
}

void PictureBox::SetBackColor(Rgb colour)
{
    surface_.SetBackColor(colour);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(colour));
    setPalette(pal);
    setAutoFillBackground(true);
    surface_.Resize(width(), height());
    scene_.Resize(surface_.Size().width(), surface_.Size().height());
    scene_.SetBackColor(colour);
}

void PictureBox::ShowScene(const LayerExtent &extent)
{
    PaintScene(scene_, surface_, extent);
    update();
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    // A screen with another pixel ratio (the window moved, or the setting
    // changed) gets the picture drawn again at its resolution.
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), surface_.DisplayImage());
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    if (surface_.Size() != size()) {
        surface_.Resize(width(), height());
        scene_.Resize(surface_.Size().width(), surface_.Size().height());
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!onMouseMove)
        return;
    const ScaleMap &m = surface_.Map();
    const QPointF p = event->position();
    onMouseMove(static_cast<float>(m.FromPixelX(p.x())), static_cast<float>(m.FromPixelY(p.y())));
}
