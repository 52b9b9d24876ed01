#include "designs/primary_winter/primary_winter.h"

#include "designs/parameter_table.h"
#include "designs/primary_summer/primary_summer.h"
#include "designs/summer_states.h"
#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

using namespace moist_air;

namespace {

float Single(double value, FaultCause cause)
{
    return CheckedSingle(value, cause);
}

// The summer supply flow G = Q / (i_n − i_o) of the summer record, as the
// primary design finds it, or none when the record gives no positive flow. A
// fault propagates.
std::optional<double> SummerSupplyFlow(const DesignParameters &summer, double B)
{
    const SummerInputs in = TakeOverSummer(summer);
    const StatePoint N = IndoorState(in, B);
    const double G = SupplyFlowByHeat(in, N, ComputeSupplyState(in, N).O);
    if (!(G > 0.0))
        return std::nullopt;
    return G;
}

// Whether the mix lies beyond the saturation curve: more moisture than
// saturated air of its temperature holds.
bool InFogRegion(StatePoint C, float t, double B)
{
    const float saturated = VapourPressureFromPhi(SaturationPressure(t), 1.0f);
    return HasMoistureContent(B, saturated) && C.d > MoistureFromVapourPressure(B, saturated);
}

Stop StopWith(StopCause cause, const char *message)
{
    return Stop {cause, message};
}

// The steps after the supply flow, each state recorded as it is found.
// Answers the stop of a condition the design names; a fault propagates.
std::optional<Stop> Calculate(WinterOutcome &out, const WinterParameters &winter, double G,
                              double B)
{
    namespace msg = winter_messages;
    out.inputs = TakeOverWinter(winter);
    const WinterInputs &in = *out.inputs;
    using P = WinterParameters;

    const StatePoint N = StateFromTemperatureHumidity(CheckedSingleInput(in.tn, &P::tnW),
                                                      CheckedSingleInput(in.phiN, &P::phiNW), B);
    out.states.push_back(Found(StateName::Nw, N, static_cast<float>(in.tn), B));
    const StatePoint W = StateFromTemperatureHumidity(CheckedSingleInput(in.tw, &P::twW),
                                                      CheckedSingleInput(in.phiW, &P::phiWW), B);
    out.states.push_back(Found(StateName::Ww, W, static_cast<float>(in.tw), B));

    // C' as a share of G, so the fresh-air load is s' · G · (i_n' − i_w').
    const StatePoint C = MixedByShare(N, W, in.s);
    const float t_c = TemperatureFromMoistureEnthalpy(C.d, C.i);
    out.states.push_back(Found(StateName::Cw, C, t_c, B));
    if (InFogRegion(C, t_c, B))
        out.advisory = msg::kFog;

    // O' from the two balances of the room: its moisture gain and its heat loss.
    const StatePoint O {
        Single(static_cast<double>(N.d) - kGramsPerKilogram * in.W / G, FaultCause::t_o),
        Single(static_cast<double>(N.i) + in.Qh / G, FaultCause::t_o)};
    out.t_o = TemperatureFromMoistureEnthalpy(O.d, O.i);
    out.states.push_back(Found(StateName::Ow, O, *out.t_o, B));

    if (C.d >= O.d)
        return StopWith(StopCause::NoHumidification, msg::kNoHumidification);

    const double hourly = kGramsPerSecondToKilogramsPerHour * G;
    WinterLoads loads;
    if (in.mode == Humidifier::Steam) {
        // Heated at constant d to the steam line through O'.
        const StatePoint M2 {C.d,
                             Single(static_cast<double>(O.i)
                                        - kSteamEnthalpyPerGram * (static_cast<double>(O.d) - C.d),
                                    FaultCause::ReheatLoad)};
        out.states.push_back(Found(StateName::M2, M2, std::nullopt, B));
        if (static_cast<double>(M2.i) - C.i <= 0.0)
            return StopWith(StopCause::NoHeating, msg::kNoHeating);
        loads.preheat = CheckedDouble(G * (static_cast<double>(M2.i) - C.i), FaultCause::Q1);
        out.preheat = loads.preheat;
        loads.reheat = 0.0;
        loads.humidifier = CheckedDouble(hourly * (static_cast<double>(O.d) - C.d), FaultCause::Q2);
    } else {
        out.dewPoint = FindMachineDewPoint(O.d, CheckedSingleInput(in.phiL, &P::phiLW), B);
        if (!out.dewPoint->found)
            return StopWith(StopCause::DewPointNotFound, msg::kDewPointNotFound);
        const StatePoint L = out.dewPoint->L;
        // Spray below the limit enthalpy i_L' cannot reach L': preheat first.
        out.preheated = C.i < L.i;
        StatePoint E;
        if (out.preheated) {
            out.states.push_back(Found(StateName::Lw, L, static_cast<float>(out.dewPoint->t_L), B));
            out.states.push_back(Found(StateName::M, {C.d, L.i}, std::nullopt, B));
            E = L;
        } else {
            // The spray adds only what O' needs, along i = i_c'.
            E = {O.d, C.i};
            out.states.push_back(Found(StateName::E, E, std::nullopt, B));
        }
        const float i_M = out.preheated ? L.i : C.i;
        loads.preheat = CheckedDouble(G * (static_cast<double>(i_M) - C.i), FaultCause::Q1);
        out.preheat = loads.preheat;
        if (static_cast<double>(O.i) - E.i <= 0.0)
            return StopWith(StopCause::NoHeating, msg::kNoHeating);
        loads.reheat = CheckedDouble(G * (static_cast<double>(O.i) - E.i), FaultCause::ReheatLoad);
        loads.humidifier = CheckedDouble(hourly * (static_cast<double>(E.d) - C.d), FaultCause::Q2);
    }
    loads.heating = CheckedDouble(loads.preheat + loads.reheat, FaultCause::SystemCooling);
    out.loads = loads;
    return std::nullopt;
}

} // namespace

WinterInputs TakeOverWinter(const WinterParameters &p)
{
    using P = WinterParameters;
    WinterInputs in;
    in.tn = TakenOver(p, &P::tnW);
    in.phiN = TakenOver(p, &P::phiNW);
    in.tw = TakenOver(p, &P::twW);
    in.phiW = TakenOver(p, &P::phiWW);
    in.Qh = TakenOver(p, &P::Qh);
    in.s = TakenOverSingle(p, &P::sW);
    in.phiL = TakenOver(p, &P::phiLW);
    in.W = NonZeroMoistureLoad(TakenOverSingle(p, &P::WW));
    in.epsilon
        = CheckedDouble(CheckedDivide(-in.Qh, in.W, FaultCause::epsilon), FaultCause::epsilon);
    in.mode = p.Mode;
    return in;
}

std::optional<StatePoint> WinterOutcome::State(StateName name) const
{
    if (const FoundState *found = FindState(states, name))
        return found->point;
    return std::nullopt;
}

const FoundState *WinterOutcome::EndState() const
{
    for (StateName name : {StateName::Lw, StateName::E, StateName::M2})
        if (const FoundState *found = FindState(states, name))
            return found;
    return nullptr;
}

WinterOutcome ComputePrimaryWinter(const DesignParameters &summer, const WinterParameters &winter,
                                   double B)
{
    WinterOutcome out;
    try {
        out.G = SummerSupplyFlow(summer, B);
    } catch (const ArithmeticFault &) {
        out.G.reset();
    }
    if (!out.G) {
        out.stop = StopWith(StopCause::SummerFlowUnknown, winter_messages::kSummerFlowUnknown);
        return out;
    }
    try {
        out.stop = Calculate(out, winter, *out.G, B);
    } catch (const ArithmeticFault &) {
        out.stop = StopWith(StopCause::ArithmeticFault, winter_messages::kArithmetic);
    }
    return out;
}
