#include "shell/app_shell.h"

#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "shell/form_start.h"

#include <QCoreApplication>

AppShell::AppShell(Prompts &prompts) : prompts_(prompts)
{
    onEndProgram = [] { QCoreApplication::exit(0); };
    registry_.Define(forms::kSplash, [this](WindowRegistry &) { return new FormStart(*this); });
    registry_.Define(forms::kMain, [this](WindowRegistry &) { return new Form1(*this); });
    registry_.Define(forms::kParameters, [this](WindowRegistry &) { return new Form2(*this); });
    registry_.Define(forms::kSecondary, [this](WindowRegistry &) { return new Form3(*this); });
    registry_.Define(forms::kNote, [this](WindowRegistry &) { return new Form4(*this); });
}

AppShell::~AppShell()
{
    registry_.UnloadAll();
}

void AppShell::Start()
{
    registry_.Show(forms::kSplash);
}

void AppShell::LeaveSplash()
{
    registry_.Unload(forms::kSplash);
    registry_.Show(forms::kMain);
    registry_.Hide(forms::kParameters);
    registry_.Hide(forms::kSecondary);
    registry_.Hide(forms::kNote);
}

void AppShell::OpenPrimaryReturnAir()
{
    registry_.Get<Form1>(forms::kMain).ParametersSet = true;
    registry_.Hide(forms::kMain);
    registry_.Show(forms::kParameters);
    registry_.Hide(forms::kSecondary);
    registry_.Hide(forms::kNote);
}

void AppShell::OpenSecondaryReturnAir()
{
    registry_.Get<Form1>(forms::kMain).ParametersSet = true;
    registry_.Hide(forms::kMain);
    registry_.Hide(forms::kParameters);
    registry_.Show(forms::kSecondary);
    registry_.Hide(forms::kNote);
}

void AppShell::OpenHelp()
{
    registry_.Hide(forms::kMain);
    registry_.Hide(forms::kParameters);
    registry_.Hide(forms::kSecondary);
    registry_.Show(forms::kNote);
}

void AppShell::ReturnToMain()
{
    registry_.Show(forms::kMain);
    registry_.Hide(forms::kParameters);
    registry_.Hide(forms::kSecondary);
    registry_.Hide(forms::kNote);
}

void AppShell::EndProgram()
{
    if (ended_)
        return;
    ended_ = true;
    // Nothing is asked and nothing is saved: every window goes at once.
    for (const QString &name : registry_.VisibleWindows())
        registry_.Get(name).hide();
    if (onEndProgram)
        onEndProgram();
}
