#include "shell/fixed_dialog.h"

#include "layout/layout.h"

#include <QPushButton>
#include <QWidget>

namespace {

constexpr float kButtonWidth = 1215.0f;
constexpr float kButtonHeight = 495.0f;

} // namespace

QPushButton *SetUpFixedDialog(QWidget &dialog, const FixedDialogFace &face)
{
    dialog.setWindowTitle(face.caption);
    dialog.resize(TwipsToPixels(face.clientWidth), TwipsToPixels(face.clientHeight));
    auto *button = new QPushButton(face.button, &dialog);
    button->setGeometry(TwipsToPixels(face.buttonLeft), TwipsToPixels(face.buttonTop),
                        TwipsToPixels(kButtonWidth), TwipsToPixels(kButtonHeight));
    return button;
}
