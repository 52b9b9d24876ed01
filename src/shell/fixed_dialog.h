#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The set-up a dialog of fixed size with one button shares: its caption, its
// client area and the button at its place, all measured in twips. The button
// is 1215 × 495 twips, as every such button of the program.
struct FixedDialogFace {
    QString caption;
    float clientWidth = 0.0f;
    float clientHeight = 0.0f;
    QString button; // the button's caption
    float buttonLeft = 0.0f;
    float buttonTop = 0.0f;
};

// Titles and sizes the dialog and creates its button; the caller connects it.
QPushButton *SetUpFixedDialog(QWidget &dialog, const FixedDialogFace &face);
