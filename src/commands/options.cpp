#include "chart/chart_settings.h"
#include "commands/command.h"
#include "commands/whole_file.h"
#include "designs/design_texts.h"
#include "designs/parameter_table.h"
#include "project/project_file.h"
#include "text/strict_number.h"

#include <algorithm>
#include <array>
#include <string>

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
    static const OutputFileType type {{"png", "svg", "pdf"}, ".png、.svg 或 .pdf"};
    return type;
}

const OutputFileType &SheetFileType()
{
    static const OutputFileType type {{"pdf", "html", "htm"}, ".pdf 或 .html"};
    return type;
}

namespace {

// The suffix of a path's file name in lower case: what follows the last
// point of its last component, empty without a point.
std::string LowerSuffix(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t point = name.rfind('.');
    std::string suffix = point == std::string::npos ? std::string() : name.substr(point + 1);
    for (char &c : suffix)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return suffix;
}

} // namespace

std::optional<CommandOutput> ReadOutputFile(const ParsedOptions &options,
                                            const OutputFileType &type, std::string &path)
{
    const std::vector<std::string> &positional = options.Positional();
    if (positional.empty())
        return UsageError(std::string("缺少输出文件（") + type.named + "）");
    if (positional.size() > 1)
        return UsageError("多余的参数：" + positional[1]);
    path = positional.front();
    const std::string suffix = LowerSuffix(path);
    if (std::find(type.suffixes.begin(), type.suffixes.end(), suffix) == type.suffixes.end())
        return UsageError("无法识别文件“" + path + "”的类型：文件名应以 " + type.named + " 结尾");
    return std::nullopt;
}

CommandOption PressureOption()
{
    return {{"pressure"},
            "当地大气压力 B，Pa，90000 至 120000，可带单位 pa",
            "B",
            chart_prompts::kPressureDefault};
}

CommandOption StyleOption()
{
    return {{"style"},
            "图形样式：original（原图）、oblique（斜角焓湿图）或 td（t-d 图）",
            "original|oblique|td",
            "original"};
}

CommandOption FormatOption()
{
    return {{"format"}, "输出格式：table（对齐的表）、json 或 csv", "table|json|csv", "table"};
}

std::vector<CommandOption> DesignOptions()
{
    std::vector<CommandOption> options;
    for (const SummerRow &row : kSummerParameters)
        options.push_back(
            {{row.option}, ParameterName(row.caption) + "，" + row.unit, "x", row.startText});
    return options;
}

CommandOutput NotANumber(const std::string &option, const std::string &text)
{
    return UsageError("选项 --" + option + " 的值“" + text
                      + "”不是数值范围内的十进制数（可带正负号、一个小数点与指数，"
                        "如 26.5、-3、1.5e3）");
}

std::optional<CommandOutput> ReadPressure(const ParsedOptions &options, Pressure &pressure)
{
    const std::string text = options.Value("pressure");
    if (!StrictPressureNumber(text))
        return NotANumber("pressure", text);
    const std::optional<double> B = AcceptedPressure(text);
    if (!B)
        return UsageError("选项 --pressure 的值“" + text
                          + "”不是 90000 至 120000 帕之间的大气压力");
    pressure = {*B, text};
    return std::nullopt;
}

std::optional<CommandOutput> ReadFormat(const ParsedOptions &options, OutputFormat &format)
{
    const std::string text = options.Value("format");
    if (text == "table")
        format = OutputFormat::Table;
    else if (text == "json")
        format = OutputFormat::Json;
    else if (text == "csv")
        format = OutputFormat::Csv;
    else
        return UsageError("选项 --format 的值“" + text + "”不是 table、json 或 csv");
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
std::optional<CommandOutput> ReadTableOptions(const ParsedOptions &options,
                                              const std::array<ParameterRow<Record>, N> &table,
                                              std::array<std::string, N> &texts, Record &record)
{
    const bool fromProject
        = std::any_of(texts.begin(), texts.end(), [](const std::string &t) { return !t.empty(); });
    for (std::size_t k = 0; k < N; ++k) {
        const ParameterRow<Record> &row = table[k];
        const std::string option = row.option;
        if (fromProject && !options.IsSet(option))
            continue;
        const std::string typed = options.Value(option);
        texts[k] = typed;
        if (row.asChoice) {
            // Only the two words: the dialog's fallback to the first entry
            // would hide a typo here.
            if (texts[k] != row.choiceWords[0] && texts[k] != row.choiceWords[1])
                return UsageError("选项 --" + option + " 的值“" + typed + "”不是 "
                                  + row.choiceWords[0] + " 或 " + row.choiceWords[1]);
            texts[k] = row.choiceTexts[texts[k] == row.choiceWords[0] ? 0 : 1];
        } else if (!StrictNumber(texts[k])) {
            // A text the dialog would read as 0 or as its leading part is a typo here.
            return NotANumber(option, typed);
        }
    }
    const EntriesReading<Record> reading = ReadEntries(table, texts);
    if (!reading.record)
        return UsageError("选项 --" + std::string(table[reading.refusedRow - 1].option) + "："
                          + reading.message);
    record = *reading.record;
    return std::nullopt;
}

// A project file is a few kilobytes; anything this large is not one.
constexpr std::uintmax_t kLargestProject = 16 * 1024 * 1024;

} // namespace

std::optional<CommandOutput> ReadProjectOption(const ParsedOptions &options, Project &project)
{
    if (!options.IsSet("project"))
        return std::nullopt;
    const std::string path = options.Value("project");
    const whole_file::Content content = whole_file::Read(path, kLargestProject);
    ProjectReading reading;
    if (content.bytes)
        reading = ReadProjectJson(*content.bytes);
    if (!reading.project)
        return UsageError("无法打开项目文件“" + whole_file::AbsolutePath(path) + "”："
                          + (content.bytes ? reading.error : content.failure));
    project = *reading.project;
    return std::nullopt;
}

namespace {

constexpr DesignKind kDesignKinds[]
    = {DesignKind::PrimarySummer, DesignKind::SecondarySummer, DesignKind::PrimaryWinter};

} // namespace

CommandOption DesignKindOption()
{
    return {{"design"},
            "计算的设计：primary（一次回风夏季）、secondary（二次回风夏季）"
            "或 winter（一次回风冬季，送风量取自夏季参数）",
            "primary|secondary|winter",
            DesignWord(DesignKind::PrimarySummer)};
}

std::vector<CommandOption> WinterOptions()
{
    std::vector<CommandOption> options;
    for (const WinterRow &row : kWinterParameters) {
        if (row.asChoice) {
            options.push_back({{row.option},
                               std::string("冬季加湿方式：") + row.choiceWords[0] + "（"
                                   + row.choiceTexts[0] + "）或 " + row.choiceWords[1] + "（"
                                   + row.choiceTexts[1] + "）",
                               std::string(row.choiceWords[0]) + '|' + row.choiceWords[1],
                               row.choiceWords[0]});
            continue;
        }
        options.push_back(
            {{row.option}, ParameterName(row.caption) + "，" + row.unit, "x", row.startText});
    }
    return options;
}

std::optional<CommandOutput> ReadDesignKind(const ParsedOptions &options, DesignKind &design)
{
    const std::string text = options.Value("design");
    for (DesignKind kind : kDesignKinds) {
        if (text == DesignWord(kind)) {
            design = kind;
            return std::nullopt;
        }
    }
    return UsageError("选项 --design 的值“" + text + "”不是 primary、secondary 或 winter");
}

std::optional<CommandOutput> ReadCalculationOptions(const ParsedOptions &options, Project &project)
{
    if (auto refused = ReadProjectOption(options, project))
        return refused;
    const bool fromProject = options.IsSet("project");
    if (!fromProject || options.IsSet("design"))
        if (auto refused = ReadDesignKind(options, project.design))
            return refused;
    if (!fromProject || options.IsSet("pressure")) {
        Pressure pressure;
        if (auto refused = ReadPressure(options, pressure))
            return refused;
        project.chart.B = pressure.B;
        project.chart.BText = pressure.text;
    }
    if (options.IsSet("style")) {
        const std::string text = options.Value("style");
        const std::optional<ChartStyle> style = ChartStyleOfOption(text);
        if (!style)
            return UsageError("选项 --style 的值“" + text + "”不是 original、oblique 或 td");
        project.chart.style = *style;
    }
    if (auto refused
        = ReadTableOptions(options, kSummerParameters, project.summerTexts, project.summer))
        return refused;
    return ReadTableOptions(options, kWinterParameters, project.winterTexts, project.winter);
}

CommandOption ProjectOption()
{
    return {{"project"},
            "从项目文件（.idchart）取大气压力、设计与各参数；同时给出的选项优先",
            "FILE",
            {}};
}
