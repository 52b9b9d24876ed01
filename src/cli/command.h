#pragma once

#include "cli/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <QList>

// One command word of the command line: its options and what it runs once
// they are parsed. Help and usage errors are handled for every command alike.
struct Command {
    const char *word;
    const char *summary; // one line in "idchart --help"
    const char *synopsis; // what follows the command word in its usage line
    const char *description; // paragraph of "idchart <word> --help"
    QList<QCommandLineOption> (*options)();
    CommandOutput (*run)(const QCommandLineParser &parser);
};

// The usage error for a value that an option cannot take.
CommandOutput UsageError(const QString &message);

// A command whose arguments are parsed: the parser holds the options.
const Command &ComputeCommand();
const Command &ChartCommand();
const Command &StateCommand();
