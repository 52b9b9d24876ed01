#include "ui/qt/form_window.h"

#include "ui/qt/window_registry.h"

#include <QCloseEvent>
#include <QWindow>

FormWindow::FormWindow(WindowRegistry &registry, const QString &name, QWidget *parent)
    : QWidget(parent), registry_(registry), name_(name)
{
    setObjectName(name);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // A close request (the close box) is never cancelled: the registry runs
    // QueryUnload and discards the window.
    event->accept();
    registry_.RequestUnload(*this);
}

void FormWindow::KeepOuterFrame()
{
    outerFrame_ = frameGeometry();
}

bool FormWindow::event(QEvent *event)
{
    // The frame margins arrive with no event of their own, some time after
    // the window is mapped; look at each event until they are known. This
    // runs before the event is handled, since handling may delete the window.
    if (!outerFrame_.isNull() && event->type() != QEvent::DeferredDelete
        && windowHandle() != nullptr && frameGeometry() != outerFrame_) {
        const QMargins margins = windowHandle()->frameMargins();
        const QRect client = outerFrame_.marginsRemoved(margins);
        if (!margins.isNull() && client.isValid()) {
            // Once: later moves and resizes by the user are theirs to keep.
            outerFrame_ = QRect();
            setGeometry(client);
        }
    }
    return QWidget::event(event);
}
