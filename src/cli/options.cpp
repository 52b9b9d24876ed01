#include "chart/chart_state.h"
#include "cli/command.h"
#include "designs/parameter_table.h"

#include <array>
#include <string>

namespace {

// The unit at the end of a dialog caption ("℃", "%", "kw", "g/s"), as the help names it.
QString CaptionUnit(const char *caption)
{
    const QString text = QString::fromUtf8(caption);
    return text.mid(text.indexOf(QChar(0xFF1A)) + 1).trimmed();
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
    for (const SummerRow &row : kSummerParameters)
        options << QCommandLineOption(Utf8(row.option),
                                      QString::fromStdString(ParameterName(row.caption))
                                          + Utf8("，") + CaptionUnit(row.caption),
                                      QStringLiteral("x"), Utf8(row.startText));
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
    std::array<std::string, kSummerParameterCount> texts;
    for (std::size_t k = 0; k < kSummerParameterCount; ++k)
        texts[k] = parser.value(Utf8(kSummerParameters[k].option)).toStdString();
    const EntriesReading<DesignParameters> reading = ReadEntries(kSummerParameters, texts);
    if (!reading.record)
        return UsageError(Utf8("选项 --") + Utf8(kSummerParameters[reading.refusedRow - 1].option)
                          + Utf8("：") + QString::fromStdString(reading.message));
    parameters = *reading.record;
    return std::nullopt;
}
