#include "cli/command.h"
#include "cli/qt/chart_picture.h"
#include "cli/run_command.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/primary_winter/primary_winter.h"
#include "layout/layout.h"
#include "psychro/state_solver.h"
#include "qt/image_surface.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "support/full_file_system.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Window : MainWindowAfterSplash {
    // The chart area as the window shows it, with the boxes over the chart.
    QImage Picture()
    {
        return form()
            .grab(controls().Picture1->geometry())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
};

QString SizeText(const QImage &image)
{
    return QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
}

QImage Saved(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The chart surface's size on a screen, in pixels, as the main window arranges it.
QSize ChartAreaOfScreen(int width, int height)
{
    std::vector<std::unique_ptr<TwipGeometry>> geometries;
    const auto target = [&geometries] {
        geometries.push_back(std::make_unique<TwipGeometry>(TwipGeometry::Snap::WholePixels));
        return geometries.back().get();
    };
    MainWindowTargets targets;
    targets.window = target();
    targets.chart = target();
    for (auto *group : {targets.readoutHeadings.data(), targets.readoutValues.data()})
        for (int k = 0; k < 7; ++k)
            group[k] = target();
    for (auto &button : targets.buttons)
        button = target();
    for (auto &box : targets.resultBoxes)
        box = target();
    for (auto &box : targets.stateBoxes)
        box = target();
    ArrangeMainWindow(PixelsToTwips(width), PixelsToTwips(height), targets);
    return {TwipsToPixels(targets.chart->Width()), TwipsToPixels(targets.chart->Height())};
}

} // namespace

// The chart drawn without a window has the main window's chart area on a
// 1920×1080 screen.
TEST(ChartCommand, DefaultSizeIsTheMainWindowsChartArea)
{
    EXPECT_EQ(QSize(kDefaultChartSize.width, kDefaultChartSize.height),
              ChartAreaOfScreen(1920, 1080));
}

TEST(ChartCommand, PngHoldsTheWindowsPictureAtItsSize)
{
    SetChartDrawing(DrawChartPicture); // as the window program does
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    {
        // 生成焓湿图 at a pressure typed with its unit and the offered precision.
        Window w;
        w.prompts.Answer("95000pa");
        w.prompts.Answer("0.05");
        w.form().生成焓湿图_Click();
        const QImage window = w.Picture();
        const QString path = folder.filePath(QStringLiteral("chart.png"));
        const CommandOutput output
            = RunArguments({QStringLiteral("chart"), path, QStringLiteral("--pressure"),
                            QStringLiteral("95000pa"), QStringLiteral("--precision"),
                            QStringLiteral("0.05"), QStringLiteral("--size"), SizeText(window)});
        ASSERT_EQ(output.status, exit_status::kSuccess) << output.err;
        EXPECT_TRUE(Saved(path) == window) << "the chart and its boxes pixel for pixel";
    }
    {
        // 计算并描点 with changed parameters, after a chart at 0.05.
        Window w;
        w.prompts.Answer("110000");
        w.prompts.Answer("0.05");
        w.form().生成焓湿图_Click();
        w.form().一次回风_Click();
        Form2 &dialog = w.shell.Windows().Get<Form2>(forms::kParameters);
        dialog.Text[6]->setText(QStringLiteral("50"));
        dialog.Command1_Click();
        w.form().计算并描点_Click();
        const QImage window = w.Picture();
        const QString path = folder.filePath(QStringLiteral("process.png"));
        const CommandOutput output = RunArguments(
            {QStringLiteral("chart"), path, QStringLiteral("--pressure"), QStringLiteral("110000"),
             QStringLiteral("--s"), QStringLiteral("50"), QStringLiteral("--process"),
             QStringLiteral("--size"), SizeText(window)});
        ASSERT_EQ(output.status, exit_status::kSuccess) << output.err;
        EXPECT_TRUE(Saved(path) == window)
            << "the chart, the process and the boxes' texts pixel for pixel";
    }
}

// The built program, run as from a shell without a display.
TEST(CommandLineProgram, ExitStatusesAndMessages)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto file = [&](const char *name) { return folder.filePath(QString::fromUtf8(name)); };
    enum Check { None, Png, Svg, Pdf, Html, WinterHtml, NoFile };
    struct Row {
        const char *name;
        QStringList arguments;
        int status; // -1: 0 or 1, for absurd values that may stop the calculation
        std::string err; // part of standard error; "" asks for none at all
        std::string out; // part of standard output
        Check check = None;
        QString path = {};
    };
    namespace msg = primary_messages;
    const std::vector<Row> rows = {
        {"compute", {"compute"}, 0, "", "系统冷量"},
        {"compute json", {"compute", "--format", "json"}, 0, "", "\"systemCooling\": "},
        {"state", {"state", "--t", "26", "--phi", "60"}, 0, "", "12.63878"},
        {"help", {"--help"}, 0, "", "compute"},
        {"command help", {"state", "--help"}, 0, "", "--ts"},
        {"version", {"--version"}, 0, "", "idchart "},
        {"machine dew point not found", {"compute", "--phil", "0"}, 1, msg::kDewPointNotFound, ""},
        {"zero divisor", {"compute", "--dt", "0"}, 1, msg::kEqualEnthalpy, ""},
        {"vapour pressure at B",
         {"compute", "--tn", "100", "--phin", "100"},
         1,
         msg::kIndoorVapourPressure,
         ""},
        {"stop in json",
         {"compute", "--phil", "0", "--format", "json"},
         1,
         msg::kDewPointNotFound,
         "\"error\": \"" + std::string(msg::kDewPointNotFound)},
        {"state beyond B",
         {"state", "--t", "100", "--phi", "100", "--pressure", "90000"},
         1,
         state_solver::kVapourPressure,
         ""},
        {"state beyond saturation", {"state", "--d", "20", "--i", "40"}, 1, "饱和线以外", ""},
        {"pair of one quantity", {"state", "--d", "10", "--td", "3"}, 2, "只确定一个量", ""},
        {"unknown option", {"compute", "--bogus", "1"}, 2, "--bogus", ""},
        {"unknown command", {"draw"}, 2, "draw", ""},
        {"missing value", {"compute", "--tn"}, 2, "--tn", ""},
        {"value beyond range", {"compute", "--q", "1e999"}, 2, "--q", ""},
        {"pressure out of range", {"compute", "--pressure", "89999"}, 2, "--pressure", ""},
        {"pressure not a number",
         {"state", "--d", "1", "--i", "2", "--pressure", "x"},
         2,
         "--pressure",
         ""},
        {"state without a pair", {"state", "--t", "20"}, 2, "--phi", ""},
        {"refused precision",
         {"chart", file("fine.png"), "--precision", "0.0005"},
         2,
         "--precision",
         "",
         NoFile,
         file("fine.png")},
        {"unwritable file",
         {"chart", file("none/x.png")},
         1,
         "none/x.png",
         "",
         NoFile,
         file("none/x.png")},
        {"unknown file type", {"chart", file("x.bmp")}, 2, "x.bmp", "", NoFile, file("x.bmp")},
        {"picture too large",
         {"chart", file("big.png"), "--size", "4000x100", "--scale", "4"},
         2,
         "--scale",
         "",
         NoFile,
         file("big.png")},
        {"chart", {"chart", file("a.png")}, 0, "", "", Png, file("a.png")},
        {"chart with process",
         {"chart", file("b.svg"), "--precision", "0.05", "--process"},
         0,
         "",
         "",
         Svg,
         file("b.svg")},
        {"chart as PDF", {"chart", file("c.pdf")}, 0, "", "", Pdf, file("c.pdf")},
        {"oblique chart with process",
         {"chart", file("e.png"), "--style", "oblique", "--process"},
         0,
         "",
         "",
         Png,
         file("e.png")},
        {"stopped chart",
         {"chart", file("d.png"), "--process", "--phil", "0"},
         1,
         msg::kDewPointNotFound,
         "",
         Png,
         file("d.png")},
        {"report", {"report", file("r.pdf")}, 0, "", "", Pdf, file("r.pdf")},
        {"report as HTML",
         {"report", file("r.html"), "--tn", "25"},
         0,
         "",
         "",
         Html,
         file("r.html")},
        {"winter report as HTML",
         {"report", file("w.html"), "--design", "winter", "--humidifier", "steam"},
         0,
         "",
         "",
         WinterHtml,
         file("w.html")},
        {"stopped report",
         {"report", file("s.pdf"), "--phil", "0"},
         1,
         msg::kDewPointNotFound,
         "",
         Pdf,
         file("s.pdf")},
        {"unknown report type", {"report", file("r.txt")}, 2, "r.txt", "", NoFile, file("r.txt")},
        {"unwritable report",
         {"report", file("none/r.pdf")},
         1,
         "none/r.pdf",
         "",
         NoFile,
         file("none/r.pdf")},
        // The winter mix in the fog region: the advisory on standard error,
        // the calculation goes on and every command succeeds.
        {"fog advisory",
         {"compute", "--design", "winter", "--winter-tw", "-30", "--winter-phiw", "90",
          "--winter-s", "60", "--winter-phin", "60"},
         0,
         winter_messages::kFog,
         "加湿量"},
        {"fog advisory in the sheet",
         {"report", file("fog.html"), "--design", "winter", "--winter-tw", "-30", "--winter-phiw",
          "90", "--winter-s", "60", "--winter-phin", "60"},
         0,
         winter_messages::kFog,
         ""},
        {"fog advisory on the chart",
         {"chart", file("fog.png"), "--process", "--design", "winter", "--winter-tw", "-30",
          "--winter-phiw", "90", "--winter-s", "60", "--winter-phin", "60"},
         0,
         winter_messages::kFog,
         "",
         Png,
         file("fog.png")},
        {"damaged project", {"compute", "--project", file("none.idchart")}, 2, "none.idchart", ""},
        {"absurd temperatures", {"compute", "--tn", "1e38", "--dt", "-1e38"}, -1, "", ""},
        {"tiny moisture", {"compute", "--w", "1e-45", "--q", "1e300"}, -1, "", ""},
        {"absurd state", {"state", "--d", "1e30", "--i", "-1e30"}, -1, "", ""},
        {"absurd wet bulb", {"state", "--t", "-300", "--ts", "1e30"}, -1, "", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // A command that draws nothing must not start the GUI layer: with a
        // platform that does not exist it would not start at all.
        if (row.arguments.constFirst() != QStringLiteral("chart")
            && row.arguments.constFirst() != QStringLiteral("report"))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                               QStringLiteral("no-such-platform"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(IDCHART_PROGRAM), row.arguments);
        ASSERT_TRUE(program.waitForFinished(30000)) << "no input hangs the program";
        ASSERT_EQ(program.exitStatus(), QProcess::NormalExit) << "no input crashes it";
        const std::string out = program.readAllStandardOutput().toStdString();
        const std::string err = program.readAllStandardError().toStdString();
        if (row.status >= 0)
            EXPECT_EQ(program.exitCode(), row.status) << err;
        else
            EXPECT_LE(program.exitCode(), 1) << err;
        if (row.status == 0 && row.err.empty())
            EXPECT_EQ(err, "");
        else
            EXPECT_NE(err.find(row.err), std::string::npos) << err;
        // The hint at the usage goes with usage errors only.
        EXPECT_EQ(err.find("查看用法") != std::string::npos, program.exitCode() == 2) << err;
        EXPECT_NE(out.find(row.out), std::string::npos) << out;
        for (const char *word : {"nan", "NaN", "inf", "Inf"})
            EXPECT_EQ(out.find(word), std::string::npos) << out;

        switch (row.check) {
        case None:
            break;
        case NoFile:
            EXPECT_FALSE(QFile::exists(row.path));
            break;
        case Png:
            EXPECT_EQ(QImage(row.path).size(), QSize(1920, 821)) << "the chart area of 1920x1080";
            break;
        case Svg:
            EXPECT_TRUE(QSvgRenderer(row.path).isValid());
            break;
        case Pdf: {
            QFile pdf(row.path);
            ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
            EXPECT_TRUE(pdf.read(4) == "%PDF");
            break;
        }
        case Html: {
            QFile html(row.path);
            ASSERT_TRUE(html.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(html.readAll());
            // The option's text as typed is the input's value.
            EXPECT_TRUE(text.contains(QStringLiteral("<td>25</td>")));
            EXPECT_TRUE(text.contains(QStringLiteral("一次回风系统夏季空调设计计算书")));
            break;
        }
        case WinterHtml: {
            QFile html(row.path);
            ASSERT_TRUE(html.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(html.readAll());
            // A choice is named in the inputs as the dialog names it, as in the results.
            EXPECT_EQ(text.count(QStringLiteral("<td>喷蒸汽</td>")), 2) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("<td>steam</td>")));
            break;
        }
        }
    }
}

// The chart command on a full disk: exit status 1 and the cause in Chinese on
// standard error, nothing of the picture library's own reports; the old file
// stays, and no partial file is left.
TEST(CommandLineProgram, AFullDiskFailsTheChartCommand)
{
    const QByteArray old = "the file saved before";
    FullFileSystem disk({{QStringLiteral("old.svg"), old}});
    if (!disk.Ready())
        GTEST_SKIP() << disk.Reason().toStdString();
    const QStringList before = disk.Files();
    for (const char *name : {"old.svg", "new.svg", "new.pdf", "new.png"}) {
        SCOPED_TRACE(name);
        const QString path = disk.Path(QString::fromUtf8(name));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(IDCHART_PROGRAM),
                      {QStringLiteral("chart"), path, QStringLiteral("--process")});
        ASSERT_TRUE(program.waitForFinished(60000));
        const QString err = QString::fromUtf8(program.readAllStandardError());
        EXPECT_EQ(program.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("磁盘空间不足"))) << err.toStdString();
        EXPECT_TRUE(err.contains(path)) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("libpng"))) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("--help"))) << "not a usage error";
        EXPECT_EQ(disk.Files(), before);
    }
    QFile kept(disk.Path(QStringLiteral("old.svg")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old);
}
