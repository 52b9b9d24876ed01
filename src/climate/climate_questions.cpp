#include "climate/climate_questions.h"

#include "text/number_text.h"
#include "text/strict_number.h"

#include <array>

namespace {

using comfort_zones::PmvZone;

constexpr const char *kPmvTitle = "PMV 舒适区";
constexpr const char *kSameAsAir = "等于气温";
constexpr const char *kMeanRadiantPrompt
    = "平均辐射温度 tr（℃，-10 至 60；“等于气温”为与空气温度相同）：";

// The occupants' numbers of the PMV zone, asked in this order, each within its range.
struct PmvNumber {
    const char *prompt;
    double low, high;
    double PmvZone::*limit; // the zone's own member, or
    double thermal_comfort::PmvConditions::*condition; // one of its conditions
};
constexpr std::array<PmvNumber, 4> kPmvNumbers = {{
    {"代谢率 M（met，0.5 至 6）：", 0.5, 6.0, nullptr, &thermal_comfort::PmvConditions::met},
    {"服装热阻 Icl（clo，0 至 3）：", 0.0, 3.0, nullptr, &thermal_comfort::PmvConditions::clo},
    {"空气流速 v（m/s，0 至 5）：", 0.0, 5.0, nullptr, &thermal_comfort::PmvConditions::airSpeed},
    {"|PMV| 的上限（0 至 3）：", 0.0, 3.0, &PmvZone::limit, nullptr},
}};
constexpr int kMeanRadiantStep = static_cast<int>(kPmvNumbers.size());

double &ValueOf(PmvZone &pmv, const PmvNumber &number)
{
    return number.limit ? pmv.*number.limit : pmv.conditions.*number.condition;
}

// The density's cell sides allowed, K and g/kg.
constexpr double kFinestCell = 0.1;
constexpr double kCoarsestCell = 10.0;

// A number typed in a prompt within [low, high]; nothing for another text.
std::optional<double> NumberIn(const std::string &text, double low, double high)
{
    const std::optional<double> value = StrictNumber(text);
    if (!value || !(*value >= low && *value <= high))
        return std::nullopt;
    return value;
}

} // namespace

namespace climate {

SettingsQuestions::SettingsQuestions(SettingsTopic topic, const ClimateSettings &settings)
    : topic_(topic), settings_(settings)
{
    Ask(0);
}

void SettingsQuestions::Ask(int step)
{
    step_ = step;
    switch (topic_) {
    case SettingsTopic::Pmv:
        if (step < kMeanRadiantStep) {
            const PmvNumber &number = kPmvNumbers[static_cast<std::size_t>(step)];
            next_ = {number.prompt, kPmvTitle, DoubleText(ValueOf(settings_.pmv, number))};
        } else {
            const std::optional<double> &tr = settings_.pmv.conditions.meanRadiant;
            next_ = {kMeanRadiantPrompt, kPmvTitle, tr ? DoubleText(*tr) : kSameAsAir};
        }
        return;
    case SettingsTopic::Months: {
        const std::string shown = RangesText(settings_.filter.months.data(), 12, 1);
        next_
            = {"只计入这些月份（如 6-8、12-2、1,3,5-7）：", "月份", shown.empty() ? "1-12" : shown};
        return;
    }
    case SettingsTopic::Hours: {
        const std::string shown = RangesText(settings_.filter.hours.data(), 24, 0);
        next_ = {"只计入一天中的这些时刻（0 至 23，0 为 0:00–1:00，如 8-18）：", "时刻",
                 shown.empty() ? "0-23" : shown};
        return;
    }
    case SettingsTopic::Cell:
        next_ = {"密度图每格的大小：干球温度（K）x 含湿量（g/kg），各 0.1 至 10：", "格子大小",
                 SingleText(settings_.cellT) + "x" + SingleText(settings_.cellD)};
        return;
    }
}

std::optional<std::string> SettingsQuestions::Answer(const std::string &answer)
{
    if (done_)
        return std::nullopt;
    if (answer.empty()) { // cancelled
        done_ = true;
        return std::nullopt;
    }
    // A refused answer ends the questions with the settings as they were.
    const auto refuse = [this](std::string message) {
        done_ = true;
        return std::optional<std::string>(std::move(message));
    };
    switch (topic_) {
    case SettingsTopic::Pmv:
        if (step_ < kMeanRadiantStep) {
            const PmvNumber &number = kPmvNumbers[static_cast<std::size_t>(step_)];
            const std::optional<double> value = NumberIn(answer, number.low, number.high);
            if (!value)
                return refuse("“" + answer + "”不是" + number.prompt + "中的数，PMV 条件未改。");
            ValueOf(settings_.pmv, number) = *value;
            Ask(step_ + 1);
            return std::nullopt;
        }
        if (answer == kSameAsAir) {
            settings_.pmv.conditions.meanRadiant.reset();
        } else if (const std::optional<double> tr = NumberIn(answer, -10.0, 60.0)) {
            settings_.pmv.conditions.meanRadiant = *tr;
        } else {
            return refuse("“" + answer + "”不是 -10 至 60 ℃ 的平均辐射温度，PMV 条件未改。");
        }
        break;
    case SettingsTopic::Months: {
        const auto months = ReadMonths(answer);
        if (!months)
            return refuse("“" + answer + "”不是 1 至 12 的月份或月份范围，筛选未改。");
        settings_.filter.months = *months;
        break;
    }
    case SettingsTopic::Hours: {
        const auto hours = ReadHours(answer);
        if (!hours)
            return refuse("“" + answer + "”不是 0 至 23 的时刻或时刻范围，筛选未改。");
        settings_.filter.hours = *hours;
        break;
    }
    case SettingsTopic::Cell: {
        const std::size_t x = answer.find_first_of("xX");
        const std::optional<double> t = x == std::string::npos
            ? std::nullopt
            : NumberIn(answer.substr(0, x), kFinestCell, kCoarsestCell);
        const std::optional<double> d = x == std::string::npos
            ? std::nullopt
            : NumberIn(answer.substr(x + 1), kFinestCell, kCoarsestCell);
        if (!t || !d)
            return refuse("“" + answer + "”不是“温度x含湿量”（各 0.1 至 10），格子大小未改。");
        settings_.cellT = static_cast<float>(*t);
        settings_.cellD = static_cast<float>(*d);
        break;
    }
    }
    done_ = true;
    accepted_ = true;
    return std::nullopt;
}

} // namespace climate
