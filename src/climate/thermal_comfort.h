#pragma once

#include <optional>

// Thermal comfort by the PMV and PPD indices of ISO 7730:2005 (Fanger's
// heat balance of the human body), as its Annex D computes them.
namespace thermal_comfort {

// What the occupants do and wear, and the air and surfaces around them.
struct PmvConditions {
    double met = 1.2; // metabolic rate, met (1 met = 58.15 W/m², as ISO 7730 Annex D counts it)
    double clo = 0.5; // clothing insulation, clo (1 clo = 0.155 m²·K/W)
    double airSpeed = 0.1; // relative air velocity, m/s
    // Mean radiant temperature, °C; none: equal to the air temperature.
    std::optional<double> meanRadiant;
    double work = 0.0; // effective mechanical power, met
};

// The predicted mean vote at air temperature ta (°C) and water vapour
// partial pressure pa (Pa), the mean radiant temperature being the
// conditions' (or ta). ISO 7730:2005, equations (1) to (4) and the iteration
// for the clothing surface temperature of its Annex D. Nothing when that
// iteration does not settle within its bound (conditions far outside the
// index's range).
std::optional<double> Pmv(const PmvConditions &conditions, double ta, double pa);

// The predicted percentage of dissatisfied for a PMV, %: ISO 7730:2005, equation (5).
double Ppd(double pmv);

} // namespace thermal_comfort
