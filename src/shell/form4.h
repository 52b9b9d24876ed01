#pragma once

#include "qt/form_window.h"
#include "qt/image_surface.h"

#include <QStringList>

class AppShell;
class QPushButton;

// The author's note: a fixed text about the program, printed in blue on the
// dialog each time the program brings the dialog up, and a button leading
// back to the main window; its close box leads back as well.
class Form4 : public FormWindow {
    Q_OBJECT
public:
    explicit Form4(AppShell &shell, QWidget *parent = nullptr);

    // The close box: back to the main window; the dialog is unloaded afterwards.
    void Form_QueryUnload() override;

    void 返回_Click();

    // The twenty lines of the note, broken by hand to fit the dialog.
    static const QStringList &NoteLines();
    // The dialog's own surface with the printed note, in pixels.
    ImageSurface &PrintSurface() { return note_; }

    QPushButton *返回 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Prints the note from the top-left corner, over whatever an earlier
    // opening printed.
    void PrintNote();

    AppShell &shell_;
    ImageSurface note_;
};
