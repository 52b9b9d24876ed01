#pragma once

#include "qt/prompts.h"

class QWidget;

// Prompts on QInputDialog and QMessageBox, titled with the application's name.
class QtPrompts : public Prompts {
public:
    std::string InputBox(const std::string &prompt, const std::string &title,
                         const std::string &defaultText) override;
    void MsgBox(const std::string &text) override;
    int Ask(const std::string &text, const std::vector<std::string> &buttons) override;
};
