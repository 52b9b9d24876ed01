#pragma once

#include "shell/app_shell.h"
#include "shell/form1.h"
#include "support/scripted_prompts.h"
#include "ui/qt/main_window_controls.h"

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
};
