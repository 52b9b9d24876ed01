#pragma once

#include "qt/form_window.h"

class AppShell;
class QPushButton;

// The secondary-return-air dialog. The secondary-return-air process is not
// computed, so the dialog only holds its caption and a button leading back to
// the main window; its close box leads back as well.
class Form3 : public FormWindow {
    Q_OBJECT
public:
    explicit Form3(AppShell &shell, QWidget *parent = nullptr);

    // The close box: back to the main window; the dialog is unloaded afterwards.
    void Form_QueryUnload() override;

    void 确定_Click();

    QPushButton *确定 = nullptr;

private:
    AppShell &shell_;
};
