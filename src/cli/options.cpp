#include "chart/chart_state.h"
#include "cli/command.h"
#include "process/design_entries.h"

#include <array>
#include <string>

namespace {

constexpr const char *kDesignOptionNames[design_entries::kCount]
    = {"tn", "phin", "tw", "ts", "dt", "s", "phil", "q", "w"};

// The unit at the end of a dialog caption ("℃", "%", "kw", "g/s").
QString CaptionUnit(int row)
{
    const QString caption = Utf8(design_entries::kRows[row - 1].caption);
    return caption.mid(caption.indexOf(QChar(0xFF1A)) + 1).trimmed();
}

} // namespace

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

QCommandLineOption PressureOption()
{
    return QCommandLineOption(QStringLiteral("pressure"),
                              Utf8("当地大气压力 B，Pa，90000 至 120000，可带单位 pa"),
                              QStringLiteral("B"), Utf8(chart_prompts::kPressureDefault));
}

QCommandLineOption FormatOption()
{
    return QCommandLineOption(QStringLiteral("format"),
                              Utf8("输出格式：table（对齐的表）、json 或 csv"),
                              QStringLiteral("table|json|csv"), QStringLiteral("table"));
}

QList<QCommandLineOption> DesignOptions()
{
    QList<QCommandLineOption> options;
    for (int row = 1; row <= design_entries::kCount; ++row)
        options << QCommandLineOption(
            Utf8(kDesignOptionNames[row - 1]),
            Utf8(DesignEntryName(row).c_str()) + Utf8("，") + CaptionUnit(row), QStringLiteral("x"),
            Utf8(design_entries::kRows[row - 1].startText));
    return options;
}

std::optional<CommandOutput> ReadPressure(const QCommandLineParser &parser, Pressure &pressure)
{
    const std::string text = parser.value(QStringLiteral("pressure")).toStdString();
    const std::optional<double> B = AcceptedPressure(text);
    if (!B)
        return UsageError(Utf8("选项 --pressure 的值“") + QString::fromStdString(text)
                          + Utf8("”不是 90000 至 120000 帕之间的大气压力"));
    pressure = {*B, text};
    return std::nullopt;
}

std::optional<CommandOutput> ReadFormat(const QCommandLineParser &parser, OutputFormat &format)
{
    const QString text = parser.value(QStringLiteral("format"));
    if (text == QStringLiteral("table"))
        format = OutputFormat::Table;
    else if (text == QStringLiteral("json"))
        format = OutputFormat::Json;
    else if (text == QStringLiteral("csv"))
        format = OutputFormat::Csv;
    else
        return UsageError(Utf8("选项 --format 的值“") + text + Utf8("”不是 table、json 或 csv"));
    return std::nullopt;
}

std::optional<CommandOutput> ReadDesignOptions(const QCommandLineParser &parser,
                                               DesignParameters &parameters)
{
    std::array<std::string, design_entries::kCount> texts;
    for (int row = 1; row <= design_entries::kCount; ++row)
        texts[row - 1] = parser.value(Utf8(kDesignOptionNames[row - 1])).toStdString();
    const DesignEntriesReading reading = ReadDesignEntries(texts);
    if (!reading.parameters)
        return UsageError(Utf8("选项 --") + Utf8(kDesignOptionNames[reading.refusedRow - 1])
                          + Utf8("：") + QString::fromStdString(reading.message));
    parameters = *reading.parameters;
    return std::nullopt;
}
