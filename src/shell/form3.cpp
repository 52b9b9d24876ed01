#include "shell/form3.h"

#include "shell/app_shell.h"

Form3::Form3(AppShell &shell, QWidget *parent)
    : Form2(shell, forms::kSecondary, "二次回风参数设定", DesignKind::SecondarySummer, parent)
{
}
