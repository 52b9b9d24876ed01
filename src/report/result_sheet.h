#pragma once

#include "project/project.h"

#include "designs/design_texts.h"
#include "designs/parameter_table.h"
#include "text/json.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// One input of a calculation as it was given: its name as the dialog labels
// it, its command-line option, the text its box or option held and its unit.
struct InputText {
    std::string name; // "室内设计温度tn"
    std::string key; // "tn"
    std::string text; // "26", exactly as typed
    std::string unit; // "℃"
};

// The inputs of a parameter table with the texts its dialog or options held,
// in the table's order.
template <typename Record, std::size_t N>
std::vector<InputText> InputTextsOf(const std::array<ParameterRow<Record>, N> &table,
                                    const std::array<std::string, N> &texts)
{
    std::vector<InputText> inputs;
    for (std::size_t k = 0; k < N; ++k)
        inputs.push_back(
            {ParameterName(table[k].caption), table[k].option, texts[k], table[k].unit});
    return inputs;
}

// The inputs a design's table lists, from the texts its dialogs or options
// held: the winter design lists its own before the summer ones its supply
// flow comes from.
std::vector<InputText> DesignInputs(DesignKind design,
                                    const std::array<std::string, kSummerParameterCount> &summer,
                                    const std::array<std::string, kWinterParameterCount> &winter);

// The results of one calculation as a table that says what it answers: the
// design and the program's version, the inputs as given (the pressure B and
// the design's parameters), the design's states with t, d and i, its
// quantities and the precision the calculation drew its chart with. Every
// value is exactly the text its box shows (or would show, for a quantity
// without a box); a value the calculation did not compute is empty.
struct ResultSheet {
    DesignTexts texts;
    std::string pressureText; // the B0 box: the pressure as the user typed it
    std::string precisionText; // the 精度 box
    std::vector<InputText> inputs; // the design's parameters as given, B aside
    std::string version; // the version of the program that computed it

    // The table the writers share, four cells a row, in three blocks:
    //   设计 | the design's name;  程序版本 | idchart and the version;
    //   输入参数 | 输入值 | 单位 heading, then B and one row per input (name, text, unit);
    //   状态点 | t (℃) | d (g/kg干空气) | i (kJ/kg干空气) heading, then the states;
    //   项目 | 数值 | 单位 heading, then one row each for the quantities listed
    //   everywhere and the precision.
    using Row = std::array<std::string, 4>;
    std::vector<Row> Rows() const;
    std::vector<Row> InputRows() const; // the first block
    std::vector<Row> StateRows() const; // the second
    std::vector<Row> QuantityRows() const; // the third
    // The message of a stopped calculation, or empty.
    std::string Error() const { return texts.stop ? texts.stop->message : std::string(); }
};

// The results of a project's calculation, whose texts are given: its
// pressure as typed, the precision every calculation draws its chart with,
// its design's inputs as typed and this program's version.
ResultSheet MakeResultSheet(const Project &project, const DesignTexts &texts);

// The sheet as text. Tab-separated for the clipboard: cells joined by tabs,
// rows ended by a line feed; a cell holding a tab, a line break or a quote is
// quoted as in CSV.
std::string ResultTsv(const ResultSheet &sheet);

// CSV by RFC 4180: UTF-8 with a byte-order mark (so that a spreadsheet on a
// Chinese desktop takes it as UTF-8), rows ended by CR LF, a cell holding a
// comma, a quote or a line break in quotes with its quotes doubled.
std::string ResultCsv(const ResultSheet &sheet);

// Any further table (the state points typed on the chart) in the same two
// forms, to follow the sheet after an empty line: tab-separated rows ended by
// a line feed; CSV rows ended by CR LF, without the byte-order mark.
using TableRows = std::vector<std::vector<std::string>>;
std::string TableTsv(const TableRows &rows);
std::string TableCsv(const TableRows &rows);

// What 复制结果 and 导出结果 give: the results of the last calculation (none
// before the first), then after an empty line the table of the state points
// (none without points). The CSV of points alone starts with its byte-order
// mark too.
std::string CopiedTsv(const ResultSheet *sheet, const TableRows &points);
std::string ExportedCsv(const ResultSheet *sheet, const TableRows &points);

// The sheet as columns aligned for a terminal (a Chinese character counts
// two columns), with the quantities that the rows leave out (the scan's
// evaluation count) as last rows.
std::string ResultTableText(const ResultSheet &sheet);

// One JSON object with English keys; every number is written with exactly
// the digits of its box, and a value not computed is null:
//   design            the design's name ("一次回风夏季设计"), designKey its
//                     command-line word ("primary")
//   version           the version of the program that computed it
//   pressure          B in Pa (the B0 text read as a number), pressureText the text itself
//   inputs            {"tn": {"name": "室内设计温度tn", "text": "26", "unit": "℃"}, …}:
//                     each parameter by its option name, with the text given
//   precision         drawing step of the chart, °C
//   states            {"N": {"t", "d", "i"}, …}: °C, g/kg, kJ/kg
//   then the design's quantities by their keys; for the primary design
//   supplyFlowByHeat, supplyFlowByMoisture (kg/s), noResidualMoisture (true
//   when the moisture flow box says "余湿量为0"; the flow is then null, as a
//   JSON number cannot hold the text), heatMoistureRatio (ε, kJ/kg), Q1, Q2,
//   reheat, systemCooling (kW), dewPointEvaluations (temperatures the
//   machine-dew-point scan examined)
//   error             the message the window shows, only when the calculation stopped
std::string ResultJson(const ResultSheet &sheet);

// Helpers shared with the other command-line outputs.
namespace text_output {
// text as a JSON number when it is one (after blanks around it), else null.
std::string JsonNumberOrNull(const std::string &text);
// text as a JSON string (the one escaping routine of text/json.h).
using ::JsonString;
// Columns of a terminal the UTF-8 text takes (East Asian wide characters two).
int DisplayWidth(const std::string &text);
// Rows aligned in columns two blanks apart, trailing blanks dropped, LF-ended.
std::string AlignedColumns(const std::vector<std::vector<std::string>> &rows);
} // namespace text_output
