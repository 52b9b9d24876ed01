#include "shell/app_shell.h"

#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "shell/form5.h"
#include "shell/form_start.h"
#include "shell/project_files.h"

#include <QCoreApplication>

AppShell::AppShell(Prompts &prompts) : prompts_(prompts)
{
    onEndProgram = [] { QCoreApplication::exit(0); };
    registry_.Define(forms::kSplash, [this](WindowRegistry &) { return new FormStart(*this); });
    registry_.Define(forms::kMain, [this](WindowRegistry &) { return new Form1(*this); });
    registry_.Define(forms::kParameters, [this](WindowRegistry &) { return new Form2(*this); });
    registry_.Define(forms::kSecondary, [this](WindowRegistry &) { return new Form3(*this); });
    registry_.Define(forms::kNote, [this](WindowRegistry &) { return new Form4(*this); });
    registry_.Define(forms::kWinter, [this](WindowRegistry &) { return new Form5(*this); });
}

AppShell::~AppShell()
{
    registry_.UnloadAll();
}

void AppShell::Start()
{
    registry_.Show(forms::kSplash);
}

void AppShell::ShowOnly(const QString &name)
{
    // Form1 to Form5 in this order, each shown or hidden, as every move does it.
    for (const QString &form :
         {forms::kMain, forms::kParameters, forms::kSecondary, forms::kNote, forms::kWinter}) {
        if (form == name)
            registry_.Show(form);
        else
            registry_.Hide(form);
    }
}

void AppShell::LeaveSplash()
{
    registry_.Unload(forms::kSplash);
    ShowOnly(forms::kMain);
    // The work a crash left behind, and the file given to the program.
    registry_.Get<Form1>(forms::kMain).Files().Start(fileGiven);
}

void AppShell::ProjectChanged()
{
    if (registry_.IsLoaded(forms::kMain))
        registry_.Get<Form1>(forms::kMain).Files().Changed();
}

void AppShell::SetProjectTextsInDialogs(bool shown)
{
    projectTexts_ = shown;
    for (const QString &name : {forms::kParameters, forms::kSecondary, forms::kWinter}) {
        if (!registry_.IsLoaded(name))
            continue;
        auto &dialog = registry_.Get<ParameterForm>(name);
        dialog.ShowTexts(name == forms::kWinter
                             ? (shown ? project_.winterTexts : decltype(project_.winterTexts) {})
                             : (shown ? project_.summerTexts : decltype(project_.summerTexts) {}));
    }
}

void AppShell::OpenPrimaryReturnAir()
{
    registry_.Get<Form1>(forms::kMain).ParametersSet = true;
    ShowOnly(forms::kParameters);
}

void AppShell::OpenSecondaryReturnAir()
{
    registry_.Get<Form1>(forms::kMain).ParametersSet = true;
    ShowOnly(forms::kSecondary);
}

void AppShell::OpenWinter()
{
    registry_.Get<Form1>(forms::kMain).ParametersSet = true;
    ShowOnly(forms::kWinter);
}

void AppShell::OpenHelp()
{
    ShowOnly(forms::kNote);
}

void AppShell::ReturnToMain()
{
    ShowOnly(forms::kMain);
}

void AppShell::EndProgram()
{
    if (ended_)
        return;
    ended_ = true;
    if (registry_.IsLoaded(forms::kMain))
        registry_.Get<Form1>(forms::kMain).Files().Ended();
    // Nothing is asked and nothing is saved: every window goes at once.
    for (const QString &name : registry_.VisibleWindows())
        registry_.Get(name).hide();
    if (onEndProgram)
        onEndProgram();
}
