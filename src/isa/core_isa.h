#pragma once

// Which copy of the computing core runs: the core is built twice, for the
// x86-64 baseline and in AVX (VEX) encoding, and one of the two is chosen once
// before main from the processor's features. IDCHART_BASELINE=1 in the
// environment keeps the baseline copy on any processor (tests, benchmarks).
// Both copies give the same results to the last bit.

namespace core_isa {

// Whether the core's functions run their AVX copy in this process.
bool UsesAvx();

// "AVX" or "baseline", for reports.
const char *PathName();

} // namespace core_isa
