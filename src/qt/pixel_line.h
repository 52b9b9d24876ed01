#pragma once

#include <QPointF>
#include <QRect>
#include <QtGlobal>

class QPainter;

// The pixels of a 32-bit image that a polyline may be drawn into directly,
// bypassing the painter's rasteriser.
struct PixelCanvas {
    quint32 *bits = nullptr;
    qsizetype pixelsPerLine = 0;
    int width = 0;
    int height = 0;
};

// The painter's image as a canvas, when drawing into it directly gives what
// the painter would: a detached 32-bit opaque-or-premultiplied image, no clip,
// no transform (not even a device pixel ratio), no antialiasing, full opacity
// and source-over composition.
// Otherwise false, and the painter has to draw.
bool DirectCanvas(QPainter &painter, PixelCanvas &canvas);

// Draws an opaque polyline whose vertices lie on pixel centres.
//
// With `width` 1 the pixels are those of the raster engine's aliased line of
// a one-pixel square-capped pen: along the major axis of each segment, the
// pixel whose centre the line crosses; a segment starts on the pixel after
// the one the previous segment ended on, the first one starts half a pixel
// before its first vertex, a turn back on the same axis starts on its vertex
// pixel, and a gap of a pixel at a change of axis is closed. Drawn this way a
// chart of thousands of one-pixel segments costs a fraction of the painter's
// per-segment set-up.
//
// A wider line (the line of a high-resolution picture) follows the same
// pixels, each widened across the line to the pixels whose centres a pen of
// that width covers there; every vertex gets the pen's square, as a square
// cap or a join covers it.
void DrawPixelPolyline(const PixelCanvas &canvas, quint32 colour, const QPointF *points,
                       qsizetype count, int width);

// Sets the pixels of a rectangle, where it lies on the canvas.
void FillPixelRect(const PixelCanvas &canvas, quint32 colour, const QRect &rect);
