#pragma once

#include <string>

// The result boxes beside the chart, in their column order from the top.
enum class ResultBox {
    SupplyFlowByHeat, // supply air flow found from the residual heat
    SupplyFlowByMoisture, // supply air flow found from the residual moisture
    HeatMoistureRatio, // 热湿比ε
    Q1, // cooling load of the air handled
    Q2, // dehumidifying (latent) part of it
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

// Position of a box in its group, counting from 0 (for tables of boxes).
constexpr int Index(ResultBox box)
{
    return static_cast<int>(box);
}
constexpr int Index(StateBox box)
{
    return static_cast<int>(box);
}

// The text cells of the main window that the computing code writes.
class MainWindowTexts {
public:
    virtual ~MainWindowTexts() = default;

    // Readout value cell Label2(index), index 0..6.
    virtual void SetReadoutCell(int index, const std::string &text) = 0;
    virtual void SetResultBox(ResultBox box, const std::string &text) = 0;
    virtual void SetStateBox(StateBox box, const std::string &text) = 0;
};
