#include "designs/primary_summer/primary_summer.h"

#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/fault_message.h"

#include <string>

using namespace moist_air;

namespace {

// The steps of the calculation, so that a fault can be told by where it arose.
enum class Stage { Load, Indoor, Outdoor, Mixed, Supply, DewPoint, AirFlows, Loads };

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

// Runs the steps in their order, recording each state as it is found. Answers
// false when the machine dew point cannot be found; a fault propagates.
bool Calculate(PrimaryOutcome &out, const DesignParameters &parameters, double B, Stage &stage)
{
    stage = Stage::Load;
    out.inputs = TakeOverSummer(parameters);
    const SummerInputs &in = *out.inputs;

    stage = Stage::Indoor;
    const StatePoint N = IndoorState(in, B);
    out.states.push_back({StateName::N, N, static_cast<float>(in.tn)});

    stage = Stage::Outdoor;
    const StatePoint W = OutdoorState(in, B);
    out.states.push_back({StateName::W, W, static_cast<float>(in.tw)});

    stage = Stage::Mixed;
    const StatePoint C = PrimaryMixedState(in.s, N, W);
    out.states.push_back({StateName::C, C, std::nullopt});

    stage = Stage::Supply;
    const SupplyState supply = ComputeSupplyState(in, N);
    out.t_o = supply.t_o;
    out.states.push_back({StateName::O, supply.O, static_cast<float>(supply.t_o)});

    stage = Stage::DewPoint;
    out.dewPoint = FindMachineDewPoint(supply.O.d, MachineDewPointHumidity(in), B);
    if (!out.dewPoint->found)
        return false; // without L there is no cooling line, no reheat and no load
    const StatePoint L = out.dewPoint->L;
    out.states.push_back({StateName::L, L, static_cast<float>(out.dewPoint->t_L)});

    stage = Stage::AirFlows;
    out.flows = PrimaryAirFlows(in, N, supply.O);

    stage = Stage::Loads;
    out.loads = PrimaryLoadsOf(out.flows->SupplyFlowByHeat, in.s, N, W, supply.O, L);
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

PrimaryFlows PrimaryAirFlows(const SummerInputs &in, StatePoint N, StatePoint O)
{
    PrimaryFlows flows;
    const FaultCause heat = FaultCause::SupplyFlowByHeat;
    const double enthalpyDrop = static_cast<double>(N.i) - O.i;
    flows.SupplyFlowByHeat = CheckedDouble(CheckedDivide(in.Q, enthalpyDrop, heat), heat);

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
