#include "designs/summer_states.h"

#include "designs/air_states.h"
#include "designs/parameter_table.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

#include <bit>
#include <cstdint>

using namespace moist_air;

namespace {

// W = 0 would leave the heat-moisture ratio undefined; the calculation uses
// this tiny single-precision value instead (1.401298E-30 kg/s), which makes
// the room's process line vertical on the chart.
constexpr std::uint32_t kZeroMoistureReplacementBits = 0x0DE35FA4u;

// A design input in double or single precision; a value beyond the range is
// a fault that names the input as its dialog label does.
double Input(double value, double DesignParameters::*field)
{
    return CheckedDouble(value, FaultCause::DesignParameter, ParameterNameOf(field));
}
float SingleInput(double value, double DesignParameters::*field)
{
    return CheckedSingle(value, FaultCause::DesignParameter, ParameterNameOf(field));
}
float SingleInput(double value, float DesignParameters::*field)
{
    return CheckedSingle(value, FaultCause::DesignParameter, ParameterNameOf(field));
}

} // namespace

SummerInputs TakeOverSummer(const DesignParameters &p)
{
    using D = DesignParameters;
    SummerInputs in;
    in.tn = Input(p.tn, &D::tn);
    in.phiN = Input(p.phiN / kPercent, &D::phiN);
    in.tw = Input(p.tw, &D::tw);
    in.ts = SingleInput(p.ts, &D::ts);
    in.deltaT = Input(p.deltaT, &D::deltaT);
    in.s = SingleInput(p.s / kPercent, &D::s);
    in.phiL = Input(p.phiL / kPercent, &D::phiL);
    in.Q = Input(p.Q, &D::Q);

    float W = SingleInput(static_cast<double>(p.W) / kGramsPerKilogram, &D::W);
    if (W == 0.0f)
        W = std::bit_cast<float>(kZeroMoistureReplacementBits);
    in.W = W;
    in.epsilon = CheckedDouble(CheckedDivide(in.Q, W, FaultCause::epsilon), FaultCause::epsilon);
    return in;
}

StatePoint IndoorState(const SummerInputs &in, double B)
{
    using D = DesignParameters;
    return StateFromTemperatureHumidity(SingleInput(in.tn, &D::tn), SingleInput(in.phiN, &D::phiN),
                                        B);
}

StatePoint OutdoorState(const SummerInputs &in, double B)
{
    return StateOnWetBulbLine(in.ts, SingleInput(in.tw, &DesignParameters::tw), B).state;
}

SupplyState ComputeSupplyState(const SummerInputs &in, StatePoint N)
{
    SupplyState supply;
    supply.t_o = CheckedDouble(in.tn - in.deltaT, FaultCause::t_o);
    const float to = CheckedSingle(supply.t_o, FaultCause::t_o);
    supply.O = StateOnProcessLine(CheckedSingle(in.epsilon, FaultCause::epsilon), N, to);
    return supply;
}

float MachineDewPointHumidity(const SummerInputs &in)
{
    return SingleInput(in.phiL, &DesignParameters::phiL);
}
