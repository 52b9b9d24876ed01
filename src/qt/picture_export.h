#pragma once

#include "io/whole_file.h"

#include "qt/picture_overlay.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

class ImageSurface;
class QPainter;
class QPagedPaintDevice;
struct PictureRecord;

// The file types a picture is saved as: a raster image, or vector drawings in
// which every line is a path and every label text in its font.
enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (any case), or nothing.
std::optional<PictureFormat> PictureFormatForPath(const QString &path);

// Writes what the surface shows (its record since the last Cls) with the
// boxes that lie over it to `path`. PNG is drawn at `scale` (1, 2 or 4) times
// the logical size, again at that resolution rather than enlarged; at scale 1
// it holds the window's pixels. SVG and PDF hold the same drawing as vectors,
// the PDF page in the picture's proportions, every text as text. The whole
// file is made in memory first and then written as WriteWholeFile writes it.
// Returns an empty string on success, otherwise a message naming the file
// and the reason.
QString SavePicture(ImageSurface &surface, const QString &path, PictureFormat format, int scale = 1,
                    const PictureOverlay &overlay = PictureOverlay());

// The picture with the boxes over it as an SVG document, as SavePicture
// writes it; empty when it could not be drawn.
QByteArray PictureSvg(const PictureRecord &record,
                      const PictureOverlay &overlay = PictureOverlay());

// The picture with the boxes over it, drawn at `scale` times its logical size.
QImage RenderPicture(ImageSurface &surface, const PictureOverlay &overlay, double scale);

// Draws the record and the boxes over it as vectors filling the page of a
// printer or PDF writer, keeping its proportions and centred; nothing is
// drawn outside the picture's rectangle.
void PaintOnPage(QPainter &painter, QPagedPaintDevice &page, const PictureRecord &record,
                 const PictureOverlay &overlay = PictureOverlay());

// Every font-family of an SVG document given the faces it stands for on
// this system, as the program itself substitutes them, and a generic family
// last, so that a viewer without the first face keeps the same letters.
QByteArray WithFontFallbacks(const QByteArray &svg);
