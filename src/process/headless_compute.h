#pragma once

#include "process/result_sheet.h"

#include <string>
#include <vector>

struct DesignParameters;
class Surface;

// One 计算并描点 without a window: the same ComputeAndPlot the main window
// runs, with parameters set, at the pressure B whose text the B0 box shows,
// drawing on picture (its chart scale set as the window's load sets it). Messages that would appear
// in message boxes are collected instead.
struct HeadlessComputation {
    ResultSheet sheet;
    std::vector<std::string> messages; // empty when the calculation ran to its end
};
HeadlessComputation ComputeWithoutWindow(const DesignParameters &parameters, double B,
                                         const std::string &BText, Surface &picture);
