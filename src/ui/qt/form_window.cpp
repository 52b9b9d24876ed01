#include "ui/qt/form_window.h"

#include "ui/qt/window_registry.h"

#include <QCloseEvent>

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
