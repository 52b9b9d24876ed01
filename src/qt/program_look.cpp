#include "qt/program_look.h"

#include "qt/qt_colour.h"

#include <QPushButton>
#include <QString>

QString ProgramCaption()
{
    return QStringLiteral("焓湿图及一次回风计算软件      作者：Tressel 空调系 Quennet");
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
