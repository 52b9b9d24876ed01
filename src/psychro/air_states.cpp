#include "psychro/air_states.h"

#include "portable/std_shims.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <cstdint>

using namespace moist_air;

StatePoint StateFromTemperatureHumidity(float t, float phi, double B)
{
    const float Pq = VapourPressureFromPhi(SaturationPressure(t), phi);
    const float d = MoistureBelowBarometric(B, Pq);
    return {d, EnthalpyFromTemperatureMoisture(t, d)};
}

std::optional<WetBulbLine> WetBulbLineOf(float ts, double B)
{
    WetBulbLine line;
    line.epsilon = CheckedSingle(kWaterHeat * ts, FaultCause::epsilonWetBulb);
    const float saturatedPq = VapourPressureFromPhi(SaturationPressure(ts), 1.0f);
    if (!HasMoistureContent(B, saturatedPq))
        return std::nullopt;
    const float d = MoistureFromVapourPressure(B, saturatedPq);
    line.saturated = {d, EnthalpyFromTemperatureMoisture(ts, d)};
    return line;
}

WetBulbLineState StateOnWetBulbLine(float ts, float t, double B)
{
    const std::optional<WetBulbLine> wetBulb = WetBulbLineOf(ts, B);
    if (!wetBulb)
        throw ArithmeticFault(ArithmeticFault::Kind::Invalid,
                              FaultCause::MoistureFromVapourPressure);
    WetBulbLineState line;
    line.epsilonWetBulb = wetBulb->epsilon;
    line.saturated = wetBulb->saturated;
    line.state = StateOnProcessLine(line.epsilonWetBulb, line.saturated, t);
    return line;
}

StatePoint StateOnProcessLine(float eps, StatePoint through, float t)
{
    const float d = ProcessLineMoistureAtTemperature(eps, through.i, through.d, t);
    return {d, EnthalpyFromTemperatureMoisture(t, d)};
}

float NonZeroMoistureLoad(float W)
{
    constexpr std::uint32_t kReplacementBits = 0x0DE35FA4u; // 1.401298E-30
    return W == 0.0f ? portable::BitCast<float>(kReplacementBits) : W;
}

StatePoint MixedByShare(StatePoint base, StatePoint other, double share)
{
    const auto mix = [share](float a, float b) {
        const double value = static_cast<double>(a) + share * (static_cast<double>(b) - a);
        return CheckedSingle(value, FaultCause::MixedValue);
    };
    return {mix(base.d, other.d), mix(base.i, other.i)};
}
