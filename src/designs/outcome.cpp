#include "designs/outcome.h"

#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

FoundState Found(StateName name, StatePoint point, std::optional<float> t, double B)
{
    using namespace moist_air;
    FoundState state {name, point, t, std::nullopt};
    try {
        const float temperature = t ? *t : TemperatureFromMoistureEnthalpy(point.d, point.i);
        const float Pq = VapourPressureFromMoisture(B, point.d);
        state.phi = RelativeHumidity(SaturationPressure(temperature), Pq);
    } catch (const ArithmeticFault &) {
        // A state off the chart has no relative humidity; the calculation goes on.
    }
    return state;
}

const char *StateLetter(StateName name)
{
    switch (name) {
    case StateName::N:
        return "N";
    case StateName::W:
        return "W";
    case StateName::C:
        return "C";
    case StateName::C1:
        return "C1";
    case StateName::O:
        return "O";
    case StateName::L:
        return "L";
    case StateName::Nw:
        return "N'";
    case StateName::Ww:
        return "W'";
    case StateName::Cw:
        return "C'";
    case StateName::M:
        return "M";
    case StateName::Lw:
        return "L'";
    case StateName::E:
        return "E";
    case StateName::M2:
        return "M2";
    case StateName::Ow:
        return "O'";
    }
    return "";
}

const FoundState *FindState(const std::vector<FoundState> &states, StateName name)
{
    for (const FoundState &state : states)
        if (state.name == name)
            return &state;
    return nullptr;
}
