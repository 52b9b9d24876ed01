#include "qt/chart_boxes.h"

#include "layout/layout.h"
#include "qt/picture_record.h"
#include "qt/qt_colour.h"

#include <QApplication>
#include <QScreen>

#include <array>

QFont ChartBoxFont()
{
    return QApplication::font("QLineEdit");
}

QPalette ChartBoxPalette()
{
    // The line edit's own palette with the window's back colour, which a
    // child of the main window inherits.
    QPalette palette = QApplication::palette("QLineEdit");
    palette.setColor(QPalette::Window, ToQColor(kMainWindowBack));
    palette.setCurrentColorGroup(QPalette::Active);
    return palette;
}

double ScreenLogicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : kPictureDpi;
}

PictureOverlay OverlayFor(const BoxTexts &texts, QSize chart, double logicalDpi)
{
    TwipGeometry area(TwipGeometry::Snap::WholePixels);
    area.SetWidth(PixelsToTwips(chart.width()));
    area.SetHeight(PixelsToTwips(chart.height()));
    std::array<TwipGeometry, kResultBoxCount> results;
    std::array<TwipGeometry, kStateBoxCount> states;
    MainWindowTargets targets;
    targets.chart = &area;
    for (int k = 0; k < kResultBoxCount; ++k) {
        results[k] = TwipGeometry(TwipGeometry::Snap::WholePixels);
        targets.resultBoxes[k] = &results[k];
    }
    for (int k = 0; k < kStateBoxCount; ++k) {
        states[k] = TwipGeometry(TwipGeometry::Snap::WholePixels);
        targets.stateBoxes[k] = &states[k];
    }
    ArrangeChartBoxes(targets);

    QFont font = ChartBoxFont();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * logicalDpi / kPictureDpi);
    const QPalette palette = ChartBoxPalette();
    const auto box = [&](const TwipGeometry &at, const std::string &text) {
        OverlayBox overlay;
        overlay.rect = QRect(TwipsToPixels(at.Left()), TwipsToPixels(at.Top()),
                             TwipsToPixels(at.Width()), TwipsToPixels(at.Height()));
        overlay.text = QString::fromStdString(text);
        overlay.font = font;
        overlay.palette = palette;
        return overlay;
    };
    // In the window's stacking order: the result boxes, then the state boxes.
    PictureOverlay overlay;
    for (int k = 0; k < kResultBoxCount; ++k)
        overlay.boxes.push_back(box(results[k], texts.results[k]));
    for (int k = 0; k < kStateBoxCount; ++k)
        overlay.boxes.push_back(box(states[k], texts.states[k]));
    return overlay;
}
