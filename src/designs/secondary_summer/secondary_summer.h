#pragma once

#include "designs/design_parameters.h"
#include "designs/dew_point_scan.h"
#include "designs/outcome.h"
#include "designs/summer_states.h"

#include <optional>
#include <string>
#include <vector>

// The summer design of a secondary-return-air system: fresh air W and a first
// share of return air N mix to C1, all of it passes the cooling coil to the
// machine dew point L, and a second share of return air mixes with it to the
// supply state O, which the primary design would reach by reheat. N, W and O
// are the primary design's; L lies on the straight line from N through O,
// extended beyond O to the φL curve; the flows follow from the second mix's
// lever rule and the fresh-air share, the coil capacity from the first mix.

// Messages of the calculation, shown in a message box with an OK button.
namespace secondary_messages {
inline constexpr const char *kNoEnthalpyDifference
    = "室内状态点与送风状态点焓差为零,无法确定送风量!";
inline constexpr const char *kNegativeFlow = "风量为负,请检查余热量、余湿量、送风温差和新风比!";
inline constexpr const char *kLineMissesCurve
    = "热湿比线在-30℃至送风温度之间与φL曲线没有交点,没有找到L点!";
inline constexpr const char *kSupplyNotBetween
    = "送风状态点O不在N与L之间(送风温度不高于机器露点),不能采用二次回风!";
// Said around the largest admissible fresh-air share, in %.
inline constexpr const char *kFreshShareHead = "新风比不能大于";
inline constexpr const char *kFreshShareTail = "%:新风量超过表冷器风量,不能采用二次回风!";
inline constexpr const char *kArithmetic = "计算中出现除数为零或溢出,请检查参数!";
} // namespace secondary_messages

// The downward scan for L: from t_o down in steps of 0.001 K, each
// temperature formed as t_o − k · 0.001 (the product first, no running sum),
// until the room's process line reaches the φL curve.
namespace secondary_scan {
inline constexpr double kLowestTemperature = -30.0; // °C; the scan gives up below it
inline constexpr double kHighestSupply = 100.0; // °C; a warmer supply is not scanned
inline constexpr double kStep = 0.001; // K
} // namespace secondary_scan

struct SecondaryDewPoint {
    bool found = false;
    int evaluations = 0; // temperatures examined, k + 1
    double t_L = 0.0; // °C, when found
    StatePoint L;
    // O itself lies on or beyond the φL curve (the scan stopped at its first temperature).
    bool supplyBeyondCurve = false;
};

// L: the first temperature below t_o at which the φL curve is no longer
// moister than the line of slope epsilon through N. Throws ArithmeticFault.
SecondaryDewPoint FindSecondaryDewPoint(double t_o, float epsilon, StatePoint N, float phiL,
                                        double B);

// The flows, kg/s, each known once it has passed its check.
struct SecondaryFlows {
    double G = 0.0; // total supply flow, Q / (i_n − i_o)
    std::optional<double> G_L; // coil flow, Q / (i_n − i_L)
    std::optional<double> G2; // second (bypass) return air, G − G_L
    std::optional<double> G_W; // fresh air, s · G
    std::optional<double> G1; // first return air, G_L − G_W
};

// The primary design's reheat for the same record, for the comparison.
struct PrimaryComparison {
    double t_L1 = 0.0; // °C
    float i_L1 = 0.0f;
    float ReheatLoad1 = 0.0f; // kW
    double SystemCooling1 = 0.0; // kW
};

// Everything one calculation found, up to its end or its stop.
struct SecondaryOutcome {
    std::optional<SummerInputs> inputs;
    std::vector<FoundState> states; // N, W, O, L, C1 in the order found
    double t_o = 0.0;
    std::optional<SecondaryFlows> flows; // once G is known
    std::optional<SecondaryDewPoint> dewPoint; // once the scan has run to its end
    std::optional<double> CoilCapacity; // Q0 = G_L (i_c1 − i_L), kW
    // The comparison, once it has run; none inside when the primary design
    // finds no machine dew point.
    bool compared = false;
    std::optional<PrimaryComparison> primary;
    std::optional<Stop> stop;

    std::optional<StatePoint> State(StateName name) const;
    // ΔQ = SystemCooling1 − Q0, kW, and η = 100 ΔQ / SystemCooling1 in single
    // precision (none when SystemCooling1 is 0), when the primary design found L.
    std::optional<double> Saving() const;
    std::optional<float> SavingShare() const;
};

SecondaryOutcome ComputeSecondarySummer(const DesignParameters &parameters, double B);
