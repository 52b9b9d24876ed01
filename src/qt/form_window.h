#pragma once

#include <QMargins>
#include <QRect>
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
    // Runs on a request to close the window before anything else: a window
    // that answers false stays (the user chose to go on working).
    virtual bool Form_MayClose() { return true; }
    // Runs on a request to close the window; the window is unloaded afterwards.
    virtual void Form_QueryUnload() { }

protected:
    WindowRegistry &Registry() { return registry_; }
    // For a window that arranges its own outer frame at load: keeps the frame
    // as the layout left it (title bar and borders included, as far as they
    // were known) and puts the outer frame there when the window is first
    // shown. The controls stay where the layout put them; the client area is
    // what the frame leaves of it.
    void KeepOuterFrame();

    // The title bar and borders around the client area: as the window
    // system reports them, or, until it does, as they were expected when the
    // window was placed.
    QMargins FrameMargins() const;

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Before the first mapping: sizes and places the client area so that the
    // outer frame covers the kept rectangle, with the frame the window system
    // reports or, failing that, announces on request.
    void PlaceOuterFrame();
    // After mapping: a window system that reports the frame only now (or
    // draws another frame than it announced) gets the client area set again.
    void SettleOuterFrame();

    WindowRegistry &registry_;
    QString name_;
    QRect outerFrame_;
    QMargins placedMargins_;
    bool placed_ = false;
    bool settling_ = false;
    int corrections_ = 0;
};
