#include "qt/picture_export.h"

#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "qt/picture_record.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QSysInfo>

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// PostScript points per inch.
constexpr double kPointsPerInch = 72.0;
// Resolution of the PDF's coordinate grid; the drawing itself is vectors.
constexpr int kPdfResolution = 1200;

const QString kTitle = QStringLiteral("焓湿图");

// libpng reports a fault through these instead of writing to standard
// error: the fault ends the write, and the caller says what went wrong.
[[noreturn]] void PngFault(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) { }

void AppendToFile(png_structp png, png_bytep data, png_size_t length)
{
    auto *file = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (file->write(reinterpret_cast<const char *>(data), static_cast<qint64>(length))
        != static_cast<qint64>(length))
        png_error(png, "write failed");
}

void FlushNothing(png_structp) { }

// Writes a picture as RGB PNG with libpng directly. A chart is mostly flat
// colour: the fastest zlib level with the one "up" row filter packs it about
// as well as the library's adaptive choice among all filters, which tries
// every filter on every row and takes most of the time of a large picture.
bool WritePngRows(const QImage &image, QIODevice &file, int dotsPerMeter)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFault, PngWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &file, AppendToFile, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(dotsPerMeter),
                 static_cast<png_uint_32>(dotsPerMeter), PNG_RESOLUTION_METER);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_write_info(png, info);
    // Format_RGB32 rows are 0xffRRGGBB words: blue, green, red, filler in memory.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        png_set_bgr(png);
    png_set_filler(png, 0,
                   QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FILLER_AFTER
                                                                 : PNG_FILLER_BEFORE);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(image.constScanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePng(ImageSurface &surface, const PictureOverlay &overlay, QIODevice &file, int scale)
{
    const QImage image
        = RenderPicture(surface, overlay, scale).convertToFormat(QImage::Format_RGB32);
    return WritePngRows(image, file, qRound(kPictureDpi * scale / 0.0254));
}

bool WriteSvg(const PictureRecord &record, const PictureOverlay &overlay, QIODevice &file)
{
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&drawing);
    svg.setSize(QSize(record.width, record.height));
    svg.setViewBox(QRect(0, 0, record.width, record.height));
    svg.setResolution(static_cast<int>(kPictureDpi));
    svg.setTitle(kTitle);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    const PictureScale to = PictureScale::For(record, 1.0, false);
    PaintRecord(painter, record, to);
    PaintOverlay(painter, overlay, to);
    if (!painter.end())
        return false;
    const QByteArray text = WithFontFallbacks(drawing.data());
    return file.write(text) == text.size();
}

bool WritePdf(const PictureRecord &record, const PictureOverlay &overlay, QIODevice &file)
{
    QPdfWriter pdf(&file);
    pdf.setTitle(kTitle);
    pdf.setCreator(QStringLiteral("idchart"));
    pdf.setResolution(kPdfResolution);
    const QSizeF points(record.width * kPointsPerInch / kPictureDpi,
                        record.height * kPointsPerInch / kPictureDpi);
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    PaintOnPage(painter, pdf, record, overlay);
    return painter.end();
}

// The generic family a face falls back to: Song and FangSong faces have
// serifs, Kai is handwriting, everything else is taken as sans-serif.
QString GenericFamily(const QString &face)
{
    if (face == QString::fromUtf8(faces::kKai) || face == QStringLiteral("楷体"))
        return QStringLiteral("cursive");
    if (face.contains(QStringLiteral("Sans"), Qt::CaseInsensitive))
        return QStringLiteral("sans-serif");
    if (face.contains(QStringLiteral("宋")) || face.contains(QStringLiteral("Serif"))
        || face.contains(QStringLiteral("Ming")))
        return QStringLiteral("serif");
    return QStringLiteral("sans-serif");
}

} // namespace

QByteArray PictureSvg(const PictureRecord &record, const PictureOverlay &overlay)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    return WriteSvg(record, overlay, file) ? file.data() : QByteArray();
}

QByteArray WithFontFallbacks(const QByteArray &svg)
{
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
    QString text = QString::fromUtf8(svg);
    QString result;
    result.reserve(text.size() + text.size() / 8);
    qsizetype done = 0;
    QRegularExpressionMatchIterator matches = family.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString face = match.captured(1);
        QStringList names = {face};
        for (const QString &name : FaceSubstitutes(face))
            if (!names.contains(name))
                names << name;
        const QString shown = QFontInfo(QFont(face)).family();
        if (!shown.isEmpty() && !names.contains(shown))
            names << shown;
        QStringList quoted;
        for (const QString &name : names)
            quoted << (name.contains(QLatin1Char(' '))
                           ? QLatin1Char('\'') + name + QLatin1Char('\'')
                           : name);
        quoted << GenericFamily(face);
        result += QStringView(text).mid(done, match.capturedStart() - done);
        result += QStringLiteral("font-family=\"%1\"").arg(quoted.join(QStringLiteral(", ")));
        done = match.capturedEnd();
    }
    result += QStringView(text).mid(done);
    return result.toUtf8();
}

std::optional<PictureFormat> PictureFormatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QImage RenderPicture(ImageSurface &surface, const PictureOverlay &overlay, double scale)
{
    QImage image = surface.Render(scale);
    if (!overlay.boxes.empty()) {
        QPainter painter(&image);
        PaintOverlay(painter, overlay, PictureScale::For(surface.Record(), scale, true));
    }
    return image;
}

QString SavePicture(ImageSurface &surface, const QString &path, PictureFormat format, int scale,
                    const PictureOverlay &overlay)
{
    if (scale != 1 && scale != 2 && scale != 4)
        return SaveFailureMessage(path, QStringLiteral("图像倍数只能是1、2或4"));
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool drawn = false;
    switch (format) {
    case PictureFormat::Png:
        drawn = WritePng(surface, overlay, file, scale);
        break;
    case PictureFormat::Svg:
        drawn = WriteSvg(surface.Record(), overlay, file);
        break;
    case PictureFormat::Pdf:
        drawn = WritePdf(surface.Record(), overlay, file);
        break;
    }
    if (!drawn || file.data().isEmpty())
        return SaveFailureMessage(path, QStringLiteral("无法生成图像"));
    return WriteWholeFile(path, file.data());
}

void PaintOnPage(QPainter &painter, QPagedPaintDevice &page, const PictureRecord &record,
                 const PictureOverlay &overlay)
{
    const QRectF area(0, 0, page.width(), page.height());
    const double scale = std::min(area.width() / record.width, area.height() / record.height);
    painter.save();
    painter.translate((area.width() - record.width * scale) / 2.0,
                      (area.height() - record.height * scale) / 2.0);
    // Lines that run off the chart are kept in the record a little beyond
    // its edges; on a page they would run into the margins.
    const PictureScale to = PictureScale::For(record, scale, false);
    painter.setClipRect(QRectF(QPointF(0, 0), to.area));
    PaintRecord(painter, record, to);
    PaintOverlay(painter, overlay, to);
    painter.restore();
}
