#pragma once

#include "commands/command_line.h"
#include "commands/parsed_options.h"

// The chart command's drawing: the chart (and with --process the
// calculation's picture) on a chart surface set up as the window's, saved
// as PNG, SVG or PDF. Runs on the offscreen platform when no GUI is running.
CommandOutput DrawChartPicture(const ParsedOptions &options);

// The report command's calculation sheet: the calculation as 计算并描点 runs
// it, its chart drawn as the window draws it, written as PDF or HTML. Runs on
// the offscreen platform when no GUI is running.
CommandOutput WriteReportSheet(const ParsedOptions &options);
