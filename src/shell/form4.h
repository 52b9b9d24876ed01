#pragma once

#include "qt/form_window.h"

class AppShell;
class QPushButton;
class QTextBrowser;

// The help window of the 帮助 button: the program's help (the same document
// the web page shows), the original author's note under 关于 at its end, and
// a button leading back to the main window; its close box leads back as well.
// It opens at a size that suits the screen and follows any size it is given.
class Form4 : public FormWindow {
    Q_OBJECT
public:
    explicit Form4(AppShell &shell, QWidget *parent = nullptr);

    // The close box: back to the main window; the window is unloaded afterwards.
    void Form_QueryUnload() override;

    void 返回_Click();

    QTextBrowser *Text = nullptr;
    QPushButton *返回 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppShell &shell_;
};
