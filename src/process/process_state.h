#pragma once

// The working values of the primary-return-air calculation, held by the main
// window for the whole run and overwritten by every calculation.
//
// The precision of each field is deliberate: the result boxes show single
// values with 7 significant digits and double values with 15, and the
// property functions take and return single-precision numbers.
//
// Units: t in °C, Pqb and Pq in Pa, d in g/kg of dry air, i in kJ/kg of dry
// air, epsilon in kJ/kg of moisture, flows in kg/s, loads in kW.
struct ProcessState {
    // Working copy of the design parameters, percentages as fractions and W in kg/s.
    double tn = 0.0; // indoor design temperature, °C
    double phiN = 0.0; // indoor relative humidity, fraction
    double tw = 0.0; // outdoor dry-bulb temperature, °C
    float ts = 0.0f; // outdoor wet-bulb temperature, °C
    double deltaT = 0.0; // supply temperature difference, K
    float s = 0.0f; // fresh-air share, fraction (a ratio of outdoor to return air)
    double phiL = 0.0; // relative humidity at the machine dew point, fraction
    double Q = 0.0; // indoor residual heat, kW
    float W = 0.0f; // indoor residual moisture, kg/s; never 0
    double epsilon = 0.0; // heat-moisture ratio Q / W, kJ/kg

    // N, the indoor state.
    float Pqb_n = 0.0f; // saturation pressure at tn, Pa
    float Pq_n = 0.0f; // vapour pressure, Pa
    float d_n = 0.0f;
    float i_n = 0.0f;

    // W, the outdoor state, found on the wet-bulb line through the saturated state at ts.
    float epsilonWetBulb = 0.0f; // slope of the wet-bulb line, 4.19 · ts, kJ/kg
    float Pqb_s = 0.0f; // saturation pressure at ts, Pa
    float d_s = 0.0f;
    float i_s = 0.0f;
    float d_w = 0.0f;
    float i_w = 0.0f;

    // C, the mixture of outdoor and return air.
    float d_c = 0.0f;
    float i_c = 0.0f;

    // O, the supply state.
    double t_o = 0.0; // supply temperature tn − deltaT, °C
    float d_o = 0.0f;
    float i_o = 0.0f;

    // L, the machine dew point; during the search d_L holds the target d_o.
    double t_L = 0.0; // °C
    float Pqb_L = 0.0f; // Pa
    float Pq_L = 0.0f; // Pa
    float d_L = 0.0f;
    float i_L = 0.0f;

    // Air flows and loads.
    double SupplyFlowByHeat = 0.0; // kg/s
    float MoistureDifference = 0.0f; // d_n − d_o, g/kg
    float SupplyFlowByMoisture = 0.0f; // kg/s
    double Q1 = 0.0; // indoor cooling load, kW
    double Q2 = 0.0; // fresh-air cooling load, kW
    float ReheatLoad = 0.0f; // reheat from L to O, kW
    double SystemCooling = 0.0; // system cooling capacity, kW

    // Temperatures the machine-dew-point scan of this calculation examined; 0
    // until it has run to a match or to its end.
    int dewPointEvaluations = 0;
};
