#pragma once

// The command line for the window program: the commands with their drawing
// hooks, and running them from main's arguments.
#include "cli/command_line.h"
#include "commands/command.h"
