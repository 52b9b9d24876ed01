#include "chart/chart_settings.h"

#include "psychro/arithmetic_fault.h"
#include "text/blanks.h"
#include "text/leading_number.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace {

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

std::optional<std::string> ChartSettingsQuestions::Answer(const std::string &answer)
{
    using namespace chart_prompts;
    if (done_)
        return std::nullopt;
    if (askingPressure_) {
        const std::optional<double> pressure = AcceptedPressure(answer);
        if (!pressure) {
            next_ = {kPressureRepeatedPrompt, kPressureTitle, kPressureDefault};
            return std::nullopt;
        }
        B_ = *pressure;
        BText_ = answer;
        askingPressure_ = false;
        next_ = {kPrecisionPrompt, kPrecisionTitle, kPrecisionDefault};
        return std::nullopt;
    }
    const PrecisionReading precision = ReadPrecision(answer);
    if (!precision.value)
        return std::string(precision.refusal); // said before the prompt comes again
    precision_ = *precision.value;
    done_ = true;
    return std::nullopt;
}

void ChartSettingsQuestions::ApplyTo(ChartState &state) const
{
    state.B = B_;
    state.BText = BText_;
    state.Precision = precision_;
}
