#include "chart/chart_state.h"
#include "cli/command.h"
#include "cli/strict_number.h"
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

CommandOutput NotANumber(const QString &option, const QString &text)
{
    return UsageError(Utf8("选项 --") + option + Utf8(" 的值“") + text
                      + Utf8("”不是数值范围内的十进制数（可带正负号、一个小数点与指数，"
                             "如 26.5、-3、1.5e3）"));
}

std::optional<CommandOutput> ReadPressure(const QCommandLineParser &parser, Pressure &pressure)
{
    const QString typed = parser.value(QStringLiteral("pressure"));
    const std::string text = typed.toStdString();
    if (!StrictPressureNumber(text))
        return NotANumber(QStringLiteral("pressure"), typed);
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
    for (int row = 1; row <= design_entries::kCount; ++row) {
        const QString option = Utf8(kDesignOptionNames[row - 1]);
        const QString typed = parser.value(option);
        texts[row - 1] = typed.toStdString();
        // A text the dialog would read as 0 or as its leading part is a typo here.
        if (!StrictNumber(texts[row - 1]))
            return NotANumber(option, typed);
    }
    const DesignEntriesReading reading = ReadDesignEntries(texts);
    if (!reading.parameters)
        return UsageError(Utf8("选项 --") + Utf8(kDesignOptionNames[reading.refusedRow - 1])
                          + Utf8("：") + QString::fromStdString(reading.message));
    parameters = *reading.parameters;
    return std::nullopt;
}
