#pragma once

#include "designs/design_texts.h"
#include "qt/form_window.h"

class AppShell;
class QLabel;
class QLineEdit;
class QPushButton;

// The primary-return-air parameter dialog: nine boxes, prefilled with the
// start values, each laid over its label (name, colon, unit), and the OK
// button. OK reads the nine boxes into the program-wide design-parameter
// record and returns to the main window; the dialog stays loaded, so the
// boxes keep what was typed. The close box returns to the main window too and
// discards the dialog with its texts; the record keeps the last OK's values.
//
// Text[n] and Label[n] are the box and label of row n (n = 1..9; index 0 is
// unused): rows 1..7 hold tn, φn, tw, ts, △t, s and φL, rows 8 and 9 Q and W.
//
// The secondary-return-air dialog Form3 has the same face and edits the same
// record; an OK in either dialog also puts its texts into the other's boxes,
// and sets which design the next 计算并描点 computes.
class Form2 : public FormWindow {
    Q_OBJECT
public:
    explicit Form2(AppShell &shell, QWidget *parent = nullptr);
    // A summer parameter dialog of the given window name and caption, whose
    // OK chooses the design.
    Form2(AppShell &shell, const QString &name, const char *caption, DesignKind design,
          QWidget *parent = nullptr);

    // Arranges the dialog and its controls in proportion to the screen.
    void Form_Load() override;
    // The close box: back to the main window, every dialog hidden.
    void Form_QueryUnload() override;

    // OK: stores the nine parameters and returns to the main window. An entry
    // beyond the number range is reported by a message naming its parameter;
    // then nothing is stored and the dialog stays open with its texts.
    void Command1_Click();

    QLineEdit *Text[10] = {};
    QLabel *Label[10] = {};
    QPushButton *Command1 = nullptr;

private:
    AppShell &shell_;
    QString name_;
    DesignKind design_;
};
