#include "qt/screen_twips.h"

#include "layout/layout.h"

#include <QGuiApplication>
#include <QScreen>

ScreenSize ScreenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    const QSize pixels = screen->geometry().size();
    return {PixelsToTwips(pixels.width()), PixelsToTwips(pixels.height())};
}
