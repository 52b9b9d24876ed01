#include "readout/pointer_readout.h"

#include "chart/chart_state.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "ui/main_window_texts.h"
#include "ui/number_text.h"

using namespace moist_air;

namespace {
enum Cell { kT = 0, kPqb = 1, kPhi = 2, kPq = 3, kD = 4, kI = 5 };
}

void PointerReadout(ChartState &s, float X, float Y, MainWindowTexts &texts)
{
    s.d = X;
    texts.SetReadoutCell(kD, SingleText(s.d));
    s.i = Y;
    texts.SetReadoutCell(kI, SingleText(s.i));

    bool temperatureKnown = true;
    try {
        s.t = TemperatureFromMoistureEnthalpy(s.d, s.i);
        texts.SetReadoutCell(kT, SingleText(s.t));
        s.Pqb = SaturationPressure(s.t);
        texts.SetReadoutCell(kPqb, SingleText(s.Pqb));
    } catch (const ArithmeticFault &) {
        // Only reachable while a drag takes the pointer far off the chart.
        temperatureKnown = false;
        texts.SetReadoutCell(kT, kOutOfRangeText);
        texts.SetReadoutCell(kPqb, kOutOfRangeText);
    }

    bool pressureKnown = true;
    try {
        s.Pq = VapourPressureFromMoisture(s.B, s.d);
        texts.SetReadoutCell(kPq, SingleText(s.Pq));
    } catch (const ArithmeticFault &) {
        pressureKnown = false;
        texts.SetReadoutCell(kPq, kOutOfRangeText);
    }

    if (!temperatureKnown || !pressureKnown) {
        texts.SetReadoutCell(kPhi, kOutOfRangeText);
        return;
    }
    try {
        // Outside −200…200 °C the saturation pressure is 0 and phi has no value.
        s.phi = RelativeHumidity(s.Pqb, s.Pq);
    } catch (const ArithmeticFault &) {
        texts.SetReadoutCell(kPhi, kOutOfRangeText);
        return;
    }
    if (s.phi <= 1.0f)
        texts.SetReadoutCell(kPhi, SingleText(s.phi * 100.0f));
    else
        texts.SetReadoutCell(kPhi, kOutOfRangeText);
}
