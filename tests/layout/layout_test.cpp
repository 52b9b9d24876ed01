#include "layout/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// A 1024 x 768 pixel screen in twips.
constexpr float kSW = 1024 * 15.0f;
constexpr float kSH = 768 * 15.0f;

// Float results of chained sums may differ from the decimal values in the
// last bits; a hundredth of a twip is far below anything visible.
constexpr float kTolerance = 0.01f;

struct Edges {
    float left, top, width, height;
};

void ExpectEdges(const GeometryTarget &target, Edges expected, const char *what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(target.Left(), expected.left, kTolerance);
    EXPECT_NEAR(target.Top(), expected.top, kTolerance);
    EXPECT_NEAR(target.Width(), expected.width, kTolerance);
    EXPECT_NEAR(target.Height(), expected.height, kTolerance);
}

// The main window with a geometry of its own for every control.
struct MainWindow {
    explicit MainWindow(TwipGeometry::Snap snap) : MainWindow(snap, nullptr) { }
    MainWindow(TwipGeometry::Snap snap, GeometryTarget *window)
    {
        controls.reserve(60);
        const auto add = [this, snap] { return &controls.emplace_back(snap); };
        targets.window = window != nullptr ? window : add();
        targets.chart = add();
        for (auto &t : targets.readoutHeadings)
            t = add();
        for (auto &t : targets.readoutValues)
            t = add();
        for (auto &t : targets.buttons)
            t = add();
        for (auto &t : targets.resultBoxes)
            t = add();
        for (auto &t : targets.stateBoxes)
            t = add();
    }

    std::vector<TwipGeometry> controls;
    MainWindowTargets targets;
};

struct ParameterDialog {
    explicit ParameterDialog(TwipGeometry::Snap snap)
    {
        controls.reserve(20);
        const auto add = [this, snap] { return &controls.emplace_back(snap); };
        targets.dialog = add();
        for (int row = 0; row < kParameterRows; ++row) {
            targets.boxes[row] = add();
            targets.labels[row] = add();
        }
        targets.okButton = add();
    }

    std::vector<TwipGeometry> controls;
    ParameterDialogTargets targets;
};

// The controls by their designed names: the main window's result box Text n
// (n = 1..7) and state box Texta(k); the dialog's Text n and Label n (n = 1..9).
GeometryTarget &Text(const MainWindowTargets &t, int n)
{
    return *t.resultBoxes.at(n - 1);
}
GeometryTarget &Texta(const MainWindowTargets &t, int k)
{
    return *t.stateBoxes.at(k);
}
GeometryTarget &Text(const ParameterDialogTargets &t, int n)
{
    return *t.boxes.at(n - 1);
}
GeometryTarget &Label(const ParameterDialogTargets &t, int n)
{
    return *t.labels.at(n - 1);
}

bool WholePixel(float twips)
{
    return std::fmod(twips, 15.0f) == 0.0f;
}

} // namespace

TEST(MainWindowLayout, MatchesTheProportionsOnA1024By768Screen)
{
    MainWindow w(TwipGeometry::Snap::Exact);
    ArrangeMainWindow(kSW, kSH, w.targets);
    const MainWindowTargets &t = w.targets;

    ExpectEdges(*t.window, {0, 0, 15360, 10944}, "Form1");
    ExpectEdges(*t.chart, {0, 0, 15360, 8755.2f}, "Picture1");

    const std::array<float, 7> lefts
        = {230.4f, 2227.2f, 4224.0f, 6220.8f, 8217.6f, 10214.4f, 12211.2f};
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        ExpectEdges(*t.readoutHeadings[k], {lefts[k], 8755.2f, 1843.2f, 547.2f}, "Label1");
        ExpectEdges(*t.readoutValues[k], {lefts[k], 9302.4f, 1843.2f, 547.2f}, "Label2");
        ExpectEdges(*t.buttons[k], {lefts[k], 9849.6f, 1843.2f, 547.2f}, "button");
    }

    const std::array<float, 8> textTops
        = {0, 4377.6f, 4815.36f, 5253.12f, 5690.88f, 6128.64f, 6566.4f, 7004.16f};
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        ExpectEdges(Text(t, n), {12288, textTops[n], 1536, 437.76f}, "Text");
    }

    const std::array<float, 3> columnLefts = {4608, 6144, 7680};
    const std::array<float, 4> rowTops = {6128.64f, 6391.296f, 6653.952f, 6916.608f};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 4; ++r) {
            SCOPED_TRACE(4 * c + r);
            ExpectEdges(Texta(t, 4 * c + r), {columnLefts[c], rowTops[r], 768, 262.656f}, "Texta");
        }
    }

    // The heading row starts exactly at the chart's bottom edge; the readout
    // columns and the buttons end at 0.915 of the window's width, the seventh
    // button (冬季工况) at 0.795 under the last readout column.
    EXPECT_EQ(t.readoutHeadings[0]->Top(), t.chart->Top() + t.chart->Height());
    EXPECT_NEAR(t.readoutHeadings[6]->Left() + t.readoutHeadings[6]->Width(), 0.915f * 15360,
                kTolerance);
    EXPECT_NEAR(t.buttons[6]->Left(), 0.795f * 15360, kTolerance);
    EXPECT_NEAR(t.buttons[6]->Left() + t.buttons[6]->Width(), 0.915f * 15360, kTolerance);
}

// On a real screen every value lands on a whole pixel, and each chained value
// starts from its neighbour as the screen placed it: rows must neither gap
// nor overlap, and the three state-box columns stay evenly spaced.
TEST(MainWindowLayout, WholePixelsKeepRowsAndColumnsTogether)
{
    const std::array<std::array<int, 2>, 7> screens = {{{800, 600},
                                                        {1024, 768},
                                                        {1280, 1024},
                                                        {1366, 768},
                                                        {1440, 900},
                                                        {1920, 1080},
                                                        {2560, 1440}}};
    for (const auto &[pw, ph] : screens) {
        SCOPED_TRACE(::testing::Message() << pw << " x " << ph);
        MainWindow w(TwipGeometry::Snap::WholePixels);
        ArrangeMainWindow(pw * 15.0f, ph * 15.0f, w.targets);
        const MainWindowTargets &t = w.targets;
        const double FW = t.window->Width();
        const double FH = t.window->Height();

        for (const auto &control : w.controls) {
            EXPECT_TRUE(WholePixel(control.Left()) && WholePixel(control.Top())
                        && WholePixel(control.Width()) && WholePixel(control.Height()));
        }
        EXPECT_EQ(t.readoutHeadings[0]->Top(), t.chart->Height());

        // A chained left starts from the neighbour's placed left and width.
        const auto snapped
            = [](double twips) { return PixelsToTwips(TwipsToPixels(static_cast<float>(twips))); };
        for (int k = 1; k < 7; ++k) {
            const double gap = 0.01 * FW;
            EXPECT_EQ(t.readoutHeadings[k]->Left(),
                      snapped(double(t.readoutHeadings[k - 1]->Left())
                              + t.readoutHeadings[k - 1]->Width() + gap));
            EXPECT_EQ(t.readoutValues[k]->Left(), t.readoutHeadings[k]->Left());
            EXPECT_EQ(t.buttons[k]->Left(), t.readoutHeadings[k]->Left());
        }
        EXPECT_EQ(t.buttons[0]->Top(), snapped(0.9 * FH));

        // The result boxes touch: each one's top is the one above plus
        // Text1's height, so a rounding of that height adds up down the column.
        for (int n = 2; n <= 7; ++n)
            EXPECT_EQ(Text(t, n).Top(), Text(t, n - 1).Top() + Text(t, 1).Height());
        EXPECT_EQ(Text(t, 7).Top(), Text(t, 1).Top() + 6 * Text(t, 1).Height());

        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(Texta(t, 4 * c).Left(), Texta(t, 0).Left() + 2 * c * Texta(t, 0).Width());
            for (int r = 1; r < 4; ++r) {
                const GeometryTarget &box = Texta(t, 4 * c + r);
                const GeometryTarget &above = Texta(t, 4 * c + r - 1);
                EXPECT_EQ(box.Left(), above.Left());
                EXPECT_EQ(box.Top(), above.Top() + above.Height());
            }
        }
    }
}

// The accumulated rounding is what a user sees on a 1024 x 768 screen: the
// result column ends a pixel or more away from where per-row rounding of
// 0.5 + (n - 1) x 0.05 of the chart's height would put it.
TEST(MainWindowLayout, ResultColumnAccumulatesTheRoundedBoxHeight)
{
    MainWindow w(TwipGeometry::Snap::WholePixels);
    ArrangeMainWindow(kSW, kSH, w.targets);
    const MainWindowTargets &t = w.targets;
    const double PH = t.chart->Height();
    const float perRow = PixelsToTwips(TwipsToPixels(static_cast<float>(0.8 * PH)));
    EXPECT_NE(Text(t, 7).Top(), perRow);
    EXPECT_GE(std::fabs(Text(t, 7).Top() - perRow), 15.0f);
}

// The window system decides the window's final size (a window manager may
// keep it inside the work area); everything inside follows what it reports.
TEST(MainWindowLayout, ControlsFollowTheSizeTheWindowSystemReports)
{
    class ClampedWindow : public TwipGeometry {
    public:
        void SetHeight(float twips) override { TwipGeometry::SetHeight(std::min(twips, 9000.0f)); }
        void SetWidth(float twips) override { TwipGeometry::SetWidth(twips - 120.0f); }
    };
    ClampedWindow window;
    MainWindow w(TwipGeometry::Snap::Exact, &window);
    ArrangeMainWindow(kSW, kSH, w.targets);
    const MainWindowTargets &t = w.targets;

    ASSERT_EQ(window.Height(), 9000.0f);
    ASSERT_EQ(window.Width(), kSW - 120.0f);
    EXPECT_FLOAT_EQ(t.chart->Height(), 0.8f * 9000.0f);
    EXPECT_FLOAT_EQ(t.chart->Width(), kSW - 120.0f);
    EXPECT_FLOAT_EQ(t.buttons[3]->Top(), 0.9f * 9000.0f);
    EXPECT_FLOAT_EQ(t.readoutValues[6]->Width(), static_cast<float>(0.12 * (kSW - 120.0)));
    EXPECT_FLOAT_EQ(Text(t, 1).Top(), 0.5f * 0.8f * 9000.0f);
}

TEST(ParameterDialogLayout, MatchesTheProportionsOnA1024By768Screen)
{
    ParameterDialog d(TwipGeometry::Snap::Exact);
    ArrangeParameterDialog(kSW, kSH, d.targets);
    const ParameterDialogTargets &t = d.targets;

    ExpectEdges(*t.dialog, {4608, 3456, 7680, 4608}, "Form2");
    const std::array<float, 8> tops
        = {0, 92.16f, 552.96f, 1013.76f, 1474.56f, 1935.36f, 2396.16f, 2856.96f};
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        ExpectEdges(Text(t, n), {2304, tops[n], 768, 230.4f}, "Text");
        ExpectEdges(Label(t, n), {153.6f, tops[n], 3840, 253.44f}, "Label");
    }
    // The load boxes are as tall as the air-state boxes (0.05 of the dialog's
    // height), Text9 one gap of 0.05 below Text8, each label on its box.
    ExpectEdges(Text(t, 8), {5760, 92.16f, 1152, 230.4f}, "Text8");
    ExpectEdges(Text(t, 9), {5760, 552.96f, 1152, 230.4f}, "Text9");
    ExpectEdges(Label(t, 8), {4147.2f, 92.16f, 4608, 253.44f}, "Label8");
    ExpectEdges(Label(t, 9), {4147.2f, 552.96f, 5376, 253.44f}, "Label9");
    ExpectEdges(*t.okButton, {4608, 2304, 1536, 460.8f}, "Command1");

    // The two load labels reach past the dialog's right edge.
    EXPECT_GT(Label(t, 8).Left() + Label(t, 8).Width(), t.dialog->Width());
    EXPECT_GT(Label(t, 9).Left() + Label(t, 9).Width(), t.dialog->Width());
}

TEST(ParameterDialogLayout, LabelsAlignWithTheirBoxesOnWholePixels)
{
    const std::array<std::array<int, 2>, 5> screens
        = {{{800, 600}, {1024, 768}, {1366, 768}, {1920, 1080}, {2560, 1440}}};
    for (const auto &[pw, ph] : screens) {
        SCOPED_TRACE(::testing::Message() << pw << " x " << ph);
        ParameterDialog d(TwipGeometry::Snap::WholePixels);
        ArrangeParameterDialog(pw * 15.0f, ph * 15.0f, d.targets);
        const ParameterDialogTargets &t = d.targets;
        const double FH = t.dialog->Height();
        const auto snapped
            = [](double twips) { return PixelsToTwips(TwipsToPixels(static_cast<float>(twips))); };

        for (int n = 1; n <= 9; ++n) {
            // The box covers its label from the top edge down; the label
            // reaches a little further.
            EXPECT_EQ(Label(t, n).Top(), Text(t, n).Top());
            EXPECT_GE(Label(t, n).Height(), Text(t, n).Height());
            EXPECT_LT(Label(t, n).Left(), Text(t, n).Left());
        }
        // Each row starts from the row above as it was placed.
        for (int n = 2; n <= 7; ++n) {
            EXPECT_EQ(Text(t, n).Top(),
                      snapped(double(Text(t, n - 1).Top()) + Text(t, n - 1).Height() + 0.05 * FH));
        }
        EXPECT_EQ(Text(t, 9).Top(),
                  snapped(double(Text(t, 8).Top()) + Text(t, 8).Height() + 0.05 * FH));
        EXPECT_EQ(Label(t, 8).Left(), Label(t, 9).Left());
        // The load boxes have the air-state boxes' height: at least 12 px of
        // glyph fit in them on every screen.
        for (int n : {8, 9}) {
            EXPECT_EQ(Text(t, n).Height(), Text(t, 1).Height()) << n;
            EXPECT_GE(TwipsToPixels(Text(t, n).Height()), 12) << n;
        }
    }
}
