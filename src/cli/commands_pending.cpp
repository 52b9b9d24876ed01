#include "cli/command.h"

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

QList<QCommandLineOption> ComputeOptions()
{
    return {};
}

CommandOutput Pending(const QCommandLineParser &)
{
    return UsageError(Utf8("该命令尚未实现"));
}

} // namespace

const Command &ComputeCommand()
{
    static const Command command {
        "compute",      "一次回风计算：五个状态点、送风量、热湿比和冷负荷",
        "[选项…]",      "",
        ComputeOptions, Pending};
    return command;
}

const Command &ChartCommand()
{
    static const Command command {"chart",
                                  "把焓湿图（可带一次回风过程）保存为 PNG、SVG 或 PDF",
                                  "输出文件 [选项…]",
                                  "",
                                  ComputeOptions,
                                  Pending};
    return command;
}

const Command &StateCommand()
{
    static const Command command {
        "state",        "一个湿空气状态点的 t、d、i、φ、水蒸气分压力与饱和水蒸气分压力",
        "[选项…]",      "",
        ComputeOptions, Pending};
    return command;
}
