#include "cli/command.h"

namespace {

QList<QCommandLineOption> NoOptions()
{
    return {};
}

CommandOutput Pending(const QCommandLineParser &)
{
    return UsageError(Utf8("该命令尚未实现"));
}

} // namespace

const Command &ChartCommand()
{
    static const Command command {"chart",
                                  "把焓湿图（可带一次回风过程）保存为 PNG、SVG 或 PDF",
                                  "输出文件 [选项…]",
                                  "",
                                  NoOptions,
                                  Pending};
    return command;
}
