// The 计算并描点 click on whatever the parameter dialog can store.
//
// The input is typed text, one entry per line, in the dialog's order: tn, φn,
// tw, ts, △t, s, φL, Q, W, and on a tenth line the barometric pressure.
// Missing lines are empty entries. The entries are read as the dialog reads
// them; one it would refuse (beyond double range, or W beyond single range)
// stays 0, as the record does. The pressure is answered at its prompt; one
// outside the range the prompt accepts is folded into it.
//
// Whatever the parameters, the click must end normally, never show NaN or
// infinity, leave no result of an earlier calculation beside its own, and
// either fill every result box or say with one message why it stopped; an
// impossible input is refused with the message that names it. The
// drawing stays at finite coordinates. libFuzzer's -timeout catches a run
// that does not end.

#include "chart/chart_drawing.h"
#include "chart/chart_settings.h"
#include "designs/design_parameters.h"
#include "designs/input_checks.h"
#include "draw/scene.h"
#include "fuzz_checks.h"
#include "project/chart_layers.h"
#include "psychro/arithmetic_fault.h"
#include "readout/state_points.h"
#include "support/scripted_prompts.h"
#include "text/leading_number.h"
#include "text/number_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kEntries = 10; // nine parameters and the pressure
constexpr double kLowestPressure = chart_prompts::kLowestPressure;
constexpr double kHighestPressure = chart_prompts::kHighestPressure;

// What the boxes hold before the click: a previous calculation's results.
const std::string kEarlierResult = "earlier";

std::string g_input; // the entries of the current run, for the failure report

[[noreturn]] void Fail(const char *what, const std::string &detail = "")
{
    std::fprintf(stderr, "fuzz_calculation: %s %s\nentries:\n%s\n", what, detail.c_str(),
                 g_input.c_str());
    std::abort();
}

// An entry as the dialog reads it; nothing when the dialog would refuse it.
std::optional<double> EntryValue(std::string_view text, bool single)
{
    try {
        const double value = LeadingNumberValue(text);
        return single ? static_cast<double>(CheckedSingle(value, FaultCause::TypedNumber)) : value;
    } catch (const ArithmeticFault &) {
        return std::nullopt;
    }
}

// The answer to the pressure prompt: the typed line when the prompt accepts
// it, otherwise the line's value folded into the accepted range.
std::string PressureAnswer(std::string_view text)
{
    const std::optional<double> typed = WholeNumberValue(text);
    if (!typed)
        return chart_prompts::kPressureDefault;
    if (*typed >= kLowestPressure && *typed <= kHighestPressure)
        return std::string(text);
    return DoubleText(kLowestPressure
                      + std::fmod(std::fabs(*typed), kHighestPressure - kLowestPressure));
}

void CheckBox(const char *name, int index, const std::string &text)
{
    if (MentionsNanOrInfinity(text))
        Fail("a result box shows NaN or infinity:",
             std::string(name) + std::to_string(index) + " = \"" + text + "\"");
    if (text == kEarlierResult)
        Fail("a result box keeps an earlier calculation's value:",
             std::string(name) + std::to_string(index));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    g_input.assign(reinterpret_cast<const char *>(data), size);

    std::array<std::string_view, kEntries> entries {};
    std::string_view rest(g_input);
    for (std::size_t n = 0; n < kEntries && !rest.empty(); ++n) {
        const std::size_t end = rest.find('\n');
        entries[n] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    std::array<double, 9> values {};
    for (std::size_t n = 0; n < values.size(); ++n)
        values[n] = EntryValue(entries[n], n == 8).value_or(0.0);
    const DesignParameters parameters {values[0], values[1], values[2],
                                       values[3], values[4], values[5],
                                       values[6], values[7], static_cast<float>(values[8])};

    // The pressure goes in through its prompt (the precision prompt takes its
    // default; the click redraws at precision 1 anyway).
    ChartState chart;
    ScriptedPrompts settings({PressureAnswer(entries[9])});
    AskChartSettings(chart, settings);
    if (settings.inputs.size() != 2)
        Fail("the pressure prompt refused a pressure within range");
    Scene picture;
    SetUpChart(picture);
    StatePoints points;
    BoxTexts earlier;
    earlier.results.fill(kEarlierResult);
    earlier.states.fill(kEarlierResult);
    const WinterParameters winter;

    CalculationDisplay display;
    try {
        display = DisplayCalculation(picture, chart, points, earlier,
                                     {DesignKind::PrimarySummer, parameters, winter}, true);
    } catch (...) {
        Fail("an exception left the click handler");
    }

    if (display.openPrimaryReturnAir)
        Fail("the parameter dialog was opened although parameters are set");
    std::vector<std::string> messages;
    for (const DisplayMoment &moment : display.moments)
        if (!moment.message.empty())
            messages.push_back(moment.message);
    if (messages.size() > 1)
        Fail("more than one message for one click:", std::to_string(messages.size()));
    // An input no air can have (ts above tw, φ above 100 %, s outside 0–100 %)
    // stops the click before the calculation, with the message naming it.
    if (const std::optional<Stop> refused = ImpossibleInput(parameters))
        if (messages.size() != 1 || messages[0] != refused->message)
            Fail("an impossible input was not refused with its message:", refused->message);

    // Text1..Text7 and the state boxes Texta(0)..Texta(9) belong to the calculation.
    const BoxTexts &texts = display.moments.back().boxes;
    for (int box = 0; box < kResultBoxCount; ++box)
        CheckBox("Text", box + 1, texts.results[static_cast<std::size_t>(box)]);
    for (int box = 0; box <= 9; ++box)
        CheckBox("Texta", box, texts.states[static_cast<std::size_t>(box)]);
    for (std::size_t box = 10; box < texts.states.size(); ++box)
        if (MentionsNanOrInfinity(texts.states[box]))
            Fail("a state box shows NaN or infinity:", texts.states[box]);

    if (messages.empty()) {
        for (int box = 0; box < kResultBoxCount; ++box)
            if (texts.results[static_cast<std::size_t>(box)].empty())
                Fail("a result box stayed empty without a message: Text", std::to_string(box + 1));
        for (int box = 0; box <= 9; ++box)
            if (texts.states[static_cast<std::size_t>(box)].empty())
                Fail("a state box stayed empty without a message: Texta", std::to_string(box));
    }

    for (const Scene::Op &op : picture.Ops()) {
        if (!std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2)
            || !std::isfinite(op.y2))
            Fail("something was drawn at a non-finite position");
        if (MentionsNanOrInfinity(op.text))
            Fail("the chart shows NaN or infinity:", op.text);
    }
    return 0;
}
