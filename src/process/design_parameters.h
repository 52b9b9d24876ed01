#pragma once

// The nine design parameters of the primary-return-air process as the
// parameter dialog stores them: percentages stay percentages, W stays in g/s.
// One record serves the whole run; empty (all 0) until the dialog's first OK.
struct DesignParameters {
    double tn = 0.0; // indoor design temperature, °C
    double phiN = 0.0; // indoor relative humidity, %
    double tw = 0.0; // outdoor dry-bulb temperature, °C
    double ts = 0.0; // outdoor wet-bulb temperature, °C
    double deltaT = 0.0; // supply temperature difference, K
    double s = 0.0; // fresh-air percentage, %
    double phiL = 0.0; // relative humidity at the machine dew point, %
    double Q = 0.0; // indoor residual heat, kW
    float W = 0.0f; // indoor residual moisture, g/s (single precision)
};
