#include "qt/picture_overlay.h"

#include "qt/picture_record.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <algorithm>

namespace {

// The space a line edit keeps between its contents rectangle and its text.
constexpr int kVerticalMargin = 1;
constexpr int kHorizontalMargin = 2;

// The box's font for the device, its size in the device's points: with the
// painter scaled to logical pixels, the text is as large as in the window.
QFont FontOn(const QFont &font, const QPaintDevice &device)
{
    QFont sized = font;
    if (font.pointSizeF() > 0)
        sized.setPointSizeF(font.pointSizeF() * kPictureDpi / std::max(1, device.logicalDpiY()));
    return sized;
}

// The style the window's line edits are drawn with, when the widget layer runs.
const QStyle *WidgetStyle()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr
        ? QApplication::style()
        : nullptr;
}

// The contents rectangle of the box at the origin: the style's panel and
// frame drawn, or a plain one-pixel frame without a style.
QRect PaintPanel(QPainter &painter, const OverlayBox &box, const QFont &font)
{
    const QRect whole(QPoint(0, 0), box.rect.size());
    const QStyle *style = WidgetStyle();
    if (style == nullptr) {
        painter.fillRect(whole, box.palette.base());
        if (!box.frame)
            return whole;
        painter.setPen(box.palette.color(QPalette::Dark));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(whole.adjusted(0, 0, -1, -1));
        return whole.adjusted(1, 1, -1, -1);
    }
    QStyleOptionFrame option;
    option.rect = whole;
    option.palette = box.palette;
    option.direction = Qt::LeftToRight;
    option.fontMetrics = QFontMetrics(font, painter.device());
    option.state = QStyle::State_Enabled | QStyle::State_Sunken;
    if (box.palette.currentColorGroup() == QPalette::Active)
        option.state |= QStyle::State_Active;
    option.lineWidth = box.frame ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option) : 0;
    option.midLineWidth = 0;
    option.features = QStyleOptionFrame::None;
    painter.save();
    style->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter);
    painter.restore();
    return style->subElementRect(QStyle::SE_LineEditContents, &option);
}

void PaintBox(QPainter &painter, const OverlayBox &box)
{
    const QFont font = FontOn(box.font, *painter.device());
    const QRect contents = PaintPanel(painter, box, font);

    // The text's line within the contents, as the line edit places it.
    const QFontMetrics metrics(font, painter.device());
    const int lineHeight = std::max(metrics.boundingRect(box.text).height(), metrics.height());
    int top = contents.y() + (contents.height() - lineHeight + 1) / 2;
    if (box.alignment & Qt::AlignTop)
        top = contents.y() + kVerticalMargin;
    else if (box.alignment & Qt::AlignBottom)
        top = contents.y() + contents.height() - lineHeight - kVerticalMargin;
    const QRect line(contents.x() + kHorizontalMargin, top,
                     contents.width() - 2 * kHorizontalMargin, lineHeight);

    QTextLayout layout(box.text, font, painter.device());
    QTextOption textOption;
    textOption.setTextDirection(Qt::LeftToRight);
    textOption.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(textOption);
    layout.beginLayout();
    const QTextLine laid = layout.createLine();
    layout.endLayout();

    // A text that fits is aligned in the line; a longer one shows from its start.
    const int widthUsed = qRound(laid.naturalTextWidth()) + 1;
    int scroll = 0;
    if (widthUsed <= line.width()) {
        if (box.alignment & Qt::AlignRight)
            scroll = widthUsed - line.width() + 1;
        else if (box.alignment & Qt::AlignHCenter)
            scroll = (widthUsed - line.width()) / 2;
    }
    // The line's own ascent may differ from the font's (a fallback face):
    // the baseline stays where the font's ascent puts it.
    const QPoint at = line.topLeft() - QPoint(scroll, qRound(laid.ascent()) - metrics.ascent());

    painter.setClipRect(contents, Qt::IntersectClip);
    painter.setPen(box.palette.color(QPalette::Text));
    layout.draw(&painter, at);
}

} // namespace

void PaintOverlay(QPainter &painter, const PictureOverlay &overlay, const PictureScale &to)
{
    for (const OverlayBox &box : overlay.boxes) {
        painter.save();
        // A fresh widget painter's state: the style draws some outlines with
        // whatever brush it finds.
        painter.setPen(QPen());
        painter.setBrush(Qt::NoBrush);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setOpacity(1.0);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.scale(to.scale, to.scale);
        painter.translate(box.rect.topLeft());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setClipRect(QRect(QPoint(0, 0), box.rect.size()), Qt::IntersectClip);
        PaintBox(painter, box);
        painter.restore();
    }
}
