#pragma once

#include "designs/design_parameters.h"
#include "designs/dew_point_scan.h"
#include "designs/outcome.h"
#include "designs/summer_states.h"

#include <optional>
#include <vector>

// The summer design of a primary-return-air system: the states N (indoor),
// W (outdoor), C (mixture), O (supply) and L (machine dew point), the supply
// air flows and the loads, as one value.

// Messages of the calculation, shown in a message box with an OK button.
namespace primary_messages {
inline constexpr const char *kDewPointNotFound = "t在-30至100之间,没有找到L点!";
inline constexpr const char *kEqualEnthalpy
    = "送风状态点与室内状态点焓值相同，无法确定送风量，请检查参数设定!";
inline constexpr const char *kIndoorVapourPressure
    = "室内状态点N的水蒸气分压力不低于大气压力，无法确定其含湿量，请检查参数设定!";
inline constexpr const char *kWetBulbVapourPressure
    = "室外湿球温度下的饱和水蒸气分压力不低于大气压力，无法确定室外状态点W，请检查参数设定!";
inline constexpr const char *kDewPointVapourPressure
    = "机器露点L的水蒸气分压力不低于大气压力，无法确定其含湿量，请检查参数设定!";
inline constexpr const char *kWetBulbLineParallel
    = "湿球温度线与室外干球温度的等温线平行，无法确定室外状态点W，请检查参数设定!";
inline constexpr const char *kProcessLineParallel
    = "热湿比线与送风温度的等温线平行，无法确定送风状态点O，请检查参数设定!";
} // namespace primary_messages

// The steps of the calculation, in the order it carries them out: the take-over
// of the record, the states N, W, C and O, the search for L, the air flows and
// the loads. The calculation sheet lists them in this order too.
enum class PrimaryStep { Load, Indoor, Outdoor, Mixed, Supply, DewPoint, AirFlows, Loads };
inline constexpr PrimaryStep kPrimarySteps[]
    = {PrimaryStep::Load,   PrimaryStep::Indoor,   PrimaryStep::Outdoor,  PrimaryStep::Mixed,
       PrimaryStep::Supply, PrimaryStep::DewPoint, PrimaryStep::AirFlows, PrimaryStep::Loads};

// The supply air flows.
struct PrimaryFlows {
    double SupplyFlowByHeat = 0.0; // Q / (i_n − i_o), kg/s
    float MoistureDifference = 0.0f; // d_n − d_o, g/kg
    // 1000 · W / MoistureDifference, kg/s; none when the difference is 0.
    std::optional<float> SupplyFlowByMoisture;
};

// The loads, kW.
struct PrimaryLoads {
    double Q1 = 0.0; // indoor cooling load
    double Q2 = 0.0; // fresh-air cooling load
    float ReheatLoad = 0.0f; // reheat from L to O
    double SystemCooling = 0.0; // (Q1 + Q2) + ReheatLoad
};

// Everything one calculation found, up to its end or its stop.
struct PrimaryOutcome {
    // The steps carried out to their end, in order: all of them, or those
    // before a stop (a search for L that found none ends its step too).
    std::vector<PrimaryStep> steps;
    std::optional<SummerInputs> inputs; // the record taken over (epsilon with it)
    std::vector<FoundState> states; // N, W, C, O, L in the order found
    double t_o = 0.0; // supply temperature, °C, once O is known
    std::optional<DewPointSearch> dewPoint; // once the scan has run to a match or its end
    std::optional<PrimaryFlows> flows;
    std::optional<PrimaryLoads> loads;
    std::optional<Stop> stop;

    // A state found, or none.
    std::optional<StatePoint> State(StateName name) const;
};

// C: the mixture of outdoor and return air, s the fresh air's share of the supply flow.
StatePoint PrimaryMixedState(float s, StatePoint N, StatePoint W);

// SupplyFlowByHeat = Q / (i_n − i_o); MoistureDifference = d_n − d_o;
// SupplyFlowByMoisture = 1000 · W / MoistureDifference unless it is 0.
PrimaryFlows PrimaryAirFlows(const SummerInputs &in, StatePoint N, StatePoint O);

// The supply air flow from the room's residual heat, Q / (i_n − i_o), kg/s;
// equal enthalpies are a division by zero (FaultCause::SupplyFlowByHeat).
double SupplyFlowByHeat(const SummerInputs &in, StatePoint N, StatePoint O);

// Q1 = G (i_n − i_o), Q2 = G s (i_w − i_n), ReheatLoad = G (i_o − i_L),
// SystemCooling = (Q1 + Q2) + ReheatLoad.
PrimaryLoads PrimaryLoadsOf(double G, float s, StatePoint N, StatePoint W, StatePoint O,
                            StatePoint L);

// The whole calculation at the barometric pressure B (Pa). It never throws: a
// machine dew point that cannot be found or an arithmetic fault ends it with
// a stop whose message names the cause in the user's terms.
PrimaryOutcome ComputePrimarySummer(const DesignParameters &parameters, double B);
