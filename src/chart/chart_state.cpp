#include "chart/chart_state.h"

#include "text/number_text.h"

void SetChartTexts(const ChartState &state, BoxTexts &boxes)
{
    boxes[StateBox::B0] = state.BText;
    boxes[StateBox::Precision] = SingleText(state.Precision);
}

std::optional<ChartStyle> ChartStyleOfOption(std::string_view option)
{
    for (const ChartStyleName &name : kChartStyleNames)
        if (option == name.option)
            return name.style;
    return std::nullopt;
}

const char *ChartStyleOption(ChartStyle style)
{
    for (const ChartStyleName &name : kChartStyleNames)
        if (name.style == style)
            return name.option;
    return kChartStyleNames[0].option;
}
