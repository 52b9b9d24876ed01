#include "shell/app_shell.h"
#include "shell/form_start.h"
#include "support/scripted_prompts.h"

#if __has_include("qt/fonts.h")
#include "qt/fonts.h"
#define SPLASH_TEST_HAS_FONTS
#endif

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Pixels that differ between two pictures of the same size; empty when none.
QRect ChangedPixels(const QImage &before, const QImage &after)
{
    QRect box;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Pixels of a picture that are not white, within a region.
int InkCount(const QImage &image, const QRect &region)
{
    int count = 0;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (QColor(image.pixel(x, y)) != QColor(Qt::white))
                ++count;
    return count;
}

int Pixels(double twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

class SplashTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
#ifdef SPLASH_TEST_HAS_FONTS
        RegisterFontSubstitutions();
#endif
    }

    void SetUp() override
    {
        shell.onEndProgram = [this] { ++programEnds; };
        shell.Start();
    }

    // Lets the windows that an unload discarded go.
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FormStart &Splash()
    {
        return shell.Windows().Get<FormStart>(forms::kSplash);
    }

    // The splash with its timer still enabled but too slow to tick by itself,
    // so a test can drive the animation one tick at a time.
    FormStart &DrivenSplash()
    {
        FormStart &splash = Splash();
        splash.Timer1->setInterval(24 * 3600 * 1000);
        return splash;
    }

    ScriptedPrompts prompts;
    AppShell shell {prompts};
    int programEnds = 0;
};

TEST_F(SplashTest, CreditTextRunsDownTwoColumnsAndTheButtonComesOnceAtTheEnd)
{
    FormStart &splash = DrivenSplash();
    const int L1 = FormStart::FirstColumnLength();
    ASSERT_EQ(L1, 15); // "Tressel", a blank, "Quennet"

    // The window's outer size in pixels as the window system applied it.
    const double W = splash.frameGeometry().width();
    const double H = splash.frameGeometry().height();
    const int column2Left = static_cast<int>(0.05 * W);
    const int column2Top = static_cast<int>(0.2 * H);

    std::vector<QRect> printed; // what each tick added to the window's surface
    int buttonAppearances = 0;
    int buttonTick = 0;
    bool wasVisible = false;
    for (int tick = 1; tick <= L1 + 13; ++tick) {
        const QImage before = splash.PrintSurface().Image().copy();
        splash.Timer1_Timer();
        printed.push_back(ChangedPixels(before, splash.PrintSurface().Image()));
        const bool visible = !splash.Command1->isHidden();
        if (visible && !wasVisible) {
            ++buttonAppearances;
            buttonTick = tick;
        }
        wasVisible = visible;
        if (tick < L1 + 10) {
            EXPECT_FALSE(visible) << "tick " << tick;
            EXPECT_TRUE(splash.Timer1->isActive()) << "tick " << tick;
        } else {
            EXPECT_TRUE(visible) << "tick " << tick;
            EXPECT_FALSE(splash.Timer1->isActive()) << "tick " << tick;
            EXPECT_TRUE(printed.back().isEmpty()) << "tick " << tick;
        }
    }
    EXPECT_EQ(buttonAppearances, 1);
    EXPECT_EQ(buttonTick, L1 + 10);

    // Column 1 starts at the top-left corner of the client area and runs down
    // the left edge; the blank between the names prints nothing but a line.
    const QRect first = printed[0];
    ASSERT_FALSE(first.isEmpty());
    EXPECT_LT(first.left(), 8);
    EXPECT_LT(first.top(), first.height());
    const int blankTick = 8;
    EXPECT_TRUE(printed[blankTick - 1].isEmpty());
    for (int tick = 2; tick <= L1; ++tick) {
        if (tick == blankTick)
            continue;
        const QRect &box = printed[tick - 1];
        ASSERT_FALSE(box.isEmpty()) << "tick " << tick;
        EXPECT_LT(box.left(), column2Left) << "tick " << tick;
        const QRect &above = printed[tick - (tick == blankTick + 1 ? 3 : 2)];
        EXPECT_GT(box.top(), above.top()) << "tick " << tick;
    }
    // The empty line: the gap across the blank is about twice the one
    // between the two letters s of "Tressel".
    const int lineGap = printed[4].top() - printed[3].top();
    EXPECT_GT(lineGap, 0);
    EXPECT_GT(printed[blankTick].top() - printed[blankTick - 2].top(), lineGap * 3 / 2);

    // Column 2 starts at 20 % of the height, 5 % of the width, although column
    // 1 has already run far below that, and goes on downwards.
    const QRect bi = printed[L1];
    ASSERT_FALSE(bi.isEmpty());
    EXPECT_LT(bi.top(), printed[L1 - 1].top());
    EXPECT_GE(bi.left(), column2Left - 1);
    EXPECT_LT(bi.left(), column2Left + bi.width());
    EXPECT_GE(bi.top(), column2Top - 1);
    EXPECT_LT(bi.top(), column2Top + bi.height());
    for (int tick = L1 + 2; tick <= L1 + 9; ++tick) {
        const QRect &box = printed[tick - 1];
        ASSERT_FALSE(box.isEmpty()) << "tick " << tick;
        EXPECT_GE(box.left(), column2Left - 1) << "tick " << tick;
        EXPECT_LT(box.left(), column2Left + bi.width()) << "tick " << tick;
        EXPECT_GT(box.top(), printed[tick - 2].top()) << "tick " << tick;
    }

    // The text is part of what the window paints, so it survives being
    // covered and uncovered.
    const QImage shown = splash.grab().toImage();
    for (int tick : {1, L1, L1 + 1, L1 + 9})
        EXPECT_GT(InkCount(shown, printed[tick - 1]), 0) << "tick " << tick;
}

TEST_F(SplashTest, WindowPictureAndButtonTakeTheirShareOfTheScreen)
{
    FormStart &splash = Splash();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const double SH = screen.height() * 15.0;

    const QRect frame = splash.frameGeometry();
    EXPECT_EQ(frame.topLeft(), QPoint(0, 0));
    EXPECT_EQ(frame.width(), screen.width());
    EXPECT_EQ(frame.height(), Pixels(static_cast<float>(0.95 * SH)));

    const double W = frame.width() * 15.0;
    const double H = frame.height() * 15.0;
    const QRect image1 = splash.Image1Geometry();
    EXPECT_EQ(image1,
              QRect(Pixels(static_cast<float>(0.2 * W)), 0, Pixels(static_cast<float>(0.8 * W)),
                    Pixels(H)));
    EXPECT_EQ(splash.Command1->geometry(),
              QRect(Pixels(static_cast<float>(0.15 * W)), Pixels(static_cast<float>(0.8 * H)),
                    Pixels(static_cast<float>(0.15 * W)), Pixels(static_cast<float>(0.05 * H))));
    // The button lies over the picture's left edge.
    EXPECT_TRUE(splash.Command1->geometry().intersects(image1));

    // The picture fills its area stretched, whatever its own proportions.
    const QImage picture(QStringLiteral(":/splash.jpg"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(640, 549));
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect visible = image1.intersected(shown.rect());
    const QImage expected
        = picture.scaled(image1.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
              .convertToFormat(QImage::Format_RGB32);
    double difference = 0.0;
    int samples = 0;
    for (int y = visible.top(); y <= visible.bottom(); y += 7)
        for (int x = visible.left(); x <= visible.right(); x += 7) {
            if (splash.Command1->geometry().contains(x, y))
                continue;
            const QColor a = shown.pixelColor(x, y);
            const QColor b = expected.pixelColor(x - image1.left(), y - image1.top());
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
                + std::abs(a.blue() - b.blue());
            ++samples;
        }
    ASSERT_GT(samples, 100);
    EXPECT_LT(difference / samples, 6.0);
    // Before the first tick the left strip is bare white.
    EXPECT_EQ(InkCount(shown, QRect(0, 0, image1.left(), shown.height())), 0);
}

TEST_F(SplashTest, ButtonFaceIsGreenAndLeadsIntoTheMainWindow)
{
    FormStart &splash = DrivenSplash();
    for (int tick = 1; tick <= FormStart::FirstColumnLength() + 10; ++tick)
        splash.Timer1_Timer();
    ASSERT_FALSE(splash.Command1->isHidden());

    const QImage face = splash.Command1->grab().toImage();
    EXPECT_EQ(face.pixelColor(6, face.height() / 2), QColor(0, 192, 0));
    EXPECT_EQ(face.pixelColor(face.width() - 7, face.height() / 2), QColor(0, 192, 0));

    QTest::mouseClick(splash.Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WindowRegistry &windows = shell.Windows();
    EXPECT_FALSE(windows.IsLoaded(forms::kSplash));
    EXPECT_EQ(windows.VisibleWindows(), QStringList {forms::kMain});
    for (const QString &dialog : {forms::kParameters, forms::kSecondary, forms::kNote})
        EXPECT_TRUE(windows.IsLoaded(dialog)) << dialog.toStdString();
    EXPECT_EQ(programEnds, 0);
}

TEST_F(SplashTest, CloseBoxEndsTheProgramAtAnyStage)
{
    // Table: how many ticks have run before the close box is pressed.
    const int L1 = FormStart::FirstColumnLength();
    for (int ticks : {0, 3, L1 + 4, L1 + 12}) {
        ScriptedPrompts localPrompts;
        AppShell local(localPrompts);
        int ends = 0;
        local.onEndProgram = [&ends] { ++ends; };
        local.Start();
        FormStart &splash = local.Windows().Get<FormStart>(forms::kSplash);
        splash.Timer1->setInterval(24 * 3600 * 1000);
        for (int tick = 0; tick < ticks; ++tick)
            splash.Timer1_Timer();
        splash.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ends, 1) << ticks << " ticks";
        EXPECT_FALSE(local.Windows().IsLoaded(forms::kSplash)) << ticks << " ticks";
        EXPECT_FALSE(local.Windows().IsLoaded(forms::kMain)) << ticks << " ticks";
        EXPECT_TRUE(local.Windows().VisibleWindows().isEmpty()) << ticks << " ticks";
    }
}

TEST_F(SplashTest, TimerRunsTheAnimationByItselfAndStopsWithTheButton)
{
    FormStart &splash = Splash();
    const int L1 = FormStart::FirstColumnLength();
    QElapsedTimer clock;
    clock.start();
    while (splash.Command1->isHidden() && clock.elapsed() < 10000)
        QTest::qWait(20);
    const qint64 elapsed = clock.elapsed();
    ASSERT_FALSE(splash.Command1->isHidden());
    // Ten ticks a second from the moment the window was created.
    EXPECT_GE(elapsed, (L1 + 10) * 100 * 9 / 10);
    EXPECT_EQ(splash.AnimationStep(), L1 + 10);

    // The counter stops with the timer.
    QTest::qWait(350);
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_EQ(splash.AnimationStep(), L1 + 10);
    EXPECT_EQ(programEnds, 0);
}

} // namespace
