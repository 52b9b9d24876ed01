#include "qt/picture_box.h"

#include "qt/chart_surface.h"
#include "qt/qt_colour.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

// One notch of the wheel magnifies by this much.
constexpr double kZoomPerNotch = 1.25;

} // namespace

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
    extent_ = extent;
    PaintScene(scene_, surface_, extent);
    if (view_)
        PaintView();
    update();
}

void PictureBox::Refresh()
{
    update();
}

SceneView PictureBox::View() const
{
    return view_ ? *view_ : WholeView(scene_.Map());
}

void PictureBox::PaintView()
{
    if (!zoomed_) {
        zoomed_ = std::make_unique<ImageSurface>();
        SetUpChartSurface(*zoomed_);
        zoomed_->SetBackColor(surface_.BackColor());
    }
    zoomed_->SetDevicePixelRatio(surface_.DevicePixelRatio());
    if (zoomed_->Size() != surface_.Size())
        zoomed_->Resize(surface_.Size().width(), surface_.Size().height());
    PaintScene(scene_, *zoomed_, extent_, &*view_);
}

void PictureBox::ZoomAbout(double factor, QPointF pixel)
{
    if (!scene_.HasUserScale())
        return;
    const ScaleMap &shown = ShownMap();
    const SceneView whole = WholeView(scene_.Map());
    const SceneView next = ZoomedAbout(whole, View(), factor, shown.FromPixelX(pixel.x()),
                                       shown.FromPixelY(pixel.y()));
    if (next == whole) {
        ResetView();
        return;
    }
    view_ = next;
    PaintView();
    update();
    ReportPointer(pixel);
}

void PictureBox::PanBy(QPointF pixels)
{
    if (!view_)
        return;
    const ScaleMap &shown = ShownMap();
    const double dx = pixels.x() * (shown.right() - shown.left()) / shown.pixelWidth();
    const double dy = pixels.y() * (shown.bottom() - shown.top()) / shown.pixelHeight();
    view_ = Panned(WholeView(scene_.Map()), *view_, dx, dy);
    PaintView();
    update();
}

void PictureBox::ResetView()
{
    if (!view_)
        return;
    view_.reset();
    zoomed_.reset();
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    // A screen with another pixel ratio (the window moved, or the setting
    // changed) gets the picture drawn again at its resolution.
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    if (view_ && zoomed_ && zoomed_->DevicePixelRatio() != surface_.DevicePixelRatio())
        PaintView();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), ShownSurface().DisplayImage());
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FollowSize();
}

void PictureBox::FollowSize()
{
    surface_.SetDevicePixelRatio(devicePixelRatioF());
    if (surface_.Size() != size()) {
        surface_.Resize(width(), height());
        scene_.Resize(surface_.Size().width(), surface_.Size().height());
        // A picture of another size shows the whole chart again.
        view_.reset();
        zoomed_.reset();
    }
}

void PictureBox::ReportPointer(QPointF pixel)
{
    if (!onMouseMove)
        return;
    const PlanePoint at = ShownPixels().FromPixel(pixel.x(), pixel.y());
    onMouseMove(static_cast<float>(at.x), static_cast<float>(at.y));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    if (panFrom_) {
        PanBy(event->position() - *panFrom_);
        panFrom_ = event->position();
    }
    ReportPointer(event->position());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const bool pan
        = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
    if (pan && view_) {
        panFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (panFrom_) {
        panFrom_.reset();
        unsetCursor();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void PictureBox::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0)
        ZoomAbout(std::pow(kZoomPerNotch, notches), event->position());
    event->accept();
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = true;
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

bool PictureBox::event(QEvent *event)
{
    // A touchpad's pinch.
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            ZoomAbout(1.0 + gesture->value(), mapFromGlobal(gesture->globalPosition()));
            return true;
        }
    }
    return QWidget::event(event);
}
