#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "support/scripted_prompts.h"
#include "text/captions.h"

#if __has_include("qt/fonts.h")
#include "qt/fonts.h"
#define AUX_TEST_HAS_FONTS
#endif

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Ways of leaving a dialog: its own button, or its close box.
struct WayBack {
    const char *name;
    bool closeBox;
};
constexpr WayBack kWaysBack[] = {{"button", false}, {"close box", true}};

class AuxDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
#ifdef AUX_TEST_HAS_FONTS
        RegisterFontSubstitutions();
#endif
    }

    void SetUp() override
    {
        shell.onEndProgram = [this] { ++programEnds; };
        shell.LeaveSplash();
    }

    // Lets the windows that an unload discarded go.
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    WindowRegistry &Windows()
    {
        return shell.Windows();
    }
    Form1 &Main()
    {
        return Windows().Get<Form1>(forms::kMain);
    }

    // Leaves a dialog by its button or its close box and lets a discarded
    // dialog go.
    void Leave(QWidget &dialog, QPushButton *button, bool closeBox)
    {
        if (closeBox)
            dialog.close();
        else
            QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScriptedPrompts prompts;
    AppShell shell {prompts};
    int programEnds = 0;
};

TEST_F(AuxDialogsTest, SecondaryReturnAirDialogLeadsBackEitherWayAndSharesTheRecord)
{
    // OK in the secondary dialog stores the record, chooses the secondary
    // design and puts the texts into the primary dialog; OK there switches back.
    shell.OpenSecondaryReturnAir();
    Form3 &secondary = Windows().Get<Form3>(forms::kSecondary);
    EXPECT_EQ(secondary.windowTitle(), QStringLiteral("二次回风参数设定"));
    EXPECT_EQ(secondary.Text[9]->text(), QStringLiteral("0.01"));
    secondary.Text[6]->setText(QStringLiteral("20"));
    QTest::mouseClick(secondary.Command1, Qt::LeftButton);
    EXPECT_EQ(Windows().VisibleWindows(), QStringList {forms::kMain});
    EXPECT_EQ(shell.Parameters().s, 20.0);
    EXPECT_EQ(Main().design, DesignKind::SecondarySummer);
    Form2 &primary = Windows().Get<Form2>(forms::kParameters);
    EXPECT_EQ(primary.Text[6]->text(), QStringLiteral("20"));
    shell.OpenPrimaryReturnAir();
    QTest::mouseClick(primary.Command1, Qt::LeftButton);
    EXPECT_EQ(Main().design, DesignKind::PrimarySummer);
    EXPECT_EQ(shell.Parameters().s, 20.0);

    for (const WayBack &way : kWaysBack) {
        SCOPED_TRACE(way.name);
        int loadsAtFirstOpening = 0;
        for (int opening = 1; opening <= 2; ++opening) {
            shell.OpenSecondaryReturnAir();
            if (opening == 1)
                loadsAtFirstOpening = Windows().LoadCount(forms::kSecondary);
            ASSERT_EQ(Windows().VisibleWindows(), QStringList {forms::kSecondary});
            Form3 &dialog = Windows().Get<Form3>(forms::kSecondary);
            // The face of the primary dialog: its OK lies inside the dialog.
            EXPECT_TRUE(dialog.rect().contains(dialog.Command1->geometry()));

            Leave(dialog, dialog.Command1, way.closeBox);
            EXPECT_EQ(Windows().VisibleWindows(), QStringList {forms::kMain}) << opening;
            EXPECT_TRUE(Main().ParametersSet);
            EXPECT_EQ(Windows().IsLoaded(forms::kSecondary), !way.closeBox);
        }
        // The close box discards the dialog, so the next opening creates it anew.
        EXPECT_EQ(Windows().LoadCount(forms::kSecondary) - loadsAtFirstOpening,
                  way.closeBox ? 1 : 0);
    }
    EXPECT_EQ(programEnds, 0);
}

TEST_F(AuxDialogsTest, HelpOpensAtItsTopAndLeadsBackEitherWay)
{
    const bool parametersSetBefore = Main().ParametersSet;
    for (const WayBack &way : kWaysBack) {
        SCOPED_TRACE(way.name);
        for (int opening = 1; opening <= 2; ++opening) {
            shell.OpenHelp();
            ASSERT_EQ(Windows().VisibleWindows(), QStringList {forms::kNote});
            Form4 &help = Windows().Get<Form4>(forms::kNote);
            EXPECT_EQ(help.windowTitle(), QStringLiteral("帮助"));
            EXPECT_TRUE(help.rect().contains(help.返回->geometry()));
            EXPECT_EQ(help.Text->verticalScrollBar()->value(), 0) << "opening " << opening;
            // Read down, then leave: the next opening starts at the top again.
            help.Text->verticalScrollBar()->setValue(help.Text->verticalScrollBar()->maximum());
            Leave(help, help.返回, way.closeBox);
            EXPECT_EQ(Windows().VisibleWindows(), QStringList {forms::kMain});
            EXPECT_EQ(Windows().IsLoaded(forms::kNote), !way.closeBox);
        }
    }
    // Help does not touch the parameter flag.
    EXPECT_EQ(Main().ParametersSet, parametersSetBefore);
    EXPECT_EQ(programEnds, 0);
}

// The help names every button and every input a user meets, and keeps the
// original author's note whole under 关于.
TEST_F(AuxDialogsTest, HelpNamesEveryButtonAndInputAndKeepsTheNote)
{
    shell.OpenHelp();
    // As shown: a run of blanks shows as one.
    const QString text = Windows().Get<Form4>(forms::kNote).Text->toPlainText().simplified();
    QStringList wanted;
    for (const char *caption : captions::kMainButtons)
        wanted << QString::fromUtf8(caption);
    for (const char *name : {"室内设计温度tn", "送风温差△t", "冬季室外温度tw'", "室内余热量Q",
                             "加湿方式", "--winter-tw", "recovery.idchart", "关于", "作者的话"})
        wanted << QString::fromUtf8(name);
    for (const char *line : captions::kNoteLines)
        wanted << QString::fromUtf8(line).trimmed();
    for (const QString &piece : wanted)
        EXPECT_TRUE(text.contains(piece.simplified())) << piece.toStdString();
}

} // namespace
