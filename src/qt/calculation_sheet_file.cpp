#include "qt/calculation_sheet_file.h"

#include "chart/chart_drawing.h"
#include "chart/chart_styles.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "qt/picture_export.h"
#include "qt/picture_record.h"
#include "report/calculation_sheet.h"
#include "report/sheet_chart.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>

namespace {

// Resolution of the PDF's coordinate grid; text and drawing are vectors.
constexpr int kPdfResolution = 1200;
// Margins of the text pages and of the chart pages, mm.
constexpr double kTextMargin = 20.0;
constexpr double kChartMargin = 10.0;
// The body text's size, pt (五号), and that of the running head and the page numbers.
constexpr double kBodyPoints = 10.5;
constexpr double kHeadPoints = 9.0;
constexpr double kCaptionPoints = 12.0;
static_assert(kSheetRegionWidth == 297.0 - 2 * kChartMargin);

// Draws the record and its boxes into `area`, keeping its proportions,
// centred; answers the rectangle the picture took.
QRectF PaintChartIn(QPainter &painter, const QRectF &area, const PictureRecord &record,
                    const PictureOverlay &overlay)
{
    const double scale = std::min(area.width() / record.width, area.height() / record.height);
    const QPointF origin(area.left() + (area.width() - record.width * scale) / 2.0,
                         area.top() + (area.height() - record.height * scale) / 2.0);
    painter.save();
    painter.translate(origin);
    const PictureScale to = PictureScale::For(record, scale, false);
    painter.setClipRect(QRectF(QPointF(0, 0), to.area));
    PaintRecord(painter, record, to);
    PaintOverlay(painter, overlay, to);
    painter.restore();
    return QRectF(origin, QSizeF(record.width * scale, record.height * scale));
}

// The enlarged region of the process, drawn for a picture of `width` by
// `height` mm, and where it lies on the chart; none for a sheet without states.
struct RegionPicture {
    PictureRecord record;
    ChartRegion region;
};
std::optional<RegionPicture> RegionRecord(const CalculationSheet &sheet, double width,
                                          double height)
{
    if (!sheet.outcome)
        return std::nullopt;
    ImageSurface surface;
    SetUpChartSurface(surface);
    surface.Resize(static_cast<int>(width * kSheetPixelsPerMillimetre),
                   static_cast<int>(height * kSheetPixelsPerMillimetre));
    const std::optional<ChartRegion> region = DrawProcessRegion(*sheet.outcome, sheet.B, surface);
    if (!region)
        return std::nullopt;
    return RegionPicture {surface.Record(), *region};
}

// Frames the region on the whole chart drawn in `chart` (the chart's user
// scale over the whole picture, laid out in the sheet's style), dashed, so
// the reader finds the enlargement.
void FrameRegion(QPainter &painter, const QRectF &chart, QSizeF drawnSize,
                 const ChartRegion &region, const CalculationSheet &sheet)
{
    // The layout of the picture as it was drawn, scaled onto the page.
    const ScaleMap map(chart_scale::kLeft, chart_scale::kTop, chart_scale::kRight,
                       chart_scale::kBottom, drawnSize.width(), drawnSize.height());
    const double scale = chart.width() / drawnSize.width();
    const std::optional<StyleLayout> layout = sheet.style == ChartStyle::Original
        ? std::nullopt
        : std::optional<StyleLayout>(std::in_place, sheet.style, map);
    const auto at = [&](double d, double i) {
        const PlanePoint p
            = layout ? layout->PixelOf(d, i) : PlanePoint {map.ToPixelX(d), map.ToPixelY(i)};
        return QPointF(chart.left() + p.x * scale, chart.top() + p.y * scale);
    };
    // The outline along its four sides, in short pieces where the style bends them.
    QPolygonF outline;
    const std::array<std::array<double, 2>, 5> corners = {{{region.dLeft, region.iTop},
                                                           {region.dRight, region.iTop},
                                                           {region.dRight, region.iBottom},
                                                           {region.dLeft, region.iBottom},
                                                           {region.dLeft, region.iTop}}};
    constexpr int kPieces = 24;
    for (std::size_t side = 0; side + 1 < corners.size(); ++side)
        for (int k = 0; k < kPieces; ++k) {
            const double f = static_cast<double>(k) / kPieces;
            outline << at(corners[side][0] + f * (corners[side + 1][0] - corners[side][0]),
                          corners[side][1] + f * (corners[side + 1][1] - corners[side][1]));
        }
    outline << outline.front();
    painter.save();
    painter.setClipRect(chart);
    QPen pen(Qt::black);
    pen.setWidthF(chart.width() / 600.0);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(outline);
    painter.restore();
}

// The running head of every page: the sheet's title on the left and the
// page's number on the right, over a thin rule.
void PaintHead(QPainter &painter, const QRectF &head, const CalculationSheet &sheet, int page,
               int pages, const QFont &font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(head, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(sheet.title));
    painter.drawText(head, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
    QPen rule(Qt::black);
    rule.setWidthF(head.height() * 0.02);
    painter.setPen(rule);
    painter.drawLine(QPointF(head.left(), head.bottom()), QPointF(head.right(), head.bottom()));
    painter.restore();
}

// The text laid out on pages of `height` as a document is: a paragraph is
// not split across pages, a heading never stands last on its page (it moves
// to the next page with what follows it), and the last page never holds a
// lone paragraph (the section it ends moves with it). Table rows are kept
// whole and the header row repeated by the layout itself.
void LayOutAsDocument(QTextDocument &text, double height)
{
    QAbstractTextDocumentLayout *layout = text.documentLayout();
    const auto page = [&](const QTextBlock &block) {
        return static_cast<int>(layout->blockBoundingRect(block).top() / height);
    };
    const auto breakBefore = [](const QTextBlock &block) {
        QTextBlockFormat format;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).mergeBlockFormat(format);
    };
    const auto lastPage = [&](const QTextBlock &block) {
        return static_cast<int>(layout->blockBoundingRect(block).bottom() / height);
    };
    // The blocks moved so far, by number: each is moved once at most.
    std::vector<bool> moved(static_cast<std::size_t>(text.blockCount()), false);
    const auto wasMoved = [&](const QTextBlock &block) {
        return moved[static_cast<std::size_t>(block.blockNumber())];
    };

    // Each pass moves one block to the next page: a heading whose next block
    // starts on a later page, or a paragraph that runs over a page's foot. A
    // block moved once is not moved again, so the passes are bounded by the
    // number of blocks.
    const int blocks = text.blockCount();
    for (int pass = 0; pass < blocks; ++pass) {
        // The layout is finished before positions are read: it lays out
        // lazily, and a changed block is laid out again with all after it.
        layout->documentSize();
        QTextBlock move;
        for (QTextBlock block = text.begin(); block.isValid() && !move.isValid();
             block = block.next()) {
            const QTextBlock next = block.next();
            const bool heading = block.blockFormat().headingLevel() > 0;
            const bool alone = heading && next.isValid() && page(next) > page(block);
            const bool split
                = !heading && !QTextCursor(block).currentTable() && lastPage(block) > page(block);
            if ((alone || split) && !wasMoved(block))
                move = block;
        }
        if (!move.isValid())
            break;
        breakBefore(move);
        moved[static_cast<std::size_t>(move.blockNumber())] = true;
        // The block after it that was moved before now follows it on the
        // new page instead of starting a page of its own.
        if (const QTextBlock next = move.next(); next.isValid() && wasMoved(next)) {
            QTextBlockFormat flowing;
            flowing.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            QTextCursor(next).mergeBlockFormat(flowing);
        }
    }

    // A last page with a single paragraph takes the heading before it along.
    layout->documentSize();
    const QTextBlock last = text.lastBlock();
    const QTextBlock before = last.previous();
    if (before.isValid() && page(before) < page(last) && !last.text().isEmpty()
        && !QTextCursor(last).currentTable()) {
        for (QTextBlock block = before; block.isValid(); block = block.previous())
            if (block.blockFormat().headingLevel() > 0) {
                breakBefore(block);
                break;
            }
    }
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

        // The text pages under their running head.
        QFont headFont = body;
        headFont.setPointSizeF(kHeadPoints);
        const double width = pdf.width();
        const double head = pdf.logicalDpiY() * 0.3;
        const double height = pdf.height() - head;
        text.setPageSize(QSizeF(width, height));
        LayOutAsDocument(text, height);
        text.documentLayout()->documentSize();
        const int textPages = text.pageCount();

        const std::optional<RegionPicture> region
            = RegionRecord(sheet, kSheetRegionWidth, kSheetRegionHeight);
        const int pages = textPages + 1 + (region ? 1 : 0);

        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        for (int page = 0; page < textPages; ++page) {
            if (page > 0)
                pdf.newPage();
            PaintHead(painter, QRectF(0, 0, width, head * 0.7), sheet, page + 1, pages, headFont);
            painter.save();
            painter.translate(0, head - page * height);
            text.drawContents(&painter, QRectF(0, page * height, width, height));
            painter.restore();
        }

        // The chart pages, landscape: the process region enlarged, then the
        // whole chart with the region framed.
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                        QMarginsF(kChartMargin, kChartMargin, kChartMargin, kChartMargin),
                        QPageLayout::Millimeter));
        QFont caption = body;
        caption.setPointSizeF(kCaptionPoints);
        const auto chartPage = [&](int number, const QString &title) {
            pdf.newPage();
            const QRectF page(0, 0, pdf.width(), pdf.height());
            PaintHead(painter, QRectF(0, 0, page.width(), head * 0.7), sheet, number, pages,
                      headFont);
            painter.setFont(caption);
            painter.setPen(Qt::black);
            const QRectF captionBox(0, head, page.width(), pdf.logicalDpiY() * 0.3);
            painter.drawText(captionBox, Qt::AlignLeft | Qt::AlignTop,
                             QString::fromStdString(SheetChartHeading(sheet)) + QStringLiteral("　")
                                 + title);
            return page.adjusted(0, captionBox.bottom(), 0, 0);
        };
        int number = textPages;
        if (region) {
            const QRectF area = chartPage(++number, QStringLiteral("过程线所在区域（放大）"));
            const PictureRecord &record = region->record;
            const double scale
                = std::min(area.width() / record.width, area.height() / record.height);
            painter.save();
            painter.translate(area.topLeft());
            const PictureScale to = PictureScale::For(record, scale, false);
            // The white margins are snapped to the picture's pixels; a pixel's
            // width inside the picture's edge, no curve that runs on beyond it shows.
            painter.setClipRect(
                QRectF(QPointF(0, 0), to.area).adjusted(scale, scale, -scale, -scale));
            PaintRecord(painter, record, to);
            painter.restore();
        }
        const QRectF area = chartPage(++number,
                                      region ? QStringLiteral("全图（虚线框为上一页放大的区域）")
                                             : QStringLiteral("全图"));
        const QRectF drawn = PaintChartIn(painter, area, chart, overlay);
        if (region)
            FrameRegion(painter, drawn, QSizeF(chart.width, chart.height), region->region, sheet);
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
        const std::optional<RegionPicture> region
            = RegionRecord(sheet, kSheetRegionWidth, kSheetRegionHeight);
        const QByteArray regionSvg = region ? PictureSvg(region->record) : QByteArray();
        bytes = QByteArray::fromStdString(
            CalculationSheetHtml(sheet, svg.toStdString(), regionSvg.toStdString()));
    }
    if (bytes.isEmpty())
        return SaveFailureMessage(path, QStringLiteral("无法生成计算书"));
    return WriteWholeFile(path, bytes);
}
