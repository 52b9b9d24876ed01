#include "qt/form_window.h"

#include "qt/frame_extents.h"
#include "qt/window_registry.h"

#include <QCloseEvent>
#include <QWindow>

namespace {

// A window manager that does not take the client area it is given is not
// fought with: the frame is set right at most this often per showing.
constexpr int kMaxCorrections = 4;

// Margins a window system reports while it is still building the frame can be
// partial (a border without its title bar, a frame narrower than its client):
// only margins that fit the outer frame count.
bool FitsFrame(const QMargins &margins, const QRect &outer)
{
    return margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0
        && margins.bottom() >= 0 && margins.left() + margins.right() < outer.width()
        && margins.top() + margins.bottom() < outer.height();
}

} // namespace

FormWindow::FormWindow(WindowRegistry &registry, const QString &name, QWidget *parent)
    : QWidget(parent), registry_(registry), name_(name)
{
    setObjectName(name);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // A close request (the close box) is cancelled only by the window itself,
    // when its work would be lost; otherwise the registry runs QueryUnload
    // and discards the window.
    if (!Form_MayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    registry_.RequestUnload(*this);
}

void FormWindow::KeepOuterFrame()
{
    outerFrame_ = frameGeometry();
    placed_ = false;
}

void FormWindow::PlaceOuterFrame()
{
    placed_ = true;
    QWindow *const handle = windowHandle();
    if (outerFrame_.isNull() || handle == nullptr)
        return;
    // On X11 the frame is known only once the window manager has framed the
    // mapped window; a window manager tells it beforehand when asked.
    QMargins frame = handle->frameMargins();
    if (frame.isNull())
        frame = RequestFrameExtents(*handle).value_or(QMargins());
    if (!FitsFrame(frame, outerFrame_))
        frame = QMargins();
    placedMargins_ = frame;
    setGeometry(outerFrame_.marginsRemoved(frame));
    settling_ = true;
    corrections_ = 0;
}

QMargins FormWindow::FrameMargins() const
{
    const QWindow *const handle = windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    return frame.isNull() ? placedMargins_ : frame;
}

void FormWindow::SettleOuterFrame()
{
    QWindow *const handle = windowHandle();
    if (handle == nullptr)
        return;
    const QMargins frame = handle->frameMargins();
    if (frame.isNull() || !FitsFrame(frame, outerFrame_))
        return; // not reported yet, or no frame at all
    if (geometry().marginsAdded(frame) == outerFrame_ || corrections_ >= kMaxCorrections) {
        // Placed: later moves and resizes by the user are theirs to keep.
        settling_ = false;
        return;
    }
    ++corrections_;
    setGeometry(outerFrame_.marginsRemoved(frame));
}

bool FormWindow::event(QEvent *event)
{
    // The frame margins arrive with no event of their own, some time after
    // the window is mapped; look at each event until the frame is in place.
    // This runs before the event is handled, since handling may delete the
    // window.
    switch (event->type()) {
    case QEvent::Show:
        // Sent before the window is mapped.
        if (!placed_ && !event->spontaneous())
            PlaceOuterFrame();
        break;
    case QEvent::Hide:
        settling_ = false;
        break;
    case QEvent::DeferredDelete:
        break;
    default:
        if (settling_)
            SettleOuterFrame();
        break;
    }
    return QWidget::event(event);
}
