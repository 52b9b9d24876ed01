#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class FormWindow;

// The program's windows, reached by name. A window is created from its
// definition on first reference, its load handler running before the
// operation itself: hiding a window that does not exist yet creates it and
// leaves it hidden. Unloading discards it; the next reference creates it anew
// in its design-time state.
class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<FormWindow *(WindowRegistry &)>;

    explicit WindowRegistry(QObject *parent = nullptr);
    ~WindowRegistry() override;

    void Define(const QString &name, Factory factory);

    // The window, created (and its load handler run) if it does not exist.
    FormWindow &Get(const QString &name);
    template <typename T> T &Get(const QString &name) { return static_cast<T &>(Get(name)); }
    bool IsLoaded(const QString &name) const;
    // How often the window has been created in this run.
    int LoadCount(const QString &name) const { return loadCounts_.value(name); }

    void Show(const QString &name);
    void Hide(const QString &name);
    void Unload(const QString &name);
    void UnloadAll();

    // Names of the loaded windows that are visible.
    QStringList VisibleWindows() const;

    // Called on a close-box request: runs QueryUnload and unloads the window.
    void RequestUnload(FormWindow &window);

private:
    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<FormWindow>> windows_;
    QHash<QString, int> loadCounts_;
};
