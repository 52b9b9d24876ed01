#include "chart/chart_settings.h"
#include "commands/climate_options.h"
#include "commands/command.h"
#include "text/strict_number.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

std::string DefaultSize()
{
    return std::to_string(kDefaultChartSize.width) + "x" + std::to_string(kDefaultChartSize.height);
}

std::vector<CommandOption> ChartOptions()
{
    std::vector<CommandOption> options {
        ProjectOption(),
        PressureOption(),
        StyleOption(),
        {{"precision"}, "绘图精度，℃，不小于 0.001", "p", chart_prompts::kPrecisionDefault},
        {{"size"}, "图的大小，像素；默认为 1920×1080 屏幕上主窗口的图区", "WxH", DefaultSize()},
        {{"scale"}, "PNG 的倍数：1、2 或 4，按该分辨率重新绘制", "1|2|4", "1"},
        {{"process"},
         "同时计算并描出 --design 所选设计的过程（与“计算并描点”相同：按精度1重绘后描点）",
         {},
         {}},
        DesignKindOption(),
        {{"climate"},
         "同时画出一年逐时气象数据（EPW 或 CSV，见 idchart climate --help）与统计",
         "FILE",
         {}}};
    for (std::vector<CommandOption> more :
         {ClimateOptions("none", true), DesignOptions(), WinterOptions()})
        options.insert(options.end(), more.begin(), more.end());
    return options;
}

// Drawing needs Qt's GUI layer, which only the window program loads: this
// program hands the command on to it unless it draws itself.
ChartDrawing chartDrawing = nullptr;

CommandOutput RunChart(const ParsedOptions &options)
{
    // Every option is read before the drawing program starts, so that a
    // refused value is said at once.
    Project calculation;
    PictureOptions picture;
    std::string path;
    if (auto refused = ReadCalculationOptions(options, calculation))
        return *refused;
    if (auto refused = ReadPictureOptions(options, picture))
        return *refused;
    if (auto refused = ReadOutputFile(options, PictureFileType(), path))
        return *refused;
    climate::ClimateSettings climateSettings;
    if (auto refused = ReadClimateSettings(options, climateSettings))
        return *refused;
    if (options.IsSet("climate")) {
        weather::Weather weather;
        if (auto failed
            = LoadWeather(options.Value("climate"), calculation.chart.B, climateSettings, weather))
            return *failed;
    }
    if (!chartDrawing)
        return HandedOn();
    return chartDrawing(options);
}

// The length of the blank (a separator character, or a tab, line feed,
// vertical tab, form feed, carriage return or U+0085) that begins the text,
// 0 when it begins with none.
std::size_t BlankAtStart(std::string_view text)
{
    static constexpr std::string_view kBlanks[]
        = {" ",      "\t",     "\n",     "\v",     "\f",     "\r",     "\u0085", "\u00A0", "\u1680",
           "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
           "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};
    for (const std::string_view blank : kBlanks)
        if (text.substr(0, blank.size()) == blank)
            return blank.size();
    return 0;
}

// The same at the end of the text.
std::size_t BlankAtEnd(std::string_view text)
{
    for (std::size_t length = 1; length <= std::min<std::size_t>(3, text.size()); ++length)
        if (BlankAtStart(text.substr(text.size() - length)) == length)
            return length;
    return 0;
}

// A whole number of one to five ASCII digits at the start of the text, taken off it.
std::optional<int> TakeDigits(std::string_view &text)
{
    std::size_t n = 0;
    int value = 0;
    while (n < text.size() && n < 6 && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (text[n++] - '0');
    if (n == 0 || n > 5)
        return std::nullopt;
    text.remove_prefix(n);
    return value;
}

} // namespace

void SetChartDrawing(ChartDrawing drawing)
{
    chartDrawing = drawing;
}

std::optional<PictureSize> ReadSize(const std::string &text)
{
    std::string_view rest(text);
    while (std::size_t blank = BlankAtStart(rest))
        rest.remove_prefix(blank);
    while (std::size_t blank = BlankAtEnd(rest))
        rest.remove_suffix(blank);
    const std::optional<int> width = TakeDigits(rest);
    if (!width)
        return std::nullopt;
    const std::size_t times = rest.substr(0, 1) == "x" || rest.substr(0, 1) == "X" ? 1
        : rest.substr(0, 2) == "×"                                                 ? 2
                                                                                   : 0;
    if (times == 0)
        return std::nullopt;
    rest.remove_prefix(times);
    const std::optional<int> height = TakeDigits(rest);
    if (!height || !rest.empty())
        return std::nullopt;
    if (*width < 1 || *height < 1 || *width > kLargestChartSide || *height > kLargestChartSide)
        return std::nullopt;
    return PictureSize {*width, *height};
}

std::optional<CommandOutput> ReadPictureOptions(const ParsedOptions &options,
                                                PictureOptions &picture)
{
    const std::string precisionText = options.Value("precision");
    const std::optional<double> precision = StrictNumber(precisionText);
    if (!precision || std::fabs(*precision) > double(std::numeric_limits<float>::max()))
        return NotANumber("precision", precisionText);
    // Compared in single precision, as the precision prompt compares it.
    if (!(float(*precision) >= chart_prompts::kFinestPrecision))
        return UsageError("选项 --precision 的值“" + precisionText
                          + "”小于 0.001：绘图精度应为不小于 0.001 的正数（℃）");

    const std::string sizeText = options.Value("size");
    const std::optional<PictureSize> size = ReadSize(sizeText);
    if (!size)
        return UsageError("选项 --size 的值“" + sizeText + "”不是 1 至 "
                          + std::to_string(kLargestChartSide) + " 之间的“宽x高”像素数");

    const std::string scaleText = options.Value("scale");
    if (scaleText != "1" && scaleText != "2" && scaleText != "4")
        return UsageError("选项 --scale 的值“" + scaleText + "”不是 1、2 或 4");
    const int scale = scaleText[0] - '0';
    if (std::max(size->width, size->height) * scale > kLargestDeviceSide)
        return UsageError("--size 与 --scale 之积超过 " + std::to_string(kLargestDeviceSide)
                          + " 像素");

    picture = {float(*precision), *size, scale};
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
        "--zones 画出舒适区，--climate 画出一年逐时气象数据（密度图或按月份着色的点）与统计，"
        "缺测的小时不画出，写明行号并以状态 1 退出（图仍保存）。"
        "不需要显示器：总在 offscreen 平台上绘制。",
        ChartOptions,
        RunChart};
    return command;
}
