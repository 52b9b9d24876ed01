#pragma once

#include "designs/primary_summer/primary_summer.h"
#include "qt/picture_box.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/main_window_controls.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QTest>

#include <cmath>

// The program after its splash, the main window showing, prompts answered
// from a script and the program's end kept from quitting the test.
struct MainWindowAfterSplash {
    ScriptedPrompts prompts;
    AppShell shell {prompts};

    MainWindowAfterSplash()
    {
        shell.onEndProgram = [] {};
        shell.Start();
        shell.LeaveSplash();
    }
    Form1 &form() { return shell.Windows().Get<Form1>(forms::kMain); }
    MainWindowControls &controls() { return form().Controls(); }
    // The primary design of the record the window holds, at its pressure.
    PrimaryOutcome Primary() { return ComputePrimarySummer(shell.Parameters(), form().chart.B); }

    // Moves the real pointer over Picture1 to the pixel of chart point (d, i).
    void MoveTo(double d, double i)
    {
        PictureBox *picture = controls().Picture1;
        const ScaleMap &m = picture->Surface().Map();
        QTest::mouseMove(picture,
                         QPoint(static_cast<int>(std::lround(m.ToPixelX(d))),
                                static_cast<int>(std::lround(m.ToPixelY(i)))));
        QApplication::processEvents();
    }
};
