#include "designs/primary_summer/primary_summer.h"

#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/fault_message.h"

#include <string>

using namespace moist_air;

namespace {

using Stage = PrimaryStep;

// What the user is told the calculation was doing when a fault stopped it.
const char *Activity(Stage stage)
{
    switch (stage) {
    case Stage::Load:
        return "读取设计参数";
    case Stage::Indoor:
        return "计算室内状态点N";
    case Stage::Outdoor:
        return "计算室外状态点W";
    case Stage::Mixed:
        return "计算混合状态点C";
    case Stage::Supply:
        return "计算送风状态点O";
    case Stage::DewPoint:
        return "寻找机器露点L";
    case Stage::AirFlows:
        return "计算送风量";
    case Stage::Loads:
        return "计算冷负荷";
    }
    return "一次回风计算";
}

// The message for a fault: the cause in the user's terms where the parameters
// can produce it, otherwise the step, the kind of fault and the quantity.
std::string CauseMessage(Stage stage, const ArithmeticFault &fault)
{
    namespace msg = primary_messages;
    const bool zeroDivisor = fault.kind() == ArithmeticFault::Kind::DivisionByZero;

    switch (fault.cause()) {
    case FaultCause::MoistureFromVapourPressure:
        if (stage == Stage::Indoor)
            return msg::kIndoorVapourPressure;
        if (stage == Stage::Outdoor)
            return msg::kWetBulbVapourPressure;
        if (stage == Stage::DewPoint)
            return msg::kDewPointVapourPressure;
        break;
    case FaultCause::ProcessLine:
        if (zeroDivisor && stage == Stage::Outdoor)
            return msg::kWetBulbLineParallel;
        if (zeroDivisor && stage == Stage::Supply)
            return msg::kProcessLineParallel;
        break;
    case FaultCause::SupplyFlowByHeat:
        if (zeroDivisor)
            return msg::kEqualEnthalpy;
        break;
    default:
        break;
    }
    return FaultMessage(Activity(stage), fault);
}

float Single(double value, FaultCause cause)
{
    return CheckedSingle(value, cause);
}

// Carries out one step on what the steps before it found, recording its
// states. Answers false when the machine dew point cannot be found; a fault
// propagates.
bool Carry(PrimaryOutcome &out, Stage step, const DesignParameters &parameters, double B)
{
    const auto state = [&out](StateName name) { return *out.State(name); };
    switch (step) {
    case Stage::Load:
        out.inputs = TakeOverSummer(parameters);
        break;
    case Stage::Indoor:
        out.states.push_back(Found(StateName::N, IndoorState(*out.inputs, B),
                                   static_cast<float>(out.inputs->tn), B));
        break;
    case Stage::Outdoor:
        out.states.push_back(Found(StateName::W, OutdoorState(*out.inputs, B),
                                   static_cast<float>(out.inputs->tw), B));
        break;
    case Stage::Mixed:
        out.states.push_back(
            Found(StateName::C,
                  PrimaryMixedState(out.inputs->s, state(StateName::N), state(StateName::W)),
                  std::nullopt, B));
        break;
    case Stage::Supply: {
        const SupplyState supply = ComputeSupplyState(*out.inputs, state(StateName::N));
        out.t_o = supply.t_o;
        out.states.push_back(Found(StateName::O, supply.O, static_cast<float>(supply.t_o), B));
        break;
    }
    case Stage::DewPoint:
        out.dewPoint
            = FindMachineDewPoint(state(StateName::O).d, MachineDewPointHumidity(*out.inputs), B);
        if (!out.dewPoint->found)
            return false; // without L there is no cooling line, no reheat and no load
        out.states.push_back(
            Found(StateName::L, out.dewPoint->L, static_cast<float>(out.dewPoint->t_L), B));
        break;
    case Stage::AirFlows:
        out.flows = PrimaryAirFlows(*out.inputs, state(StateName::N), state(StateName::O));
        break;
    case Stage::Loads:
        out.loads = PrimaryLoadsOf(out.flows->SupplyFlowByHeat, out.inputs->s, state(StateName::N),
                                   state(StateName::W), state(StateName::O), state(StateName::L));
        break;
    }
    return true;
}

// Runs the steps in their order. Answers false when the machine dew point
// cannot be found; a fault propagates, `stage` telling where it arose.
bool Calculate(PrimaryOutcome &out, const DesignParameters &parameters, double B, Stage &stage)
{
    for (const Stage step : kPrimarySteps) {
        stage = step;
        const bool found = Carry(out, step, parameters, B);
        out.steps.push_back(step);
        if (!found)
            return false;
    }
    return true;
}

} // namespace

std::optional<StatePoint> PrimaryOutcome::State(StateName name) const
{
    if (const FoundState *found = FindState(states, name))
        return found->point;
    return std::nullopt;
}

StatePoint PrimaryMixedState(float s, StatePoint N, StatePoint W)
{
    // s is the fresh air's share of the supply flow, as in the fresh-air load
    // Q2 = G s (i_w − i_n): C lies s of the way from N to W, so that the
    // system cooling is G (i_c − i_L) up to rounding.
    return MixedByShare(N, W, s);
}

double SupplyFlowByHeat(const SummerInputs &in, StatePoint N, StatePoint O)
{
    const FaultCause heat = FaultCause::SupplyFlowByHeat;
    const double enthalpyDrop = static_cast<double>(N.i) - O.i;
    return CheckedDouble(CheckedDivide(in.Q, enthalpyDrop, heat), heat);
}

PrimaryFlows PrimaryAirFlows(const SummerInputs &in, StatePoint N, StatePoint O)
{
    PrimaryFlows flows;
    flows.SupplyFlowByHeat = SupplyFlowByHeat(in, N, O);

    flows.MoistureDifference
        = Single(static_cast<double>(N.d) - O.d, FaultCause::MoistureDifference);
    if (flows.MoistureDifference != 0.0f) {
        // 1000 · W is the residual moisture in g/s again, matching d in g/kg.
        const double moisture = kGramsPerKilogram * in.W;
        flows.SupplyFlowByMoisture = Single(
            CheckedDivide(moisture, flows.MoistureDifference, FaultCause::SupplyFlowByMoisture),
            FaultCause::SupplyFlowByMoisture);
    }
    return flows;
}

PrimaryLoads PrimaryLoadsOf(double G, float s, StatePoint N, StatePoint W, StatePoint O,
                            StatePoint L)
{
    PrimaryLoads loads;
    loads.Q1 = CheckedDouble(G * (static_cast<double>(N.i) - O.i), FaultCause::Q1);
    // The fresh-air flow is s times the supply flow.
    loads.Q2 = CheckedDouble(G * s * (static_cast<double>(W.i) - N.i), FaultCause::Q2);
    loads.ReheatLoad = Single(G * (static_cast<double>(O.i) - L.i), FaultCause::ReheatLoad);
    loads.SystemCooling
        = CheckedDouble((loads.Q1 + loads.Q2) + loads.ReheatLoad, FaultCause::SystemCooling);
    return loads;
}

PrimaryOutcome ComputePrimarySummer(const DesignParameters &parameters, double B)
{
    PrimaryOutcome out;
    Stage stage = Stage::Load;
    try {
        if (!Calculate(out, parameters, B, stage))
            out.stop = Stop {StopCause::DewPointNotFound, primary_messages::kDewPointNotFound};
    } catch (const ArithmeticFault &fault) {
        const bool noFlow = fault.cause() == FaultCause::SupplyFlowByHeat
            && fault.kind() == ArithmeticFault::Kind::DivisionByZero;
        out.stop = Stop {noFlow ? StopCause::NoEnthalpyDifference : StopCause::ArithmeticFault,
                         CauseMessage(stage, fault)};
    }
    return out;
}
