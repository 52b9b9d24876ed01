#pragma once

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;

// Logical pixels of a picture per inch: the retained picture's, for which the
// record's and the boxes' font sizes are given, and the resolution its files declare.
inline constexpr double kPictureDpi = 96.0;

// One thing drawn on a picture, in the picture's logical pixels (before they
// are snapped to whole pixels): a polyline, a filled box, a filled circle or
// a printed text, or a translucent filled polygon, with the colours, width and
// font in force when it was drawn.
struct PictureItem {
    enum class Kind { Polyline, Box, Circle, Text, Polygon };

    Kind kind = Kind::Polyline;
    QColor pen; // line, outline and text colour; the colour of a box
    QColor fill; // fill of a circle; of a polygon, with its opacity
    int width = 1; // line width in logical pixels
    // polyline vertices; the two corners of a box; a circle's or text's
    // anchor; a polygon's corners
    QPolygonF points;
    double radius = 0.0; // circle radius in logical pixels
    QFont font; // text face and point size (at 96 dots per inch, as on the retained picture)
    QString text;
};

// Everything drawn on a picture since it was last cleared, with the picture's
// logical size and back colour: enough to draw the same picture again on any
// paint device, at any resolution, without computing anything again.
struct PictureRecord {
    int width = 1; // logical pixels
    int height = 1;
    QColor back;
    std::vector<PictureItem> items;
};

// How a record is mapped onto a device: logical pixels are multiplied by
// `scale`. On a raster device every position is snapped to the centre of the
// device pixel that holds it, so lines are sharp at any resolution; on a vector
// device (SVG, PDF, printer) positions are snapped to the logical pixel as the
// window shows them and then scaled, so the drawing at scale 1 matches the
// window pixel for pixel and stays sharp at any zoom.
struct PictureScale {
    double scale = 1.0;
    bool raster = true;
    QSizeF area; // the picture on the device: the record's logical size times the scale

    static PictureScale For(const PictureRecord &record, double scale, bool raster)
    {
        return {scale, raster, QSizeF(record.width * scale, record.height * scale)};
    }
};

// Paints one item. The same routine draws into the window's retained picture
// and replays a record onto files and printers.
void PaintItem(QPainter &painter, const PictureItem &item, const PictureScale &to);

// Clears to the back colour and paints every item of the record.
void PaintRecord(QPainter &painter, const PictureRecord &record, const PictureScale &to);

// Line height of a font in logical pixels, as the picture's printing advances its current point.
double LogicalLineHeight(const QFont &font);
