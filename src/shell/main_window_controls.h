#pragma once

#include "draw/rgb.h"
#include "qt/chart_boxes.h"
#include "text/box_texts.h"

class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

#include <QSize>

// The controls of the main window, created on the window given and owned by
// it, with their fixed captions, fonts, colours, focus order and stacking:
//
// - Picture1, the chart surface, lowest in the stacking order and first in
//   the focus order;
// - Label1[k] and Label2[k] (k = 0..6), the readout columns below the chart:
//   headings above value cells;
// - the seven buttons in their row, named by their captions;
// - Text[n] (n = 1..7; Text[0] is unused) is the result box Text n beside the
//   chart, Texta[k] (k = 0..11) the block of state boxes over the chart.
//
// Geometry is set by PlaceMainWindow; until then every control is empty-sized.
class MainWindowControls {
public:
    explicit MainWindowControls(QWidget &window);

    MainWindowControls(const MainWindowControls &) = delete;
    MainWindowControls &operator=(const MainWindowControls &) = delete;

    // Holds every control below; as large as the arrangement, moved by the
    // scroll bars when the window is smaller than the smallest arrangement.
    QWidget *Page = nullptr;
    QScrollBar *ScrollX = nullptr;
    QScrollBar *ScrollY = nullptr;

    PictureBox *Picture1 = nullptr;
    QLabel *Label1[kReadoutCellCount] = {};
    QLabel *Label2[kReadoutCellCount] = {};
    QPushButton *生成焓湿图 = nullptr;
    QPushButton *重绘 = nullptr;
    QPushButton *计算并描点 = nullptr;
    QPushButton *一次回风 = nullptr;
    QPushButton *二次回风 = nullptr;
    QPushButton *帮助 = nullptr;
    QPushButton *冬季工况 = nullptr;
    QLineEdit *Text[8] = {};
    QLineEdit *Texta[12] = {};

    // The buttons in their row order, left to right.
    QPushButton *Button(int index) const;
    // The box that shows a result or a state value: result boxes are Text1 to
    // Text7 from the top, state boxes Texta(0) to Texta(11) in StateBox order.
    QLineEdit *Box(ResultBox box) const;
    QLineEdit *Box(StateBox box) const;

    // Gives the result boxes and the state boxes each the font their widest
    // text needs to show whole (FittedBoxFont), after their texts or their
    // sizes change.
    void FitBoxFonts();

    // The window's colours and those of its controls (the caption is
    // ProgramCaption()).
    static constexpr Rgb kWindowBack = kMainWindowBack;
    static constexpr Rgb kPictureBack = colours::kChartBack;
    static constexpr Rgb kPictureFore = colours::kChartFore;
    static constexpr Rgb kReadoutBack {192, 192, 255};
    static constexpr Rgb kButtonFace {255, 192, 192};
};

// Places the real window and its controls on the current screen as
// ArrangeMainWindow (layout/layout.h) arranges them: the window over the whole
// width of the screen and 95 % of its height at the top-left corner, and every
// control at its fixed fraction of the window's or the chart surface's size. The window's geometry
// is its outer frame; the controls are placed in whole pixels. Answers the
// outer frame arranged, in pixels.
QSize PlaceMainWindow(QWidget &window, MainWindowControls &controls);

// The smallest outer frame the controls are arranged for, in pixels: a
// smaller window shows part of that arrangement and scrolls.
inline constexpr QSize kSmallestMainFrame {960, 640};

// Arranges the controls again for an outer frame of `frame` (or `smallest`,
// whichever is larger in each direction), when that differs from
// `arranged`, and shows the scroll bars a window smaller than that needs.
// Answers the frame the controls are arranged for.
QSize FollowWindowSize(QWidget &window, MainWindowControls &controls, QSize frame, QSize arranged,
                       QSize smallest);
