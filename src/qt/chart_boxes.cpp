#include "qt/chart_boxes.h"

#include "layout/layout.h"
#include "qt/picture_record.h"
#include "qt/qt_colour.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QScreen>

#include <algorithm>

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

QFont FittedBoxFont(const QStringList &texts, QSize box)
{
    // A line edit keeps its frame and a margin of two pixels each side.
    constexpr int kFrameAndMargins = 9;
    constexpr int kFrames = 4;
    constexpr double kSmallest = 5.0;
    QFont font = ChartBoxFont();
    if (font.pointSizeF() <= 0)
        return font;
    for (double points = font.pointSizeF(); points >= kSmallest; points -= 0.5) {
        font.setPointSizeF(points);
        const QFontMetricsF metrics(font);
        double widest = 0.0;
        for (const QString &text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text));
        if (widest <= box.width() - kFrameAndMargins && metrics.height() <= box.height() - kFrames)
            break;
    }
    return font;
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

    const auto rectOf = [](const TwipGeometry &at) {
        return QRect(TwipsToPixels(at.Left()), TwipsToPixels(at.Top()), TwipsToPixels(at.Width()),
                     TwipsToPixels(at.Height()));
    };
    // Each group's font as the window fits it, for this screen's dots per inch.
    const auto groupFont = [&](const auto &group, const auto &first) {
        QStringList all;
        for (const std::string &text : group)
            all << QString::fromStdString(text);
        QFont font = FittedBoxFont(all, rectOf(first).size());
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * logicalDpi / kPictureDpi);
        return font;
    };
    const QFont resultFont = groupFont(texts.results, results[0]);
    const QFont stateFont = groupFont(texts.states, states[0]);
    const QPalette palette = ChartBoxPalette();
    const auto box = [&](const TwipGeometry &at, const std::string &text, const QFont &font) {
        OverlayBox overlay;
        overlay.rect = rectOf(at);
        overlay.text = QString::fromStdString(text);
        overlay.font = font;
        overlay.palette = palette;
        return overlay;
    };
    // In the window's stacking order: the result boxes, then the state boxes.
    PictureOverlay overlay;
    for (int k = 0; k < kResultBoxCount; ++k)
        overlay.boxes.push_back(box(results[k], texts.results[k], resultFont));
    for (int k = 0; k < kStateBoxCount; ++k)
        overlay.boxes.push_back(box(states[k], texts.states[k], stateFont));
    return overlay;
}
