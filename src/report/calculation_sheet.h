#pragma once

#include "designs/design_outcome.h"
#include "project/project.h"

#include <optional>
#include <string>
#include <vector>

// The calculation sheet (计算书) of one design calculation: what a student
// hands in and a design office files. It is written from the outcome of the
// calculation: the states and the results table hold the texts the boxes
// show (or the full table would show); each step of the calculation is
// written "formula = substituted = result" with the numbers the calculation
// used, so that a reader with a calculator gets the printed result back from
// the printed numbers (sheet_numbers.h says how they are written).

// One input: the pressure or a design parameter, with the value as typed.
struct SheetInput {
    std::string symbol; // "t_n" (an underscore starts a subscript)
    std::string name; // "室内设计温度"
    std::string value; // as typed
    std::string unit; // "℃"
};

// One state of the calculation with its four properties.
struct SheetState {
    std::string letter; // "N"
    std::string name; // "室内状态点"
    std::string t, phi, d, i; // ℃, fraction, g/kg, kJ/kg; empty when not formed
};

// One step of the calculation, in the order the program computes it. A step
// with a formula reads "formula = substituted = result unit"; a step told in
// words (a search) has its words and, where it ends in a value, the result.
// Symbols write subscripts after an underscore ("i_n", "P_qb"); the numbers
// in `substituted` are the values the calculation used, joined by ×, /, +, −
// and parentheses (a saturation pressure may stand as a call, "P_qb(26)").
struct SheetStep {
    std::string section; // the part of the calculation it belongs to ("室内状态点 N")
    std::string what; // what the step finds ("含湿量")
    std::string formula; // "d_n = 622 P_q / (B − P_q)"
    std::string substituted; // "622 × 2017.87952 / (101325 − 2017.87952)"
    std::string result; // "12.63878"; a text such as "余湿量为0" where the box shows one
    std::string unit; // "g/kg"
    std::string words; // the step in words, for a search or a rule
};

// One row of the results table.
struct SheetResult {
    std::string name, value, unit;
};

struct CalculationSheet {
    std::string title; // "一次回风系统夏季空调设计计算书"
    std::string date; // "2026-12-07": the day the sheet is written, set by its writer
    std::string program; // "idchart 1.0.0"
    std::vector<SheetInput> inputs;
    std::vector<SheetState> states;
    std::vector<SheetStep> steps;
    std::vector<SheetResult> results;
    // The message of a calculation that stopped; the steps are those reached.
    std::optional<std::string> stop;
    // The calculation the sheet is written from and the pressure (Pa) it ran
    // at: the chart page that shows the process is drawn from them.
    std::optional<DesignOutcome> outcome;
    double B = 101325.0;
    // The style of the chart the sheet shows whole.
    ChartStyle style = ChartStyle::Original;
};

// The sheet of a project's calculation: its inputs as typed (an input never
// typed, as before the first OK of its dialog, takes the number text of the
// record's value), the pressure the calculation ran at and its outcome.
CalculationSheet MakeCalculationSheet(const Project &project, const DesignOutcome &outcome);

// The sheet's title for a design: "一次回风系统夏季空调设计计算书" and the like.
const char *SheetTitle(DesignKind design);

// Today's date as the sheet writes it (YYYY-MM-DD, local time).
std::string TodayText();

// The steps each design contributes, in the order it computes them. B is the
// pressure the calculation ran at (its text enters the formulas). Adding a
// design to the sheet is adding its overload here.
std::vector<SheetStep> StepsOf(const PrimaryOutcome &outcome, double B);
std::vector<SheetStep> StepsOf(const SecondaryOutcome &outcome, double B);
std::vector<SheetStep> StepsOf(const WinterOutcome &outcome, double B);

// The sheet as one HTML document (UTF-8, tables with borders so that a word
// processor keeps them when it is pasted). chartSvg, when given, is the
// chart as an SVG document and regionSvg the enlarged region of the process
// (sheet_chart.h); they are placed in the chart section as images, the
// region first. Printed from a browser, a heading stays with what follows it
// and a table row or a step is not split across pages.
std::string CalculationSheetHtml(const CalculationSheet &sheet, const std::string &chartSvg = {},
                                 const std::string &regionSvg = {});

// The text pages of the sheet as HTML for a rich-text layout engine: the
// same sections without the chart, which the PDF puts on pages of its own.
std::string CalculationSheetPrintHtml(const CalculationSheet &sheet);

// The chart section's heading, which the PDF prints on its chart pages: the
// fifth section, or the sixth after a stopped calculation's own.
std::string SheetChartHeading(const CalculationSheet &sheet);
