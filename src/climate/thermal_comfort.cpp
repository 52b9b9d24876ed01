#include "climate/thermal_comfort.h"

#include <algorithm>
#include <cmath>

namespace thermal_comfort {

namespace {

    // ISO 7730:2005 Annex D: W/m² of body surface per met, m²·K/W per clo.
    constexpr double kWattsPerMet = 58.15;
    constexpr double kInsulationPerClo = 0.155;
    // Kelvin as the Annex's program adds them.
    constexpr double kKelvin = 273.0;
    // The iteration for the clothing surface temperature stops when two guesses
    // (in hundreds of kelvin) differ by less than this, and gives up after this
    // many steps, as the Annex's program does.
    constexpr double kSettled = 0.00015;
    constexpr int kMostSteps = 150;

} // namespace

std::optional<double> Pmv(const PmvConditions &conditions, double ta, double pa)
{
    const double tr = conditions.meanRadiant.value_or(ta);
    const double M = conditions.met * kWattsPerMet;
    const double W = conditions.work * kWattsPerMet;
    const double MW = M - W; // internal heat production
    const double Icl = conditions.clo * kInsulationPerClo;
    // Clothing area factor, equation (4).
    const double fcl = Icl <= 0.078 ? 1.0 + 1.29 * Icl : 1.05 + 0.645 * Icl;
    // Forced convection, equation (3).
    const double hcf = 12.1 * std::sqrt(std::max(conditions.airSpeed, 0.0));
    const double taa = ta + kKelvin;
    const double tra = tr + kKelvin;

    // Clothing surface temperature tcl, equation (2), by the Annex's iteration
    // on tcl / 100 (in kelvin), starting from its first guess.
    const double tcla = taa + (35.5 - ta) / (3.5 * Icl + 0.1);
    const double p1 = Icl * fcl;
    const double p2 = p1 * 3.96;
    const double p3 = p1 * 100.0;
    const double p4 = p1 * taa;
    const double tra100 = tra / 100.0;
    const double p5 = 308.7 - 0.028 * MW + p2 * tra100 * tra100 * tra100 * tra100;
    double xn = tcla / 100.0;
    double xf = tcla / 50.0;
    double hc = hcf;
    int steps = 0;
    while (std::fabs(xn - xf) > kSettled) {
        if (++steps > kMostSteps || !std::isfinite(xn))
            return std::nullopt;
        xf = (xf + xn) / 2.0;
        // Natural convection, equation (3).
        const double hcn = 2.38 * std::pow(std::fabs(100.0 * xf - taa), 0.25);
        hc = std::max(hcf, hcn);
        const double xf4 = xf * xf * xf * xf;
        xn = (p5 + p4 * hc - p2 * xf4) / (100.0 + p3 * hc);
    }
    const double tcl = 100.0 * xn - kKelvin;

    // The heat losses of equation (1).
    const double skinDiffusion = 3.05e-3 * (5733.0 - 6.99 * MW - pa);
    const double sweating = MW > kWattsPerMet ? 0.42 * (MW - kWattsPerMet) : 0.0;
    const double latentRespiration = 1.7e-5 * M * (5867.0 - pa);
    const double dryRespiration = 0.0014 * M * (34.0 - ta);
    const double xn4 = xn * xn * xn * xn;
    const double radiation = 3.96 * fcl * (xn4 - tra100 * tra100 * tra100 * tra100);
    const double convection = fcl * hc * (tcl - ta);
    const double sensitivity = 0.303 * std::exp(-0.036 * M) + 0.028;
    const double pmv = sensitivity
        * (MW - skinDiffusion - sweating - latentRespiration - dryRespiration - radiation
           - convection);
    if (!std::isfinite(pmv))
        return std::nullopt;
    return pmv;
}

double Ppd(double pmv)
{
    const double pmv2 = pmv * pmv;
    return 100.0 - 95.0 * std::exp(-0.03353 * pmv2 * pmv2 - 0.2179 * pmv2);
}

} // namespace thermal_comfort
