#include "qt/qt_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

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

void QtPrompts::MsgBox(const std::string &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
