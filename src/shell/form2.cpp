#include "shell/form2.h"

#include "shell/app_shell.h"
#include "shell/form1.h"

#include <QLineEdit>

Form2::Form2(AppShell &shell, QWidget *parent)
    : Form2(shell, forms::kParameters, "一次回风参数设定", DesignKind::PrimarySummer, parent)
{
}

Form2::Form2(AppShell &shell, const QString &name, const char *caption, DesignKind design,
             QWidget *parent)
    : ParameterForm(shell, name, caption, FacesOf(kSummerParameters), parent), name_(name),
      design_(design)
{
    // An open project's dialog comes with the project's texts.
    if (shell.ProjectTextsInDialogs())
        ShowTexts(shell.SummerTexts());
}

std::optional<ParameterForm::Refusal> Form2::Store(const std::array<std::string, kRows> &texts)
{
    if (std::optional<Refusal> refused = Read(kSummerParameters, texts, shell_.Parameters()))
        return refused;
    // The texts the numbers came from, for the result tables.
    shell_.SummerTexts() = texts;
    shell_.ProjectRecord().design = design_;
    shell_.ProjectChanged();

    // The other summer dialog edits the same record: it shows these texts too
    // (one that was closed by its close box comes back with the start texts).
    const QString other = name_ == forms::kParameters ? forms::kSecondary : forms::kParameters;
    if (shell_.Windows().IsLoaded(other)) {
        Form2 &dialog = shell_.Windows().Get<Form2>(other);
        for (int n = 1; n <= kRows; ++n)
            dialog.Text[n]->setText(Text[n]->text());
    }
    return std::nullopt;
}
