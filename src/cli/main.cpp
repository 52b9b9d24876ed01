#include "cli/command_line.h"

// idchart: the command line runs here with Qt's core alone, so that a
// calculation from a script starts fast; the windows and the drawing
// commands run in the window program, which this one becomes.
int main(int argc, char **argv)
{
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;
    return ExecWindowProgram(argv);
}
