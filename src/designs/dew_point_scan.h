#pragma once

#include "designs/outcome.h"

// The machine-dew-point scan: from −30 °C upwards in steps of 0.001 K, the
// running temperature accumulated in double precision, until the moisture
// content at phiL is within 0.001 g/kg of the target.
namespace dew_point_scan {
inline constexpr double kStartTemperature = -30.0; // °C
inline constexpr double kStep = 0.001; // K
inline constexpr double kEndTemperature = 100.0; // °C; the scan gives up above it
inline constexpr float kTolerance = 0.001f; // g/kg, compared in single precision
} // namespace dew_point_scan

// The outcome of the machine-dew-point search.
struct DewPointSearch {
    bool found = false;
    // Temperatures the scan examined, the matching one included: 48449 for a
    // match at 18.448 °C, 130000 (−30 … 99.999 °C) when nothing matched.
    int evaluations = 0;
    // The running temperature after its last increment, °C: t_L when found.
    double t_L = 0.0;
    // L on the phi curve at t_L, when found.
    StatePoint L;
};

// L: the first scanned temperature whose moisture content at phi (fraction)
// matches the target d (g/kg), taken one step further (t_L is the running
// temperature after its increment); d_L and i_L are recomputed at t_L.
//
// The result is exactly that of the plain scan, with one exception: where the
// vapour pressure reaches the barometric pressure B. There the plain formula
// would divide by zero (Pq = B) or give a negative moisture content (Pq > B)
// that a negative target could match; here such temperatures carry no
// moisture content and never match. The moisture content along the scan is
// monotonic (rising for phi > 0, falling for phi < 0), so the first match is
// found by bisection over the scan's own temperatures instead of by
// evaluating all of them. A vapour pressure beyond single-precision range (an
// absurd negative phi) met before any match throws ArithmeticFault, as the
// plain scan would.
DewPointSearch FindMachineDewPoint(float target, float phi, double B);
