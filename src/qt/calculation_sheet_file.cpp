#include "qt/calculation_sheet_file.h"

#include "qt/fonts.h"
#include "qt/picture_export.h"
#include "qt/picture_record.h"
#include "report/calculation_sheet.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>

namespace {

// Resolution of the PDF's coordinate grid; text and drawing are vectors.
constexpr int kPdfResolution = 1200;
// Margins of the text pages and of the chart page, mm.
constexpr double kTextMargin = 20.0;
constexpr double kChartMargin = 10.0;
// The body text's size, pt (五号).
constexpr double kBodyPoints = 10.5;

// Draws the record and its boxes into `area`, keeping its proportions, centred.
void PaintChartIn(QPainter &painter, const QRectF &area, const PictureRecord &record,
                  const PictureOverlay &overlay)
{
    const double scale = std::min(area.width() / record.width, area.height() / record.height);
    painter.save();
    painter.translate(area.left() + (area.width() - record.width * scale) / 2.0,
                      area.top() + (area.height() - record.height * scale) / 2.0);
    const PictureScale to = PictureScale::For(record, scale, false);
    painter.setClipRect(QRectF(QPointF(0, 0), to.area));
    PaintRecord(painter, record, to);
    PaintOverlay(painter, overlay, to);
    painter.restore();
}

} // namespace

std::optional<SheetFormat> SheetFormatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return SheetFormat::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return SheetFormat::Html;
    return std::nullopt;
}

QByteArray CalculationSheetPdf(const CalculationSheet &sheet, const PictureRecord &chart,
                               const PictureOverlay &overlay)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(QString::fromStdString(sheet.title));
        pdf.setCreator(QString::fromStdString(sheet.program));
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(kTextMargin, kTextMargin, kTextMargin, kTextMargin),
                                      QPageLayout::Millimeter));

        QTextDocument text;
        text.documentLayout()->setPaintDevice(&pdf);
        QFont body(QString::fromUtf8(faces::kSong));
        body.setPointSizeF(kBodyPoints);
        text.setDefaultFont(body);
        text.setDocumentMargin(0);
        text.setHtml(QString::fromStdString(CalculationSheetPrintHtml(sheet)));

        // The text pages, each with its number below the text.
        const double width = pdf.width();
        const double footer = pdf.logicalDpiY() * 0.35;
        const double height = pdf.height() - footer;
        text.setPageSize(QSizeF(width, height));
        const int pages = text.pageCount();

        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        QFont numberFont = body;
        numberFont.setPointSizeF(9);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                pdf.newPage();
            painter.save();
            painter.translate(0, -page * height);
            text.drawContents(&painter, QRectF(0, page * height, width, height));
            painter.restore();
            painter.setFont(numberFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, height, width, footer), Qt::AlignHCenter | Qt::AlignBottom,
                             QStringLiteral("第 %1 页 共 %2 页").arg(page + 1).arg(pages + 1));
        }

        // The chart on a landscape page of its own, under its caption.
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                        QMarginsF(kChartMargin, kChartMargin, kChartMargin, kChartMargin),
                        QPageLayout::Millimeter));
        pdf.newPage();
        const QRectF page(0, 0, pdf.width(), pdf.height());
        QFont caption = body;
        caption.setPointSizeF(12);
        painter.setFont(caption);
        const double captionHeight = pdf.logicalDpiY() * 0.35;
        painter.drawText(
            QRectF(page.left(), page.top(), page.width(), captionHeight),
            Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("5　焓湿图（%1）").arg(QString::fromStdString(sheet.title)));
        painter.setFont(numberFont);
        painter.drawText(QRectF(page.left(), page.top(), page.width(), captionHeight),
                         Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("第 %1 页 共 %1 页").arg(pages + 1));
        PaintChartIn(painter, page.adjusted(0, captionHeight, 0, 0), chart, overlay);
        if (!painter.end())
            return {};
    }
    return file.data();
}

QString SaveCalculationSheet(const CalculationSheet &sheet, const PictureRecord &chart,
                             const PictureOverlay &overlay, const QString &path)
{
    const std::optional<SheetFormat> format = SheetFormatForPath(path);
    if (!format)
        return SaveFailureMessage(path, QStringLiteral("计算书只能保存为 .pdf 或 .html 文件"));
    QByteArray bytes;
    if (*format == SheetFormat::Pdf) {
        bytes = CalculationSheetPdf(sheet, chart, overlay);
    } else {
        const QByteArray svg = PictureSvg(chart, overlay);
        bytes = QByteArray::fromStdString(CalculationSheetHtml(sheet, svg.toStdString()));
    }
    if (bytes.isEmpty())
        return SaveFailureMessage(path, QStringLiteral("无法生成计算书"));
    return WriteWholeFile(path, bytes);
}
