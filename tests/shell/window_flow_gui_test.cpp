#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "shell/form_start.h"
#include "shell/main_window_controls.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A shell whose program end is recorded instead of quitting the test.
struct Shell {
    ScriptedPrompts prompts;
    AppShell shell {prompts};
    int ends = 0;

    Shell()
    {
        shell.onEndProgram = [this] { ++ends; };
    }

    WindowRegistry &windows() { return shell.Windows(); }
    Form1 &main() { return windows().Get<Form1>(forms::kMain); }

    void IntoMainWindow()
    {
        shell.Start();
        shell.LeaveSplash();
    }

    QStringList visible() { return windows().VisibleWindows(); }
};

void Click(QPushButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

TEST(WindowFlow, StartUpShowsOnlyTheSplashThenOnlyTheMainWindow)
{
    Shell s;
    s.shell.Start();
    EXPECT_EQ(s.visible(), QStringList {forms::kSplash});
    EXPECT_FALSE(s.windows().IsLoaded(forms::kMain));

    s.windows().Get<FormStart>(forms::kSplash).Command1_Click();
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});
    EXPECT_FALSE(s.windows().IsLoaded(forms::kSplash));
    for (const QString &dialog : {forms::kParameters, forms::kSecondary, forms::kNote}) {
        EXPECT_TRUE(s.windows().IsLoaded(dialog)) << dialog.toStdString();
        EXPECT_EQ(s.windows().LoadCount(dialog), 1);
    }
    EXPECT_EQ(s.windows().LoadCount(forms::kMain), 1);
    EXPECT_FALSE(s.main().ParametersSet);
    EXPECT_EQ(s.main().chart.B, 101325.0);
    EXPECT_EQ(s.main().chart.Precision, 1.0f);
}

TEST(WindowFlow, EveryMoveLeavesExactlyOneWindowVisible)
{
    Shell s;
    s.IntoMainWindow();
    MainWindowControls &c = s.main().Controls();

    Click(c.帮助);
    EXPECT_EQ(s.visible(), QStringList {forms::kNote});
    EXPECT_FALSE(s.main().ParametersSet) << "帮助 leaves ParametersSet alone";
    Click(s.windows().Get<Form4>(forms::kNote).返回);
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});
    EXPECT_FALSE(s.main().ParametersSet);

    Click(c.二次回风);
    EXPECT_EQ(s.visible(), QStringList {forms::kSecondary});
    EXPECT_TRUE(s.main().ParametersSet);
    Click(s.windows().Get<Form3>(forms::kSecondary).Command1);
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});

    Click(c.一次回风);
    EXPECT_EQ(s.visible(), QStringList {forms::kParameters});
    Click(s.windows().Get<Form2>(forms::kParameters).Command1);
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});
    EXPECT_TRUE(s.main().ParametersSet);
    EXPECT_EQ(s.windows().LoadCount(forms::kMain), 1);
}

TEST(WindowFlow, CloseBoxBringsTheDialogBackInItsDesignTimeState)
{
    Shell s;
    s.IntoMainWindow();
    MainWindowControls &c = s.main().Controls();

    // Left by its button, the dialog keeps what was typed.
    Click(c.一次回风);
    s.windows().Get<Form2>(forms::kParameters).Text[1]->setText("27");
    Click(s.windows().Get<Form2>(forms::kParameters).Command1);
    Click(c.一次回风);
    EXPECT_EQ(s.windows().Get<Form2>(forms::kParameters).Text[1]->text(), "27");
    EXPECT_EQ(s.windows().LoadCount(forms::kParameters), 1);

    // Closed by its close box, it is unloaded; the main window comes back.
    s.windows().Get(forms::kParameters).close();
    QApplication::processEvents();
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});
    EXPECT_FALSE(s.windows().IsLoaded(forms::kParameters));
    EXPECT_EQ(s.shell.Parameters().tn, 27.0) << "the OK before the close stored the record";

    Click(c.一次回风);
    EXPECT_EQ(s.windows().LoadCount(forms::kParameters), 2);
    EXPECT_EQ(s.windows().Get<Form2>(forms::kParameters).Text[1]->text(), "26");
    EXPECT_EQ(s.visible(), QStringList {forms::kParameters});

    for (const QString &dialog : {forms::kParameters, forms::kSecondary, forms::kNote}) {
        if (dialog == forms::kSecondary)
            Click(c.二次回风);
        if (dialog == forms::kNote)
            Click(c.帮助);
        EXPECT_EQ(s.visible(), QStringList {dialog});
        s.windows().Get(dialog).close();
        QApplication::processEvents();
        EXPECT_EQ(s.visible(), QStringList {forms::kMain}) << dialog.toStdString();
    }
    EXPECT_EQ(s.windows().LoadCount(forms::kMain), 1);
    EXPECT_EQ(s.ends, 0);
}

TEST(WindowFlow, ClosingTheMainWindowOrTheSplashEndsTheProgram)
{
    Shell withDialogs;
    withDialogs.IntoMainWindow();
    withDialogs.main().close();
    EXPECT_EQ(withDialogs.ends, 1);
    EXPECT_TRUE(withDialogs.shell.Ended());
    EXPECT_TRUE(withDialogs.visible().isEmpty());

    Shell splashOnly;
    splashOnly.shell.Start();
    splashOnly.windows().Get(forms::kSplash).close();
    EXPECT_EQ(splashOnly.ends, 1);
    EXPECT_FALSE(splashOnly.windows().IsLoaded(forms::kMain));
}

TEST(WindowFlow, ComputeWithoutParametersAsksForThemFirst)
{
    Shell s;
    s.IntoMainWindow();
    BoxTexts old;
    old[ResultBox::SupplyFlowByHeat] = "old";
    s.main().ShowBoxes(old);
    Click(s.main().Controls().计算并描点);
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0], "未进行参数设定,将进行一次回风计算!");
    EXPECT_EQ(s.visible(), QStringList {forms::kParameters});
    EXPECT_TRUE(s.main().ParametersSet);
    EXPECT_EQ(s.main().Controls().Text[1]->text(), "old");

    // The dialog's OK returns to the main window without starting the calculation.
    Click(s.windows().Get<Form2>(forms::kParameters).Command1);
    EXPECT_EQ(s.visible(), QStringList {forms::kMain});
    EXPECT_EQ(s.main().Controls().Text[1]->text(), "old");
    Click(s.main().Controls().计算并描点);
    EXPECT_NE(s.main().Controls().Text[1]->text(), "old");
}
