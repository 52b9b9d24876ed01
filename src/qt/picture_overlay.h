#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;
struct PictureScale;

// A text box that lies over the chart in the window (a result box, a state
// box, the B0 and precision boxes), as it looks there: where it is on the
// chart in logical pixels, what it holds, its font (the point size for 96
// dots per inch, as the record's texts), its colours and alignment and
// whether it has a frame.
struct OverlayBox {
    QRect rect;
    QString text;
    QFont font;
    QPalette palette;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool frame = true;
};

// What lies over the chart, bottom to top.
struct PictureOverlay {
    std::vector<OverlayBox> boxes;
};

// Paints the boxes over a picture drawn at `to` (after its record), as the
// window's line edits paint themselves: the style's panel and frame, the text
// where the line edit puts it, clipped to the box. On a vector device the
// texts stay texts. Without the widget layer's style only a plain frame and
// background are drawn.
void PaintOverlay(QPainter &painter, const PictureOverlay &overlay, const PictureScale &to);
