#include "chart/chart_settings.h"
#include "cli/command.h"
#include "designs/design_texts.h"
#include "designs/parameter_table.h"
#include "io/whole_file.h"
#include "project/project_file.h"
#include "text/strict_number.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <string>

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

void TellOutcome(const DesignOutcome &outcome, CommandOutput &output)
{
    if (const std::optional<DesignAdvisory> advisory = AdvisoryOf(outcome))
        output.err += advisory->message + '\n';
    if (const std::optional<Stop> stop = DesignTextsOf(outcome).stop) {
        output.status = exit_status::kStopped;
        output.err += stop->message + '\n';
    }
}

const OutputFileType &PictureFileType()
{
    static const OutputFileType type {
        {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")},
        ".png、.svg 或 .pdf"};
    return type;
}

const OutputFileType &SheetFileType()
{
    static const OutputFileType type {
        {QStringLiteral("pdf"), QStringLiteral("html"), QStringLiteral("htm")}, ".pdf 或 .html"};
    return type;
}

std::optional<CommandOutput> ReadOutputFile(const QCommandLineParser &parser,
                                            const OutputFileType &type, QString &path)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError(Utf8("缺少输出文件（") + Utf8(type.named) + Utf8("）"));
    if (positional.size() > 1)
        return UsageError(Utf8("多余的参数：") + positional[1]);
    path = positional.constFirst();
    if (!type.suffixes.contains(QFileInfo(path).suffix().toLower()))
        return UsageError(Utf8("无法识别文件“") + path + Utf8("”的类型：文件名应以 ")
                          + Utf8(type.named) + Utf8(" 结尾"));
    return std::nullopt;
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
                                          + Utf8("，") + Utf8(row.unit),
                                      QStringLiteral("x"), Utf8(row.startText));
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

namespace {

// Reads the options of a parameter table into a record, with the texts it
// came from. `texts` holds a project's texts (all empty when it has none):
// an option given overrides its row; the rows of a project are kept as typed
// (the dialog's reading rule made their values); without a project every row
// takes its option, given or by default. An option's number must be a whole
// number (StrictNumber), a choice one of its words, which the texts keep as
// the dialog names it ("spray" is 喷循环水).
template <typename Record, std::size_t N>
std::optional<CommandOutput> ReadTableOptions(const QCommandLineParser &parser,
                                              const std::array<ParameterRow<Record>, N> &table,
                                              std::array<std::string, N> &texts, Record &record)
{
    const bool fromProject
        = std::any_of(texts.begin(), texts.end(), [](const std::string &t) { return !t.empty(); });
    for (std::size_t k = 0; k < N; ++k) {
        const ParameterRow<Record> &row = table[k];
        const QString option = Utf8(row.option);
        if (fromProject && !parser.isSet(option))
            continue;
        const QString typed = parser.value(option);
        texts[k] = typed.toStdString();
        if (row.asChoice) {
            // Only the two words: the dialog's fallback to the first entry
            // would hide a typo here.
            if (texts[k] != row.choiceWords[0] && texts[k] != row.choiceWords[1])
                return UsageError(Utf8("选项 --") + option + Utf8(" 的值“") + typed + Utf8("”不是 ")
                                  + Utf8(row.choiceWords[0]) + Utf8(" 或 ")
                                  + Utf8(row.choiceWords[1]));
            texts[k] = row.choiceTexts[texts[k] == row.choiceWords[0] ? 0 : 1];
        } else if (!StrictNumber(texts[k])) {
            // A text the dialog would read as 0 or as its leading part is a typo here.
            return NotANumber(option, typed);
        }
    }
    const EntriesReading<Record> reading = ReadEntries(table, texts);
    if (!reading.record)
        return UsageError(Utf8("选项 --") + Utf8(table[reading.refusedRow - 1].option) + Utf8("：")
                          + QString::fromStdString(reading.message));
    record = *reading.record;
    return std::nullopt;
}

// The project file of --project, read into the project; a usage error that
// names the file and what is wrong with it.
std::optional<CommandOutput> ReadProjectOption(const QCommandLineParser &parser, Project &project)
{
    if (!parser.isSet(QStringLiteral("project")))
        return std::nullopt;
    const QString path = parser.value(QStringLiteral("project"));
    // A project file is a few kilobytes; anything this large is not one.
    const FileContent content = ReadWholeFile(path, 16 * 1024 * 1024);
    ProjectReading reading;
    if (content.bytes)
        reading = ReadProjectJson(content.bytes->toStdString());
    if (!reading.project)
        return UsageError(
            Utf8("无法打开项目文件“") + QFileInfo(path).absoluteFilePath() + Utf8("”：")
            + (content.bytes ? QString::fromStdString(reading.error) : content.failure));
    project = *reading.project;
    return std::nullopt;
}

} // namespace

namespace {

constexpr DesignKind kDesignKinds[]
    = {DesignKind::PrimarySummer, DesignKind::SecondarySummer, DesignKind::PrimaryWinter};

} // namespace

QCommandLineOption DesignKindOption()
{
    return QCommandLineOption(QStringLiteral("design"),
                              Utf8("计算的设计：primary（一次回风夏季）、secondary（二次回风夏季）"
                                   "或 winter（一次回风冬季，送风量取自夏季参数）"),
                              QStringLiteral("primary|secondary|winter"),
                              Utf8(DesignWord(DesignKind::PrimarySummer)));
}

QList<QCommandLineOption> WinterOptions()
{
    QList<QCommandLineOption> options;
    for (const WinterRow &row : kWinterParameters) {
        if (row.asChoice) {
            options << QCommandLineOption(
                Utf8(row.option),
                Utf8("冬季加湿方式：") + Utf8(row.choiceWords[0]) + Utf8("（")
                    + Utf8(row.choiceTexts[0]) + Utf8("）或 ") + Utf8(row.choiceWords[1])
                    + Utf8("（") + Utf8(row.choiceTexts[1]) + Utf8("）"),
                Utf8(row.choiceWords[0]) + QLatin1Char('|') + Utf8(row.choiceWords[1]),
                Utf8(row.choiceWords[0]));
            continue;
        }
        options << QCommandLineOption(Utf8(row.option),
                                      QString::fromStdString(ParameterName(row.caption))
                                          + Utf8("，") + Utf8(row.unit),
                                      QStringLiteral("x"), Utf8(row.startText));
    }
    return options;
}

std::optional<CommandOutput> ReadDesignKind(const QCommandLineParser &parser, DesignKind &design)
{
    const QString text = parser.value(QStringLiteral("design"));
    for (DesignKind kind : kDesignKinds) {
        if (text == Utf8(DesignWord(kind))) {
            design = kind;
            return std::nullopt;
        }
    }
    return UsageError(Utf8("选项 --design 的值“") + text
                      + Utf8("”不是 primary、secondary 或 winter"));
}

std::optional<CommandOutput> ReadCalculationOptions(const QCommandLineParser &parser,
                                                    Project &project)
{
    if (auto refused = ReadProjectOption(parser, project))
        return refused;
    const bool fromProject = parser.isSet(QStringLiteral("project"));
    if (!fromProject || parser.isSet(QStringLiteral("design")))
        if (auto refused = ReadDesignKind(parser, project.design))
            return refused;
    if (!fromProject || parser.isSet(QStringLiteral("pressure"))) {
        Pressure pressure;
        if (auto refused = ReadPressure(parser, pressure))
            return refused;
        project.chart.B = pressure.B;
        project.chart.BText = pressure.text;
    }
    if (auto refused
        = ReadTableOptions(parser, kSummerParameters, project.summerTexts, project.summer))
        return refused;
    return ReadTableOptions(parser, kWinterParameters, project.winterTexts, project.winter);
}

QCommandLineOption ProjectOption()
{
    return QCommandLineOption(QStringLiteral("project"),
                              Utf8("从项目文件（.idchart）取大气压力、设计与各参数；"
                                   "同时给出的选项优先"),
                              QStringLiteral("FILE"));
}
