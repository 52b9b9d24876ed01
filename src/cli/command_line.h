#pragma once

#include "commands/command_line.h"

#include <QString>

#include <optional>

// idchart's command line as this program runs it: the arguments handed to
// the command layer (commands/command_line.h), its output written, or the
// window program started.

// Whether an argument names a project file (room1.idchart), which the windows open.
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
