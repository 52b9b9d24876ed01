#include "layout/layout.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"
#include "qt/screen_twips.h"
#include "shell/main_window_controls.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QColor ToColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

// A bare window carrying the main window's controls, arranged for the screen.
class MainWindowFace : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFontSubstitutions();
        window = std::make_unique<QWidget>();
        controls = std::make_unique<MainWindowControls>(*window);
        PlaceMainWindow(*window, *controls);
    }

    // Every control with the target that describes it, in the same order.
    std::vector<QWidget *> Widgets() const
    {
        const MainWindowControls &c = *controls;
        std::vector<QWidget *> widgets = {c.Picture1};
        for (int k = 0; k < 7; ++k) {
            widgets.push_back(c.Label1[k]);
            widgets.push_back(c.Label2[k]);
        }
        for (int k = 0; k < kMainButtonCount; ++k)
            widgets.push_back(c.Button(k));
        for (int n = 1; n <= 7; ++n)
            widgets.push_back(c.Text[n]);
        for (QLineEdit *box : c.Texta)
            widgets.push_back(box);
        return widgets;
    }

    std::unique_ptr<QWidget> window;
    std::unique_ptr<MainWindowControls> controls;
};

QRect PixelRect(const GeometryTarget &t)
{
    return QRect(TwipsToPixels(t.Left()), TwipsToPixels(t.Top()), TwipsToPixels(t.Width()),
                 TwipsToPixels(t.Height()));
}

} // namespace

TEST_F(MainWindowFace, FillsTheScreenWidthAndPlacesEveryControl)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, screen.width(), qRound(0.95 * screen.height())));
    EXPECT_EQ(controls->Picture1->geometry(),
              QRect(0, 0, screen.width(), qRound(0.8 * window->frameGeometry().height())));

    // The same arrangement on whole pixels, worked out apart from any widget.
    std::vector<TwipGeometry> expected(1 + Widgets().size(),
                                       TwipGeometry(TwipGeometry::Snap::WholePixels));
    MainWindowTargets targets;
    std::size_t next = 0;
    targets.window = &expected[next++];
    targets.chart = &expected[next++];
    for (int k = 0; k < 7; ++k) {
        targets.readoutHeadings[k] = &expected[next++];
        targets.readoutValues[k] = &expected[next++];
    }
    for (auto &t : targets.buttons)
        t = &expected[next++];
    for (auto &t : targets.resultBoxes)
        t = &expected[next++];
    for (auto &t : targets.stateBoxes)
        t = &expected[next++];
    const ScreenSize size = ScreenTwips();
    ArrangeMainWindow(size.Width, size.Height, targets);

    const std::vector<QWidget *> widgets = Widgets();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(widgets[i]->geometry(), PixelRect(expected[i + 1]));
    }
    // The heading row starts at the chart's bottom edge; the buttons sit below
    // the value row.
    EXPECT_EQ(controls->Label1[0]->y(), controls->Picture1->geometry().bottom() + 1);
    EXPECT_GE(controls->Button(0)->y(), controls->Label2[0]->geometry().bottom());
}

TEST_F(MainWindowFace, CaptionsFontsAndColours)
{
    const MainWindowControls &c = *controls;
    EXPECT_EQ(window->windowTitle(),
              QString::fromUtf8("焓湿图及一次回风计算软件      作者：Tressel 空调系 Quennet"));

    const char *headings[7]
        = {"t:(℃)", "Pb:(pa)", "φ:(%)", "Pq:(pa)", "d:(g/kg)", "i:(kj/kg)", "ts:(℃)"};
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(c.Label1[k]->text(), QString::fromUtf8(headings[k]));
        EXPECT_EQ(c.Label1[k]->font().family(), QString::fromUtf8(faces::kSong));
        EXPECT_EQ(c.Label1[k]->font().pointSizeF(), 10.5);
        EXPECT_EQ(c.Label1[k]->font().weight(), QFont::Bold);
        EXPECT_FALSE(c.Label1[k]->font().italic());
        EXPECT_TRUE(c.Label2[k]->text().isEmpty());
        EXPECT_EQ(c.Label2[k]->font().family(), QString::fromUtf8(faces::kSong));
        EXPECT_EQ(c.Label2[k]->font().pointSizeF(), 12.0);
        EXPECT_EQ(c.Label2[k]->font().weight(), QFont::Normal);
        EXPECT_TRUE(c.Label2[k]->font().italic());
    }

    const char *captions[kMainButtonCount]
        = {"生成焓湿图", "重    绘", "计算并描点", "一次回风", "二次回风", "帮   助", "冬季工况"};
    for (int k = 0; k < kMainButtonCount; ++k)
        EXPECT_EQ(c.Button(k)->text(), QString::fromUtf8(captions[k])) << k;
    for (int n = 1; n <= 7; ++n)
        EXPECT_TRUE(c.Text[n]->text().isEmpty());

    EXPECT_EQ(c.Picture1->Surface().BackColor(), MainWindowControls::kPictureBack);
    EXPECT_EQ(c.Picture1->Surface().ForeColor(), (Rgb {255, 0, 0}));
    EXPECT_EQ(c.Picture1->Surface().FillColor(), (Rgb {255, 0, 0}));
    EXPECT_EQ(c.Picture1->Surface().Font().family(), QString::fromUtf8(faces::kSong));

    // What the screen shows: the window's pink ground in the empty corner
    // right of the buttons, the light-blue readout cells, the pink button
    // faces and the chart's own background.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage shot = window->grab().toImage();
    const auto pixel = [&shot](QWidget *w, int dx, int dy) {
        return shot.pixelColor(w->mapTo(w->window(), QPoint(dx, dy))).rgb();
    };
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() - 3).rgb(),
              ToColor(MainWindowControls::kWindowBack).rgb());
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(pixel(c.Label2[k], c.Label2[k]->width() / 2, c.Label2[k]->height() / 2),
                  ToColor(MainWindowControls::kReadoutBack).rgb());
    }
    for (int k = 0; k < kMainButtonCount; ++k) {
        QPushButton *b = c.Button(k);
        EXPECT_EQ(pixel(b, 4, b->height() / 2), ToColor(MainWindowControls::kButtonFace).rgb())
            << k;
    }
    EXPECT_EQ(pixel(c.Picture1, 2, 2), ToColor(MainWindowControls::kPictureBack).rgb());
}

TEST_F(MainWindowFace, FocusStartsOnTheChartAndTabsInTheFixedOrder)
{
    const MainWindowControls &c = *controls;
    std::vector<QWidget *> order = {c.Picture1};
    for (int k = 0; k < kMainButtonCount; ++k)
        order.push_back(c.Button(k));
    for (int n = 1; n <= 4; ++n)
        order.push_back(c.Text[n]);
    for (int k : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 6})
        order.push_back(c.Texta[k]);
    for (int n = 5; n <= 7; ++n)
        order.push_back(c.Text[n]);

    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_EQ(QApplication::focusWidget(), c.Picture1);
    for (std::size_t i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // After the last box the focus comes round to the chart again.
        EXPECT_EQ(QApplication::focusWidget(), order[i % order.size()]) << i;
    }
}

TEST_F(MainWindowFace, BoxesLieAboveTheChart)
{
    const MainWindowControls &c = *controls;
    std::vector<QLineEdit *> boxes(c.Text + 1, c.Text + 8);
    boxes.insert(boxes.end(), c.Texta, c.Texta + 12);
    for (QLineEdit *box : boxes) {
        ASSERT_TRUE(c.Picture1->geometry().contains(box->geometry()));
        QWidget *top = window->childAt(box->geometry().center());
        EXPECT_TRUE(top == box || box->isAncestorOf(top));
    }
    // Beside the boxes the chart itself shows.
    EXPECT_EQ(window->childAt(QPoint(2, 2)), c.Picture1);
}
