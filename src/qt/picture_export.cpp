#include "qt/picture_export.h"

#include "qt/image_surface.h"
#include "qt/picture_record.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QSysInfo>

#include <png.h>

#include <algorithm>

namespace {

// Logical pixels of the picture per inch, and PostScript points per inch.
constexpr double kPictureDpi = 96.0;
constexpr double kPointsPerInch = 72.0;
// Resolution of the PDF's coordinate grid; the drawing itself is vectors.
constexpr int kPdfResolution = 1200;

const QString kTitle = QStringLiteral("焓湿图");

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
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
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

bool WritePng(ImageSurface &surface, QSaveFile &file, int scale)
{
    const QImage image = surface.Render(scale).convertToFormat(QImage::Format_RGB32);
    return WritePngRows(image, file, qRound(kPictureDpi * scale / 0.0254));
}

bool WriteSvg(const PictureRecord &record, QSaveFile &file)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(record.width, record.height));
    svg.setViewBox(QRect(0, 0, record.width, record.height));
    svg.setResolution(static_cast<int>(kPictureDpi));
    svg.setTitle(kTitle);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintRecord(painter, record, PictureScale::For(record, 1.0, false));
    return painter.end();
}

bool WritePdf(const PictureRecord &record, QSaveFile &file)
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
    PaintOnPage(painter, pdf, record);
    return painter.end();
}

} // namespace

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

QString SavePicture(ImageSurface &surface, const QString &path, PictureFormat format, int scale)
{
    if (scale != 1 && scale != 2 && scale != 4)
        return SaveFailureMessage(path, QStringLiteral("图像倍数只能是1、2或4"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, file.errorString());
    bool written = false;
    switch (format) {
    case PictureFormat::Png:
        written = WritePng(surface, file, scale);
        break;
    case PictureFormat::Svg:
        written = WriteSvg(surface.Record(), file);
        break;
    case PictureFormat::Pdf:
        written = WritePdf(surface.Record(), file);
        break;
    }
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("写入失败");
        file.cancelWriting();
        return SaveFailureMessage(path, reason);
    }
    if (!file.commit())
        return SaveFailureMessage(path, file.errorString());
    return QString();
}

QString SaveFailureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("无法保存文件“%1”：%2").arg(QFileInfo(path).absoluteFilePath(), reason);
}

void PaintOnPage(QPainter &painter, QPagedPaintDevice &page, const PictureRecord &record)
{
    const QRectF area(0, 0, page.width(), page.height());
    const double scale = std::min(area.width() / record.width, area.height() / record.height);
    painter.save();
    painter.translate((area.width() - record.width * scale) / 2.0,
                      (area.height() - record.height * scale) / 2.0);
    PaintRecord(painter, record, PictureScale::For(record, scale, false));
    painter.restore();
}
