#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "support/scripted_prompts.h"

#if __has_include("qt/fonts.h")
#include "qt/fonts.h"
#define AUX_TEST_HAS_FONTS
#endif

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QColor kNoteBlue(0, 0, 255);

int BluePixels(const QImage &image, int top, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == kNoteBlue)
                ++count;
    return count;
}

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

TEST_F(AuxDialogsTest, NoteIsPrintedOnceAtTheTopOnEveryOpening)
{
    const bool parametersSetBefore = Main().ParametersSet;
    QImage firstNote;
    int firstLineHeight = 0;
    for (const WayBack &way : kWaysBack) {
        SCOPED_TRACE(way.name);
        for (int opening = 1; opening <= 2; ++opening) {
            shell.OpenHelp();
            ASSERT_EQ(Windows().VisibleWindows(), QStringList {forms::kNote});
            Form4 &dialog = Windows().Get<Form4>(forms::kNote);
            EXPECT_EQ(dialog.size(), QSize(555, 426));
            EXPECT_TRUE(dialog.rect().contains(dialog.返回->geometry()));

            const QImage note = dialog.PrintSurface().Image().copy();
            if (firstNote.isNull()) {
                firstNote = note;
                firstLineHeight
                    = static_cast<int>(QFontMetricsF(dialog.font(), &firstNote).height());
                ASSERT_GT(firstLineHeight, 0);
                // Blue text from the very first line on.
                EXPECT_GT(BluePixels(note, 0, firstLineHeight), 0);
            } else {
                // Printed again in the same place, over itself: nothing moves
                // and nothing grows bolder.
                EXPECT_TRUE(note == firstNote) << "opening " << opening;
            }
            // Nothing below the last of the twenty lines.
            const int lines = static_cast<int>(Form4::NoteLines().size());
            EXPECT_EQ(BluePixels(note, (lines + 1) * firstLineHeight, note.height()), 0);
            // The window shows what was printed, so it survives being covered.
            EXPECT_GT(BluePixels(dialog.grab().toImage(), 0, firstLineHeight), 0);

            Leave(dialog, dialog.返回, way.closeBox);
            EXPECT_EQ(Windows().VisibleWindows(), QStringList {forms::kMain});
            EXPECT_EQ(Windows().IsLoaded(forms::kNote), !way.closeBox);
        }
    }
    // The note does not touch the parameter flag.
    EXPECT_EQ(Main().ParametersSet, parametersSetBefore);
    EXPECT_EQ(programEnds, 0);
}

TEST_F(AuxDialogsTest, EveryNoteLineFitsTheDialog)
{
    shell.OpenHelp();
    Form4 &dialog = Windows().Get<Form4>(forms::kNote);
    const QFontMetricsF metrics(dialog.font(), &dialog.PrintSurface().Image());
    ASSERT_EQ(Form4::NoteLines().size(), 20);
    for (const QString &line : Form4::NoteLines())
        EXPECT_LE(metrics.horizontalAdvance(line), dialog.width()) << line.toStdString();
}

} // namespace
