#include "project/project_file.h"

#include "chart/chart_settings.h"
#include "designs/design_texts.h"
#include "designs/parameter_table.h"
#include "psychro/state_solver.h"
#include "readout/state_points.h"
#include "text/json.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace {

using Type = JsonValue::Type;

constexpr std::array kDesigns
    = {DesignKind::PrimarySummer, DesignKind::SecondarySummer, DesignKind::PrimaryWinter};

// The largest whole number a double holds exactly: a line's point index above
// it cannot have been written by the program.
constexpr double kLargestExactWhole = 9007199254740992.0;

std::string Quoted(std::string_view key)
{
    return "“" + std::string(key) + "”";
}

// A number's display text as JSON: it is a JSON number for every finite value.
std::string NumberJson(const std::string &text)
{
    return text == "NaN" || text == "Infinity" || text == "-Infinity" ? "null" : text;
}

std::size_t ChoiceIndex(Humidifier mode)
{
    return mode == Humidifier::Steam ? 1 : 0;
}

template <typename Record, std::size_t N>
std::string InputsJson(const std::array<ParameterRow<Record>, N> &table,
                       const std::array<std::string, N> &texts, const Record &record)
{
    if (std::all_of(texts.begin(), texts.end(), [](const std::string &t) { return t.empty(); }))
        return "null";
    std::string json = "{\n";
    for (std::size_t k = 0; k < N; ++k) {
        const ParameterRow<Record> &row = table[k];
        std::string text = texts[k];
        std::string value;
        if (row.asChoice) {
            const std::size_t choice = ChoiceIndex(record.*row.asChoice);
            text = row.choiceTexts[choice];
            value = JsonString(row.choiceWords[choice]);
        } else if (row.asSingle) {
            value = NumberJson(SingleText(record.*row.asSingle));
        } else {
            value = NumberJson(DoubleText(record.*row.asDouble));
        }
        json += "    " + JsonString(row.option) + ": {\"text\": " + JsonString(text)
            + ", \"value\": " + value + (k + 1 < N ? "},\n" : "}\n");
    }
    return json + "  }";
}

std::string GivenJson(const GivenProperty &given)
{
    return "{\"property\": " + JsonString(state_solver::PropertyKey(given.property))
        + ", \"value\": " + NumberJson(DoubleText(given.value)) + "}";
}

// Brings the members of a file of an older format version to those of the
// current one, one version at a time: the version after 1 adds the case that
// turns version 1's members into its own, and so on.
void Upgrade([[maybe_unused]] JsonValue &root, int version)
{
    for (; version < kProjectFormatVersion; ++version) {
        switch (version) {
        default:
            break;
        }
    }
}

// Reads the project from the members of a file's top-level object. Each step
// answers false at the first fault, with the message in error.
class ProjectReader {
public:
    explicit ProjectReader(const JsonValue &root) : root_(root) { }

    ProjectReading Read()
    {
        ProjectReading reading;
        Project project;
        bool summer = false;
        bool winter = false;
        std::vector<StatePoints::Kept> points;
        std::vector<StatePoints::Line> lines;
        if (!Text("title", project.title) || !Text("note", project.note) || !Pressure(project.chart)
            || !Precision(project.chart.Precision) || !Style(project.chart.style)
            || !Design(project.design)
            || !Inputs("summer", kSummerParameters, project.summerTexts, project.summer, summer)
            || !Inputs("winter", kWinterParameters, project.winterTexts, project.winter, winter)
            || !Points(points) || !Lines(lines)) {
            reading.error = error_;
            return reading;
        }
        project.points.Restore(points, lines, project.chart.B);
        reading.project = std::move(project);
        reading.hasInputs = summer || winter;
        return reading;
    }

private:
    const JsonValue &root_;
    std::string error_;

    bool Fail(std::string message)
    {
        error_ = std::move(message);
        return false;
    }

    // The top-level member, or nullptr when it is absent or null.
    const JsonValue *Member(const char *key) const
    {
        const JsonValue *value = root_.Find(key);
        return value && !value->Is(Type::Null) ? value : nullptr;
    }

    bool Text(const char *key, std::string &text)
    {
        const JsonValue *value = Member(key);
        if (!value)
            return true;
        if (!value->Is(Type::String))
            return Fail(Quoted(key) + "应为字符串");
        text = value->string;
        return true;
    }

    // The text of a number typed in a box: its "text" as typed, or, when the
    // file gives none, its "value" as the program writes numbers.
    bool TypedText(const JsonValue &member, const std::string &key, bool single, std::string &text)
    {
        if (!member.Is(Type::Object))
            return Fail(Quoted(key) + "应为对象（含 text 与 value）");
        const JsonValue *typed = member.Find("text");
        const JsonValue *value = member.Find("value");
        if (typed && !typed->Is(Type::String))
            return Fail(Quoted(key) + "的 text 应为字符串（输入的文字）");
        if (value && !value->Is(Type::Number) && !value->Is(Type::Null))
            return Fail(Quoted(key) + "的 value 应为数字");
        if (typed) {
            text = typed->string;
        } else if (value && value->Is(Type::Number)) {
            const double number = value->number;
            // A value beyond single range keeps its double text, which the
            // reading rule then refuses for this input.
            text = single && std::fabs(number) <= std::numeric_limits<float>::max()
                ? SingleText(static_cast<float>(number))
                : DoubleText(number);
        } else {
            return Fail(Quoted(key) + "应含 text（输入的文字）或 value（数值）");
        }
        return true;
    }

    bool Pressure(ChartState &chart)
    {
        const JsonValue *member = Member("pressure");
        if (!member)
            return true;
        std::string text;
        if (!TypedText(*member, "pressure", false, text))
            return false;
        const std::optional<double> pressure = AcceptedPressure(text);
        if (!pressure)
            return Fail("大气压力“pressure”的“" + text + "”不是 90000 至 120000 帕之间的数");
        chart.B = *pressure;
        chart.BText = text;
        return true;
    }

    bool Precision(float &precision)
    {
        const JsonValue *member = Member("precision");
        if (!member)
            return true;
        if (!member->Is(Type::Number))
            return Fail("绘图精度“precision”应为数字（℃）");
        const double value = member->number;
        PrecisionReading reading {std::nullopt, chart_prompts::kPrecisionBeyondRange};
        if (std::fabs(value) <= std::numeric_limits<float>::max())
            reading = ReadPrecision(SingleText(static_cast<float>(value)));
        if (reading.value) {
            precision = *reading.value;
            return true;
        }
        // The prompt's refusal without its request to type again.
        std::string refusal = reading.refusal;
        refusal.erase(std::min(refusal.size(), refusal.find("，请重新输入")));
        return Fail("绘图精度“precision”为 " + DoubleText(value) + "，不可用：" + refusal);
    }

    // The chart's style by its command-line word; the rectangular chart
    // when the member is absent.
    bool Style(ChartStyle &style)
    {
        const JsonValue *member = Member("style");
        if (!member)
            return true;
        const std::optional<ChartStyle> named
            = member->Is(Type::String) ? ChartStyleOfOption(member->string) : std::nullopt;
        if (!named)
            return Fail("图形样式“style”应为 original、oblique 或 td 之一");
        style = *named;
        return true;
    }

    bool Design(DesignKind &design)
    {
        const JsonValue *member = Member("design");
        if (!member)
            return true;
        std::string words;
        for (const DesignKind kind : kDesigns) {
            if (member->Is(Type::String) && member->string == DesignWord(kind)) {
                design = kind;
                return true;
            }
            words += std::string(words.empty() ? "" : "、") + DesignWord(kind);
        }
        return Fail("设计“design”应为 " + words + " 之一");
    }

    // A humidifier's entry: the dialog text or the command-line word of its
    // "text", else of its "value", kept as the dialog's text.
    template <typename Record>
    bool ChoiceText(const JsonValue &member, const ParameterRow<Record> &row, std::string &text)
    {
        const std::string key = row.option;
        if (!member.Is(Type::Object))
            return Fail(Quoted(key) + "应为对象（含 text 与 value）");
        for (const char *name : {"text", "value"}) {
            const JsonValue *given = member.Find(name);
            if (!given || !given->Is(Type::String))
                continue;
            for (std::size_t k = 0; k < row.choiceTexts.size(); ++k) {
                if (given->string == row.choiceTexts[k] || given->string == row.choiceWords[k]) {
                    text = row.choiceTexts[k];
                    return true;
                }
            }
        }
        return Fail(Quoted(key) + "应为" + Quoted(row.choiceTexts[0]) + "或"
                    + Quoted(row.choiceTexts[1]) + "（value 为 " + row.choiceWords[0] + " 或 "
                    + row.choiceWords[1] + "）");
    }

    // One dialog's inputs: read from their texts by the dialog's own rule, so
    // that what was typed comes back exactly and gives the same values.
    template <typename Record, std::size_t N>
    bool Inputs(const char *key, const std::array<ParameterRow<Record>, N> &table,
                std::array<std::string, N> &texts, Record &record, bool &present)
    {
        const JsonValue *block = Member(key);
        if (!block)
            return true;
        if (!block->Is(Type::Object))
            return Fail(Quoted(key) + "应为对象（各项输入）或 null");
        std::array<std::string, N> read;
        for (std::size_t k = 0; k < N; ++k) {
            const ParameterRow<Record> &row = table[k];
            const JsonValue *member = block->Find(row.option);
            if (!member)
                return Fail(Quoted(key) + "缺少" + Quoted(row.option) + "（"
                            + ParameterName(row.caption) + "）");
            if (!(row.asChoice ? ChoiceText(*member, row, read[k])
                               : TypedText(*member, row.option, row.asSingle != nullptr, read[k])))
                return false;
        }
        const EntriesReading<Record> entries = ReadEntries(table, read);
        if (!entries.record) {
            const ParameterRow<Record> &row
                = table[static_cast<std::size_t>(entries.refusedRow - 1)];
            return Fail(Quoted(row.option) + "（" + ParameterName(row.caption) + "）的“"
                        + read[static_cast<std::size_t>(entries.refusedRow - 1)] + "”超出数值范围");
        }
        texts = read;
        record = *entries.record;
        present = std::any_of(read.begin(), read.end(),
                              [](const std::string &t) { return !t.empty(); });
        return true;
    }

    bool Given(const JsonValue &given, const std::string &where, GivenProperty &property)
    {
        const JsonValue *name = given.Find("property");
        const JsonValue *value = given.Find("value");
        if (!given.Is(Type::Object) || !name || !name->Is(Type::String) || !value
            || !value->Is(Type::Number))
            return Fail(where + "的“given”应为两个 {\"property\": 名称, \"value\": 数值}");
        const std::optional<state_solver::Property> named
            = state_solver::PropertyNamed(name->string);
        if (!named) {
            std::string keys;
            for (int k = 0; k < state_solver::kPropertyCount; ++k)
                keys += std::string(k == 0 ? "" : "、")
                    + state_solver::PropertyKey(static_cast<state_solver::Property>(k));
            return Fail(where + "的性质“" + name->string + "”不认识，应为 " + keys + " 之一");
        }
        property = {*named, value->number};
        return true;
    }

    bool Points(std::vector<StatePoints::Kept> &points)
    {
        const JsonValue *member = Member("points");
        if (!member)
            return true;
        if (!member->Is(Type::Array))
            return Fail("状态点“points”应为数组");
        for (std::size_t n = 0; n < member->array.size(); ++n) {
            const JsonValue &point = member->array[n];
            const std::string where = "第 " + std::to_string(n + 1) + " 个状态点";
            if (!point.Is(Type::Object))
                return Fail(where + "应为对象（含 name 与 given）");
            const JsonValue *name = point.Find("name");
            const JsonValue *given = point.Find("given");
            if (!name || !name->Is(Type::String))
                return Fail(where + "的名称“name”应为字符串");
            if (!given || !given->Is(Type::Array) || given->array.size() != 2)
                return Fail(where + "的“given”应为两个性质的数组");
            StatePoints::Kept kept {name->string, {}, {}};
            if (!Given(given->array[0], where, kept.first)
                || !Given(given->array[1], where, kept.second))
                return false;
            if (const std::optional<std::string> refused
                = state_solver::OneQuantityOnly(kept.first.property, kept.second.property))
                return Fail(where + "：" + *refused);
            points.push_back(std::move(kept));
        }
        return true;
    }

    bool Lines(std::vector<StatePoints::Line> &lines)
    {
        const JsonValue *member = Member("lines");
        if (!member)
            return true;
        if (!member->Is(Type::Array))
            return Fail("过程线“lines”应为数组");
        const auto index = [](const JsonValue &end) {
            return end.Is(Type::Number) && end.number >= 0 && end.number <= kLargestExactWhole
                && std::floor(end.number) == end.number;
        };
        std::set<StatePoints::Line> seen;
        for (std::size_t n = 0; n < member->array.size(); ++n) {
            const JsonValue &line = member->array[n];
            if (!line.Is(Type::Array) || line.array.size() != 2 || !index(line.array[0])
                || !index(line.array[1]))
                return Fail("第 " + std::to_string(n + 1)
                            + " 条过程线应为两个状态点的序号 [从, 到]（从 0 起的整数）");
            const StatePoints::Line ends {static_cast<std::size_t>(line.array[0].number),
                                          static_cast<std::size_t>(line.array[1].number)};
            // A line given twice is drawn once.
            if (seen.insert(ends).second)
                lines.push_back(ends);
        }
        return true;
    }
};

constexpr const char *kNotAProject = "不是 idchart 项目文件";

} // namespace

std::string ProjectJson(const Project &project, const std::string &program)
{
    std::string json = "{\n";
    json += "  \"format\": " + JsonString(kProjectFormatName) + ",\n";
    json += "  \"version\": " + std::to_string(kProjectFormatVersion) + ",\n";
    json += "  \"program\": " + JsonString(program) + ",\n";
    json += "  \"title\": " + JsonString(project.title) + ",\n";
    json += "  \"note\": " + JsonString(project.note) + ",\n";
    json += "  \"pressure\": {\"text\": " + JsonString(project.chart.BText)
        + ", \"value\": " + NumberJson(DoubleText(project.chart.B)) + "},\n";
    json += "  \"precision\": " + NumberJson(SingleText(project.chart.Precision)) + ",\n";
    if (project.chart.style != ChartStyle::Original)
        json += "  \"style\": " + JsonString(ChartStyleOption(project.chart.style)) + ",\n";
    json += "  \"design\": " + JsonString(DesignWord(project.design)) + ",\n";
    json += "  \"summer\": " + InputsJson(kSummerParameters, project.summerTexts, project.summer)
        + ",\n";
    json += "  \"winter\": " + InputsJson(kWinterParameters, project.winterTexts, project.winter)
        + ",\n";
    const std::vector<StatePoints::Point> &points = project.points.Points();
    json += "  \"points\": [";
    for (std::size_t k = 0; k < points.size(); ++k)
        json += std::string(k == 0 ? "\n" : ",\n") + "    {\"name\": " + JsonString(points[k].name)
            + ", \"given\": [" + GivenJson(points[k].first) + ", " + GivenJson(points[k].second)
            + "]}";
    json += points.empty() ? "],\n" : "\n  ],\n";
    json += "  \"lines\": [";
    const std::vector<StatePoints::Line> &lines = project.points.Lines();
    for (std::size_t k = 0; k < lines.size(); ++k)
        json += std::string(k == 0 ? "[" : ", [") + std::to_string(lines[k].first) + ", "
            + std::to_string(lines[k].second) + "]";
    json += "]\n}\n";
    return json;
}

ProjectReading ReadProjectJson(std::string_view text)
{
    JsonReading json = ReadJson(text);
    if (!json.value)
        return {std::nullopt, json.error};
    JsonValue &root = *json.value;
    const JsonValue *format = root.Find("format");
    if (!format || !format->Is(Type::String) || format->string != kProjectFormatName)
        return {std::nullopt, kNotAProject};
    const JsonValue *version = root.Find("version");
    if (!version)
        return {std::nullopt, "缺少格式版本“version”"};
    if (!version->Is(Type::Number) || version->number < 1
        || std::floor(version->number) != version->number)
        return {std::nullopt, "格式版本“version”应为不小于 1 的整数"};
    if (version->number > kProjectFormatVersion)
        return {std::nullopt,
                "格式版本 " + DoubleText(version->number) + " 比本程序能打开的版本 "
                    + std::to_string(kProjectFormatVersion)
                    + " 新：这个文件由较新的 idchart 写成，请用新版本的 idchart 打开"};
    Upgrade(root, static_cast<int>(version->number));
    return ProjectReader(root).Read();
}
