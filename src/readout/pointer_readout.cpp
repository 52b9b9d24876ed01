#include "readout/pointer_readout.h"

#include "chart/chart_state.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "psychro/state_solver.h"
#include "text/number_text.h"

using namespace moist_air;

namespace {
constexpr int kT = Index(ReadoutCell::t);
constexpr int kPqb = Index(ReadoutCell::Pqb);
constexpr int kPhi = Index(ReadoutCell::phi);
constexpr int kPq = Index(ReadoutCell::Pq);
constexpr int kD = Index(ReadoutCell::d);
constexpr int kI = Index(ReadoutCell::i);
constexpr int kTs = Index(ReadoutCell::ts);
} // namespace

ReadoutTexts PointerReadout(const ChartState &s, float X, float Y)
{
    ReadoutTexts cells;
    const float d = X;
    cells[kD] = SingleText(d);
    const float i = Y;
    cells[kI] = SingleText(i);

    float t = 0.0f, Pqb = 0.0f, Pq = 0.0f;

    bool temperatureKnown = true;
    try {
        t = TemperatureFromMoistureEnthalpy(d, i);
        cells[kT] = SingleText(t);
        Pqb = SaturationPressure(t);
        cells[kPqb] = SingleText(Pqb);
    } catch (const ArithmeticFault &) {
        // Only reachable while a drag takes the pointer far off the chart.
        temperatureKnown = false;
        cells[kT] = kOutOfRangeText;
        cells[kPqb] = kOutOfRangeText;
    }

    bool pressureKnown = true;
    try {
        Pq = VapourPressureFromMoisture(s.B, d);
        cells[kPq] = SingleText(Pq);
    } catch (const ArithmeticFault &) {
        pressureKnown = false;
        cells[kPq] = kOutOfRangeText;
    }

    if (!temperatureKnown || !pressureKnown) {
        cells[kPhi] = kOutOfRangeText;
        cells[kTs] = kOutOfRangeText;
        return cells;
    }
    float phi = 0.0f;
    try {
        // Outside −200…200 °C the saturation pressure is 0 and phi has no value.
        phi = RelativeHumidity(Pqb, Pq);
    } catch (const ArithmeticFault &) {
        cells[kPhi] = kOutOfRangeText;
        cells[kTs] = kOutOfRangeText;
        return cells;
    }
    cells[kPhi] = phi <= 1.0f ? SingleText(phi * 100.0f) : kOutOfRangeText;
    if (phi > 1.0f + state_solver::kSaturationSlack) {
        // Beyond saturation: no wet bulb either. A state past it only by the
        // rounding of its values, as a saturated outdoor state can be, is on
        // the saturation curve and has its wet bulb.
        cells[kTs] = kOutOfRangeText;
        return cells;
    }
    // The wet bulb of (d, i) as the outdoor state of a calculation defines it.
    const std::optional<float> ts = WetBulbTemperature(s.B, d, i);
    cells[kTs] = ts ? SingleText(*ts) : kOutOfRangeText;
    return cells;
}
