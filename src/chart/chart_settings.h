#pragma once

#include "chart/chart_state.h"

#include <optional>
#include <string>

namespace chart_prompts {
inline constexpr const char *kPressurePrompt = "请输入当地的大气压的值：(默认值为101325pa)";
inline constexpr const char *kPressureRepeatedPrompt
    = "您输入的大气压的值不在90000至120000帕之间，请从新输入：";
inline constexpr const char *kPressureTitle = "大气压";
inline constexpr const char *kPressureDefault = "101325";
inline constexpr const char *kPrecisionPrompt = "请输入您希望的绘图精度：(默认值为0.05)";
inline constexpr const char *kPrecisionTitle = "绘图精度";
inline constexpr const char *kPrecisionDefault = "0.05";
// Said before the precision prompt comes again. A negative precision is
// accepted (it draws no humidity curves), so the first message speaks of
// zero and of the positive values below the finest step only.
inline constexpr const char *kPrecisionTooFine
    = "绘图精度不能为0，为正数时应不小于0.001，请重新输入!";
inline constexpr const char *kPrecisionBeyondRange
    = "绘图精度的绝对值应不大于3.402823E+38，请重新输入!";

// Accepted pressures, Pa (limits included).
inline constexpr double kLowestPressure = 90000.0;
inline constexpr double kHighestPressure = 120000.0;
// The smallest positive drawing step accepted, °C: a finer step would trace
// millions of points per curve.
inline constexpr float kFinestPrecision = 0.001f;
} // namespace chart_prompts

// A pressure answer counts only when it is a number as a whole within
// 90000…120000 Pa. Blanks around it are allowed, and so is the unit pa, Pa, PA
// or 帕 after it; full-width characters read as their ASCII twins. "95000pa"
// and "９５０００ 帕" give 95000. Anything else gives nothing.
std::optional<double> AcceptedPressure(const std::string &answer);

// A precision answer read by the number rule of every entry: accepted unless
// it is 0, a positive value below 0.001 or beyond single-precision range. A
// refused answer comes with the message that says what is accepted.
struct PrecisionReading {
    std::optional<float> value;
    const char *refusal = nullptr;
};
PrecisionReading ReadPrecision(const std::string &answer);

// A question the window asks with an input prompt: the prompt's text, its
// title and the answer it offers.
struct Question {
    std::string prompt;
    std::string title;
    std::string defaultText;
};

// The questions of 生成焓湿图, as values: the barometric pressure (asked again
// until AcceptedPressure accepts the answer), then the drawing precision
// (asked again, after a message naming what is accepted, until ReadPrecision
// accepts it). The window asks Next(), gives the answer to Answer() and shows
// the message it returns before asking again, until Done().
class ChartSettingsQuestions {
public:
    const Question &Next() const { return next_; }
    // Takes the answer to Next(); answers the message to show before the
    // next question, if there is one.
    std::optional<std::string> Answer(const std::string &answer);
    bool Done() const { return done_; }
    // The pressure (with the text typed) and the precision answered.
    void ApplyTo(ChartState &state) const;

private:
    Question next_ {chart_prompts::kPressurePrompt, chart_prompts::kPressureTitle,
                    chart_prompts::kPressureDefault};
    bool askingPressure_ = true;
    bool done_ = false;
    double B_ = 0.0;
    std::string BText_;
    float precision_ = 1.0f;
};
