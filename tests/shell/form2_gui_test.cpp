#include "shell/form2.h"

#include "qt/fonts.h"
#include "shell/app_shell.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

// The shell just after the splash: the main window shown, the dialogs loaded
// and hidden.
class ParameterDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFontSubstitutions();
        shell = std::make_unique<AppShell>(prompts);
        shell->onEndProgram = [] {};
        shell->Windows().Show(forms::kMain);
        shell->Windows().Hide(forms::kParameters);
    }

    void TearDown() override
    {
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Form2 &Dialog() { return shell->Windows().Get<Form2>(forms::kParameters); }

    // Opens the dialog as the main window's 一次回风 button does.
    Form2 &Open()
    {
        shell->OpenPrimaryReturnAir();
        return Dialog();
    }

    void ClickOk(Form2 &dialog) { QTest::mouseClick(dialog.Command1, Qt::LeftButton); }

    bool Visible(const QString &name) { return shell->Windows().VisibleWindows().contains(name); }

    ScriptedPrompts prompts;
    std::unique_ptr<AppShell> shell;
};

std::array<double, 9> Fields(const DesignParameters &p)
{
    return {p.tn, p.phiN, p.tw, p.ts, p.deltaT, p.s, p.phiL, p.Q, p.W};
}

} // namespace

TEST_F(ParameterDialog, OkWithTheStartTextsStoresTheDefaultsAndReturnsToTheMainWindow)
{
    Form2 &dialog = Open();
    ASSERT_TRUE(Visible(forms::kParameters));
    ASSERT_FALSE(Visible(forms::kMain));
    ClickOk(dialog);

    const DesignParameters &p = shell->Parameters();
    EXPECT_EQ(p.tn, 26.0);
    EXPECT_EQ(p.phiN, 60.0);
    EXPECT_EQ(p.tw, 35.0);
    EXPECT_EQ(p.ts, 26.5);
    EXPECT_EQ(p.deltaT, 6.0);
    EXPECT_EQ(p.s, 30.0);
    EXPECT_EQ(p.phiL, 95.0);
    EXPECT_EQ(p.Q, 12.0);
    EXPECT_EQ(p.W, 0.01f); // single precision: 0.0099999998
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Visible(forms::kMain));
    EXPECT_FALSE(Visible(forms::kParameters));
}

// An entry that is not one number as a whole, or beyond what a room or its
// air can have, is marked as it is typed; OK names the first such entry,
// stores nothing and leaves it selected. A number as the command line takes
// it (full-width digits, blanks around it) is good and read as before.
TEST_F(ParameterDialog, EntriesThatMeanNothingAreNamedBeforeAnythingIsStored)
{
    ClickOk(Open()); // the record now holds the defaults
    const struct {
        int box;
        const char *text;
        const char *message; // empty: the entry is good, and stored as this value
        double value;
    } cases[] = {
        {1, "abc", "室内设计温度tn 的值“abc”不是数值，请重新输入!", 0},
        {3, "x", "室外干球温度tw 的值“x”不是数值，请重新输入!", 0},
        {5, "", "送风温差△t 的值“”不是数值，请重新输入!", 0},
        {1, "26,5", "室内设计温度tn 的值“26,5”不是数值，请重新输入!", 0},
        {1, "&H10", "室内设计温度tn 的值“&H10”不是数值，请重新输入!", 0},
        {3, "99999999999999999999",
         "室外干球温度tw 的值“99999999999999999999”超出合理范围（应在 -50 ℃ 至 100 ℃ 之间），"
         "请重新输入!",
         0},
        {5, "0", "送风温差△t 的值“0”超出合理范围（应大于 0 ℃ 且不大于 30 ℃），请重新输入!", 0},
        {5, "31", "送风温差△t", 0},
        {2, "101", "室内相对湿度φn", 0},
        {6, "-1", "新风百分比s", 0},
        {8, "20000", "室内余热量Q", 0},
        {9, "1e39", "室内余湿量W", 0},
        {1, " ２６.５ ", "", 26.5},
        {5, "30", "", 30},
        {9, "1000", "", 1000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        prompts.messages.clear();
        const std::array<double, 9> stored = Fields(shell->Parameters());
        Form2 &dialog = Open();
        dialog.Text[c.box]->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(dialog.Marked(c.box), *c.message != '\0');
        ClickOk(dialog);
        if (*c.message == '\0') {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(Fields(shell->Parameters())[c.box - 1], c.value);
            EXPECT_TRUE(Visible(forms::kMain));
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].rfind(c.message, 0), 0u) << prompts.messages[0];
        EXPECT_EQ(Fields(shell->Parameters()), stored);
        EXPECT_TRUE(Visible(forms::kParameters));
        EXPECT_EQ(dialog.focusWidget(), dialog.Text[c.box]);
        EXPECT_EQ(dialog.Text[c.box]->selectedText(), dialog.Text[c.box]->text());
        dialog.Text[c.box]->setText(QString::fromUtf8(kSummerParameters[c.box - 1].startText));
        EXPECT_FALSE(dialog.Marked(c.box));
        ClickOk(dialog);
    }
}

// An entry beyond the number range is reported with the parameter's name;
// nothing is stored, and the dialog stays open with what the user typed.
TEST_F(ParameterDialog, AnEntryOutOfRangeIsReportedAndNothingIsStored)
{
    ClickOk(Open()); // the record now holds the defaults

    struct Case {
        int box;
        const char *text;
        const char *name;
    };
    const Case cases[] = {
        {1, "1e400", "室内设计温度tn"},
        {5, "-1e400", "送风温差△t"},
        {8, "1D400", "室内余热量Q"},
        {9, "1e39", "室内余湿量W"},
    };
    double phiN = 60;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        prompts.messages.clear();
        phiN += 1; // a valid change typed before the bad entry
        const std::array<double, 9> stored = Fields(shell->Parameters());
        Form2 &dialog = Open();
        dialog.Text[2]->setText(QString::number(phiN));
        dialog.Text[c.box]->setText(QString::fromUtf8(c.text));
        ClickOk(dialog);

        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].rfind(c.name, 0), 0u) << prompts.messages[0];
        EXPECT_EQ(Fields(shell->Parameters()), stored);
        EXPECT_TRUE(Visible(forms::kParameters));
        EXPECT_FALSE(Visible(forms::kMain));
        EXPECT_EQ(&Dialog(), &dialog);
        EXPECT_EQ(dialog.Text[c.box]->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(dialog.Text[2]->text(), QString::number(phiN));

        // Corrected, the same dialog stores everything.
        dialog.Text[c.box]->setText(QStringLiteral("1"));
        ClickOk(dialog);
        EXPECT_EQ(Fields(shell->Parameters())[c.box - 1], 1.0);
        EXPECT_EQ(shell->Parameters().phiN, phiN);
    }
}

TEST_F(ParameterDialog, TextsSurviveOkButNotTheCloseBox)
{
    Form2 &dialog = Open();
    dialog.Text[1]->setText(QStringLiteral("28"));
    dialog.Text[9]->setText(QStringLiteral("0.02"));
    ClickOk(dialog);

    Form2 &reopened = Open();
    EXPECT_EQ(&reopened, &dialog);
    EXPECT_EQ(reopened.Text[1]->text(), QStringLiteral("28"));
    EXPECT_EQ(reopened.Text[9]->text(), QStringLiteral("0.02"));

    // The close box leads back to the main window and discards the dialog.
    const int loads = shell->Windows().LoadCount(forms::kParameters);
    reopened.Text[1]->setText(QStringLiteral("30"));
    reopened.close();
    EXPECT_TRUE(Visible(forms::kMain));
    EXPECT_FALSE(Visible(forms::kParameters));
    EXPECT_FALSE(Visible(forms::kSecondary));
    EXPECT_FALSE(Visible(forms::kNote));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Form2 &fresh = Open();
    EXPECT_EQ(shell->Windows().LoadCount(forms::kParameters), loads + 1);
    const char *startTexts[10] = {"", "26", "60", "35", "26.5", "6", "30", "95", "12", "0.01"};
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(fresh.Text[n]->text(), QString::fromUtf8(startTexts[n])) << n;
    // The record keeps the last OK's values although the boxes show others.
    EXPECT_EQ(shell->Parameters().tn, 28.0);
    EXPECT_EQ(shell->Parameters().W, 0.02f);
    // And the texts they were read from, which the result tables name as the inputs.
    EXPECT_EQ(shell->SummerTexts()[0], "28");
    EXPECT_EQ(shell->SummerTexts()[8], "0.02");
    EXPECT_EQ(shell->SummerTexts()[3], "26.5");
}

TEST_F(ParameterDialog, FaceLayoutAndFocus)
{
    Form2 &dialog = Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("一次回风参数设定"));
    EXPECT_EQ(dialog.Command1->text(), QString::fromUtf8("确  定"));

    // Half the screen wide, 40 % high, at 30 % of the screen in both directions.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(dialog.frameGeometry(),
              QRect(qRound(0.3 * screen.width()), qRound(0.3 * screen.height()),
                    qRound(0.5 * screen.width()), qRound(0.4 * screen.height())));

    // Each box covers its label's run of blanks: the label's name shows to
    // the left of the box, the box itself is on top.
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        QLineEdit *box = dialog.Text[n];
        QLabel *label = dialog.Label[n];
        EXPECT_EQ(label->y(), box->y());
        EXPECT_LT(label->x(), box->x());
        ASSERT_TRUE(label->geometry().intersects(box->geometry()));
        QWidget *top = dialog.childAt(box->geometry().center());
        EXPECT_TRUE(top == box || box->isAncestorOf(top));
        EXPECT_EQ(dialog.childAt(label->geometry().topLeft() + QPoint(1, 1)), label);
        EXPECT_TRUE(label->autoFillBackground());
        // Its whole text, the unit included, shows left of the box.
        EXPECT_LE(label->x()
                      + QFontMetrics(label->font()).horizontalAdvance(label->text().trimmed()),
                  box->x())
            << label->text().toStdString();
    }

    // Focus starts in Text1 and moves through the boxes to the OK button.
    ASSERT_EQ(QApplication::focusWidget(), dialog.Text[1]);
    for (int n = 2; n <= 10; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *expected = n <= 9 ? static_cast<QWidget *>(dialog.Text[n]) : dialog.Command1;
        EXPECT_EQ(QApplication::focusWidget(), expected) << n;
    }
}
