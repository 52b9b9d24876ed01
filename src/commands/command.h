#pragma once

#include "commands/command_line.h"
#include "commands/parsed_options.h"
#include "designs/design_outcome.h"
#include "designs/design_parameters.h"
#include "project/project.h"

#include <optional>
#include <string>
#include <vector>

// One command word of the command line: its options and what it runs once
// they are read. Help and usage errors are handled for every command alike.
struct Command {
    const char *word;
    const char *summary; // one line in "idchart --help"
    const char *synopsis; // what follows the command word in its usage line
    const char *description; // paragraph of "idchart <word> --help"
    std::vector<CommandOption> (*options)();
    CommandOutput (*run)(const ParsedOptions &options);
};

// The usage error for a value that an option cannot take.
CommandOutput UsageError(const std::string &message);
// The answer of a command that draws: the window program is to run it.
CommandOutput HandedOn();
// The usage error for a numeric option whose text is not a number by StrictNumber.
CommandOutput NotANumber(const std::string &option, const std::string &text);

// A calculation's messages on standard error, as compute, chart --process and
// report give them: an advisory (the calculation went on), then a stop, which
// ends the command with exit status 1.
void TellOutcome(const DesignOutcome &outcome, CommandOutput &output);

// The file a command writes: its one positional argument, with one of the
// type's suffixes (in any case); the usage error that names what is missing
// or wrong otherwise.
struct OutputFileType {
    std::vector<std::string> suffixes; // lower case, without the point
    const char *named; // ".png、.svg 或 .pdf"
};
const OutputFileType &PictureFileType();
const OutputFileType &SheetFileType();
std::optional<CommandOutput> ReadOutputFile(const ParsedOptions &options,
                                            const OutputFileType &type, std::string &path);

// The commands.
const Command &ComputeCommand();
const Command &ChartCommand();
const Command &StateCommand();
const Command &ReportCommand();
const Command &ClimateCommand();

// What draws the chart command's picture. Only the window program, which
// loads Qt's GUI layer, sets it; without it chart is handed on to that program.
using ChartDrawing = CommandOutput (*)(const ParsedOptions &options);
void SetChartDrawing(ChartDrawing drawing);
// What writes the report command's calculation sheet; set, like the chart
// drawing, only by the window program.
using ReportWriting = CommandOutput (*)(const ParsedOptions &options);
void SetReportWriting(ReportWriting writing);

// A picture's size in logical pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};

// The chart area of the main window on a 1920×1080 screen, logical pixels, as
// the main window's arrangement (layout/layout.h) makes it: the size of a
// chart drawn without a window. A test holds it to that arrangement, which
// lives outside the core.
inline constexpr PictureSize kDefaultChartSize {1920, 821};

// The largest picture side accepted, in logical pixels: a bound on the memory
// a mistyped size can claim (at scale 4, 16384 device pixels a side).
inline constexpr int kLargestChartSide = 4096;
// --size WxH, each side 1…kLargestChartSide: ASCII digits, at most five
// each, "x", "X" or "×" between them, blanks around the whole.
std::optional<PictureSize> ReadSize(const std::string &text);
// The largest side of a PNG in device pixels (--size times --scale): 256 MB
// of picture at most.
inline constexpr int kLargestDeviceSide = 8192;

// The chart command's picture options, each read strictly: --precision a
// whole number not below 0.001 ℃ (the finest step the precision prompt
// accepts; a step of 0 or below draws no chart), --size WxH, --scale 1, 2 or
// 4, and size times scale within kLargestDeviceSide.
struct PictureOptions {
    float precision = 1.0f;
    PictureSize size;
    int scale = 1;
};
std::optional<CommandOutput> ReadPictureOptions(const ParsedOptions &options,
                                                PictureOptions &picture);

// ---- Options shared by the commands ---------------------------------------------------------

// Output formats of compute and state.
enum class OutputFormat { Table, Json, Csv };

// --pressure B: a whole number (StrictPressureNumber) within the pressure
// prompt's 90000…120000 Pa, default 101325.
CommandOption PressureOption();
// --style: the chart's style, read by ReadCalculationOptions where a command takes it.
CommandOption StyleOption();
// --format table|json|csv.
CommandOption FormatOption();

// --tn --phin --tw --ts --dt --s --phil --q --w: the parameter dialog's nine
// entries, their defaults the dialog's start texts.
std::vector<CommandOption> DesignOptions();

// --design primary|secondary|winter: the design compute computes.
CommandOption DesignKindOption();
// --winter-tn … --winter-phil and --humidifier spray|steam: the winter
// dialog's nine entries, their defaults the dialog's start texts.
std::vector<CommandOption> WinterOptions();

// The readings of those options; each answers a usage error naming the
// option when its value is refused, and nothing when it is accepted.
struct Pressure {
    double B = 101325.0;
    std::string text = "101325"; // as typed, for the B0 box
};
std::optional<CommandOutput> ReadPressure(const ParsedOptions &options, Pressure &pressure);
std::optional<CommandOutput> ReadFormat(const ParsedOptions &options, OutputFormat &format);

std::optional<CommandOutput> ReadDesignKind(const ParsedOptions &options, DesignKind &design);

// What a calculation on the command line is asked for, as a project: the
// project file of --project, if given, and over it --design, --pressure (the
// chart's B with its text), the summer and the winter options with the texts
// given, read in this order; without a project file every option counts,
// given or by default. Numbers must be whole numbers (StrictNumber), then
// they are read as the dialogs' OK reads their boxes.
std::optional<CommandOutput> ReadCalculationOptions(const ParsedOptions &options, Project &project);

// The project file of --project, when given, read into the project; a usage
// error that names the file and what is wrong with it.
std::optional<CommandOutput> ReadProjectOption(const ParsedOptions &options, Project &project);
// --project FILE.
CommandOption ProjectOption();
