#include "chart/chart_state.h"

#include "psychro/arithmetic_fault.h"
#include "text/leading_number.h"
#include "text/prompts.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text without blanks at its end and without a pressure unit after them.
std::string WithoutPressureUnit(std::string text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    for (const std::string_view unit : {"pa", "Pa", "PA", "帕"}) {
        if (text.size() >= unit.size() && text.ends_with(unit)) {
            text.erase(text.size() - unit.size());
            break;
        }
    }
    return text;
}

} // namespace

std::optional<double> AcceptedPressure(const std::string &answer)
{
    const std::optional<double> value
        = WholeNumberValue(WithoutPressureUnit(AsciiNumberText(answer)));
    if (!value || *value < chart_prompts::kLowestPressure
        || *value > chart_prompts::kHighestPressure)
        return std::nullopt;
    return value;
}

PrecisionReading ReadPrecision(const std::string &answer)
{
    using namespace chart_prompts;
    double value = 0.0;
    try {
        value = LeadingNumberValue(answer);
    } catch (const ArithmeticFault &) {
        return {std::nullopt, kPrecisionBeyondRange};
    }
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return {std::nullopt, kPrecisionBeyondRange};
    const float precision = static_cast<float>(value);
    if (precision == 0.0f || (precision > 0.0f && precision < kFinestPrecision))
        return {std::nullopt, kPrecisionTooFine};
    return {precision, nullptr};
}

void AskChartSettings(ChartState &state, Prompts &prompts)
{
    using namespace chart_prompts;
    std::string answer = prompts.InputBox(kPressurePrompt, kPressureTitle, kPressureDefault);
    std::optional<double> pressure = AcceptedPressure(answer);
    while (!pressure) {
        answer = prompts.InputBox(kPressureRepeatedPrompt, kPressureTitle, kPressureDefault);
        pressure = AcceptedPressure(answer);
    }
    state.B = *pressure;
    state.BText = answer;

    PrecisionReading precision
        = ReadPrecision(prompts.InputBox(kPrecisionPrompt, kPrecisionTitle, kPrecisionDefault));
    while (!precision.value) {
        // Say what is accepted before asking again.
        prompts.MsgBox(precision.refusal);
        precision
            = ReadPrecision(prompts.InputBox(kPrecisionPrompt, kPrecisionTitle, kPrecisionDefault));
    }
    state.Precision = *precision.value;
}
