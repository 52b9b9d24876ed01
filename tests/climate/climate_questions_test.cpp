#include "climate/climate_questions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using climate::SettingsTopic;

namespace {

// The settings after a topic's questions are answered in turn, with the
// defaults offered and the messages shown.
struct Asked {
    climate::ClimateSettings settings;
    std::vector<std::string> defaults;
    std::vector<std::string> messages;
};

Asked AskWith(SettingsTopic topic, const std::vector<std::string> &answers,
              climate::ClimateSettings settings = {})
{
    Asked asked;
    climate::SettingsQuestions questions(topic, settings);
    for (const std::string &answer : answers) {
        if (questions.Done())
            break;
        asked.defaults.push_back(questions.Next().defaultText);
        if (const auto message = questions.Answer(answer))
            asked.messages.push_back(*message);
    }
    EXPECT_TRUE(questions.Done()) << "every question answered";
    if (questions.Accepted())
        settings = questions.Settings();
    asked.settings = settings;
    return asked;
}

} // namespace

// Each topic as the chart's menu asks it: the values in force offered, the
// answers taken only when all are accepted, a refusal said and nothing changed.
TEST(SettingsQuestions, AcceptRefuseOrCancel)
{
    // The PMV zone's five questions.
    Asked pmv = AskWith(SettingsTopic::Pmv, {"1.0", "1.0", "0.2", "0.7", "26"});
    EXPECT_EQ(pmv.defaults, (std::vector<std::string> {"1.2", "0.5", "0.1", "0.5", "等于气温"}));
    EXPECT_TRUE(pmv.messages.empty());
    EXPECT_EQ(pmv.settings.pmv.conditions.met, 1.0);
    EXPECT_EQ(pmv.settings.pmv.conditions.clo, 1.0);
    EXPECT_EQ(pmv.settings.pmv.conditions.airSpeed, 0.2);
    EXPECT_EQ(pmv.settings.pmv.limit, 0.7);
    EXPECT_EQ(pmv.settings.pmv.conditions.meanRadiant, 26.0);
    // Asked again, the answers given are offered, and 等于气温 takes the air's.
    Asked again
        = AskWith(SettingsTopic::Pmv, {"1.0", "1.0", "0.2", "0.7", "等于气温"}, pmv.settings);
    EXPECT_EQ(again.defaults.back(), "26");
    EXPECT_FALSE(again.settings.pmv.conditions.meanRadiant.has_value());

    struct Case {
        SettingsTopic topic;
        std::vector<std::string> answers;
        std::size_t messages; // shown
        bool changed;
    };
    const Case cases[] = {
        {SettingsTopic::Pmv, {"7"}, 1, false}, // beyond 6 met
        {SettingsTopic::Pmv, {"1.0", ""}, 0, false}, // cancelled halfway
        {SettingsTopic::Pmv, {"1", "1", "1", "1", "70"}, 1, false}, // tr beyond 60 ℃
        {SettingsTopic::Months, {"6-8"}, 0, true},
        {SettingsTopic::Months, {"13"}, 1, false},
        {SettingsTopic::Hours, {"25"}, 1, false},
        {SettingsTopic::Hours, {"22-5"}, 0, true},
        {SettingsTopic::Cell, {"2x0.5"}, 0, true},
        {SettingsTopic::Cell, {"2"}, 1, false},
        {SettingsTopic::Cell, {"0.05x1"}, 1, false},
        {SettingsTopic::Cell, {""}, 0, false},
    };
    const climate::ClimateSettings start;
    for (const Case &c : cases) {
        const Asked asked = AskWith(c.topic, c.answers, start);
        const std::string what = c.answers.front();
        EXPECT_EQ(asked.messages.size(), c.messages) << what;
        const bool changed = asked.settings.filter.months != start.filter.months
            || asked.settings.filter.hours != start.filter.hours
            || asked.settings.cellT != start.cellT || asked.settings.cellD != start.cellD
            || asked.settings.pmv.conditions.met != start.pmv.conditions.met
            || asked.settings.pmv.conditions.meanRadiant != start.pmv.conditions.meanRadiant;
        EXPECT_EQ(changed, c.changed) << what;
    }
    EXPECT_EQ(AskWith(SettingsTopic::Cell, {"2x0.5"}).settings.cellD, 0.5f);
    Asked months = AskWith(SettingsTopic::Months, {"12-2"});
    EXPECT_EQ(months.defaults.front(), "1-12");
    EXPECT_TRUE(months.settings.filter.months[11] && months.settings.filter.months[0]
                && !months.settings.filter.months[5]);
}
