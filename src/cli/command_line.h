#pragma once

#include <QStringList>

#include <optional>
#include <string>

// idchart's command line: the command words compute, chart and state, and
// --help and --version, each working without a window.

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

// Runs the command the arguments (without the program's name) ask for.
CommandOutput RunCommand(const QStringList &arguments);

// Whether an argument names a project file (room1.idchart), which the windows
// open: `idchart room1.idchart`, as the desktop entry starts the program.
bool IsProjectFileName(const QString &argument);

// Runs the command line when the arguments ask for it and answers the exit
// status, which is kWriteFailed when standard output did not take every byte
// (a full disk, a closed output); answers nothing when the window program is to take over: to start
// the windows (without arguments, or when the first argument is one of Qt's
// own window options such as -platform, -display, -style) or to draw a chart.
std::optional<int> RunCommandLine(int argc, char **argv);

// The window program: the windows and the drawing commands, with Qt's GUI
// layer, which the command line alone never loads. Replaces this process by
// it with the same arguments; answers only when it cannot be started, after
// saying so on standard error.
int ExecWindowProgram(char **argv);
