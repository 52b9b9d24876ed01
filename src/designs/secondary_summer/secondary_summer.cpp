#include "designs/secondary_summer/secondary_summer.h"

#include "designs/primary_summer/primary_summer.h"
#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"
#include "text/number_text.h"

using namespace moist_air;

namespace {

namespace msg = secondary_messages;

// A calculation that ends with one of the design's messages.
struct Stopped {
    StopCause cause;
    std::string message;
};

double Checked(double value)
{
    return CheckedDouble(value, FaultCause::SystemCooling);
}

void Calculate(SecondaryOutcome &out, const DesignParameters &parameters, double B)
{
    out.inputs = TakeOverSummer(parameters);
    const SummerInputs &in = *out.inputs;

    // N, W and O exactly as the primary design finds them.
    const StatePoint N = IndoorState(in, B);
    out.states.push_back(Found(StateName::N, N, static_cast<float>(in.tn), B));
    const StatePoint W = OutdoorState(in, B);
    out.states.push_back(Found(StateName::W, W, static_cast<float>(in.tw), B));
    const SupplyState supply = ComputeSupplyState(in, N);
    const StatePoint O = supply.O;
    out.t_o = supply.t_o;
    out.states.push_back(Found(StateName::O, O, static_cast<float>(supply.t_o), B));

    // The supply flow from the room's heat.
    const double DI = static_cast<double>(N.i) - O.i;
    if (DI == 0.0)
        throw Stopped {StopCause::NoEnthalpyDifference, msg::kNoEnthalpyDifference};
    const double G = SupplyFlowByHeat(in, N, O);
    if (!(G > 0.0))
        throw Stopped {StopCause::NegativeFlow, msg::kNegativeFlow};
    out.flows = SecondaryFlows {G, {}, {}, {}, {}};
    SecondaryFlows &flows = *out.flows;

    // L on the line from N through O, beyond O, on the φL curve.
    const float epsilon = CheckedSingle(in.epsilon, FaultCause::epsilon);
    const float phiL = MachineDewPointHumidity(in);
    const SecondaryDewPoint dewPoint = FindSecondaryDewPoint(supply.t_o, epsilon, N, phiL, B);
    if (dewPoint.supplyBeyondCurve)
        throw Stopped {StopCause::SupplyNotBetween, msg::kSupplyNotBetween};
    if (!dewPoint.found)
        throw Stopped {StopCause::LineMissesCurve, msg::kLineMissesCurve};
    out.dewPoint = dewPoint;
    const StatePoint L = dewPoint.L;
    out.states.push_back(Found(StateName::L, L, static_cast<float>(dewPoint.t_L), B));

    // The flows, each written once it passes its check. The coil flow is the
    // energy balance of the second mix: G i_o = G_L i_L + G2 i_n with
    // G2 = G − G_L gives G_L / G = (i_n − i_o) / (i_n − i_L).
    const double DL = static_cast<double>(N.i) - L.i;
    if (!(DL > 0.0))
        throw Stopped {StopCause::NegativeFlow, msg::kNegativeFlow};
    const double G_L = Checked(CheckedDivide(in.Q, DL, FaultCause::SupplyFlowByHeat));
    if (!(G_L > 0.0))
        throw Stopped {StopCause::NegativeFlow, msg::kNegativeFlow};
    flows.G_L = G_L;
    const double G2 = Checked(G - G_L);
    if (G2 < 0.0)
        throw Stopped {StopCause::SupplyNotBetween, msg::kSupplyNotBetween};
    flows.G2 = G2;
    const double G_W = Checked(in.s * G);
    if (G_W < 0.0)
        throw Stopped {StopCause::NegativeFlow, msg::kNegativeFlow};
    flows.G_W = G_W;
    const double G1 = Checked(G_L - G_W);
    if (G1 < 0.0) {
        // The largest fresh-air share that still leaves the coil air as much fresh air.
        const float limit = CheckedSingle(100.0 * G_L / G, FaultCause::SystemCooling);
        throw Stopped {StopCause::FreshShareTooLarge,
                       msg::kFreshShareHead + SingleText(limit) + msg::kFreshShareTail};
    }
    flows.G1 = G1;

    // C1: the coil air's share x of fresh air (the ratio form G_W / G1 would
    // divide by zero when all coil air is fresh air).
    const double x = Checked(CheckedDivide(G_W, G_L, FaultCause::SystemCooling));
    const StatePoint C1 = MixedByShare(N, W, x);
    out.states.push_back(Found(StateName::C1, C1, std::nullopt, B));

    // The coil's capacity: by the two balances, Q + G_W (i_w − i_n).
    out.CoilCapacity = Checked(G_L * (static_cast<double>(C1.i) - L.i));

    // The primary design for the same record: its machine dew point, reheat
    // and system cooling, without drawing and without its message.
    const DewPointSearch primary = FindMachineDewPoint(O.d, phiL, B);
    out.compared = true;
    if (primary.found) {
        const PrimaryLoads loads = PrimaryLoadsOf(G, in.s, N, W, O, primary.L);
        out.primary
            = PrimaryComparison {primary.t_L, primary.L.i, loads.ReheatLoad, loads.SystemCooling};
    }
}

} // namespace

SecondaryDewPoint FindSecondaryDewPoint(double t_o, float epsilon, StatePoint N, float phiL,
                                        double B)
{
    using namespace secondary_scan;
    SecondaryDewPoint scan;
    // Also the loop's bound: at most 130001 temperatures lie between 100 and −30 °C.
    if (t_o < kLowestTemperature || t_o > kHighestSupply)
        return scan;
    for (int k = 0;; ++k) {
        const double t = t_o - k * kStep;
        if (t < kLowestTemperature)
            return scan;
        scan.evaluations = k + 1;
        const float tk = static_cast<float>(t);
        const float Pq = VapourPressureFromPhi(SaturationPressure(tk), phiL);
        const float onCurve = MoistureBelowBarometric(B, Pq);
        const float onLine = ProcessLineMoistureAtTemperature(epsilon, N.i, N.d, tk);
        // Above zero the line point is still drier than φL.
        const float e
            = CheckedSingle(static_cast<double>(onCurve) - onLine, FaultCause::MoistureDifference);
        if (e <= 0.0f) {
            if (k == 0) {
                scan.supplyBeyondCurve = true;
                return scan;
            }
            scan.found = true;
            scan.t_L = t;
            scan.L = StateFromTemperatureHumidity(tk, phiL, B);
            return scan;
        }
    }
}

std::optional<StatePoint> SecondaryOutcome::State(StateName name) const
{
    if (const FoundState *found = FindState(states, name))
        return found->point;
    return std::nullopt;
}

std::optional<double> SecondaryOutcome::Saving() const
{
    if (!primary || !CoilCapacity)
        return std::nullopt;
    return primary->SystemCooling1 - *CoilCapacity;
}

std::optional<float> SecondaryOutcome::SavingShare() const
{
    const std::optional<double> saving = Saving();
    if (!saving || primary->SystemCooling1 == 0.0)
        return std::nullopt;
    return static_cast<float>(100.0 * *saving / primary->SystemCooling1);
}

SecondaryOutcome ComputeSecondarySummer(const DesignParameters &parameters, double B)
{
    SecondaryOutcome out;
    try {
        Calculate(out, parameters, B);
    } catch (const Stopped &stopped) {
        out.stop = Stop {stopped.cause, stopped.message};
    } catch (const ArithmeticFault &) {
        out.stop = Stop {StopCause::ArithmeticFault, secondary_messages::kArithmetic};
    }
    return out;
}
