#include "climate/weather_file.h"

#include "portable/std_shims.h"
#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"
#include "text/blanks.h"
#include "text/number_text.h"
#include "text/strict_number.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace weather {

namespace {

    using state_solver::Property;

    // The records of a text, one line each, without their line ends.
    class Lines {
    public:
        explicit Lines(std::string_view text) : text_(text)
        {
            if (text_.substr(0, 3) == "\xEF\xBB\xBF")
                text_.remove_prefix(3);
        }
        bool AtEnd() const { return at_ >= text_.size(); }
        // The next line; `number` becomes its line number, from 1.
        std::string_view Next(int &number)
        {
            const std::size_t end = std::min(text_.find('\n', at_), text_.size());
            std::string_view line = text_.substr(at_, end - at_);
            at_ = end + 1;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            number = ++line_;
            return line;
        }

    private:
        std::string_view text_;
        std::size_t at_ = 0;
        int line_ = 0;
    };

    // The fields of a record separated by commas; a field may be quoted ("…",
    // with "" for a quote), its quotes then not part of its value, which is kept
    // in `quoted` (in order, as the fields that are views into it).
    void SplitFields(std::string_view line, std::vector<std::string_view> &fields,
                     std::vector<std::string> &quoted)
    {
        fields.clear();
        quoted.clear();
        std::vector<std::size_t> quotedFields;
        std::size_t at = 0;
        for (;;) {
            std::size_t end = 0;
            if (at < line.size() && line[at] == '"') {
                std::string value;
                std::size_t k = at + 1;
                while (k < line.size()) {
                    if (line[k] == '"') {
                        if (k + 1 < line.size() && line[k + 1] == '"') {
                            value += '"';
                            k += 2;
                            continue;
                        }
                        ++k;
                        break;
                    }
                    value += line[k++];
                }
                quotedFields.push_back(fields.size());
                quoted.push_back(std::move(value));
                fields.emplace_back();
                end = std::min(line.find(',', k), line.size());
            } else {
                end = std::min(line.find(',', at), line.size());
                fields.push_back(line.substr(at, end - at));
            }
            if (end >= line.size())
                break;
            at = end + 1; // past the comma
        }
        for (std::size_t k = 0; k < quotedFields.size(); ++k)
            fields[quotedFields[k]] = quoted[k];
    }

    // A whole decimal number, blanks around it allowed.
    std::optional<double> Number(std::string_view text)
    {
        text = Trimmed(text);
        if (!IsDecimalNumber(text))
            return std::nullopt;
        return portable::DecimalNumber(text.substr(text[0] == '+' ? 1 : 0));
    }

    // A whole number in [low, high].
    std::optional<int> WholeIn(std::string_view text, int low, int high)
    {
        const std::optional<double> value = Number(text);
        if (!value || *value != std::floor(*value) || *value < low || *value > high)
            return std::nullopt;
        return static_cast<int>(*value);
    }

    std::string Line(int line)
    {
        return "第 " + std::to_string(line) + " 行";
    }

    std::string Value(std::string_view text)
    {
        return "“" + std::string(Trimmed(text)) + "”";
    }

    bool InPressureRange(double B)
    {
        return B >= kLowestPressure && B <= kHighestPressure;
    }

    std::string PressureRange()
    {
        return DoubleText(kLowestPressure) + " 至 " + DoubleText(kHighestPressure) + " Pa";
    }

    void Skip(Weather &weather, int line, std::string reason)
    {
        ++weather.skippedCount;
        if (weather.skipped.size() < kMostListed)
            weather.skipped.push_back({line, std::move(reason)});
    }

    // The dry bulbs an hour may have, °C: beyond them no weather lies (and the
    // saturation pressure is not formed).
    constexpr double kColdest = -100.0;
    constexpr double kHottest = 100.0;

    // The hour's state from dry bulb and relative humidity at its pressure, or
    // why there is none.
    std::optional<std::string> FromTemperatureHumidity(Hour &hour, double t, double phi)
    {
        if (!(t >= kColdest && t <= kHottest))
            return "干球温度 " + DoubleText(t) + " ℃ 不在 " + DoubleText(kColdest) + " 至 "
                + DoubleText(kHottest) + " ℃ 之间";
        try {
            const StatePoint point = StateFromTemperatureHumidity(static_cast<float>(t),
                                                                  static_cast<float>(phi / 100.0),
                                                                  static_cast<double>(hour.B));
            hour.t = static_cast<float>(t);
            hour.d = point.d;
            hour.i = point.i;
            return std::nullopt;
        } catch (const ArithmeticFault &) {
            return std::string(state_solver::kVapourPressure);
        }
    }

    // ---- EPW ------------------------------------------------------------------------------------

    // The fields of an hourly EPW record that are read, counted from 0.
    constexpr std::size_t kMonthField = 1;
    constexpr std::size_t kHourField = 3;
    constexpr std::size_t kDryBulbField = 6;
    constexpr std::size_t kHumidityField = 8;
    constexpr std::size_t kPressureField = 9;
    constexpr std::size_t kFieldsRead = kPressureField + 1;
    constexpr int kHeaderRecords = 8;

    // EPW's codes for a missing value: at or above these.
    constexpr double kMissingDryBulb = 99.9;
    constexpr double kMissingHumidity = 999.0;
    constexpr double kMissingPressure = 999999.0;

    constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

    // "City, Country (lat, lon, elevation)" from the LOCATION record.
    std::string LocationText(const std::vector<std::string_view> &fields)
    {
        const auto field = [&](std::size_t k) {
            return k < fields.size() ? std::string(Trimmed(fields[k])) : std::string();
        };
        std::string text = field(1);
        for (const std::size_t k : {std::size_t {2}, std::size_t {3}})
            if (!field(k).empty() && field(k) != "-")
                text += (text.empty() ? "" : ", ") + field(k);
        std::string place;
        const std::optional<double> latitude = Number(field(6));
        const std::optional<double> longitude = Number(field(7));
        if (latitude && longitude)
            place = (*latitude >= 0 ? "北纬 " : "南纬 ") + DoubleText(std::fabs(*latitude)) + "°，"
                + (*longitude >= 0 ? "东经 " : "西经 ") + DoubleText(std::fabs(*longitude)) + "°";
        if (const std::optional<double> elevation = Number(field(9)))
            place += (place.empty() ? "" : "，") + std::string("海拔 ") + DoubleText(*elevation)
                + " m";
        if (!place.empty())
            text += (text.empty() ? "" : " ") + ("（" + place + "）");
        return text;
    }

    // The hours the DATA PERIODS record promises, when it can be read: one
    // period from a first to a last day (month/day), so many records an hour.
    std::optional<int> PromisedHours(const std::vector<std::string_view> &fields, bool leapYear)
    {
        if (fields.size() < 7 || WholeIn(fields[1], 1, 1) != 1)
            return std::nullopt;
        const std::optional<int> perHour = WholeIn(fields[2], 1, 60);
        const auto day = [&](std::string_view text) -> std::optional<int> {
            text = Trimmed(text);
            const std::size_t slash = text.find('/');
            if (slash == std::string_view::npos)
                return std::nullopt;
            const std::optional<int> month = WholeIn(text.substr(0, slash), 1, 12);
            const std::optional<int> dayOfMonth = WholeIn(text.substr(slash + 1), 1, 31);
            if (!month || !dayOfMonth)
                return std::nullopt;
            int count = *dayOfMonth;
            for (int m = 1; m < *month; ++m)
                count += kDaysInMonth[m - 1] + (m == 2 && leapYear ? 1 : 0);
            return count;
        };
        const std::optional<int> first = day(fields[5]);
        const std::optional<int> last = day(fields[6]);
        if (!perHour || !first || !last || *last < *first)
            return std::nullopt;
        return (*last - *first + 1) * 24 * *perHour;
    }

    Reading ReadEpw(Lines &lines, Weather weather)
    {
        weather.epw = true;
        weather.timed = true;
        std::vector<std::string_view> fields;
        std::vector<std::string> unquoted;
        bool leapYear = false;
        std::optional<int> promised;
        int number = 0;
        // The header: LOCATION first, DATA PERIODS last.
        for (int k = 1; k <= kHeaderRecords; ++k) {
            if (lines.AtEnd())
                return {std::nullopt,
                        "文件在第 " + std::to_string(number)
                            + " 行就结束了：EPW 文件应有 8 行表头，其后是逐时记录"};
            SplitFields(lines.Next(number), fields, unquoted);
            const std::string_view name = fields.empty() ? std::string_view() : Trimmed(fields[0]);
            if (k == 1)
                weather.location = LocationText(fields);
            if (k == 5 && fields.size() > 1) {
                const std::string_view flag = Trimmed(fields[1]);
                leapYear = flag == "Yes" || flag == "YES" || flag == "yes";
            }
            if (k == kHeaderRecords) {
                if (name != "DATA PERIODS")
                    return {std::nullopt,
                            Line(number) + "应是 EPW 表头的 DATA PERIODS 记录，现为" + Value(name)};
                promised = PromisedHours(fields, leapYear);
            }
        }

        std::size_t recordFields = 0; // of the first hourly record
        int records = 0;
        while (!lines.AtEnd()) {
            const std::string_view text = lines.Next(number);
            if (Trimmed(text).empty())
                continue;
            SplitFields(text, fields, unquoted);
            if (recordFields == 0)
                recordFields = fields.size();
            if (fields.size() < kFieldsRead || fields.size() < recordFields)
                return {std::nullopt,
                        Line(number) + "只有 " + std::to_string(fields.size())
                            + " 个字段，前面的逐时记录有 "
                            + std::to_string(std::max(recordFields, kFieldsRead))
                            + " 个：文件不完整或已损坏"};
            ++records;
            Hour hour;
            hour.line = number;
            hour.timed = true;
            const std::optional<int> month = WholeIn(fields[kMonthField], 1, 12);
            const std::optional<int> hourOfDay = WholeIn(fields[kHourField], 1, 24);
            if (!month || !hourOfDay)
                return {std::nullopt,
                        Line(number) + "的月份" + Value(fields[kMonthField]) + "或时刻"
                            + Value(fields[kHourField])
                            + "不是 EPW 逐时记录的月份（1 至 12）与时刻（1 至 24）"};
            hour.month = static_cast<std::uint8_t>(*month);
            hour.hour = static_cast<std::uint8_t>(*hourOfDay - 1);

            const std::optional<double> t = Number(fields[kDryBulbField]);
            const std::optional<double> phi = Number(fields[kHumidityField]);
            const std::optional<double> B = Number(fields[kPressureField]);
            std::string missing;
            const auto note = [&](const char *what) {
                missing += (missing.empty() ? "" : "、") + std::string(what);
            };
            if (!t || *t >= kMissingDryBulb)
                note("干球温度");
            if (!phi || *phi >= kMissingHumidity)
                note("相对湿度");
            if (!B || *B >= kMissingPressure)
                note("大气压力");
            if (!missing.empty()) {
                Skip(weather, number, missing + "缺测");
                continue;
            }
            if (*phi < 0.0 || *phi > 100.0) {
                Skip(weather, number, "相对湿度 " + DoubleText(*phi) + "% 不在 0 至 100% 之间");
                continue;
            }
            if (!InPressureRange(*B)) {
                Skip(weather, number,
                     "大气压力 " + DoubleText(*B) + " Pa 不在 " + PressureRange() + " 之间");
                continue;
            }
            hour.B = static_cast<float>(*B);
            if (std::optional<std::string> why = FromTemperatureHumidity(hour, *t, *phi)) {
                Skip(weather, number, std::move(*why));
                continue;
            }
            weather.hours.push_back(hour);
        }
        if (records == 0)
            return {std::nullopt,
                    "文件在第 " + std::to_string(number) + " 行的表头之后没有逐时记录"};
        if (promised && records < *promised)
            return {std::nullopt,
                    "文件在第 " + std::to_string(number) + " 行结束，只有 "
                        + std::to_string(records) + " 小时的记录，表头的 DATA PERIODS 给出 "
                        + std::to_string(*promised) + " 小时：文件不完整"};
        return {std::move(weather), {}};
    }

    // ---- CSV ------------------------------------------------------------------------------------

    // Whether a header names a column: one of the names, ASCII letters in any case.
    bool Names(std::string_view heading, std::initializer_list<std::string_view> names)
    {
        heading = Trimmed(heading);
        for (const std::string_view name : names) {
            if (name.size() != heading.size())
                continue;
            bool same = true;
            for (std::size_t k = 0; k < name.size() && same; ++k) {
                const char a = heading[k], b = name[k];
                const auto lower
                    = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
                same = lower(a) == lower(b);
            }
            if (same)
                return true;
        }
        return false;
    }

    constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

    Reading ReadCsv(Lines &lines, Weather weather, double pressure)
    {
        std::vector<std::string_view> fields;
        std::vector<std::string> unquoted;
        int number = 0;
        std::string_view header;
        while (!lines.AtEnd() && Trimmed(header).empty())
            header = lines.Next(number);
        if (Trimmed(header).empty())
            return {
                std::nullopt,
                "表格是空的：第一行应是表头，其中两列是状态参数的名称（t、ts、td、phi、d、i、Pq）"};
        SplitFields(header, fields, unquoted);
        const int headerLine = number;
        std::vector<std::pair<std::size_t, Property>> given;
        std::size_t pressureColumn = kNoColumn, monthColumn = kNoColumn, hourColumn = kNoColumn;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (const auto p = state_solver::PropertyNamed(Trimmed(fields[k])))
                given.emplace_back(k, *p);
            else if (Names(fields[k], {"B", "pressure", "大气压力"}))
                pressureColumn = k;
            else if (Names(fields[k], {"month", "月"}))
                monthColumn = k;
            else if (Names(fields[k], {"hour", "时", "小时"}))
                hourColumn = k;
        }
        if (given.size() != 2)
            return {
                std::nullopt,
                Line(headerLine)
                    + "（表头）中应恰好有两列是状态参数的名称（t、ts、td、phi、d、i、Pq），现有 "
                    + std::to_string(given.size()) + " 列"};
        if (auto why = state_solver::OneQuantityOnly(given[0].second, given[1].second))
            return {std::nullopt, Line(headerLine) + "（表头）中的 " + *why};
        const std::size_t headerFields = fields.size();
        weather.timed = monthColumn != kNoColumn && hourColumn != kNoColumn;
        const bool fast = (given[0].second == Property::t && given[1].second == Property::phi)
            || (given[0].second == Property::phi && given[1].second == Property::t);

        while (!lines.AtEnd()) {
            const std::string_view text = lines.Next(number);
            if (Trimmed(text).empty())
                continue;
            SplitFields(text, fields, unquoted);
            if (fields.size() > headerFields) {
                Skip(weather, number, "字段数多于表头");
                continue;
            }
            const auto cell = [&](std::size_t column) {
                return column < fields.size() ? fields[column] : std::string_view();
            };
            Hour hour;
            hour.line = number;
            std::string problem;
            GivenProperty pair[2];
            for (std::size_t n = 0; n < 2 && problem.empty(); ++n) {
                const auto [column, property] = given[n];
                const std::optional<double> value = Number(cell(column));
                if (!value)
                    problem = Trimmed(cell(column)).empty()
                        ? std::string("缺少 ") + state_solver::PropertyKey(property) + " 的值"
                        : std::string(state_solver::PropertyKey(property)) + " 的值"
                            + Value(cell(column)) + "不是数";
                else
                    pair[n] = {property, *value};
            }
            double B = pressure;
            if (problem.empty() && pressureColumn != kNoColumn) {
                const std::optional<double> value = Number(cell(pressureColumn));
                if (!value)
                    problem = Trimmed(cell(pressureColumn)).empty()
                        ? std::string("缺少大气压力的值")
                        : "大气压力的值" + Value(cell(pressureColumn)) + "不是数";
                else if (!InPressureRange(*value))
                    problem = "大气压力 " + DoubleText(*value) + " Pa 不在 " + PressureRange()
                        + " 之间";
                else
                    B = *value;
            }
            if (problem.empty() && weather.timed) {
                const std::optional<int> month = WholeIn(cell(monthColumn), 1, 12);
                const std::optional<int> hourOfDay = WholeIn(cell(hourColumn), 0, 23);
                if (!month || !hourOfDay)
                    problem = "月份" + Value(cell(monthColumn)) + "或时刻" + Value(cell(hourColumn))
                        + "不是 1 至 12 的月份与 0 至 23 的时刻";
                else {
                    hour.month = static_cast<std::uint8_t>(*month);
                    hour.hour = static_cast<std::uint8_t>(*hourOfDay);
                    hour.timed = true;
                }
            }
            if (!problem.empty()) {
                Skip(weather, number, std::move(problem));
                continue;
            }
            hour.B = static_cast<float>(B);
            if (fast) {
                const bool tFirst = pair[0].property == Property::t;
                const double t = tFirst ? pair[0].value : pair[1].value;
                const double phi = tFirst ? pair[1].value : pair[0].value;
                if (!(phi >= 0.0 && phi <= 100.0)) {
                    Skip(weather, number, "相对湿度 " + DoubleText(phi) + "% 不在 0 至 100% 之间");
                    continue;
                }
                if (std::optional<std::string> why = FromTemperatureHumidity(hour, t, phi)) {
                    Skip(weather, number, std::move(*why));
                    continue;
                }
            } else {
                const StateSolution solution = SolveState(B, pair[0], pair[1]);
                if (!solution.state) {
                    Skip(weather, number, solution.message);
                    continue;
                }
                hour.t = solution.state->t;
                hour.d = solution.state->d;
                hour.i = solution.state->i;
            }
            weather.hours.push_back(hour);
        }
        return {std::move(weather), {}};
    }

    std::string_view BaseName(std::string_view path)
    {
        const std::size_t slash = path.find_last_of("/\\");
        return slash == std::string_view::npos ? path : path.substr(slash + 1);
    }

} // namespace

Reading ReadWeather(std::string_view bytes, std::string_view fileName, double pressure)
{
    Weather weather;
    weather.fileName = std::string(BaseName(fileName));
    Lines lines(bytes);
    Lines probe = lines;
    int number = 0;
    const std::string_view first = probe.AtEnd() ? std::string_view() : probe.Next(number);
    if (first.substr(0, 8) == "LOCATION")
        return ReadEpw(lines, std::move(weather));
    return ReadCsv(lines, std::move(weather), pressure);
}

} // namespace weather
