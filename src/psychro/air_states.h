#pragma once

#include "psychro/state_point.h"

#include <optional>

// The states every design builds on, from the moist-air functions at the
// barometric pressure B (Pa). Each throws ArithmeticFault when a value cannot
// be formed; a vapour pressure at or above B carries
// FaultCause::MoistureFromVapourPressure.

// The state of temperature t (°C) and relative humidity phi (fraction): d from
// the vapour pressure phi · Pqb(t), i from t and d.
StatePoint StateFromTemperatureHumidity(float t, float phi, double B);

// The wet-bulb line of ts: slope 4.19 · ts (kJ/kg) through the saturated
// state at ts. None where the saturation pressure at ts reaches B.
struct WetBulbLine {
    float epsilon = 0.0f;
    StatePoint saturated;
};
std::optional<WetBulbLine> WetBulbLineOf(float ts /* °C */, double B /* Pa */);

// The wet-bulb line of ts and the state where it meets the isotherm t.
struct WetBulbLineState {
    float epsilonWetBulb = 0.0f; // slope of the line, kJ/kg
    StatePoint saturated; // the saturated state at ts
    StatePoint state; // the state at t
};
WetBulbLineState StateOnWetBulbLine(float ts /* °C */, float t /* °C */, double B /* Pa */);

// The state at temperature t on the process line of slope eps (kJ/kg) through `through`.
StatePoint StateOnProcessLine(float eps, StatePoint through, float t);

// A moisture load in kg/s as the calculations use it: 0 becomes the tiny
// single-precision value 1.401298E-30 kg/s, so that the heat-moisture ratio
// exists and the room's process line is vertical on the chart.
float NonZeroMoistureLoad(float W);

// The mixture of a share (fraction, single precision) of `other` with the rest
// of `base`: d = d_base + share · (d_other − d_base), i likewise, each in
// double precision from the single values and rounded once.
StatePoint MixedByShare(StatePoint base, StatePoint other, double share);
