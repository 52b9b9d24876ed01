#pragma once

#include "chart/chart_settings.h"
#include "climate/climate_tally.h"

#include <optional>
#include <string>

// The questions of the weather overlay's settings, as values: PMV 条件… (the
// metabolic rate, the clothing, the air speed, the limit of |PMV|, then the
// mean radiant temperature), 月份…, 时刻… and 格子大小…. Each question offers
// the value in force. An empty answer (the prompt's 取消) ends the questions
// and changes nothing; so does an answer that is refused, after the message
// that says what is accepted. The window and the web page ask Next(), give
// the answer to Answer() and show the message it returns, until Done().
namespace climate {

enum class SettingsTopic { Pmv, Months, Hours, Cell };

class SettingsQuestions {
public:
    SettingsQuestions(SettingsTopic topic, const ClimateSettings &settings);

    const Question &Next() const { return next_; }
    // Takes the answer to Next(); answers the message to show, if any.
    std::optional<std::string> Answer(const std::string &answer);
    bool Done() const { return done_; }
    // Whether every question was answered and accepted: the settings with
    // the answers, to take in place of those in force.
    bool Accepted() const { return accepted_; }
    const ClimateSettings &Settings() const { return settings_; }

private:
    void Ask(int step);

    SettingsTopic topic_;
    ClimateSettings settings_;
    Question next_;
    int step_ = 0;
    bool done_ = false;
    bool accepted_ = false;
};

} // namespace climate
