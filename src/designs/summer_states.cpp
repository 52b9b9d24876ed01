#include "designs/summer_states.h"

#include "designs/air_states.h"
#include "designs/parameter_table.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

using namespace moist_air;

SummerInputs TakeOverSummer(const DesignParameters &p)
{
    using D = DesignParameters;
    SummerInputs in;
    in.tn = CheckedInput(p.tn, &D::tn);
    in.phiN = CheckedInput(p.phiN / kPercent, &D::phiN);
    in.tw = CheckedInput(p.tw, &D::tw);
    in.ts = CheckedSingleInput(p.ts, &D::ts);
    in.deltaT = CheckedInput(p.deltaT, &D::deltaT);
    in.s = CheckedSingleInput(p.s / kPercent, &D::s);
    in.phiL = CheckedInput(p.phiL / kPercent, &D::phiL);
    in.Q = CheckedInput(p.Q, &D::Q);

    in.W = NonZeroMoistureLoad(
        CheckedSingleInput(static_cast<double>(p.W) / kGramsPerKilogram, &D::W));
    in.epsilon = CheckedDouble(CheckedDivide(in.Q, in.W, FaultCause::epsilon), FaultCause::epsilon);
    return in;
}

StatePoint IndoorState(const SummerInputs &in, double B)
{
    using D = DesignParameters;
    return StateFromTemperatureHumidity(CheckedSingleInput(in.tn, &D::tn),
                                        CheckedSingleInput(in.phiN, &D::phiN), B);
}

StatePoint OutdoorState(const SummerInputs &in, double B)
{
    return StateOnWetBulbLine(in.ts, CheckedSingleInput(in.tw, &DesignParameters::tw), B).state;
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
    return CheckedSingleInput(in.phiL, &DesignParameters::phiL);
}
