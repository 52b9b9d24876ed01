#include "chart/chart_state.h"

#include "text/number_text.h"

void SetChartTexts(const ChartState &state, BoxTexts &boxes)
{
    boxes[StateBox::B0] = state.BText;
    boxes[StateBox::Precision] = SingleText(state.Precision);
}
