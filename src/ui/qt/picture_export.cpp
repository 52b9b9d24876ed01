#include "ui/qt/picture_export.h"

#include "ui/qt/image_surface.h"
#include "ui/qt/picture_record.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// Logical pixels of the picture per inch, and PostScript points per inch.
constexpr double kPictureDpi = 96.0;
constexpr double kPointsPerInch = 72.0;
// Resolution of the PDF's coordinate grid; the drawing itself is vectors.
constexpr int kPdfResolution = 1200;

// PNG quality 80 selects zlib level 1.
constexpr int kPngQuality = 80;

const QString kTitle = QStringLiteral("焓湿图");

bool WritePng(ImageSurface &surface, QSaveFile &file, int scale)
{
    QImage image = surface.Render(scale);
    const int dotsPerMeter = qRound(kPictureDpi * scale / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    // The fastest zlib level: a chart is mostly flat colour, so it still
    // packs well, and a ×4 picture is written in a fraction of the time.
    return image.save(&file, "PNG", kPngQuality);
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
