#include "shell/form3.h"

#include "shell/app_shell.h"
#include "shell/fixed_dialog.h"

#include <QPushButton>

Form3::Form3(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kSecondary, parent), shell_(shell)
{
    // Client area and button place in twips.
    确定 = SetUpFixedDialog(*this,
                            {QStringLiteral("二次回风参数设定"), 4680.0f, 3195.0f,
                             QStringLiteral("确   定"), 3120.0f, 2400.0f});
    connect(确定, &QPushButton::clicked, this, &Form3::确定_Click);
}

void Form3::Form_QueryUnload()
{
    shell_.ReturnToMain();
}

void Form3::确定_Click()
{
    shell_.ReturnToMain();
}
