// Prints d_n i_n d_L i_L of the primary-return-air process for a parameter
// set given on the command line (tn φn tw ts Δt s φL Q W B), so the real-window
// check can look for the dots where the calculation puts them.

#include "designs/design_parameters.h"
#include "designs/primary_summer/primary_summer.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 11) {
        std::fprintf(stderr, "usage: %s tn phiN tw ts deltaT s phiL Q W B\n", argv[0]);
        return 2;
    }
    DesignParameters p;
    double *fields[] = {&p.tn, &p.phiN, &p.tw, &p.ts, &p.deltaT, &p.s, &p.phiL, &p.Q};
    for (int k = 0; k < 8; ++k)
        *fields[k] = std::atof(argv[k + 1]);
    p.W = static_cast<float>(std::atof(argv[9]));
    const double B = std::atof(argv[10]);

    const PrimaryOutcome outcome = ComputePrimarySummer(p, B);
    const auto N = outcome.State(StateName::N), L = outcome.State(StateName::L);
    if (!N || !L)
        return 1;
    std::printf("%.6f %.6f %.6f %.6f\n", N->d, N->i, L->d, L->i);
    return 0;
}
