#pragma once

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

// Writes what the surface shows (its record since the last Cls) to `path`.
// PNG is drawn at `scale` (1, 2 or 4) times the logical size, again at that
// resolution rather than enlarged; at scale 1 it holds the window's pixels.
// SVG and PDF hold the same drawing as vectors, the PDF page in the picture's
// proportions. The file is written through QSaveFile, so a failed write never
// leaves a half-written file under the name. Returns an empty string on
// success, otherwise a message naming the file and the reason.
QString SavePicture(ImageSurface &surface, const QString &path, PictureFormat format,
                    int scale = 1);

// The message for a file that could not be written: its full name and the reason.
QString SaveFailureMessage(const QString &path, const QString &reason);

// Draws the record as vectors filling the page of a printer or PDF writer,
// keeping its proportions and centred.
void PaintOnPage(QPainter &painter, QPagedPaintDevice &page, const PictureRecord &record);
