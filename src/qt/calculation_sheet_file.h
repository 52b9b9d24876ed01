#pragma once

#include "qt/picture_overlay.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct CalculationSheet;
struct PictureRecord;

// The files a calculation sheet is written as: a PDF for A4 paper, or one
// HTML document.
enum class SheetFormat { Pdf, Html };

// The format a file name asks for by its suffix (.pdf, .html or .htm, any case), or nothing.
std::optional<SheetFormat> SheetFormatForPath(const QString &path);

// The sheet as a PDF: its text on A4 portrait pages laid out as a document
// (no heading alone at a page foot, no table row or step split across pages,
// no last page with a lone paragraph), then two landscape A4 pages: the
// region of the process enlarged (sheet_chart.h) and the whole chart (the
// record with the boxes over it). Every page carries the sheet's title and
// its number; everything is vectors, and the Chinese text is set in the
// program's Song face, whose letters the file embeds. Empty when it could not
// be made.
QByteArray CalculationSheetPdf(const CalculationSheet &sheet, const PictureRecord &chart,
                               const PictureOverlay &overlay = PictureOverlay());

// Writes the sheet to `path` in the format its suffix names, the whole file
// at once as WriteWholeFile writes it. Returns an empty string on success,
// otherwise a message naming the file and the reason in Chinese.
QString SaveCalculationSheet(const CalculationSheet &sheet, const PictureRecord &chart,
                             const PictureOverlay &overlay, const QString &path);
