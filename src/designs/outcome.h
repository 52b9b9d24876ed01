#pragma once

#include "psychro/state_point.h"

#include <optional>
#include <string>
#include <vector>

// What every design calculation gives back: the states it found, in the order
// it found them, and, when it stopped, why. The design-specific flows and
// loads live in each design's own outcome beside these.

// The letters of the states the designs find. The winter states carry a prime.
enum class StateName {
    N, // indoor
    W, // outdoor
    C, // mixture of outdoor and return air
    C1, // first mixture of the secondary design
    O, // supply
    L, // machine dew point
    Nw, // N'
    Ww, // W'
    Cw, // C'
    M, // the mixture after preheating
    Lw, // L'
    E, // the humidifier's end state without preheat
    M2, // the steam humidifier's heated state
    Ow, // O'
};

// The letter as the chart and the tables write it ("N", "C1", "O'").
const char *StateLetter(StateName name);

// One state of a calculation, with the temperature the calculation worked
// with where it has one (°C, single precision), and its relative humidity
// (fraction) where it can be formed.
struct FoundState {
    StateName name;
    StatePoint point;
    std::optional<float> t;
    std::optional<float> phi;
};

// A state as a calculation records it: its relative humidity is that of its
// temperature (the calculation's, or the chart's at its d and i) and its
// moisture content at the barometric pressure B (Pa).
FoundState Found(StateName name, StatePoint point, std::optional<float> t, double B);

// Why a calculation stopped.
enum class StopCause {
    ImpossibleInput, // an input no air can have; the calculation did not start
    ArithmeticFault, // a zero divisor, an overflow or an invalid operation
    DewPointNotFound, // the machine-dew-point scan found no match
    NoEnthalpyDifference, // the supply state has the room's enthalpy: no supply flow
    NegativeFlow, // an air flow that is not positive
    LineMissesCurve, // the room's process line does not meet the φL curve
    SupplyNotBetween, // the supply state is not between the room and the machine dew point
    FreshShareTooLarge, // more fresh air than coil air
    SummerFlowUnknown, // the winter design has no summer supply flow
    NoHumidification, // the winter mixture is already as moist as the supply
    NoHeating, // the winter supply is not warmer than the air before the heater
};

// A calculation that stopped: why, and the message the user is shown.
// Everything found before the stop stays in the outcome.
struct Stop {
    StopCause cause;
    std::string message;
};

// The found states of an outcome, looked up by name.
const FoundState *FindState(const std::vector<FoundState> &states, StateName name);
