#include "designs/design_outcome.h"
#include "project/project.h"
#include "qt/calculation_sheet_file.h"
#include "qt/picture_record.h"
#include "report/calculation_sheet.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString RunTool(const char *tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList PageRange(int page)
{
    return {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
            QString::number(page)};
}

// The longest horizontal run of pure red pixels: a state dot's breadth.
int WidestRed(const QImage &image)
{
    int widest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixel(x, y) == qRgb(255, 0, 0) ? run + 1 : 0;
            widest = std::max(widest, run);
        }
    }
    return widest;
}

} // namespace

// The PDF sheet of every design reads as a document: every page carries the
// sheet's title and its number of the whole; no text page ends with a
// heading; the page before the whole chart is the process region enlarged
// on landscape A4, its dots and letters at least 3 mm in print.
TEST(CalculationSheetFile, PdfPagesAreLaidOutAsADocument)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        << "poppler-utils is missing";
    struct Case {
        const char *what;
        DesignKind design;
        Humidifier mode;
        double B;
    };
    const Case cases[] = {
        {"primary", DesignKind::PrimarySummer, Humidifier::Spray, 101325},
        {"secondary at 95000 Pa", DesignKind::SecondarySummer, Humidifier::Spray, 95000},
        {"winter spray", DesignKind::PrimaryWinter, Humidifier::Spray, 101325},
        {"winter steam at 120000 Pa", DesignKind::PrimaryWinter, Humidifier::Steam, 120000},
    };
    const QRegularExpression heading(QStringLiteral("^\\s*\\d+(\\.\\d+)?\\s+[^\\s=×]+\\s*$"));
    constexpr double kDotsPerMillimetre = 100 / 25.4;
    QTemporaryDir folder;
    for (const Case &c : cases) {
        Project project;
        project.summer = {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f};
        project.winter = {20, 50, -12, 45, 10, 0.01f, 30, 95, c.mode};
        project.design = c.design;
        project.chart.B = c.B;
        CalculationSheet sheet
            = MakeCalculationSheet(project, ComputeDesign(project.Request(), c.B));
        sheet.date = "2026-12-07";
        PictureRecord chart;
        chart.width = 1920;
        chart.height = 821;
        chart.back = Qt::white;
        const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(CalculationSheetPdf(sheet, chart));
        file.close();

        const QString info = RunTool("pdfinfo", {QStringLiteral("-l"), QStringLiteral("99"), path});
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                              .match(info)
                              .captured(1)
                              .toInt();
        ASSERT_GE(pages, 4) << c.what;
        const QString title = QString::fromStdString(sheet.title);
        for (int page = 1; page <= pages; ++page) {
            const QString text = RunTool("pdftotext", PageRange(page) + QStringList {path, "-"});
            EXPECT_TRUE(text.contains(title)) << c.what << ", page " << page;
            EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages)))
                << c.what << ", page " << page;
            if (page > pages - 2)
                continue;
            QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
                lines.removeLast();
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_FALSE(heading.match(lines.last()).hasMatch())
                << c.what << ": page " << page << " ends with " << lines.last().toStdString();
        }

        const int region = pages - 1;
        EXPECT_TRUE(info.contains(
            QRegularExpression(QStringLiteral("Page +%1 size: +842 x 595 pts").arg(region))))
            << info.toStdString();
        const QString image = folder.filePath(QStringLiteral("region"));
        RunTool("pdftoppm",
                PageRange(region) + QStringList {"-r", "100", "-singlefile", "-png", path, image});
        EXPECT_GE(WidestRed(QImage(image + ".png")), 3 * kDotsPerMillimetre) << c.what;
        // The letters' boxes, in points: a capital of a 3 mm letter needs a
        // box of at least 12 pt.
        const QString boxes
            = RunTool("pdftotext", PageRange(region) + QStringList {"-bbox", path, "-"});
        const QRegularExpression letter(
            QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                           "yMax=\"([0-9.]+)\">([NWO](&#39;|&apos;|')?)</word>"));
        int letters = 0;
        for (auto m = letter.globalMatch(boxes); m.hasNext();) {
            const QRegularExpressionMatch found = m.next();
            EXPECT_GE(found.captured(2).toDouble() - found.captured(1).toDouble(), 12.0)
                << c.what << ": " << found.captured(3).toStdString();
            ++letters;
        }
        EXPECT_GE(letters, 3) << c.what;
    }
}
