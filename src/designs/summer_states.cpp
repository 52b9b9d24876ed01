#include "designs/summer_states.h"

#include "designs/parameter_table.h"
#include "psychro/air_states.h"
#include "psychro/arithmetic_fault.h"
#include "psychro/moist_air.h"

using namespace moist_air;

SummerInputs TakeOverSummer(const DesignParameters &p)
{
    using D = DesignParameters;
    SummerInputs in;
    in.tn = TakenOver(p, &D::tn);
    in.phiN = TakenOver(p, &D::phiN);
    in.tw = TakenOver(p, &D::tw);
    in.ts = TakenOverSingle(p, &D::ts);
    in.deltaT = TakenOver(p, &D::deltaT);
    in.s = TakenOverSingle(p, &D::s);
    in.phiL = TakenOver(p, &D::phiL);
    in.Q = TakenOver(p, &D::Q);
    in.W = NonZeroMoistureLoad(TakenOverSingle(p, &D::W));
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
