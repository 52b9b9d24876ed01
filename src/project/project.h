#pragma once

#include "chart/chart_state.h"
#include "designs/design_outcome.h"
#include "designs/design_parameters.h"
#include "designs/parameter_table.h"
#include "readout/state_points.h"

#include <array>
#include <string>

// What a user's work is, as one value: the chart's barometric pressure with
// its typed text and the drawing precision, the design chosen, the summer and
// winter inputs as typed at the last OK of their dialogs with the values read
// from them, and the state points with their process lines. The windows, the
// command line and the calculation sheet read and change it.
struct Project {
    ChartState chart;
    // The design the next 计算并描点 computes.
    DesignKind design = DesignKind::PrimarySummer;
    // The inputs in their table's row order as typed; empty until the first
    // OK of their dialog, as the records are 0 until then.
    std::array<std::string, kSummerParameterCount> summerTexts {};
    DesignParameters summer;
    std::array<std::string, kWinterParameterCount> winterTexts {};
    WinterParameters winter;
    StatePoints points;
    // A free title and note of the user's, kept with the work.
    std::string title;
    std::string note;

    // The calculation the project asks for.
    DesignRequest Request() const { return {design, summer, winter}; }
};
