#include "chart/chart_state.h"

#include "psychro/arithmetic_fault.h"
#include "ui/leading_number.h"
#include "ui/prompts.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A pressure answer counts only when it is a number as a whole (blanks around
// it allowed) within the accepted range.
std::optional<double> AcceptedPressure(const std::string &answer)
{
    const std::optional<double> value = WholeNumberValue(answer);
    if (!value || *value < chart_prompts::kLowestPressure
        || *value > chart_prompts::kHighestPressure)
        return std::nullopt;
    return value;
}

std::optional<float> AcceptedPrecision(const std::string &answer)
{
    double value = 0.0;
    try {
        value = LeadingNumberValue(answer);
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    const float precision = static_cast<float>(value);
    if (precision == 0.0f || (precision > 0.0f && precision < chart_prompts::kFinestPrecision))
        return std::nullopt;
    return precision;
}

} // namespace

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

    std::optional<float> precision;
    do {
        precision = AcceptedPrecision(
            prompts.InputBox(kPrecisionPrompt, kPrecisionTitle, kPrecisionDefault));
    } while (!precision);
    state.Precision = *precision;
}
