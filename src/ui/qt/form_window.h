#pragma once

#include <QWidget>

class WindowRegistry;

// Base of the program's windows. The registry creates a window on first
// reference and runs its load handler; a request to close it (the close box)
// runs its QueryUnload handler and then unloads it.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(WindowRegistry &registry, const QString &name, QWidget *parent = nullptr);

    const QString &FormName() const { return name_; }

    // Runs once, when the registry creates the window.
    virtual void Form_Load() { }
    // Runs on a request to close the window; the window is unloaded afterwards.
    virtual void Form_QueryUnload() { }

protected:
    WindowRegistry &Registry() { return registry_; }
    // For a window that arranges its own outer frame at load: keeps that frame
    // when a window manager reports its title bar and borders only after the
    // window is first shown, by shrinking the client area instead of letting
    // the frame grow past the arranged size. The controls stay where they are.
    void KeepOuterFrame();

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    WindowRegistry &registry_;
    QString name_;
    QRect outerFrame_;
};
