#include "qt/qt_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

std::string QtPrompts::InputBox(const std::string &prompt, const std::string &title,
                                const std::string &defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::string();
    return dialog.textValue().toStdString();
}

int QtPrompts::Ask(const std::string &text, const std::vector<std::string> &buttons)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<QPushButton *> added;
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        // The last button is the one that changes nothing: Esc and the close box choose it.
        const QMessageBox::ButtonRole role = k + 1 == buttons.size() ? QMessageBox::RejectRole
            : k == 0                                                 ? QMessageBox::AcceptRole
                                                                     : QMessageBox::DestructiveRole;
        added.push_back(box.addButton(QString::fromStdString(buttons[k]), role));
    }
    if (!added.empty()) {
        box.setDefaultButton(added.front());
        box.setEscapeButton(added.back());
    }
    box.exec();
    for (std::size_t k = 0; k < added.size(); ++k)
        if (box.clickedButton() == added[k])
            return static_cast<int>(k);
    return static_cast<int>(buttons.size()) - 1;
}

void QtPrompts::MsgBox(const std::string &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
