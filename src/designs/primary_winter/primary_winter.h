#pragma once

#include "designs/design_parameters.h"
#include "designs/dew_point_scan.h"
#include "designs/outcome.h"
#include "psychro/moist_air.h"

#include <optional>
#include <string>
#include <vector>

// The winter design of a primary-return-air system: outdoor air W' and return
// air N' mix to C'; the mix is preheated when it must be, humidified (spray
// with circulating water, or dry steam) and reheated to the supply state O'
// that holds the room at N' against its heat loss and moisture gain. The
// supply flow G is the summer design's (the same fan serves both seasons).

// Messages of the calculation, shown in a message box with an OK button.
namespace winter_messages {
inline constexpr const char *kSummerFlowUnknown
    = "夏季送风量无法确定,请先在一次回风参数设定中确认夏季参数!";
inline constexpr const char *kFog = "冬季混合点落在雾区(φ>100%),宜先将新风预热再混合!";
inline constexpr const char *kNoHumidification = "冬季混合点含湿量不低于送风含湿量,无需加湿!";
inline constexpr const char *kNoHeating
    = "冬季送风焓值不高于加热前的焓值,无需加热,请检查冬季热负荷!";
inline constexpr const char *kDewPointNotFound = "t在-30至100之间,没有找到L点!";
inline constexpr const char *kArithmetic = "计算中出现除数为零或溢出,请检查参数!";
} // namespace winter_messages

// kg/s times g/kg gives g/s; 3.6 turns that into kg/h.
inline constexpr double kGramsPerSecondToKilogramsPerHour = 3.6;

// Enthalpy the steam brings per gram of moisture added, kJ/g: dry steam at
// 100 °C by the model's own constants, 2500 + 1.84 · 100 kJ/kg.
inline constexpr double kSteamTemperature = 100.0; // °C
inline constexpr double kSteamEnthalpyPerGram
    = (moist_air::kLatentHeat + moist_air::kVapourHeat * kSteamTemperature)
    / moist_air::kGramsPerKilogram;
static_assert(kSteamEnthalpyPerGram == 2.684);

// The winter record taken over for a calculation: percentages as fractions,
// W' in kg/s (a zero W' becomes 1.401298E-30 kg/s, as in summer), and the
// heat-moisture ratio ε' = −Qh / W' (negative for a heated room that gains
// moisture).
struct WinterInputs {
    double tn = 0.0; // °C
    double phiN = 0.0; // fraction
    double tw = 0.0; // °C
    double phiW = 0.0; // fraction
    double Qh = 0.0; // kW, positive when the room loses heat
    float W = 0.0f; // kg/s; never 0
    float s = 0.0f; // fresh-air share of G, fraction
    double phiL = 0.0; // fraction
    double epsilon = 0.0; // kJ/kg
    Humidifier mode = Humidifier::Spray;
};
WinterInputs TakeOverWinter(const WinterParameters &winter);

// The heating and humidifying, kW and kg/h.
struct WinterLoads {
    double preheat = 0.0; // Q_pre = G (i_M − i_c') (spray) or G (i_M2 − i_c') (steam)
    double reheat = 0.0; // Q_re = G (i_o' − i_E); 0 with steam
    double heating = 0.0; // Q_pre + Q_re
    double humidifier = 0.0; // water evaporated or steam added, 3.6 G Δd
};

// Everything one calculation found, up to its end or its stop.
struct WinterOutcome {
    std::optional<double> G; // the summer supply flow, kg/s
    std::optional<WinterInputs> inputs; // the winter record taken over (ε' with it)
    // N', W', C', O', then L' and M (spray, preheated), E (spray without
    // preheat) or M2 (steam), in the order found.
    std::vector<FoundState> states;
    // Said once C' is known when the mix lies in the fog region; the
    // calculation goes on.
    std::optional<std::string> advisory;
    std::optional<float> t_o; // supply temperature t_o', °C
    std::optional<DewPointSearch> dewPoint; // spray: the scan for L'
    bool preheated = false; // spray: the mix is heated to M before the spray
    std::optional<double> preheat; // Q_pre, known before the reheat is checked
    std::optional<WinterLoads> loads;
    std::optional<Stop> stop;

    // A state found, or none.
    std::optional<StatePoint> State(StateName name) const;
    // The humidifier's end state in the state boxes and on the chart: L', E
    // or M2, once found.
    const FoundState *EndState() const;
};

// The whole calculation at the barometric pressure B (Pa), the supply flow
// from the summer record. It never throws: every stop carries its message.
WinterOutcome ComputePrimaryWinter(const DesignParameters &summer, const WinterParameters &winter,
                                   double B);
