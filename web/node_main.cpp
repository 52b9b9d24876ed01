// The command line under node: `node idchart-node.mjs compute|state …` runs
// the desktop program's commands from the same core and prints the same bytes,
// with the same exit status and messages. Drawing commands need the desktop
// program's drawing, which this one has not.

#include "commands/command_line.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandOutput output = RunCommand(arguments);
    if (output.handOn) {
        std::fputs("idchart: chart 与 report 需要桌面程序 idchart 绘图；"
                   "此处可用 compute 与 state。\n",
                   stderr);
        return exit_status::kUsage;
    }
    return WriteCommandOutput(output);
}
