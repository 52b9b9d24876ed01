#include "shell/form5.h"

#include "shell/app_shell.h"
#include "shell/form1.h"

Form5::Form5(AppShell &shell, QWidget *parent)
    : ParameterForm(shell, forms::kWinter, "一次回风冬季参数设定", FacesOf(kWinterParameters),
                    parent)
{
    // An open project's dialog comes with the project's texts.
    if (shell.ProjectTextsInDialogs())
        ShowTexts(shell.WinterTexts());
}

std::optional<ParameterForm::Refusal> Form5::Store(const std::array<std::string, kRows> &texts)
{
    if (std::optional<Refusal> refused = Read(kWinterParameters, texts, shell_.Winter()))
        return refused;
    shell_.WinterTexts() = texts;
    shell_.ProjectRecord().design = DesignKind::PrimaryWinter;
    shell_.ProjectChanged();
    return std::nullopt;
}
