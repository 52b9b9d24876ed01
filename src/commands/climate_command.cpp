#include "climate/climate_report.h"
#include "commands/climate_options.h"
#include "commands/command.h"
#include "commands/whole_file.h"
#include "project/project_file.h"
#include "text/number_text.h"
#include "text/strict_number.h"

#include <cmath>
#include <limits>

namespace {

using comfort_zones::Zone;

// A weather file of ten years of hourly rows is some ten megabytes; anything
// this large is not one.
constexpr std::uintmax_t kLargestWeatherFile = 256 * 1024 * 1024;

// The density's cell sides allowed, K and g/kg.
constexpr double kFinestCell = 0.1;
constexpr double kCoarsestCell = 10.0;

std::vector<CommandOption> Options()
{
    std::vector<CommandOption> options {
        {{"project"}, "从项目文件（.idchart）取夏季室外计算干球、湿球温度", "FILE", {}},
        {{"pressure"},
         "图的大气压力 B，Pa，90000 至 120000：舒适区按此压力画出与统计；无压力列的 CSV "
         "表格各小时也取此压力",
         "B",
         "101325"},
        {{"tw"}, "夏季室外计算干球温度，℃：统计高于它的小时数", "t", {}},
        {{"ts"},
         "夏季室外计算湿球温度，℃：统计高于它的小时数（各小时按自身大气压力求湿球温度）",
         "t",
         {}},
        FormatOption()};
    const std::vector<CommandOption> climate = ClimateOptions("gb50736", false);
    options.insert(options.end(), climate.begin(), climate.end());
    return options;
}

// The design temperatures: the summer design of a --project file (when its
// inputs were confirmed and its design is a summer one), each overridden by
// --tw and --ts; none when neither gives both.
std::optional<CommandOutput> ReadDesign(const ParsedOptions &options,
                                        std::optional<climate::DesignTemperatures> &design)
{
    if (options.IsSet("project")) {
        Project project;
        if (auto refused = ReadProjectOption(options, project))
            return refused;
        if (project.design != DesignKind::PrimaryWinter && !project.summerTexts[0].empty())
            design = climate::DesignTemperatures {project.summer.tw, project.summer.ts};
    }
    for (const char *option : {"tw", "ts"}) {
        if (!options.IsSet(option))
            continue;
        const std::string text = options.Value(option);
        const std::optional<double> value = StrictNumber(text);
        if (!value)
            return NotANumber(option, text);
        if (!design) {
            if (!options.IsSet("tw") || !options.IsSet("ts"))
                return UsageError("--tw 与 --ts 应同时给出");
            design.emplace();
        }
        (std::string(option) == "tw" ? design->dryBulb : design->wetBulb) = *value;
    }
    return std::nullopt;
}

CommandOutput RunClimate(const ParsedOptions &options)
{
    const std::vector<std::string> &positional = options.Positional();
    if (positional.empty())
        return UsageError("缺少气象数据文件（.epw 或 .csv）");
    if (positional.size() > 1)
        return UsageError("多余的参数：" + positional[1]);
    Pressure pressure;
    OutputFormat format = OutputFormat::Table;
    climate::ClimateSettings settings;
    std::optional<climate::DesignTemperatures> design;
    if (auto refused = ReadPressure(options, pressure))
        return *refused;
    if (auto refused = ReadFormat(options, format))
        return *refused;
    if (auto refused = ReadClimateSettings(options, settings))
        return *refused;
    if (auto refused = ReadDesign(options, design))
        return *refused;

    weather::Weather weather;
    if (auto failed = LoadWeather(positional.front(), pressure.B, settings, weather))
        return *failed;
    const climate::Tally tally = climate::TallyHours(weather, pressure.B, settings, design);
    CommandOutput output;
    switch (format) {
    case OutputFormat::Table:
        output.out = climate::TallyTable(weather, tally, settings);
        break;
    case OutputFormat::Csv:
        output.out = climate::TallyCsv(weather, tally, settings);
        break;
    case OutputFormat::Json:
        output.out = climate::TallyJson(weather, tally, settings);
        break;
    }
    // Hours passed over are counted in the table; which they were, and that
    // the count is short of the file's hours, is said with status 1.
    if (weather.skippedCount > 0) {
        output.status = exit_status::kStopped;
        output.err = "idchart: " + std::to_string(weather.skippedCount)
            + " 小时缺测或无法求状态，未计入：\n" + climate::SkippedText(weather);
    }
    return output;
}

// --cell TxD: two numbers from kFinestCell to kCoarsestCell.
std::optional<std::pair<float, float>> ReadCell(const std::string &text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const std::optional<double> t = StrictNumber(text.substr(0, x));
    const std::optional<double> d = StrictNumber(text.substr(x + 1));
    if (!t || !d || *t < kFinestCell || *t > kCoarsestCell || *d < kFinestCell
        || *d > kCoarsestCell)
        return std::nullopt;
    return std::pair {static_cast<float>(*t), static_cast<float>(*d)};
}

// A PMV option's number within its range.
std::optional<CommandOutput> ReadBounded(const ParsedOptions &options, const char *option,
                                         double low, double high, const char *what, double &value)
{
    const std::string text = options.Value(option);
    const std::optional<double> number = StrictNumber(text);
    if (!number)
        return NotANumber(option, text);
    if (!(*number >= low && *number <= high))
        return UsageError(std::string("选项 --") + option + " 的值“" + text + "”不是 "
                          + DoubleText(low) + " 至 " + DoubleText(high) + " 之间的" + what);
    value = *number;
    return std::nullopt;
}

} // namespace

std::vector<CommandOption> ClimateOptions(const std::string &zonesDefault, bool drawing)
{
    std::vector<CommandOption> options {
        {{"zones"},
         "舒适区：gb50736（GB 50736-2012 的供冷 I、II级与供热 I、II级）、all（另加 PMV）、none，"
         "或以逗号分隔的 cool-1、cool-2、heat-1、heat-2、pmv",
         "LIST",
         zonesDefault},
        {{"months"}, "只计入这些月份，如 6-8、12-2、1,3,5-7", "LIST", {}},
        {{"hours"}, "只计入一天中的这些时刻（0 至 23，0 为 0:00–1:00），如 8-18", "LIST", {}},
        {{"cell"}, "密度图每格的大小：干球温度 K × 含湿量 g/kg", "TxD", "1x1"},
        {{"pmv-met"}, "PMV 舒适区：代谢率，met", "x", "1.2"},
        {{"pmv-clo"}, "PMV 舒适区：服装热阻，clo", "x", "0.5"},
        {{"pmv-speed"}, "PMV 舒适区：空气流速，m/s", "x", "0.1"},
        {{"pmv-tr"}, "PMV 舒适区：平均辐射温度，℃（默认等于空气温度）", "t", {}},
        {{"pmv-limit"}, "PMV 舒适区：|PMV| 的上限", "x", "0.5"},
    };
    if (drawing)
        options.push_back(
            {{"view"},
             "逐时状态的画法：density（每格小时数的密度图）或 months（按月份着色的点）",
             "density|months",
             "density"});
    return options;
}

std::optional<comfort_zones::ZoneSet> ReadZoneList(const std::string &text)
{
    comfort_zones::ZoneSet set {};
    std::string_view rest(text);
    for (std::size_t guard = 0; guard <= text.size(); ++guard) {
        const std::size_t comma = rest.find(',');
        const std::string_view word = rest.substr(0, comma);
        bool known = false;
        if (word == "gb50736" || word == "all") {
            for (const comfort_zones::TableZone &row : comfort_zones::kGb50736)
                set[static_cast<std::size_t>(row.zone)] = true;
            if (word == "all")
                set[static_cast<std::size_t>(Zone::Pmv)] = true;
            known = true;
        } else if (word == "none") {
            known = true;
        }
        for (const Zone zone : comfort_zones::kZones)
            if (word == comfort_zones::ZoneKey(zone)) {
                set[static_cast<std::size_t>(zone)] = true;
                known = true;
            }
        if (!known)
            return std::nullopt;
        if (comma == std::string_view::npos)
            return set;
        rest.remove_prefix(comma + 1);
    }
    return std::nullopt;
}

std::optional<CommandOutput> ReadClimateSettings(const ParsedOptions &options,
                                                 climate::ClimateSettings &settings)
{
    const std::string zones = options.Value("zones");
    const std::optional<comfort_zones::ZoneSet> set = ReadZoneList(zones);
    if (!set)
        return UsageError("选项 --zones 的值“" + zones
                          + "”不是 gb50736、all、none 或以逗号分隔的 cool-1、cool-2、heat-1、"
                            "heat-2、pmv");
    settings.zones = *set;
    if (options.IsSet("months")) {
        const std::string text = options.Value("months");
        const auto months = climate::ReadMonths(text);
        if (!months)
            return UsageError("选项 --months 的值“" + text
                              + "”不是 1 至 12 的月份或月份范围（如 6-8、12-2、1,3,5-7）");
        settings.filter.months = *months;
    }
    if (options.IsSet("hours")) {
        const std::string text = options.Value("hours");
        const auto hours = climate::ReadHours(text);
        if (!hours)
            return UsageError("选项 --hours 的值“" + text
                              + "”不是 0 至 23 的时刻或时刻范围（如 8-18、22-5）");
        settings.filter.hours = *hours;
    }
    const std::string cellText = options.Value("cell");
    const auto cell = ReadCell(cellText);
    if (!cell)
        return UsageError("选项 --cell 的值“" + cellText + "”不是“温度x含湿量”，各为 "
                          + DoubleText(kFinestCell) + " 至 " + DoubleText(kCoarsestCell)
                          + " 之间的数（如 1x1、2x0.5）");
    settings.cellT = cell->first;
    settings.cellD = cell->second;

    thermal_comfort::PmvConditions &pmv = settings.pmv.conditions;
    if (auto refused = ReadBounded(options, "pmv-met", 0.5, 6.0, "代谢率（met）", pmv.met))
        return refused;
    if (auto refused = ReadBounded(options, "pmv-clo", 0.0, 3.0, "服装热阻（clo）", pmv.clo))
        return refused;
    if (auto refused = ReadBounded(options, "pmv-speed", 0.0, 5.0, "空气流速（m/s）", pmv.airSpeed))
        return refused;
    if (options.IsSet("pmv-tr")) {
        double tr = 0.0;
        if (auto refused = ReadBounded(options, "pmv-tr", -10.0, 60.0, "平均辐射温度（℃）", tr))
            return refused;
        pmv.meanRadiant = tr;
    }
    if (auto refused
        = ReadBounded(options, "pmv-limit", 0.0, 3.0, "|PMV| 上限", settings.pmv.limit))
        return refused;
    if (options.IsSet("view") || !options.Value("view").empty()) {
        const std::string view = options.Value("view");
        if (view == "density")
            settings.display = climate::Display::Density;
        else if (view == "months")
            settings.display = climate::Display::Months;
        else
            return UsageError("选项 --view 的值“" + view + "”不是 density 或 months");
    }
    return std::nullopt;
}

std::optional<CommandOutput> LoadWeather(const std::string &path, double B,
                                         const climate::ClimateSettings &settings,
                                         weather::Weather &weather)
{
    const std::string named = "气象数据文件“" + whole_file::AbsolutePath(path) + "”";
    const whole_file::Content content = whole_file::Read(path, kLargestWeatherFile);
    if (!content.bytes)
        return CommandOutput {
            exit_status::kStopped, {}, "idchart: 无法读取" + named + "：" + content.failure + "\n"};
    weather::Reading reading = weather::ReadWeather(*content.bytes, path, B);
    if (!reading.weather)
        return CommandOutput {
            exit_status::kStopped, {}, "idchart: " + named + "：" + reading.error + "\n"};
    if (!settings.filter.All() && !reading.weather->timed)
        return CommandOutput {exit_status::kStopped,
                              {},
                              "idchart: " + named
                                  + "没有月份（month）与时刻（hour）列，不能按 --months 或 "
                                    "--hours 筛选\n"};
    weather = std::move(*reading.weather);
    return std::nullopt;
}

const Command &ClimateCommand()
{
    static const Command command {
        "climate",
        "统计一年逐时气象数据（EPW 或 CSV）在各舒适区内与图外的小时数",
        "FILE.epw|FILE.csv [选项…]",
        "读入逐时气象数据：EPW 文件（中国标准气象数据 CSWD 及多数建筑模拟气象文件的格式，取干球"
        "温度、相对湿度与站点大气压力），或表头中两列是状态参数名称（t、ts、td、phi、d、i、Pq，"
        "与 state --input 相同）的 CSV 表格，可另有大气压力列（B 或 pressure，Pa）及月份（month）"
        "与时刻（hour）列。每小时的状态按该小时自身的大气压力求出，再按 --pressure 的焓湿图统计："
        "各舒适区内（按该图画出的区域）的小时数与占比、图外的小时数（不画出，但计入并报告），"
        "以及给出 --tw、--ts（或 --project 的夏季设计）时高于室外计算干球、湿球温度的小时数。"
        "EPW 的缺测值（干球温度 99.9、相对湿度 999、大气压力 999999）与求不出状态的行不计入，"
        "写明行号并以状态 1 退出；文件不完整、缺少表头或所需的列时写明原因与行号，以状态 1 "
        "退出。",
        Options,
        RunClimate};
    return command;
}
