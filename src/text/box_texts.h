#pragma once

#include <array>
#include <string>

// The texts the main window shows beside and over the chart, by the box or
// cell that shows them. The computing code answers with these values; the
// window, the saved pictures, the browser and the command line show them.

// The result boxes beside the chart, in their column order from the top.
enum class ResultBox {
    SupplyFlowByHeat, // supply air flow found from the residual heat
    SupplyFlowByMoisture, // supply air flow found from the residual moisture
    HeatMoistureRatio, // 热湿比ε
    Q1, // indoor cooling load
    Q2, // fresh-air cooling load
    Reheat, // reheat load
    SystemCooling, // cooling the system has to deliver
};
inline constexpr int kResultBoxCount = 7;

// The state boxes over the chart: moisture content d and enthalpy i of the
// indoor state N, the outdoor state W, the mixed state C, the machine dew
// point L and the supply state O, then the pressure B and the precision.
enum class StateBox {
    d_n,
    i_n,
    d_w,
    i_w,
    d_c,
    i_c,
    d_L,
    i_L,
    d_o,
    i_o,
    B0,
    Precision,
};
inline constexpr int kStateBoxCount = 12;

// The readout cells below the chart, Label2(0) … Label2(6), for the state
// under the pointer: t, Pqb, φ, Pq, d, i and ts.
enum class ReadoutCell { t, Pqb, phi, Pq, d, i, ts };
inline constexpr int kReadoutCellCount = 7;

// Position of a box in its group, counting from 0 (for tables of boxes).
constexpr int Index(ResultBox box)
{
    return static_cast<int>(box);
}
constexpr int Index(StateBox box)
{
    return static_cast<int>(box);
}
constexpr int Index(ReadoutCell cell)
{
    return static_cast<int>(cell);
}

// The texts of the result boxes Text1 … Text7 and the state boxes Texta(0) …
// Texta(11); an empty text is an empty box.
struct BoxTexts {
    std::array<std::string, kResultBoxCount> results {};
    std::array<std::string, kStateBoxCount> states {};

    std::string &operator[](ResultBox box) { return results[Index(box)]; }
    std::string &operator[](StateBox box) { return states[Index(box)]; }
    const std::string &operator[](ResultBox box) const { return results[Index(box)]; }
    const std::string &operator[](StateBox box) const { return states[Index(box)]; }
    friend bool operator==(const BoxTexts &, const BoxTexts &) = default;
};

// The texts of the readout cells, indexed by Index(ReadoutCell).
using ReadoutTexts = std::array<std::string, kReadoutCellCount>;
