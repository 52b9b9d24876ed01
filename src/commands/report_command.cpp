#include "commands/command.h"

namespace {

std::vector<CommandOption> ReportOptions()
{
    std::vector<CommandOption> options {ProjectOption(), DesignKindOption(), PressureOption(),
                                        StyleOption()};
    for (std::vector<CommandOption> more : {DesignOptions(), WinterOptions()})
        options.insert(options.end(), more.begin(), more.end());
    return options;
}

// Writing the sheet needs Qt's GUI layer for the PDF and the chart, which
// only the window program loads: this program hands the command on to it.
ReportWriting reportWriting = nullptr;

CommandOutput RunReport(const ParsedOptions &options)
{
    // Every option is read before the window program starts, so that a
    // refused value is said at once.
    std::string path;
    if (auto refused = ReadOutputFile(options, SheetFileType(), path))
        return *refused;
    Project calculation;
    if (auto refused = ReadCalculationOptions(options, calculation))
        return *refused;
    if (!reportWriting)
        return HandedOn();
    return reportWriting(options);
}

} // namespace

void SetReportWriting(ReportWriting writing)
{
    reportWriting = writing;
}

const Command &ReportCommand()
{
    static const Command command {
        "report",
        "生成设计计算的计算书（PDF 或 HTML）",
        "输出文件 [选项…]",
        "按“计算并描点”的同一计算生成计算书：设计参数、各状态点、按计算顺序列出的计算过程"
        "（公式、代入数值与结果）、计算结果表与描有过程的焓湿图。文件类型由文件名的后缀 .pdf"
        "（A4 纵向，焓湿图单独占一页横向）或 .html 决定。参数选项与 compute 相同。计算中止时"
        "仍写出计算书（含中止原因与已完成的步骤），原因写在标准错误输出上，并以状态 1 退出。"
        "不需要显示器：总在 offscreen 平台上绘制。",
        ReportOptions,
        RunReport};
    return command;
}
