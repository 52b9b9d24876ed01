#include "chart/chart_settings.h"
#include "cli/command.h"
#include "layout/layout.h"
#include "text/strict_number.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

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
    const QSize size = DefaultChartSize();
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QList<QCommandLineOption> ChartOptions()
{
    return QList<QCommandLineOption> {
               ProjectOption(),
               PressureOption(),
               QCommandLineOption(QStringLiteral("precision"), Utf8("绘图精度，℃，不小于 0.001"),
                                  QStringLiteral("p"), Utf8(chart_prompts::kPrecisionDefault)),
               QCommandLineOption(QStringLiteral("size"),
                                  Utf8("图的大小，像素；默认为 1920×1080 "
                                       "屏幕上主窗口的图区"),
                                  QStringLiteral("WxH"), DefaultSize()),
               QCommandLineOption(QStringLiteral("scale"),
                                  Utf8("PNG 的倍数：1、2 或 4，按该分辨率重新绘制"),
                                  QStringLiteral("1|2|4"), QStringLiteral("1")),
               QCommandLineOption(QStringLiteral("process"),
                                  Utf8("同时计算并描出 --design 所选设计的过程（与“计算并描点”"
                                       "相同：按精度1重绘后描点）")),
               DesignKindOption()}
    + DesignOptions() + WinterOptions();
}

// Drawing needs Qt's GUI layer, which only the window program loads: this
// program hands the command on to it unless it draws itself.
ChartDrawing chartDrawing = nullptr;

CommandOutput RunChart(const QCommandLineParser &parser)
{
    // Every option is read before the drawing program starts, so that a
    // refused value is said at once.
    Project calculation;
    PictureOptions picture;
    QString path;
    if (auto refused = ReadCalculationOptions(parser, calculation))
        return *refused;
    if (auto refused = ReadPictureOptions(parser, picture))
        return *refused;
    if (auto refused = ReadOutputFile(parser, PictureFileType(), path))
        return *refused;
    if (!chartDrawing)
        return HandedOn();
    return chartDrawing(parser);
}

} // namespace

QSize DefaultChartSize()
{
    return ChartAreaOfScreen(1920, 1080);
}

void SetChartDrawing(ChartDrawing drawing)
{
    chartDrawing = drawing;
}

std::optional<QSize> ReadSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX×](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > kLargestChartSide
        || size.height() > kLargestChartSide)
        return std::nullopt;
    return size;
}

std::optional<CommandOutput> ReadPictureOptions(const QCommandLineParser &parser,
                                                PictureOptions &options)
{
    const QString precisionText = parser.value(QStringLiteral("precision"));
    const std::optional<double> precision = StrictNumber(precisionText.toStdString());
    if (!precision || std::fabs(*precision) > double(std::numeric_limits<float>::max()))
        return NotANumber(QStringLiteral("precision"), precisionText);
    // Compared in single precision, as the precision prompt compares it.
    if (!(float(*precision) >= chart_prompts::kFinestPrecision))
        return UsageError(Utf8("选项 --precision 的值“") + precisionText
                          + Utf8("”小于 0.001：绘图精度应为不小于 0.001 的正数（℃）"));

    const QString sizeText = parser.value(QStringLiteral("size"));
    const std::optional<QSize> size = ReadSize(sizeText);
    if (!size)
        return UsageError(Utf8("选项 --size 的值“") + sizeText
                          + Utf8("”不是 1 至 %1 之间的“宽x高”像素数").arg(kLargestChartSide));

    const QString scaleText = parser.value(QStringLiteral("scale"));
    if (scaleText != QStringLiteral("1") && scaleText != QStringLiteral("2")
        && scaleText != QStringLiteral("4"))
        return UsageError(Utf8("选项 --scale 的值“") + scaleText + Utf8("”不是 1、2 或 4"));
    const int scale = scaleText.toInt();
    if (std::max(size->width(), size->height()) * scale > kLargestDeviceSide)
        return UsageError(Utf8("--size 与 --scale 之积超过 %1 像素").arg(kLargestDeviceSide));

    options = {float(*precision), *size, scale};
    return std::nullopt;
}

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
