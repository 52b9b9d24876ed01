#include "qt/program_look.h"

#include "text/captions.h"

#include "qt/qt_colour.h"

#include <QPushButton>
#include <QString>

QString ProgramCaption()
{
    return QString::fromUtf8(captions::kProgram);
}

void MakeGraphicalButton(QPushButton &button, Rgb face)
{
    button.setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px solid;"
                       " border-color: white dimgray dimgray white; }"
                       "QPushButton:pressed { border-color: dimgray white white dimgray; }"
                       "QPushButton:focus { outline: 1px dotted black; }")
            .arg(ToQColor(face).name()));
}
