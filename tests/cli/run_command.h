#pragma once

#include "commands/command_line.h"

#include <QStringList>

#include <string>
#include <vector>

// The command layer run on arguments written as Qt's strings.
inline CommandOutput RunArguments(const QStringList &arguments)
{
    std::vector<std::string> utf8;
    for (const QString &argument : arguments)
        utf8.push_back(argument.toStdString());
    return RunCommand(utf8);
}
