#include "shell/form5.h"

#include "shell/app_shell.h"
#include "shell/form1.h"

Form5::Form5(AppShell &shell, QWidget *parent)
    : ParameterForm(shell, forms::kWinter, "一次回风冬季参数设定", FacesOf(kWinterParameters),
                    parent)
{
}

std::optional<ParameterForm::Refusal> Form5::Store(const std::array<std::string, kRows> &texts)
{
    if (std::optional<Refusal> refused = Read(kWinterParameters, texts, shell_.Winter()))
        return refused;
    shell_.WinterTexts() = texts;
    shell_.ProjectRecord().design = DesignKind::PrimaryWinter;
    return std::nullopt;
}
