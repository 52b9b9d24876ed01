#include "chart/chart_drawing.h"
#include "draw/scene_view.h"
#include "qt/image_surface.h"
#include "qt/picture_box.h"
#include "qt/picture_record.h"
#include "readout/pointer_readout.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/main_window_controls.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

struct MainWindow : MainWindowAfterSplash {
    QString cell(int k) { return controls().Label2[k]->text(); }
};

QColor PixelAt(ImageSurface &surface, double d, double i)
{
    const ScaleMap &m = surface.Map();
    return surface.Image().pixelColor(static_cast<int>(std::floor(m.ToPixelX(d))),
                                      static_cast<int>(std::floor(m.ToPixelY(i))));
}

} // namespace

TEST(MainWindowReadout, PointerMovesFillTheCellsAtTheCurrentPressure)
{
    MainWindow w;
    EXPECT_TRUE(w.cell(0).isEmpty()) << "cells are empty before the first move";

    // Pixel positions carry a rounding of at most half a pixel, so compare loosely.
    w.MoveTo(10, 50);
    EXPECT_NEAR(w.cell(4).toDouble(), 10.0, 0.05);
    EXPECT_NEAR(w.cell(5).toDouble(), 50.0, 0.2);
    EXPECT_NEAR(w.cell(0).toDouble(), 24.43, 0.2);
    EXPECT_NEAR(w.cell(2).toDouble(), 52.35, 1.0);
    // The wet bulb of an unsaturated state lies below its dry bulb.
    bool number = false;
    EXPECT_LT(w.cell(6).toDouble(&number), w.cell(0).toDouble());
    EXPECT_TRUE(number) << w.cell(6).toStdString();

    w.MoveTo(30, 40);
    EXPECT_EQ(w.cell(2), QStringLiteral("超范围"));
    EXPECT_EQ(w.cell(6), QStringLiteral("超范围"));
    EXPECT_NEAR(w.cell(0).toDouble(), -33.01, 0.3);

    // Another pressure changes Pq and phi, not t, Pb, d or i.
    w.MoveTo(10, 50);
    const QString t = w.cell(0), pb = w.cell(1), pq = w.cell(3), phi = w.cell(2);
    w.form().chart.B = 90000;
    w.MoveTo(20, 60);
    w.MoveTo(10, 50);
    EXPECT_EQ(w.cell(0), t);
    EXPECT_EQ(w.cell(1), pb);
    EXPECT_NE(w.cell(3), pq);
    EXPECT_NE(w.cell(2), phi);

    // Moving off the chart leaves the last values; a drag far outside never stops the program.
    QTest::mousePress(w.controls().Picture1, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(w.controls().Picture1, QPoint(-100000, 200000));
    QTest::mouseRelease(w.controls().Picture1, Qt::LeftButton, {}, QPoint(-100000, 200000));
    EXPECT_FALSE(w.cell(0).isEmpty());
    EXPECT_TRUE(w.prompts.messages.empty());
}

TEST(MainWindowChart, ScaleIsCentredAndARedrawGivesTheSameImage)
{
    for (const QSize size : {QSize(1920, 821), QSize(801, 433), QSize(640, 480)}) {
        ImageSurface surface;
        surface.SetBackColor(colours::kChartBack);
        surface.Resize(size.width(), size.height());
        SetChartScale(surface);
        const ScaleMap &m = surface.Map();
        EXPECT_EQ(static_cast<int>(std::floor(m.ToPixelX(21))), size.width() / 2);
        EXPECT_EQ(static_cast<int>(std::floor(m.ToPixelY(57.5))), size.height() / 2);
        surface.SetForeColor(colours::kBlack);
        surface.Line(20, 57.5, 22, 57.5);
        surface.Line(21, 60, 21, 55);
        EXPECT_EQ(surface.Image().pixelColor(size.width() / 2, size.height() / 2), QColor(0, 0, 0));
    }

    MainWindow w;
    QTest::mouseClick(w.controls().重绘, Qt::LeftButton);
    const QImage first = w.form().Picture().Image().copy();
    QTest::mouseClick(w.controls().重绘, Qt::LeftButton);
    EXPECT_EQ(first, w.form().Picture().Image());
    EXPECT_EQ(w.controls().Texta[11]->text(), "1");
    // The grid line at d = 1 high on the chart, where no curve passes.
    EXPECT_EQ(PixelAt(w.form().Picture(), 1, 140), QColor(0, 0, 0));
}

TEST(MainWindowChart, DefaultCalculationMarksNRedAndLBlackAndShowsLeadingDigits)
{
    MainWindow w;
    QTest::mouseClick(w.controls().一次回风, Qt::LeftButton);
    QTest::mouseClick(w.shell.Windows().Get<Form2>(forms::kParameters).Command1, Qt::LeftButton);
    QTest::mouseClick(w.controls().计算并描点, Qt::LeftButton);
    ASSERT_TRUE(w.prompts.messages.empty());

    const PrimaryOutcome p = w.Primary();
    const StatePoint N = *p.State(StateName::N), L = *p.State(StateName::L);
    EXPECT_EQ(PixelAt(w.form().Picture(), N.d, N.i), QColor(255, 0, 0));
    EXPECT_EQ(PixelAt(w.form().Picture(), L.d, L.i), QColor(0, 0, 0));
    EXPECT_EQ(w.controls().Text[3]->text(), "1200000.03031455");
    EXPECT_EQ(w.controls().Text[4]->text(), "12");
    // A value longer than its box shows its leading digits, not its tail.
    for (QLineEdit *box : w.controls().Texta)
        EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_EQ(w.controls().Text[1]->cursorPosition(), 0);
}

TEST(MainWindowChart, AFaultWhileDrawingEndsWithAMessageAndTheProgramGoesOn)
{
    MainWindow w;
    // A pressure no prompt lets through makes the moisture formula fail.
    w.form().chart.B = std::nan("");
    QTest::mouseClick(w.controls().重绘, Qt::LeftButton);
    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_NE(w.prompts.messages[0].find("由水蒸气分压力求含湿量d"), std::string::npos)
        << w.prompts.messages[0];
    EXPECT_EQ(w.shell.Windows().VisibleWindows(), QStringList {forms::kMain});

    w.form().chart.B = 101325;
    QTest::mouseClick(w.controls().重绘, Qt::LeftButton);
    EXPECT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_EQ(w.controls().Texta[10]->text(), "101325");
}

// A message box that cannot be shown does not leave the button's handler;
// the boxes already hold what the calculation found.
TEST(MainWindowChart, AMessageBoxThatFailsDoesNotLeaveTheHandler)
{
    struct UnshowablePrompts : ScriptedPrompts {
        void MsgBox(const std::string &) override { throw std::runtime_error("no display"); }
    } unshowable;
    AppShell shell(unshowable);
    shell.onEndProgram = [] {};
    shell.Start();
    shell.LeaveSplash();
    Form1 &form = shell.Windows().Get<Form1>(forms::kMain);
    shell.Parameters() = {26, 60, 35, 26.5, 6, 30, 0, 12, 0.01f}; // φL 0: L is not found
    form.ParametersSet = true;
    EXPECT_NO_THROW(QTest::mouseClick(form.Controls().计算并描点, Qt::LeftButton));
    EXPECT_EQ(form.Controls().Text[1]->text(), "");
    EXPECT_EQ(form.Controls().Text[3]->text(), "1200000.03031455");
}

// The window follows the size the user gives it: the controls are arranged
// again for the new frame, the chart is drawn again for its new size with the
// process on it, and a window smaller than the smallest arrangement scrolls.
// On the chart, magnified or not, the state shown under a pixel is the state
// the readout gives there, and a state's pixel gives that state back.
TEST(MainWindowSize, TheWindowFollowsItsSizeAndTheReadoutStaysExactWhenMagnified)
{
    MainWindow w;
    QTest::mouseClick(w.controls().一次回风, Qt::LeftButton);
    QTest::mouseClick(w.shell.Windows().Get<Form2>(forms::kParameters).Command1, Qt::LeftButton);
    QTest::mouseClick(w.controls().计算并描点, Qt::LeftButton);
    const StatePoint N = *w.Primary().State(StateName::N);
    MainWindowControls &c = w.controls();
    PictureBox &picture = *c.Picture1;

    const QSize placed = w.form().frameGeometry().size();
    for (const QSize client : {QSize(1500, 900), QSize(1100, 700), QSize(500, 300)}) {
        SCOPED_TRACE(client.width());
        w.form().resize(client);
        QApplication::processEvents();
        const QSize frame = w.form().frameGeometry().size();
        const QSize arranged = frame.expandedTo(placed.boundedTo(kSmallestMainFrame));
        EXPECT_EQ(picture.width(), arranged.width());
        EXPECT_NEAR(picture.height(), 0.8 * arranged.height(), 1.0);
        EXPECT_EQ(picture.Surface().Size(), picture.size()) << "the chart drawn for its size";
        EXPECT_EQ(PixelAt(picture.Surface(), N.d, N.i), QColor(255, 0, 0)) << "the process stays";
        for (int n = 1; n <= 7; ++n)
            EXPECT_TRUE(picture.geometry().contains(c.Text[n]->geometry())) << n;
        const bool scrolls = arranged.height() > frame.height();
        EXPECT_EQ(c.ScrollY->isVisibleTo(&w.form()), scrolls);
        if (scrolls) {
            c.ScrollY->setValue(c.ScrollY->maximum());
            // Scrolled to the end, the button row shows above the horizontal scroll bar.
            const QRect button = c.Button(0)->geometry().translated(c.Page->pos());
            EXPECT_LE(button.bottom(), w.form().height());
            EXPECT_GE(button.top(), 0);
        }
    }

    w.form().resize(1500, 900);
    QApplication::processEvents();
    const ScaleMap &whole = picture.Surface().Map();
    const QPoint at(static_cast<int>(whole.ToPixelX(N.d)), static_cast<int>(whole.ToPixelY(N.i)));
    for (const double zoom : {1.0, 4.0}) {
        SCOPED_TRACE(zoom);
        picture.ResetView();
        if (zoom > 1.0)
            picture.ZoomAbout(zoom, at);
        EXPECT_NEAR(ZoomOf(WholeView(picture.Surface().Map()), picture.View()), zoom, 1e-9);
        const ScaleMap &shown = picture.ShownMap();
        // The point zoomed about stays under the pointer.
        EXPECT_NEAR(shown.ToPixelX(whole.FromPixelX(at.x())), at.x(), 1e-3);
        EXPECT_NEAR(shown.ToPixelY(whole.FromPixelY(at.y())), at.y(), 1e-3);
        for (const QPoint pixel : {at, at + QPoint(37, -21), QPoint(5, 5)}) {
            QTest::mouseMove(&picture, pixel);
            const ReadoutTexts expected
                = PointerReadout(w.form().chart, static_cast<float>(shown.FromPixelX(pixel.x())),
                                 static_cast<float>(shown.FromPixelY(pixel.y())));
            for (int k = 0; k < kReadoutCellCount; ++k)
                EXPECT_EQ(w.cell(k).toStdString(), expected[k]) << k;
            EXPECT_NEAR(shown.ToPixelX(shown.FromPixelX(pixel.x())), pixel.x(), 1e-6);
            EXPECT_NEAR(shown.ToPixelY(shown.FromPixelY(pixel.y())), pixel.y(), 1e-6);
        }
        // The process is painted where the magnified view puts it, the whole
        // chart kept for saving.
        const QImage image = picture.ShownSurface().Image();
        EXPECT_EQ(image.pixelColor(static_cast<int>(std::floor(shown.ToPixelX(N.d))),
                                   static_cast<int>(std::floor(shown.ToPixelY(N.i)))),
                  QColor(255, 0, 0));
        EXPECT_EQ(WholeView(picture.Surface().Map()), WholeView(picture.ChartScene().Map()));
        // The letter N stands as many pixels from its dot as on the whole chart.
        const auto letterOffset = [&N](ImageSurface &surface) {
            for (const PictureItem &item : surface.Record().items)
                if (item.kind == PictureItem::Kind::Text && item.text == QStringLiteral("N"))
                    return item.points.front()
                        - QPointF(surface.Map().ToPixelX(N.d), surface.Map().ToPixelY(N.i));
            return QPointF(1e9, 1e9);
        };
        const QPointF offset = letterOffset(picture.ShownSurface());
        const QPointF wholeOffset = letterOffset(picture.Surface());
        EXPECT_NEAR(offset.x(), wholeOffset.x(), 1.0);
        EXPECT_NEAR(offset.y(), wholeOffset.y(), 1.0);
    }
}
