#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "cli/command.h"
#include "process/design_parameters.h"
#include "process/headless_compute.h"
#include "psychro/arithmetic_fault.h"
#include "ui/fault_message.h"
#include "ui/layout.h"
#include "ui/qt/chart_surface.h"
#include "ui/qt/fonts.h"
#include "ui/qt/image_surface.h"
#include "ui/qt/picture_export.h"

#include <QGuiApplication>
#include <QRegularExpression>

#include <memory>
#include <optional>

namespace {

// The largest picture side accepted, in logical pixels: a bound on the memory
// a mistyped size can claim (at scale 4, 16384 device pixels a side).
constexpr int kLargestSide = 4096;

// The texts the chart would write into the window's boxes; nobody reads them here.
class NoBoxes : public MainWindowTexts {
public:
    void SetReadoutCell(int, const std::string &) override { }
    void SetResultBox(ResultBox, const std::string &) override { }
    void SetStateBox(StateBox, const std::string &) override { }
};

// The chart surface's size on a screen, in pixels, as the main window arranges it.
QSize ChartAreaOfScreen(int width, int height)
{
    TwipGeometry window(TwipGeometry::Snap::WholePixels);
    TwipGeometry chart(TwipGeometry::Snap::WholePixels);
    std::vector<std::unique_ptr<TwipGeometry>> others;
    const auto other = [&others] {
        others.push_back(std::make_unique<TwipGeometry>(TwipGeometry::Snap::WholePixels));
        return others.back().get();
    };
    MainWindowTargets targets;
    targets.window = &window;
    targets.chart = &chart;
    for (auto *group : {targets.readoutHeadings.data(), targets.readoutValues.data()})
        for (int k = 0; k < 7; ++k)
            group[k] = other();
    for (auto &target : targets.buttons)
        target = other();
    for (auto &target : targets.resultBoxes)
        target = other();
    for (auto &target : targets.stateBoxes)
        target = other();
    ArrangeMainWindow(PixelsToTwips(width), PixelsToTwips(height), targets);
    return {TwipsToPixels(chart.Width()), TwipsToPixels(chart.Height())};
}

QString DefaultSize()
{
    const QSize size = ChartAreaOfScreen(1920, 1080);
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QList<QCommandLineOption> ChartOptions()
{
    return QList<QCommandLineOption> {
               PressureOption(),
               QCommandLineOption(QStringLiteral("precision"),
                                  Utf8("绘图精度，℃（按“绘图精度”提示的规则读取）"),
                                  QStringLiteral("p"), Utf8(chart_prompts::kPrecisionDefault)),
               QCommandLineOption(QStringLiteral("size"),
                                  Utf8("图的大小，像素；默认为 1920×1080 "
                                       "屏幕上主窗口的图区"),
                                  QStringLiteral("WxH"), DefaultSize()),
               QCommandLineOption(QStringLiteral("scale"),
                                  Utf8("PNG 的倍数：1、2 或 4，按该分辨率重新绘制"),
                                  QStringLiteral("1|2|4"), QStringLiteral("1")),
               QCommandLineOption(QStringLiteral("process"),
                                  Utf8("同时计算并描出一次回风过程（与“计算并描点”"
                                       "相同：按精度1重绘后描点）"))}
    + DesignOptions();
}

std::optional<QSize> ReadSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX×](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > kLargestSide
        || size.height() > kLargestSide)
        return std::nullopt;
    return size;
}

QtMessageHandler qtMessages = nullptr;

// Qt's note that no runtime folder is set concerns windows, not a drawing
// written to a file; every other message goes on as before.
void WithoutRuntimeFolderNote(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
{
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (qtMessages)
        qtMessages(type, context, message);
}

// Drawing needs Qt's GUI layer; without a window it runs on the offscreen
// platform, whatever the environment asks for.
std::unique_ptr<QGuiApplication> StartOffscreenGui()
{
    if (QCoreApplication::instance())
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(WithoutRuntimeFolderNote);
    static int argc = 1;
    static char program[] = "idchart";
    static char *argv[] = {program, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    RegisterFontSubstitutions();
    return application;
}

CommandOutput RunChart(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError(Utf8("缺少输出文件（.png、.svg 或 .pdf）"));
    if (positional.size() > 1)
        return UsageError(Utf8("多余的参数：") + positional[1]);
    const QString path = positional.constFirst();
    const std::optional<PictureFormat> format = PictureFormatForPath(path);
    if (!format)
        return UsageError(Utf8("无法识别文件“") + path
                          + Utf8("”的类型：文件名应以 .png、.svg 或 .pdf 结尾"));

    Pressure pressure;
    DesignParameters parameters;
    if (auto refused = ReadPressure(parser, pressure))
        return *refused;
    if (auto refused = ReadDesignOptions(parser, parameters))
        return *refused;
    const PrecisionReading precision
        = ReadPrecision(parser.value(QStringLiteral("precision")).toStdString());
    if (!precision.value)
        return UsageError(Utf8("选项 --precision：") + Utf8(precision.refusal));
    const std::optional<QSize> size = ReadSize(parser.value(QStringLiteral("size")));
    if (!size)
        return UsageError(Utf8("选项 --size 的值“") + parser.value(QStringLiteral("size"))
                          + Utf8("”不是 1 至 %1 之间的“宽x高”像素数").arg(kLargestSide));
    const QString scaleText = parser.value(QStringLiteral("scale"));
    const int scale = scaleText.toInt();
    if (scaleText != QStringLiteral("1") && scaleText != QStringLiteral("2")
        && scaleText != QStringLiteral("4"))
        return UsageError(Utf8("选项 --scale 的值“") + scaleText + Utf8("”不是 1、2 或 4"));

    const auto application = StartOffscreenGui();
    ImageSurface picture;
    SetUpChartSurface(picture);
    picture.Resize(size->width(), size->height());

    CommandOutput output;
    if (parser.isSet(QStringLiteral("process"))) {
        // 计算并描点: the chart at precision 1, then the process.
        const HeadlessComputation run
            = ComputeWithoutWindow(parameters, pressure.B, pressure.text, picture);
        if (!run.messages.empty()) {
            output.status = exit_status::kStopped;
            output.err = run.messages.back() + '\n';
        }
    } else {
        SetChartScale(picture);
        ChartState chart;
        chart.B = pressure.B;
        chart.BText = pressure.text;
        chart.Precision = *precision.value;
        NoBoxes boxes;
        try {
            DrawChart(chart, picture, boxes);
        } catch (const ArithmeticFault &fault) {
            output.status = exit_status::kStopped;
            output.err = FaultMessage("绘制焓湿图", fault) + '\n';
        }
    }

    // What a stopped calculation drew is saved too: it is what the window shows.
    const QString refusal = SavePicture(picture, path, *format, scale);
    if (!refusal.isEmpty())
        return UsageError(refusal);
    return output;
}

} // namespace

const Command &ChartCommand()
{
    static const Command command {
        "chart",
        "把焓湿图（可带一次回风过程）保存为 PNG、SVG 或 PDF 文件",
        "输出文件 [选项…]",
        "按主窗口“生成焓湿图”的同一绘图，在给定大气压力与绘图精度下把焓湿图保存到文件；"
        "文件类型由文件名的后缀 .png、.svg 或 .pdf 决定。PNG 与窗口中同样大小的图逐像素相同，"
        "SVG 与 PDF 为矢量图。带 --process 时按“计算并描点”先以精度1重绘，再计算并描出一次回风"
        "过程（参数选项与 compute 相同）；计算中止时仍保存已描出的图，并以状态 1 退出。"
        "不需要显示器：总在 offscreen 平台上绘制。",
        ChartOptions,
        RunChart};
    return command;
}
