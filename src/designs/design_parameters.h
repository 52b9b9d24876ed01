#pragma once

// The nine design parameters of the summer return-air designs as the
// parameter dialogs store them: percentages stay percentages, W stays in g/s.
// One record serves the whole run and both summer dialogs; empty (all 0)
// until the first OK.
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

// How the winter design humidifies the mixed and heated air.
enum class Humidifier {
    Spray, // 喷循环水: adiabatic spray with circulating water, close to constant enthalpy
    Steam, // 喷蒸汽: dry steam at 100 °C, close to constant temperature
};

// The inputs of the primary-return-air winter design, as its dialog stores
// them (percentages as percentages, W' in g/s). Empty (all 0, spray) until
// the winter dialog's first OK.
struct WinterParameters {
    double tnW = 0.0; // winter indoor design temperature, °C
    double phiNW = 0.0; // winter indoor relative humidity, %
    double twW = 0.0; // winter outdoor design temperature, °C
    double phiWW = 0.0; // winter outdoor relative humidity, %
    double Qh = 0.0; // winter heat load of the room, kW, positive when the room loses heat
    float WW = 0.0f; // winter residual moisture of the room, g/s (single precision)
    double sW = 0.0; // winter fresh-air percentage of the supply flow, %
    double phiLW = 0.0; // relative humidity at the winter machine dew point (spray), %
    Humidifier Mode = Humidifier::Spray;
};
