#pragma once

// The summer design calculation of a primary-return-air system: the states
// N (indoor), W (outdoor), C (mixture), O (supply) and L (machine dew point),
// the supply air flows and the loads. Each step reads and writes ProcessState
// and relies on the steps before it, in the order declared here.
//
// Every property value comes from the moist-air functions at the barometric
// pressure B (Pa). Every arithmetic step is checked: a zero divisor, an
// overflow (also past single-precision range) or an invalid operation throws
// ArithmeticFault with its FaultCause, and no step stores inf or NaN.

struct DesignParameters;
struct ProcessState;

// The machine-dew-point scan: from −30 °C upwards in steps of 0.001 K, the
// running temperature accumulated in double precision, until the moisture
// content at phiL is within 0.001 g/kg of the supply state's.
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
};

// Takes the design record over: percentages become fractions, W becomes kg/s
// (a zero W becomes 1.401298E-30 kg/s, so that the heat-moisture ratio exists
// and the room's process line is vertical), epsilon = Q / W.
void LoadDesignParameters(ProcessState &state, const DesignParameters &parameters);

// N from tn and phiN.
void ComputeIndoorState(ProcessState &state, double B);

// The wet-bulb line of ts, slope 4.19 · ts through the saturated state at ts,
// and the state where it meets the isotherm t.
struct WetBulbLineState {
    float epsilonWetBulb = 0.0f; // slope of the line, kJ/kg
    float Pqb_s = 0.0f; // saturation pressure at ts, Pa
    float d_s = 0.0f; // the saturated state at ts, g/kg and kJ/kg
    float i_s = 0.0f;
    float d = 0.0f; // the state at t, g/kg and kJ/kg
    float i = 0.0f;
};
WetBulbLineState StateOnWetBulbLine(float ts /* °C */, double t /* °C */, double B /* Pa */);

// W where the wet-bulb line of ts meets the isotherm tw.
void ComputeOutdoorState(ProcessState &state, double B);

// C = mixture of s parts of outdoor air with one part of return air.
void ComputeMixedState(ProcessState &state);

// O on the line of slope epsilon through N at the supply temperature tn − deltaT.
void ComputeSupplyState(ProcessState &state);

// L: the first scanned temperature whose moisture content at phiL matches d_o,
// taken one step further (t_L is the running temperature after its increment);
// d_L and i_L are recomputed at t_L. When nothing matches below 100 °C, L is
// left unset (d_L still holds the target) and the result says so.
//
// The result is exactly that of the plain scan, with one exception: where the
// vapour pressure reaches the barometric pressure B. There the plain formula
// would divide by zero (Pq = B) or give a negative moisture content (Pq > B)
// that a negative target could match; here such temperatures carry no
// moisture content and never match. The moisture content along the scan is
// monotonic (rising for phiL > 0, falling for phiL < 0), so the first match is
// found by bisection over the scan's own temperatures instead of by
// evaluating all of them. A vapour
// pressure beyond single-precision range (an absurd negative phiL) met before
// any match throws ArithmeticFault, as the plain scan would.
DewPointSearch FindMachineDewPoint(ProcessState &state, double B);

// The five states in their order, from the design record, without drawing or
// writing anything: LoadDesignParameters, N, W, C, O and the search for L.
DewPointSearch ComputeProcessStates(ProcessState &state, const DesignParameters &parameters,
                                    double B);

// SupplyFlowByHeat = Q / (i_n − i_o); MoistureDifference = d_n − d_o;
// SupplyFlowByMoisture = 1000 · W / MoistureDifference, left as it was when the
// difference is 0.
void ComputeAirFlows(ProcessState &state);

// Q1, Q2, ReheatLoad and SystemCooling = (Q1 + Q2) + ReheatLoad.
void ComputeLoads(ProcessState &state);
