#include "climate/climate_report.h"

#include "report/result_sheet.h"
#include "text/json.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace climate {

namespace {

    using comfort_zones::Zone;

    // A value with one decimal, written without the locale ("14.1").
    std::string OneDecimal(double value)
    {
        const long long tenths = std::llround(value * 10.0);
        const long long whole = std::llabs(tenths) / 10;
        return std::string(tenths < 0 ? "-" : "") + std::to_string(whole) + "."
            + std::to_string(std::llabs(tenths) % 10);
    }

    std::string Months(const ClimateSettings &settings)
    {
        return RangesText(settings.filter.months.data(), settings.filter.months.size(), 1);
    }

    std::string HoursOfDay(const ClimateSettings &settings)
    {
        return RangesText(settings.filter.hours.data(), settings.filter.hours.size(), 0);
    }

    // "（月份 6-8，时刻 8-18）" for a filter that leaves hours out; empty otherwise.
    std::string FilterText(const ClimateSettings &settings)
    {
        std::string text;
        if (!Months(settings).empty())
            text += "月份 " + Months(settings);
        if (!HoursOfDay(settings).empty())
            text += (text.empty() ? "" : "，") + std::string("时刻 ") + HoursOfDay(settings);
        return text.empty() ? text : "（" + text + "）";
    }

    std::string Hours(int count)
    {
        return std::to_string(count);
    }

    // What the counts are of: the file, its place and the chart's pressure.
    std::vector<std::pair<std::string, std::string>> About(const weather::Weather &weather,
                                                           const Tally &tally)
    {
        std::vector<std::pair<std::string, std::string>> about {{"文件", weather.fileName}};
        if (!weather.location.empty())
            about.emplace_back("地点", weather.location);
        about.emplace_back("图的大气压力 B (Pa)", DoubleText(tally.B));
        return about;
    }

} // namespace

std::string ShareText(int part, int whole)
{
    if (whole <= 0)
        return "—";
    return OneDecimal(100.0 * part / whole) + "%";
}

std::string ZoneCaption(Zone zone, const ClimateSettings &settings)
{
    const std::string name = comfort_zones::ZoneName(zone);
    if (const comfort_zones::TableZone *row = comfort_zones::TableRow(zone)) {
        const auto number = [](float v) { return SingleText(v); };
        std::string phi;
        if (row->phiLow > 0.0f && row->phiHigh < 100.0f)
            phi = number(row->phiLow) + "–" + number(row->phiHigh) + "%";
        else if (row->phiHigh < 100.0f)
            phi = "≤ " + number(row->phiHigh) + "%";
        else if (row->phiLow > 0.0f)
            phi = "≥ " + number(row->phiLow) + "%";
        else
            phi = "φ 不限";
        return name + "（" + number(row->tLow) + "–" + number(row->tHigh) + " ℃，" + phi + "）";
    }
    const thermal_comfort::PmvConditions &c = settings.pmv.conditions;
    return name + "（|PMV| ≤ " + DoubleText(settings.pmv.limit) + "，" + DoubleText(c.met)
        + " met，" + DoubleText(c.clo) + " clo，" + DoubleText(c.airSpeed) + " m/s，"
        + (c.meanRadiant ? "平均辐射温度 " + DoubleText(*c.meanRadiant) + " ℃"
                         : std::string("平均辐射温度 = 气温"))
        + "）";
}

std::vector<std::vector<std::string>> TallyRows(const weather::Weather &weather, const Tally &tally,
                                                const ClimateSettings &settings)
{
    std::vector<std::vector<std::string>> rows {{"项目", "小时", "占比"}};
    for (const auto &[what, value] : About(weather, tally))
        rows.push_back({what, value, ""});
    rows.push_back({"计入的小时" + FilterText(settings), Hours(tally.counted), "100.0%"});
    if (tally.filteredOut > 0)
        rows.push_back({"筛选掉的小时", Hours(tally.filteredOut), ""});
    rows.push_back(
        {"图外的小时（未画出）", Hours(tally.offChart), ShareText(tally.offChart, tally.counted)});
    rows.push_back({"缺测或无法求状态（略去）", Hours(weather.skippedCount), ""});
    for (const ZoneTally &zone : tally.zones)
        rows.push_back({ZoneCaption(zone.zone, settings), Hours(zone.hours),
                        ShareText(zone.hours, tally.counted)});
    if (tally.design) {
        rows.push_back({"高于夏季室外计算干球温度 " + DoubleText(tally.design->dryBulb) + " ℃",
                        Hours(tally.aboveDryBulb), ShareText(tally.aboveDryBulb, tally.counted)});
        rows.push_back({"高于夏季室外计算湿球温度 " + DoubleText(tally.design->wetBulb) + " ℃",
                        Hours(tally.aboveWetBulb), ShareText(tally.aboveWetBulb, tally.counted)});
    }
    return rows;
}

std::string TallyTable(const weather::Weather &weather, const Tally &tally,
                       const ClimateSettings &settings)
{
    // The file, its place and the pressure as lines of their own, the
    // counts aligned below them.
    std::string text;
    const auto about = About(weather, tally);
    for (const auto &[what, value] : about)
        text += what + "：" + value + "\n";
    std::vector<std::vector<std::string>> rows = TallyRows(weather, tally, settings);
    rows.erase(rows.begin() + 1, rows.begin() + 1 + static_cast<long>(about.size()));
    return text + text_output::AlignedColumns(rows);
}

std::string TallyCsv(const weather::Weather &weather, const Tally &tally,
                     const ClimateSettings &settings)
{
    return "\xEF\xBB\xBF" + TableCsv(TallyRows(weather, tally, settings));
}

std::string TallyJson(const weather::Weather &weather, const Tally &tally,
                      const ClimateSettings &settings)
{
    std::string json = "{\"file\": " + JsonString(weather.fileName) + ", \"location\": "
        + JsonString(weather.location) + ", \"pressure\": " + DoubleText(tally.B) + ", \"months\": "
        + JsonString(Months(settings)) + ", \"hours\": " + JsonString(HoursOfDay(settings))
        + ", \"counted\": " + Hours(tally.counted) + ", \"filteredOut\": "
        + Hours(tally.filteredOut) + ", \"offChart\": " + Hours(tally.offChart)
        + ", \"skipped\": " + Hours(weather.skippedCount) + ", \"zones\": [";
    for (std::size_t k = 0; k < tally.zones.size(); ++k) {
        const ZoneTally &zone = tally.zones[k];
        json += std::string(k ? ", " : "")
            + "{\"key\": " + JsonString(comfort_zones::ZoneKey(zone.zone))
            + ", \"name\": " + JsonString(ZoneCaption(zone.zone, settings))
            + ", \"hours\": " + Hours(zone.hours) + ", \"share\": "
            + (tally.counted > 0 ? OneDecimal(100.0 * zone.hours / tally.counted) : "null") + "}";
    }
    json += "], \"design\": ";
    if (tally.design)
        json += "{\"dryBulb\": " + DoubleText(tally.design->dryBulb) + ", \"wetBulb\": "
            + DoubleText(tally.design->wetBulb) + ", \"aboveDryBulb\": " + Hours(tally.aboveDryBulb)
            + ", \"aboveWetBulb\": " + Hours(tally.aboveWetBulb) + "}";
    else
        json += "null";
    json += ", \"cellT\": " + SingleText(settings.cellT)
        + ", \"cellD\": " + SingleText(settings.cellD) + ", \"cells\": [";
    for (std::size_t k = 0; k < tally.cells.size(); ++k) {
        const Cell &cell = tally.cells[k];
        json += std::string(k ? ", " : "")
            + "{\"t\": " + SingleText(static_cast<float>(cell.tIndex) * settings.cellT)
            + ", \"d\": " + SingleText(static_cast<float>(cell.dIndex) * settings.cellD)
            + ", \"hours\": " + Hours(cell.hours) + "}";
    }
    return json + "]}\n";
}

std::vector<std::string> ClimateChartLines(const weather::Weather &weather, const Tally &tally,
                                           const ClimateSettings &settings)
{
    std::vector<std::string> lines;
    lines.push_back("气象数据：" + weather.fileName
                    + (weather.location.empty() ? "" : "  " + weather.location));
    lines.push_back("计入 " + Hours(tally.counted) + " 小时" + FilterText(settings) + "，图外 "
                    + Hours(tally.offChart) + " 小时，缺测或无法求状态 "
                    + Hours(weather.skippedCount) + " 小时");
    for (const ZoneTally &zone : tally.zones)
        lines.push_back(std::string(comfort_zones::ZoneName(zone.zone)) + "：" + Hours(zone.hours)
                        + " 小时（" + ShareText(zone.hours, tally.counted) + "）");
    if (tally.design)
        lines.push_back("高于室外计算干球温度 " + DoubleText(tally.design->dryBulb) + " ℃："
                        + Hours(tally.aboveDryBulb) + " 小时，高于湿球温度 "
                        + DoubleText(tally.design->wetBulb) + " ℃：" + Hours(tally.aboveWetBulb)
                        + " 小时");
    return lines;
}

std::string SkippedText(const weather::Weather &weather)
{
    std::string text;
    for (const weather::Skipped &skipped : weather.skipped)
        text
            += "第 " + std::to_string(skipped.line) + " 行：" + skipped.reason + "，该小时未计入\n";
    const int unlisted = weather.skippedCount - static_cast<int>(weather.skipped.size());
    if (unlisted > 0)
        text += "另有 " + std::to_string(unlisted) + " 小时同样未计入\n";
    return text;
}

} // namespace climate
