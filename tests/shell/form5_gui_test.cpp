#include "designs/parameter_table.h"
#include "designs/primary_winter/winter_presentation.h"
#include "qt/fonts.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form5.h"
#include "shell/main_window_controls.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The shell just after the splash: the main window shown, the dialogs loaded
// and hidden.
class WinterDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFontSubstitutions();
        shell = std::make_unique<AppShell>(prompts);
        shell->onEndProgram = [] {};
        shell->LeaveSplash();
    }

    void TearDown() override
    {
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Form1 &Main() { return shell->Windows().Get<Form1>(forms::kMain); }
    Form5 &Dialog() { return shell->Windows().Get<Form5>(forms::kWinter); }
    void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    bool Visible(const QString &name) { return shell->Windows().VisibleWindows().contains(name); }
    QString Box(int n) { return Main().Controls().Text[n]->text(); }

    ScriptedPrompts prompts;
    std::unique_ptr<AppShell> shell;
};

} // namespace

// 冬季工况 → the winter dialog (the main window hidden) → OK → 计算并描点
// computes the winter design with the summer record's G; 一次回风's OK
// switches back to the summer design.
TEST_F(WinterDialog, OkMakesTheNextCalculationTheWinterDesign)
{
    Click(Main().Controls().一次回风);
    Click(shell->Windows().Get<Form2>(forms::kParameters).Command1); // summer start texts

    Click(Main().Controls().冬季工况);
    EXPECT_TRUE(Main().ParametersSet);
    ASSERT_EQ(shell->Windows().VisibleWindows(), QStringList {forms::kWinter});
    Form5 &dialog = Dialog();
    dialog.Choice[9]->setCurrentText(QString::fromUtf8("喷蒸汽"));
    Click(dialog.Command1);
    ASSERT_EQ(shell->Windows().VisibleWindows(), QStringList {forms::kMain});
    EXPECT_EQ(Main().design, DesignKind::PrimaryWinter);
    EXPECT_EQ(shell->Winter().tnW, 20.0);
    EXPECT_EQ(shell->Winter().twW, -12.0);
    EXPECT_EQ(shell->Winter().WW, 0.01f);
    EXPECT_EQ(shell->Winter().Mode, Humidifier::Steam);

    Click(Main().Controls().计算并描点);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Box(1), QStringLiteral("1.94093039441438"));
    EXPECT_EQ(Box(4), QStringLiteral("28.2025714306869"));
    EXPECT_EQ(Box(7), QStringLiteral("13.9278033629249"));
    EXPECT_STREQ((*Main().chart.panel)[0], kWinterPanelHeadings[0]);

    Click(Main().Controls().一次回风);
    Click(shell->Windows().Get<Form2>(forms::kParameters).Command1);
    EXPECT_EQ(Main().design, DesignKind::PrimarySummer);
    Click(Main().Controls().计算并描点);
    EXPECT_EQ(Box(3), QStringLiteral("1200000.03031455")); // ε of the summer design
    EXPECT_STREQ((*Main().chart.panel)[0], kPrimaryPanelHeadings[0]);
}

// The close box returns to the main window, leaves the record and the design
// alone, and the dialog comes back with its start texts.
TEST_F(WinterDialog, CloseBoxReturnsWithoutStoring)
{
    Click(Main().Controls().冬季工况);
    Dialog().Text[1]->setText(QStringLiteral("22"));
    Dialog().Choice[9]->setCurrentIndex(1);
    Dialog().close();
    EXPECT_EQ(shell->Windows().VisibleWindows(), QStringList {forms::kMain});
    EXPECT_EQ(Main().design, DesignKind::PrimarySummer);
    EXPECT_EQ(shell->Winter().tnW, 0.0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Click(Main().Controls().冬季工况);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(Dialog().Text[n]->text(), QString::fromUtf8(kWinterParameters[n - 1].startText));
    EXPECT_EQ(Dialog().Choice[9]->currentText(), QString::fromUtf8("喷循环水"));
}

// The face of the summer dialog: same frame and rows, the ninth a two-entry
// choice in the place of a box, the same focus order.
TEST_F(WinterDialog, HasTheSummerDialogsFace)
{
    Click(Main().Controls().冬季工况);
    Form5 &dialog = Dialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Form2 &summer = shell->Windows().Get<Form2>(forms::kParameters);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("一次回风冬季参数设定"));
    EXPECT_EQ(dialog.Command1->text(), summer.Command1->text());
    EXPECT_EQ(dialog.Command1->geometry(), summer.Command1->geometry());
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(dialog.Label[n]->text(), QString::fromUtf8(kWinterParameters[n - 1].caption));
        EXPECT_EQ(dialog.Label[n]->y(), summer.Label[n]->y());
        QWidget *entry = n < 9 ? static_cast<QWidget *>(dialog.Text[n]) : dialog.Choice[n];
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->geometry(), summer.Text[n]->geometry());
        QWidget *top = dialog.childAt(entry->geometry().center());
        EXPECT_TRUE(top == entry || entry->isAncestorOf(top));
        // The longer winter captions show whole, units included, left of their entries.
        const QLabel &label = *dialog.Label[n];
        EXPECT_LE(label.x() + QFontMetrics(label.font()).horizontalAdvance(label.text().trimmed()),
                  entry->x())
            << label.text().toStdString();
    }
    EXPECT_EQ(dialog.Text[9], nullptr);
    ASSERT_EQ(dialog.Choice[9]->count(), 2);
    EXPECT_EQ(dialog.Choice[9]->itemText(1), QString::fromUtf8("喷蒸汽"));

    ASSERT_EQ(QApplication::focusWidget(), dialog.Text[1]);
    for (int n = 2; n <= 10; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *expected = n <= 8 ? static_cast<QWidget *>(dialog.Text[n])
            : n == 9               ? static_cast<QWidget *>(dialog.Choice[9])
                                   : dialog.Command1;
        EXPECT_EQ(QApplication::focusWidget(), expected) << n;
    }
}

// The winter and the secondary dialogs check their entries as the primary
// one does: the first entry that means nothing is named, nothing is stored,
// and the entry is left selected.
TEST_F(WinterDialog, EntriesThatMeanNothingAreNamedInEveryDialog)
{
    const struct {
        const char *dialog;
        int box;
        const char *text;
        const char *message;
    } cases[] = {
        {"winter", 3, "x", "冬季室外温度tw' 的值“x”不是数值，请重新输入!"},
        {"winter", 4, "120", "冬季室外相对湿度φw' 的值“120”超出合理范围"},
        {"winter", 5, "-20000", "冬季室内热负荷Qh 的值“-20000”超出合理范围"},
        {"secondary", 1, "abc", "室内设计温度tn 的值“abc”不是数值，请重新输入!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const bool winter = std::string(c.dialog) == "winter";
        Click(winter ? Main().Controls().冬季工况 : Main().Controls().二次回风);
        ParameterForm &dialog = winter
            ? static_cast<ParameterForm &>(Dialog())
            : static_cast<ParameterForm &>(shell->Windows().Get<Form3>(forms::kSecondary));
        const WinterParameters before = shell->Winter();
        dialog.Text[c.box]->setText(QString::fromUtf8(c.text));
        EXPECT_TRUE(dialog.Marked(c.box));
        prompts.messages.clear();
        Click(dialog.Command1);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].rfind(c.message, 0), 0u) << prompts.messages[0];
        EXPECT_EQ(shell->Winter().twW, before.twW);
        EXPECT_EQ(dialog.focusWidget(), dialog.Text[c.box]);
        EXPECT_TRUE(Visible(dialog.FormName()));
        dialog.close(); // its close box: back to the main window
    }
}
