#pragma once

#include "ui/main_window_texts.h"

#include <array>
#include <string>
#include <vector>

struct ProcessState;

// The results of one 计算并描点 run as a table: the five states N, W, C, O, L
// with t, d and i, the two supply flows, ε, Q1, Q2, the reheat and the system
// cooling, and the pressure B and the precision the run drew its chart with.
//
// The sheet is put between the calculation and the window's boxes for one
// run: it records every text written to a result or state box and passes it
// on. Each value in the table is exactly the text its box got in that run (B
// and the precision are the B0 and 精度 texts of the run's redraw, not those
// of a later chart); a value the run did not compute is empty. The states'
// temperatures have no box: Finish takes them from the process record.
class ResultSheet : public MainWindowTexts {
public:
    // boxes, when given, receives every text as well (the window's boxes).
    explicit ResultSheet(MainWindowTexts *boxes = nullptr) : boxes_(boxes) { }

    void SetReadoutCell(int index, const std::string &text) override;
    void SetResultBox(ResultBox box, const std::string &text) override;
    void SetStateBox(StateBox box, const std::string &text) override;

    // After the run: the temperatures of the states this run found, and the
    // number of temperatures the machine-dew-point scan examined. Stops
    // passing texts on.
    void Finish(const ProcessState &state);

    const std::string &Text(ResultBox box) const { return results_[Index(box)]; }
    const std::string &Text(StateBox box) const { return states_[Index(box)]; }

    // The five states in the table's order N, W, C, O, L.
    enum class State { N, W, C, O, L };
    static constexpr int kStateCount = 5;
    const std::string &Temperature(State state) const
    {
        return temperatures_[static_cast<int>(state)];
    }
    const std::string &Moisture(State state) const; // its d box
    const std::string &Enthalpy(State state) const; // its i box
    // Empty unless the scan ran to its end: a match or nothing found below 100 °C.
    const std::string &DewPointEvaluations() const { return evaluations_; }

    // Whether the supply flow box holds "余湿量为0" instead of a number.
    bool NoResidualMoisture() const;

    // The table the writers share, four cells a row: a heading row for the
    // states (name, t, d, i with their units) and the five states, then a
    // heading row for the quantities (name, value, unit) and one row each
    // for the flows, ε, the loads, B and the precision.
    using Row = std::array<std::string, 4>;
    std::vector<Row> Rows() const;

private:
    MainWindowTexts *boxes_;
    std::array<std::string, kResultBoxCount> results_ {};
    std::array<std::string, kStateBoxCount> states_ {};
    std::array<std::string, kStateCount> temperatures_ {};
    std::string evaluations_;
};

// The sheet as text. Tab-separated for the clipboard: cells joined by tabs,
// rows ended by a line feed; a cell holding a tab, a line break or a quote is
// quoted as in CSV.
std::string ResultTsv(const ResultSheet &sheet);

// CSV by RFC 4180: UTF-8 with a byte-order mark (so that a spreadsheet on a
// Chinese desktop takes it as UTF-8), rows ended by CR LF, a cell holding a
// comma, a quote or a line break in quotes with its quotes doubled.
std::string ResultCsv(const ResultSheet &sheet);

// The sheet as columns aligned for a terminal (a Chinese character counts
// two columns), with the scan's evaluation count as a last row.
std::string ResultTableText(const ResultSheet &sheet);

// One JSON object with English keys; every number is written with exactly
// the digits of its box, and a value not computed is null:
//   pressure          B in Pa (the B0 text read as a number), pressureText the text itself
//   precision         drawing step of the chart, °C
//   states            {"N": {"t", "d", "i"}, "W", "C", "O", "L"}: °C, g/kg, kJ/kg
//   supplyFlowByHeat, supplyFlowByMoisture   kg/s
//   noResidualMoisture  true when the moisture flow box says "余湿量为0"; the
//                     flow is then null (a JSON number cannot hold the text)
//   heatMoistureRatio  ε, kJ/kg
//   Q1, Q2, reheat, systemCooling   kW
//   dewPointEvaluations  temperatures the machine-dew-point scan examined
//   error             the message the window shows, only when the calculation stopped
std::string ResultJson(const ResultSheet &sheet, const std::string &error);

// Helpers shared with the other command-line outputs.
namespace text_output {
// text as a JSON number when it is one (after blanks around it), else null.
std::string JsonNumberOrNull(const std::string &text);
// text as a JSON string.
std::string JsonString(const std::string &text);
// Columns of a terminal the UTF-8 text takes (East Asian wide characters two).
int DisplayWidth(const std::string &text);
// Rows aligned in columns two blanks apart, trailing blanks dropped, LF-ended.
std::string AlignedColumns(const std::vector<std::vector<std::string>> &rows);
} // namespace text_output
