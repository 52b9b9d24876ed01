#include "readout/state_lookup.h"

#include "chart/chart_state.h"
#include "designs/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "readout/pointer_readout.h"
#include "text/main_window_texts.h"
#include "text/number_text.h"

using namespace moist_air;
using namespace state_lookup;

namespace {

// The readout's cells without a window.
class CellTexts : public MainWindowTexts {
public:
    void SetReadoutCell(int index, const std::string &text) override
    {
        if (index >= 0 && index < kCellCount)
            cells[index] = text;
    }
    void SetResultBox(ResultBox, const std::string &) override { }
    void SetStateBox(StateBox, const std::string &) override { }

    StateCells cells;
};

} // namespace

StateCells StateAtPoint(double B, float d, float i)
{
    ChartState chart;
    chart.B = B;
    CellTexts texts;
    PointerReadout(chart, d, i, texts);
    return texts.cells;
}

StateCells StateAtTemperature(double B, float t, SecondProperty property, float value)
{
    const float Pqb = SaturationPressure(t);
    float d = 0.0f;
    float i = 0.0f;
    float Pq = 0.0f;
    float givenPhi = 0.0f;
    switch (property) {
    case SecondProperty::RelativeHumidity:
        givenPhi = CheckedSingle(value / kPercent, FaultCause::TypedNumber);
        Pq = VapourPressureFromPhi(Pqb, givenPhi);
        if (!(Pq < B))
            throw ArithmeticFault(ArithmeticFault::Kind::Invalid,
                                  FaultCause::MoistureFromVapourPressure);
        d = MoistureFromVapourPressure(B, Pq);
        i = EnthalpyFromTemperatureMoisture(t, d);
        break;
    case SecondProperty::Moisture:
        d = value;
        i = EnthalpyFromTemperatureMoisture(t, d);
        break;
    case SecondProperty::Enthalpy:
        i = value;
        d = MoistureFromTemperatureEnthalpy(t, i);
        break;
    case SecondProperty::WetBulb: {
        const WetBulbLineState line = StateOnWetBulbLine(value, t, B);
        d = line.state.d;
        i = line.state.i;
        break;
    }
    }
    if (property != SecondProperty::RelativeHumidity)
        Pq = VapourPressureFromMoisture(B, d);

    // φ as the readout forms it, from Pq and Pqb, unless it was given; shown
    // only up to saturation.
    const float phi
        = property == SecondProperty::RelativeHumidity ? givenPhi : RelativeHumidity(Pqb, Pq);
    StateCells cells;
    cells[kT] = SingleText(t);
    cells[kPqb] = SingleText(Pqb);
    cells[kPhi] = phi <= 1.0f ? SingleText(phi * kPercent) : kOutOfRangeText;
    cells[kPq] = SingleText(Pq);
    cells[kD] = SingleText(d);
    cells[kI] = SingleText(i);
    return cells;
}
