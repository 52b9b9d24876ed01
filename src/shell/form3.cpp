#include "shell/form3.h"

#include "layout/layout.h"
#include "shell/app_shell.h"

#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("二次回风参数设定");
const QString kOk = QStringLiteral("确   定");

// Client area and button place, in twips.
constexpr float kClientWidth = 4680.0f;
constexpr float kClientHeight = 3195.0f;
constexpr float kButtonLeft = 3120.0f;
constexpr float kButtonTop = 2400.0f;
constexpr float kButtonWidth = 1215.0f;
constexpr float kButtonHeight = 495.0f;

} // namespace

Form3::Form3(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kSecondary, parent), shell_(shell)
{
    setWindowTitle(kCaption);
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));

    确定 = new QPushButton(kOk, this);
    确定->setGeometry(TwipsToPixels(kButtonLeft), TwipsToPixels(kButtonTop),
                      TwipsToPixels(kButtonWidth), TwipsToPixels(kButtonHeight));
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
