#include "qt/window_registry.h"

#include "qt/form_window.h"

WindowRegistry::WindowRegistry(QObject *parent) : QObject(parent) { }

WindowRegistry::~WindowRegistry()
{
    UnloadAll();
}

void WindowRegistry::Define(const QString &name, Factory factory)
{
    factories_.insert(name, std::move(factory));
}

FormWindow &WindowRegistry::Get(const QString &name)
{
    const auto it = windows_.constFind(name);
    if (it != windows_.constEnd() && !it.value().isNull())
        return *it.value();
    const auto factory = factories_.constFind(name);
    Q_ASSERT_X(factory != factories_.constEnd(), "WindowRegistry::Get", qPrintable(name));
    FormWindow *window = factory.value()(*this);
    windows_.insert(name, window);
    loadCounts_[name] += 1;
    window->Form_Load();
    return *window;
}

bool WindowRegistry::IsLoaded(const QString &name) const
{
    const auto it = windows_.constFind(name);
    return it != windows_.constEnd() && !it.value().isNull();
}

void WindowRegistry::Show(const QString &name)
{
    FormWindow &window = Get(name);
    // A window that comes onto the screen is mapped on top of the others; one
    // that is already there is brought to the front. Either way it takes the
    // keyboard.
    const bool onScreen = window.isVisible();
    window.show();
    if (onScreen)
        window.raise();
    window.activateWindow();
}

void WindowRegistry::Hide(const QString &name)
{
    Get(name).hide();
}

void WindowRegistry::Unload(const QString &name)
{
    const QPointer<FormWindow> window = windows_.take(name);
    if (window.isNull())
        return;
    window->hide();
    window->deleteLater();
}

void WindowRegistry::UnloadAll()
{
    const QList<QString> names = windows_.keys();
    for (const QString &name : names) {
        const QPointer<FormWindow> window = windows_.take(name);
        delete window.data();
    }
}

QStringList WindowRegistry::VisibleWindows() const
{
    QStringList visible;
    for (auto it = windows_.constBegin(); it != windows_.constEnd(); ++it)
        if (!it.value().isNull() && it.value()->isVisible())
            visible.append(it.key());
    visible.sort();
    return visible;
}

void WindowRegistry::RequestUnload(FormWindow &window)
{
    const QString name = window.FormName();
    if (!IsLoaded(name) || windows_.value(name) != &window)
        return; // already unloaded
    window.Form_QueryUnload();
    Unload(name);
}
