#include "shell/form2.h"

#include "shell/app_shell.h"
#include "shell/form1.h"

Form2::Form2(AppShell &shell, QWidget *parent)
    : ParameterForm(shell, forms::kParameters, "一次回风参数设定", FacesOf(kSummerParameters),
                    parent)
{
}

std::optional<ParameterForm::Refusal> Form2::Store(const std::array<std::string, kRows> &texts)
{
    if (std::optional<Refusal> refused = Read(kSummerParameters, texts, shell_.Parameters()))
        return refused;
    shell_.Windows().Get<Form1>(forms::kMain).design = DesignKind::PrimarySummer;
    return std::nullopt;
}
