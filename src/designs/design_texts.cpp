#include "designs/design_texts.h"

#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

const char *DesignName(DesignKind kind)
{
    switch (kind) {
    case DesignKind::PrimarySummer:
        return "一次回风夏季设计";
    case DesignKind::SecondarySummer:
        return "二次回风夏季设计";
    case DesignKind::PrimaryWinter:
        return "一次回风冬季设计";
    }
    return "";
}

const char *DesignWord(DesignKind kind)
{
    switch (kind) {
    case DesignKind::PrimarySummer:
        return "primary";
    case DesignKind::SecondarySummer:
        return "secondary";
    case DesignKind::PrimaryWinter:
        return "winter";
    }
    return "";
}

void WriteBoxes(const DesignTexts &texts, BoxTexts &boxes)
{
    boxes.results = texts.results;
    for (int k = 0; k < kDesignStateBoxCount; ++k)
        boxes.states[k] = texts.states[k];
}

void FillStateTexts(DesignTexts &texts, const std::vector<FoundState> &states,
                    const std::array<StateName, 5> &boxOrder,
                    const std::vector<TableState> &tableOrder)
{
    for (std::size_t k = 0; k < boxOrder.size(); ++k) {
        const FoundState *state = FindState(states, boxOrder[k]);
        texts.states[2 * k] = state ? SingleText(state->point.d) : std::string();
        texts.states[2 * k + 1] = state ? SingleText(state->point.i) : std::string();
    }
    for (const TableState &entry : tableOrder) {
        const FoundState *state = FindState(states, entry.name);
        texts.stateRows.push_back({entry.title, StateLetter(entry.name),
                                   state ? TemperatureText(*state) : std::string(),
                                   state ? SingleText(state->point.d) : std::string(),
                                   state ? SingleText(state->point.i) : std::string()});
    }
}

std::string TemperatureText(const FoundState &state)
{
    if (state.t)
        return SingleText(*state.t);
    try {
        return SingleText(moist_air::TemperatureFromMoistureEnthalpy(state.point.d, state.point.i));
    } catch (const ArithmeticFault &) {
        return {};
    }
}
