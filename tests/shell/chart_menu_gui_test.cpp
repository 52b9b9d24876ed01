#include "designs/design_parameters.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_export.h"
#include "readout/pointer_readout.h"
#include "report/result_sheet.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/form1.h"
#include "shell/main_window_controls.h"
#include "support/full_file_system.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The main window after the default calculation, with the picture's record
// drawn at precision 1 and the process on it.
struct ComputedWindow : MainWindowAfterSplash {
    QTemporaryDir folder;

    ComputedWindow(DesignParameters parameters = {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f},
                   bool compute = true)
    {
        shell.Parameters() = parameters;
        form().ParametersSet = true;
        if (compute)
            form().计算并描点_Click();
        else
            form().重绘_Click();
    }
    ChartMenu &menu() { return form().Menu(); }
    ImageSurface &picture() { return form().Picture(); }
    QString Path(const char *name) const { return folder.filePath(QString::fromUtf8(name)); }

    void Save(const QString &path, PictureFormat format, int scale = 1)
    {
        menu().askImageFile = [=](const QString &) {
            return std::optional<ChartMenu::ImageTarget>({path, format, scale});
        };
        menu().SaveImage();
    }
    // The chart area of the window as it is on the screen, the boxes over it included.
    QImage Shown()
    {
        PictureBox *picture = form().Controls().Picture1;
        return form().grab(picture->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The boxes over the chart.
    std::vector<QLineEdit *> Boxes()
    {
        std::vector<QLineEdit *> boxes;
        for (int n = 1; n <= 7; ++n)
            boxes.push_back(form().Controls().Text[n]);
        for (QLineEdit *box : form().Controls().Texta)
            boxes.push_back(box);
        return boxes;
    }
    // Pixel of chart point (d, i) on a picture at `scale` times the window's size.
    QPoint At(double d, double i, int scale = 1)
    {
        const ScaleMap &m = picture().Map();
        return QPoint(static_cast<int>(std::floor(m.ToPixelX(d) * scale)),
                      static_cast<int>(std::floor(m.ToPixelY(i) * scale)));
    }
};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(ChartExport, FilesHoldTheWindowsPicture)
{
    ComputedWindow w;
    const QImage shown = w.picture().Image().copy();
    const PrimaryOutcome s = w.Primary();
    const StatePoint N = *s.State(StateName::N), L = *s.State(StateName::L);
    // Where the real-window check looks: a grid line high on the chart, the
    // chart's background beside it, N red and L black.
    const struct {
        QPoint at;
        QColor colour;
    } probes[] = {{w.At(1, 140), Qt::black},
                  {w.At(1, 137) + QPoint(3, 0), QColor(255, 224, 192)},
                  {w.At(N.d, N.i), Qt::red},
                  {w.At(L.d, L.i), Qt::black}};

    // Twice the size, drawn again: the grid line at d = 1 at twice its place,
    // two sharp device pixels wide.
    w.Save(w.Path("x2.png"), PictureFormat::Png, 2);
    const QImage twice(w.Path("x2.png"));
    EXPECT_EQ(twice.size(), shown.size() * 2);
    const QPoint line = w.At(1, 137, 2);
    EXPECT_EQ(twice.pixelColor(line), QColor(Qt::black));
    EXPECT_EQ(twice.pixelColor(line + QPoint(1, 0)), QColor(Qt::black));
    EXPECT_EQ(twice.pixelColor(line + QPoint(2, 0)), QColor(255, 224, 192));
    EXPECT_EQ(twice.pixelColor(line - QPoint(1, 0)), QColor(255, 224, 192));

    w.Save(w.Path("x.svg"), PictureFormat::Svg);
    QSvgRenderer svg(w.Path("x.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage rendered(shown.size(), QImage::Format_RGB32);
    QPainter painter(&rendered);
    svg.render(&painter);
    painter.end();
    for (const auto &probe : probes)
        EXPECT_EQ(rendered.pixelColor(probe.at), probe.colour)
            << probe.at.x() << "," << probe.at.y();
    const QString svgText = QString::fromUtf8(ReadAll(w.Path("x.svg")));
    EXPECT_TRUE(svgText.contains(QStringLiteral("φ=100%")));
    EXPECT_TRUE(svgText.contains(QStringLiteral("根据余热量确定的送风量")));

    w.Save(w.Path("x.pdf"), PictureFormat::Pdf);
    EXPECT_TRUE(ReadAll(w.Path("x.pdf")).startsWith("%PDF"));
    // A printer gets the same vector drawing on its page.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(w.Path("printed.pdf"));
    w.menu().PrintOn(printer);
    EXPECT_TRUE(ReadAll(w.Path("printed.pdf")).startsWith("%PDF"));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    ASSERT_FALSE(pdftotext.isEmpty() || pdftoppm.isEmpty()) << "poppler-utils is missing";
    for (const char *file : {"x.pdf", "printed.pdf"}) {
        const QString text = RunTool(pdftotext, {w.Path(file), QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("热湿比ε"))) << file;
        EXPECT_TRUE(text.contains(QStringLiteral("φ=100%"))) << file;
    }
    // The PDF page at 96 dots per inch is the window's picture size.
    RunTool(pdftoppm,
            {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), QStringLiteral("-aa"), QStringLiteral("no"),
             QStringLiteral("-aaVector"), QStringLiteral("no"), w.Path("x.pdf"), w.Path("page")});
    const QImage page(w.Path("page.png"));
    ASSERT_EQ(page.size(), shown.size());
    EXPECT_LT(qGray(page.pixel(probes[0].at)), 64) << "grid line at d = 1";
    EXPECT_EQ(page.pixelColor(probes[1].at), probes[1].colour);
    EXPECT_TRUE(w.prompts.messages.empty());
}

TEST(ChartExport, AFileThatCannotBeWrittenIsReportedAndLeftAway)
{
    ComputedWindow w;
    const QImage before = w.picture().Image().copy();
    const QString text1 = w.form().Controls().Text[1]->text();
    for (const char *name : {"missing/x.png", "missing/x.svg", "missing/x.pdf"}) {
        w.prompts.messages.clear();
        const QString path = w.Path(name);
        w.Save(path, *PictureFormatForPath(path));
        ASSERT_EQ(w.prompts.messages.size(), 1u) << name;
        const QString message = QString::fromStdString(w.prompts.messages[0]);
        EXPECT_TRUE(message.contains(path)) << name;
        EXPECT_TRUE(message.contains(QStringLiteral("文件夹不存在"))) << message.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
    // A cancelled dialog does nothing.
    w.prompts.messages.clear();
    w.menu().askImageFile = [](const QString &) { return std::nullopt; };
    w.menu().SaveImage();
    EXPECT_TRUE(w.prompts.messages.empty());
    EXPECT_EQ(w.picture().Image(), before);
    EXPECT_EQ(w.form().Controls().Text[1]->text(), text1);
}

TEST(ChartExport, ResultsAreCopiedAndExportedAsTheirBoxesShowThem)
{
    {
        MainWindowAfterSplash w;
        ChartMenu &menu = w.form().Menu();
        EXPECT_FALSE(menu.copyResults->isEnabled()) << "nothing computed yet";
        EXPECT_FALSE(menu.exportResults->isEnabled());
        EXPECT_FALSE(menu.generateSheet->isEnabled());
        EXPECT_TRUE(menu.saveImage->isEnabled());
        EXPECT_EQ(menu.menu->actions().size(), 25)
            << "six, the two of the view, the styles' submenu, a separator and the six for "
               "projects, a separator "
               "and the five for weather and comfort zones, a separator and the two for state "
               "points";
    }
    // The default set, and one whose machine dew point is not found (φL = 0).
    for (const float phiL : {95.0f, 0.0f}) {
        ComputedWindow w({26, 60, 35, 26.5, 6, 30, phiL, 12, 0.01f});
        EXPECT_TRUE(w.menu().copyResults->isEnabled());
        // A later chart at another pressure does not change what the results belong to.
        w.form().chart.B = 95000;
        w.form().chart.BText = "95000";
        w.form().重绘_Click();

        w.menu().askResultsFile = [&w](const QString &) { return w.Path("results.csv"); };
        w.menu().ExportResults();
        const QByteArray csv = ReadAll(w.Path("results.csv"));
        EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "UTF-8 byte-order mark";
        EXPECT_TRUE(csv.contains(",101325,")) << csv.constData();
        EXPECT_FALSE(csv.contains("95000"));
        const QString text = QString::fromUtf8(csv);
        for (int n = 1; n <= 7; ++n) {
            const QString box = w.form().Controls().Text[n]->text();
            if (!box.isEmpty()) {
                EXPECT_TRUE(text.contains(QLatin1Char(',') + box + QLatin1Char(','))) << n;
            }
        }
        EXPECT_EQ(w.form().Controls().Text[4]->text().isEmpty(), phiL == 0.0f);

        w.menu().CopyResults();
        const QString copied = QGuiApplication::clipboard()->text();
        EXPECT_TRUE(copied.contains(QStringLiteral("\t101325\t"))) << copied.toStdString();
        EXPECT_EQ(copied.count(QLatin1Char('\n')), text.count(QLatin1Char('\n')));
        w.menu().CopyImage();
        EXPECT_EQ(QGuiApplication::clipboard()->image().size(), w.picture().Image().size());
    }
}

// Every picture that leaves the window carries the result and state boxes
// over the chart with their texts, drawn as the window draws them: the PNG at
// the window's size and the copied picture are the window's chart area pixel
// for pixel, before and after a calculation; the vector files keep the texts
// as texts, in fonts a viewer can find.
TEST(ChartExport, PicturesCarryTheBoxesAsTheWindowShowsThem)
{
    for (const bool computed : {false, true}) {
        SCOPED_TRACE(computed ? "after a calculation" : "before a calculation");
        ComputedWindow w({26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f}, computed);
        const QImage shown = w.Shown();
        QStringList texts;
        for (QLineEdit *box : w.Boxes())
            if (!box->text().isEmpty())
                texts << box->text();
        ASSERT_EQ(texts.size(), computed ? 19 : 2) << "B0 and the precision, then every box";

        w.Save(w.Path("x1.png"), PictureFormat::Png, 1);
        EXPECT_TRUE(QImage(w.Path("x1.png")).convertToFormat(QImage::Format_RGB32) == shown);
        w.menu().CopyImage();
        EXPECT_TRUE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32)
                    == shown);

        // Every box has its background: drawn again at four times the size,
        // and on the PDF's page (at 96 dots per inch the picture's size).
        w.Save(w.Path("x4.png"), PictureFormat::Png, 4);
        w.Save(w.Path("x.pdf"), PictureFormat::Pdf);
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        ASSERT_FALSE(pdftoppm.isEmpty()) << "poppler-utils is missing";
        RunTool(pdftoppm,
                {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), w.Path("x.pdf"), w.Path("page")});
        const QImage large(w.Path("x4.png"));
        const QImage page(w.Path("page.png"));
        for (QLineEdit *box : w.Boxes()) {
            const QRect at = box->geometry().translated(-w.form().Controls().Picture1->pos());
            const QColor base = box->palette().color(QPalette::Base);
            EXPECT_EQ(large.pixelColor((at.right() - 3) * 4, (at.top() + 3) * 4), base);
            EXPECT_EQ(page.pixelColor(at.right() - 3, at.top() + 3), base);
        }

        w.Save(w.Path("x.svg"), PictureFormat::Svg);
        const QString svg = QString::fromUtf8(ReadAll(w.Path("x.svg")));
        for (const QString &text : texts)
            EXPECT_TRUE(svg.contains(QLatin1Char('>') + text + QStringLiteral("</text>")))
                << text.toStdString();
        EXPECT_TRUE(
            svg.contains(QStringLiteral("font-family=\"宋体, SimSun, NSimSun, 'AR PL UMing CN'")));
        EXPECT_FALSE(svg.contains(QStringLiteral("font-family=\"宋体\"")));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(w.Path("printed.pdf"));
        w.menu().PrintOn(printer);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        ASSERT_FALSE(pdftotext.isEmpty()) << "poppler-utils is missing";
        for (const char *file : {"x.pdf", "printed.pdf"}) {
            const QString pdf = RunTool(pdftotext, {w.Path(file), QStringLiteral("-")});
            for (const QString &text : texts)
                EXPECT_TRUE(pdf.contains(text)) << file << ": " << text.toStdString();
        }
        EXPECT_TRUE(w.prompts.messages.empty());
    }
}

// On a full disk no write reports success: each kind of file fails with a
// message naming the cause in Chinese, and the old file (or none) stays,
// with nothing half-written beside it.
TEST(ChartExport, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    const QByteArray old = "the file saved before";
    FullFileSystem disk({{QStringLiteral("old.png"), old},
                         {QStringLiteral("old.svg"), old},
                         {QStringLiteral("old.pdf"), old},
                         {QStringLiteral("old.csv"), old}});
    if (!disk.Ready())
        GTEST_SKIP() << disk.Reason().toStdString();
    const QStringList before = disk.Files();
    ComputedWindow w;
    for (const char *name :
         {"old.png", "old.svg", "old.pdf", "old.csv", "new.png", "new.svg", "new.pdf", "new.csv"}) {
        SCOPED_TRACE(name);
        const QString path = disk.Path(QString::fromUtf8(name));
        w.prompts.messages.clear();
        if (const auto format = PictureFormatForPath(path)) {
            w.Save(path, *format, *format == PictureFormat::Png ? 2 : 1);
        } else {
            w.menu().askResultsFile = [&](const QString &) { return path; };
            w.menu().ExportResults();
        }
        ASSERT_EQ(w.prompts.messages.size(), 1u);
        const QString message = QString::fromStdString(w.prompts.messages[0]);
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("磁盘空间不足"))) << message.toStdString();
        if (QFileInfo(path).baseName() == QStringLiteral("old")) {
            EXPECT_EQ(ReadAll(path), old);
        }
        EXPECT_EQ(disk.Files(), before) << "the old files and nothing else";
    }
}

// 生成计算书… writes the last calculation's sheet: a PDF whose text pages are
// A4 portrait and whose last page, landscape, holds the chart with the
// process even after a redraw has taken it off the window; an HTML file with
// the same texts; a stopped calculation's sheet carries its message; a file
// that cannot be written is said, and nothing is left.
TEST(ChartExport, CalculationSheetIsWrittenAsPdfAndHtml)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdfinfo.isEmpty() || pdftotext.isEmpty()) << "poppler-utils is missing";
    for (const float phiL : {95.0f, 0.0f}) {
        ComputedWindow w({26, 60, 35, 26.5, 6, 30, phiL, 12, 0.01f});
        EXPECT_TRUE(w.menu().generateSheet->isEnabled());
        w.prompts.messages.clear();
        w.form().重绘_Click();
        for (const char *name : {"sheet.pdf", "sheet.html"}) {
            w.menu().askSheetFile = [&](const QString &) { return w.Path(name); };
            w.menu().GenerateSheet();
        }
        EXPECT_TRUE(w.prompts.messages.empty());
        const QString info
            = RunTool(pdfinfo,
                      {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("9"), w.Path("sheet.pdf")});
        const auto pageSize = [&info](int page, const char *size) {
            return info.contains(QRegularExpression(
                QStringLiteral("Page +%1 size: +%2 pts").arg(page).arg(QLatin1String(size))));
        };
        EXPECT_TRUE(pageSize(1, "595 x 842")) << info.toStdString();
        const QString text = RunTool(pdftotext, {w.Path("sheet.pdf"), QStringLiteral("-")});
        const QString html = QString::fromUtf8(ReadAll(w.Path("sheet.html")));
        const QString box3 = w.form().Controls().Text[3]->text();
        for (const QString &shown : {QStringLiteral("一次回风系统夏季空调设计计算书"), box3}) {
            EXPECT_TRUE(text.contains(shown)) << shown.toStdString();
            EXPECT_TRUE(html.contains(shown)) << shown.toStdString();
        }
        EXPECT_TRUE(html.contains(QStringLiteral("data:image/svg+xml;base64,")));
        // The chart page: landscape, with the process drawn (its dots in red).
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                              .match(info)
                              .captured(1)
                              .toInt();
        ASSERT_GE(pages, 2) << info.toStdString();
        EXPECT_TRUE(pageSize(pages, "842 x 595")) << info.toStdString();
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        RunTool(pdftoppm,
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                 QString::number(pages), QStringLiteral("-singlefile"), QStringLiteral("-png"),
                 w.Path("sheet.pdf"), w.Path("chart-page")});
        const QImage chart(w.Path("chart-page.png"));
        ASSERT_FALSE(chart.isNull());
        int red = 0;
        for (int y = 0; y < chart.height(); ++y)
            for (int x = 0; x < chart.width(); ++x)
                red += chart.pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_GT(red, 0) << "the process's red dots on the chart page";
        const bool stopped = phiL == 0.0f;
        EXPECT_EQ(text.contains(QStringLiteral("计算中止")), stopped);
        if (stopped) {
            EXPECT_TRUE(html.contains(QStringLiteral("没有找到L点")));
        }
    }
    ComputedWindow w;
    w.menu().askSheetFile = [&](const QString &) { return w.Path("missing/sheet.pdf"); };
    w.prompts.messages.clear();
    w.menu().GenerateSheet();
    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_NE(w.prompts.messages[0].find("无法保存文件"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(w.Path("missing")));
}

// 图形样式 draws the chart again in the style chosen with the process on it;
// the pointer reads the state under it through the style, saved pictures are
// in the style, and 原图 brings the rectangular chart back pixel for pixel.
TEST(ChartStyleMenu, TheStyleChosenRedrawsTheChartWithItsProcessAndTheReadoutFollows)
{
    ComputedWindow w;
    const QImage original = w.picture().Image().copy();
    PictureBox &picture = *w.form().Controls().Picture1;
    const StatePoint N = *w.Primary().State(StateName::N);
    for (std::size_t k : {1, 2}) {
        SCOPED_TRACE(k);
        w.menu().styleActions[k]->trigger();
        EXPECT_EQ(w.form().chart.style, kChartStyleNames[k].style);
        const PixelMapping pixels = picture.ShownPixels();
        const PlanePoint at = pixels.ToPixel(N.d, N.i);
        EXPECT_EQ(w.picture().Image().pixelColor(static_cast<int>(at.x), static_cast<int>(at.y)),
                  QColor(255, 0, 0))
            << "N is drawn where the style puts it";
        const QPoint pixel(static_cast<int>(std::lround(at.x)),
                           static_cast<int>(std::lround(at.y)));
        QTest::mouseMove(&picture, pixel);
        QApplication::processEvents();
        const PlanePoint state = pixels.FromPixel(pixel.x(), pixel.y());
        const ReadoutTexts expected = PointerReadout(w.form().chart, static_cast<float>(state.x),
                                                     static_cast<float>(state.y));
        EXPECT_EQ(w.form().Controls().Label2[4]->text().toStdString(), expected[4]);
        EXPECT_NEAR(std::stod(expected[4]), N.d, 0.1) << "d under N's pixel";
        const QString path = w.Path("styled.png");
        w.Save(path, PictureFormat::Png);
        EXPECT_EQ(QImage(path).pixelColor(static_cast<int>(at.x), static_cast<int>(at.y)),
                  QColor(255, 0, 0));
    }
    w.menu().styleActions[0]->trigger();
    EXPECT_FALSE(picture.ChartScene().Transform());
    EXPECT_EQ(w.picture().Image(), original);
}
