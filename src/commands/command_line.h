#pragma once

#include <string>
#include <string_view>
#include <vector>

// idchart's command line: the command words compute, chart, state and
// report, and --help and --version. The commands that print (compute, state)
// run here to the end; chart and report are read and checked here, then
// handed on to the program that draws.

// Exit statuses of a command.
namespace exit_status {
inline constexpr int kSuccess = 0;
inline constexpr int kStopped = 1; // the calculation stopped; its message is on standard error
// A file or standard output could not be written whole; said on standard error.
inline constexpr int kWriteFailed = 1;
inline constexpr int kUsage = 2; // a wrong option, value or file name; named on standard error
} // namespace exit_status

// What a command printed and its exit status.
struct CommandOutput {
    int status = exit_status::kSuccess;
    std::string out; // UTF-8, for standard output
    std::string err; // UTF-8, for standard error
    // The command draws, and this program does not: the window program runs it.
    bool handOn = false;
};

// What `idchart --help` prints (the commands, the options, the exit
// statuses), followed by what `idchart COMMAND --help` prints for each command.
std::string ProgramHelp();

// Runs the command the arguments (without the program's name, UTF-8) ask for.
// Throws nothing but std::bad_alloc.
CommandOutput RunCommand(const std::vector<std::string> &arguments);

// Whether an argument names a project file (room1.idchart), which the windows
// open: `idchart room1.idchart`, as the desktop entry starts the program.
bool IsProjectFileName(std::string_view argument);

// Writes a command's output to standard output and its messages to standard
// error, and answers the exit status: the command's, or kWriteFailed when
// standard output did not take every byte (a full disk, a closed output),
// said on standard error, since a result cut short must not count as success.
int WriteCommandOutput(const CommandOutput &output);
