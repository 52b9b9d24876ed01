#include "qt/qt_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileSystemModel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Once the next modal dialog is up: notes the texts of its buttons and closes it.
void ReadButtonsOfNextDialog(QStringList &texts)
{
    QTimer::singleShot(0, [&texts] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
            texts << button->text();
        dialog->done(QDialog::Rejected);
    });
}

} // namespace

// Qt's own texts come in Chinese whatever the locale the program runs in
// (the test process runs without LANG): the input box says 确定 / 取消 and the
// message box 确定, never OK / Cancel.
TEST(QtPrompts, ButtonsReadInChinese)
{
    QtPrompts prompts;
    QStringList inputButtons;
    ReadButtonsOfNextDialog(inputButtons);
    EXPECT_EQ(prompts.InputBox("请输入您希望的绘图精度：(默认值为0.05)", "绘图精度", "0.05"), "");
    inputButtons.sort();
    EXPECT_EQ(inputButtons, (QStringList {QStringLiteral("取消"), QStringLiteral("确定")}));

    QStringList messageButtons;
    ReadButtonsOfNextDialog(messageButtons);
    prompts.MsgBox("绘图精度不能为0，为正数时应不小于0.001，请重新输入!");
    EXPECT_EQ(messageButtons, QStringList {QStringLiteral("确定")});
}

// The file dialog's list names a folder's type in Chinese too, a text Qt's own
// translations leave in English.
TEST(QtPrompts, FileDialogNamesAFolderInChinese)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFileSystemModel model;
    const QModelIndex inside = model.index(folder.path());
    ASSERT_TRUE(inside.isValid());
    EXPECT_EQ(model.type(inside), QStringLiteral("文件夹"));
}
