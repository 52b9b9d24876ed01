#include "commands/command.h"
#include "commands/state_table.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/state_solver.h"
#include "report/result_sheet.h"
#include "text/number_text.h"
#include "text/strict_number.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace {

using state_solver::Property;

// The property options, in the order of the solver's properties.
struct PropertyOption {
    Property property;
    const char *option;
    const char *description;
};
constexpr PropertyOption kPropertyOptions[] = {
    {Property::t, "t", "干球温度 t，℃"},
    {Property::ts, "ts", "湿球温度 ts，℃（按求室外状态点W的同一湿球温度线）"},
    {Property::td, "td", "露点温度 td，℃"},
    {Property::phi, "phi", "相对湿度 φ，%"},
    {Property::d, "d", "含湿量 d，g/kg干空气"},
    {Property::i, "i", "焓 i，kJ/kg干空气"},
    {Property::Pq, "pq", "水蒸气分压力 Pq，Pa"},
};

// The printed quantities in their order.
using state_table::Quantity;
struct PrintedRow {
    Quantity quantity;
    const char *heading;
    const char *key;
};
constexpr PrintedRow kPrinted[] = {
    {Quantity::t, "干球温度 t (℃)", "t"},
    {Quantity::ts, "湿球温度 ts (℃)", "ts"},
    {Quantity::td, "露点温度 td (℃)", "td"},
    {Quantity::phi, "相对湿度 φ (%)", "phi"},
    {Quantity::d, "含湿量 d (g/kg干空气)", "d"},
    {Quantity::i, "焓 i (kJ/kg干空气)", "i"},
    {Quantity::Pq, "水蒸气分压力 Pq (Pa)", "Pq"},
    {Quantity::Pqb, "饱和水蒸气分压力 Pqb (Pa)", "Pqb"},
    {Quantity::v, "比容 v (m³/kg干空气)", "v"},
    {Quantity::rho, "密度 ρ (kg/m³)", "rho"},
};
constexpr const char *kPressureHeading = "大气压力 B (Pa)";

// The text of a quantity: its number text, "超范围" for a wet bulb or dew
// point outside −30…100 °C.
std::string Text(const MoistAirState &state, Quantity quantity)
{
    const std::optional<float> value = state_table::QuantityValue(state, quantity);
    return value ? SingleText(*value) : std::string("超范围");
}

std::vector<CommandOption> StateOptions()
{
    std::vector<CommandOption> options;
    for (const PropertyOption &p : kPropertyOptions)
        options.push_back({{p.option}, p.description, "x", {}});
    options.push_back({{"input"},
                       "逐行求状态的 CSV 表格文件，“-”为标准输入；表头中两列是状态参数的名称",
                       "FILE",
                       {}});
    options.push_back(PressureOption());
    options.push_back(FormatOption());
    return options;
}

std::string Output(const MoistAirState &state, double B, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Table: {
        std::vector<std::vector<std::string>> rows;
        for (const PrintedRow &p : kPrinted)
            rows.push_back({p.heading, Text(state, p.quantity)});
        rows.push_back({kPressureHeading, DoubleText(B)});
        return text_output::AlignedColumns(rows);
    }
    case OutputFormat::Csv: {
        std::string headings = "\xEF\xBB\xBF";
        std::string values;
        for (const PrintedRow &p : kPrinted) {
            headings += std::string(p.heading) + ',';
            values += Text(state, p.quantity) + ',';
        }
        return headings + kPressureHeading + "\r\n" + values + DoubleText(B) + "\r\n";
    }
    case OutputFormat::Json: {
        std::string json = "{\"pressure\": " + DoubleText(B);
        std::string outOfRange;
        for (const PrintedRow &p : kPrinted) {
            const std::string text = Text(state, p.quantity);
            json += std::string(", \"") + p.key + "\": " + text_output::JsonNumberOrNull(text);
            if (text_output::JsonNumberOrNull(text) == "null")
                outOfRange += std::string(outOfRange.empty() ? "" : ", ") + '"' + p.key + '"';
        }
        return json + ", \"outOfRange\": [" + outOfRange + "]}\n";
    }
    }
    return {};
}

// The whole of a file, or of standard input for "-".
std::optional<std::string> ReadAll(const std::string &path)
{
    if (path == "-") {
        std::string text;
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
            text.append(buffer, n);
        if (std::ferror(stdin))
            return std::nullopt;
        return text;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return std::move(text).str();
}

CommandOutput RunTable(const ParsedOptions &options, double B)
{
    if (options.IsSet("format") && options.Value("format") != "csv")
        return UsageError("与 --input 同用时只输出 csv 表格");
    for (const PropertyOption &p : kPropertyOptions)
        if (options.IsSet(p.option))
            return UsageError(std::string("--input 的状态参数来自表格，不能同时给出 --")
                              + p.option);
    const std::string path = options.Value("input");
    const std::optional<std::string> text = ReadAll(path);
    if (!text)
        return UsageError("无法读取文件 " + path);
    const state_table::Result table = state_table::StatesOfTable(*text, B);
    if (table.refusal)
        return UsageError("--input " + path + "：" + *table.refusal);
    return {table.failedRows > 0 ? exit_status::kStopped : exit_status::kSuccess, table.out,
            table.err};
}

CommandOutput RunState(const ParsedOptions &options)
{
    if (!options.Positional().empty())
        return UsageError("多余的参数：" + options.Positional().front());
    Pressure pressure;
    OutputFormat format = OutputFormat::Table;
    if (auto wrong = ReadPressure(options, pressure))
        return *wrong;
    if (options.IsSet("input"))
        return RunTable(options, pressure.B);
    if (auto wrong = ReadFormat(options, format))
        return *wrong;

    // Each value given, an option given twice counting twice.
    std::vector<GivenProperty> given;
    for (const PropertyOption &p : kPropertyOptions)
        for (const std::string &text : options.Values(p.option)) {
            const std::optional<double> value = StrictNumber(text);
            if (!value)
                return NotANumber(p.option, text);
            given.push_back({p.property, *value});
        }
    if (given.size() != 2)
        return UsageError("需要 --t、--ts、--td、--phi、--d、--i、--pq 中的两个（现有 "
                          + std::to_string(given.size()) + " 个）");

    const double B = pressure.B;
    const StateSolution solution = SolveState(B, given[0], given[1]);
    if (!solution.state) {
        if (solution.refused)
            return UsageError(solution.message);
        CommandOutput output {exit_status::kStopped, {}, solution.message + '\n'};
        if (format == OutputFormat::Json)
            output.out = "{\"pressure\": " + DoubleText(B)
                + ", \"error\": " + text_output::JsonString(solution.message) + "}\n";
        return output;
    }
    return {exit_status::kSuccess, Output(*solution.state, B, format), {}};
}

} // namespace

const Command &StateCommand()
{
    static const Command command {
        "state",
        "由任意两个状态参数求湿空气状态点的全部参数，也可逐行处理 CSV 表格",
        "(--t | --ts | --td | --phi | --d | --i | --pq) x 中的两个 [选项…]\n"
        "   或：idchart state --input 文件 [--pressure B]",
        "用焓湿图所用的同一组湿空气性质公式，在大气压力 B 下由两个独立的状态参数求一个状态点的"
        "干球温度 t、湿球温度 ts、露点温度 td、相对湿度 φ、含湿量 d、焓 i、水蒸气分压力 Pq、"
        "饱和水蒸气分压力 Pqb、比容 v 与密度 ρ。湿球温度按求室外状态点W的同一湿球温度线"
        "（斜率 4.19·ts，过 ts 下的饱和状态）。d、td 与 Pq 彼此只确定同一个量，不能两两配对。"
        "温度在 -30 至 100 ℃ 之内求解；露点或湿球温度在此范围之外时显示“超范围”（json 中为 "
        "null，并列在 \"outOfRange\" 中）。\n\n"
        "--input 读入 CSV 表格（“-”为标准输入），表头中恰有两列是状态参数的名称（t、ts、td、"
        "phi、d、i、Pq），其余各列照原样保留；输出在每行之后加上其余各参数。求不出状态的行"
        "留空，并在标准错误输出上写明行号；有这样的行时退出状态为 1。",
        StateOptions,
        RunState};
    return command;
}
