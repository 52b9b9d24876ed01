#pragma once

#include "designs/design_parameters.h"
#include "designs/outcome.h"

// What the summer designs share: the take-over of the design record and the
// states N (indoor), W (outdoor) and O (supply). Every property value comes
// from the moist-air functions at the barometric pressure B (Pa); every step
// is checked and throws ArithmeticFault with its FaultCause.

// The design record taken over for a calculation: percentages as fractions,
// W in kg/s (a zero W becomes 1.401298E-30 kg/s, so that the heat-moisture
// ratio exists and the room's process line is vertical), epsilon = Q / W.
struct SummerInputs {
    double tn = 0.0; // indoor design temperature, °C
    double phiN = 0.0; // indoor relative humidity, fraction
    double tw = 0.0; // outdoor dry-bulb temperature, °C
    float ts = 0.0f; // outdoor wet-bulb temperature, °C
    double deltaT = 0.0; // supply temperature difference, K
    float s = 0.0f; // fresh-air share of the supply flow, fraction
    double phiL = 0.0; // relative humidity at the machine dew point, fraction
    double Q = 0.0; // indoor residual heat, kW
    float W = 0.0f; // indoor residual moisture, kg/s; never 0
    double epsilon = 0.0; // heat-moisture ratio Q / W, kJ/kg
};
SummerInputs TakeOverSummer(const DesignParameters &parameters);

// N from tn and φn.
StatePoint IndoorState(const SummerInputs &in, double B);

// W where the wet-bulb line of ts meets the isotherm tw.
StatePoint OutdoorState(const SummerInputs &in, double B);

// O on the line of slope epsilon through N at the supply temperature tn − deltaT.
struct SupplyState {
    double t_o = 0.0; // supply temperature, °C
    StatePoint O;
};
SupplyState ComputeSupplyState(const SummerInputs &in, StatePoint N);

// φL as the single-precision fraction the curve of the machine dew point is traced with.
float MachineDewPointHumidity(const SummerInputs &in);
