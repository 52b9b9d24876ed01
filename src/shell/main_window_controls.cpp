#include "shell/main_window_controls.h"

#include "layout/layout.h"
#include "qt/chart_surface.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"
#include "qt/program_look.h"
#include "qt/qt_colour.h"
#include "qt/screen_twips.h"
#include "qt/widget_geometry.h"
#include "text/captions.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

QFont SongFont(double points, bool bold, bool italic)
{
    QFont font(QString::fromUtf8(faces::kSong));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

QLabel *ReadoutLabel(QWidget &window, const char *caption, const QFont &font)
{
    auto *label = new QLabel(QString::fromUtf8(caption), &window);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ToQColor(MainWindowControls::kReadoutBack));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QPushButton *GraphicalButton(QWidget &window, const char *caption)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), &window);
    MakeGraphicalButton(*button, MainWindowControls::kButtonFace);
    return button;
}

} // namespace

MainWindowControls::MainWindowControls(QWidget &window)
{
    window.setWindowTitle(ProgramCaption());
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, ToQColor(kWindowBack));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    Page = new QWidget(&window);
    QWidget &page = *Page;
    ScrollX = new QScrollBar(Qt::Horizontal, &window);
    ScrollY = new QScrollBar(Qt::Vertical, &window);
    for (QScrollBar *bar : {ScrollX, ScrollY}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        QObject::connect(bar, &QScrollBar::valueChanged, Page,
                         [this] { Page->move(-ScrollX->value(), -ScrollY->value()); });
    }

    // Created first, so it lies beneath every later control.
    Picture1 = new PictureBox(&page);
    SetUpChartSurface(Picture1->Surface());
    Picture1->SetBackColor(kPictureBack);
    Picture1->setFocusPolicy(Qt::StrongFocus);

    const QFont headingFont = SongFont(10.5, true, false);
    const QFont valueFont = SongFont(12.0, false, true);
    for (int k = 0; k < kReadoutCellCount; ++k) {
        Label1[k] = ReadoutLabel(page, captions::kReadoutHeadings[k], headingFont);
        Label2[k] = ReadoutLabel(page, "", valueFont);
    }

    const auto &buttons = captions::kMainButtons;
    生成焓湿图 = GraphicalButton(page, buttons[0]);
    重绘 = GraphicalButton(page, buttons[1]);
    计算并描点 = GraphicalButton(page, buttons[2]);
    一次回风 = GraphicalButton(page, buttons[3]);
    二次回风 = GraphicalButton(page, buttons[4]);
    帮助 = GraphicalButton(page, buttons[5]);
    冬季工况 = GraphicalButton(page, buttons[6]);

    // The boxes' font and palette are those of the boxes over saved pictures.
    const auto chartBox = [&page] {
        auto *box = new QLineEdit(&page);
        box->setFont(ChartBoxFont());
        box->setPalette(ChartBoxPalette());
        return box;
    };
    for (int n = 1; n <= 7; ++n)
        Text[n] = chartBox();
    for (auto &box : Texta)
        box = chartBox();

    // The boxes lie over the chart and are drawn above it.
    Picture1->lower();

    // Focus order: the chart, the buttons left to right, the first four
    // result boxes, the state boxes (with Texta(6) last), the other results.
    std::vector<QWidget *> order = {Picture1};
    for (int k = 0; k < kMainButtonCount; ++k)
        order.push_back(Button(k));
    for (int n = 1; n <= 4; ++n)
        order.push_back(Text[n]);
    for (int k : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 6})
        order.push_back(Texta[k]);
    for (int n = 5; n <= 7; ++n)
        order.push_back(Text[n]);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The chart has the focus when the window is first shown.
    Picture1->setFocus();
}

QPushButton *MainWindowControls::Button(int index) const
{
    QPushButton *const buttons[kMainButtonCount]
        = {生成焓湿图, 重绘, 计算并描点, 一次回风, 二次回风, 帮助, 冬季工况};
    return buttons[index];
}

QLineEdit *MainWindowControls::Box(ResultBox box) const
{
    return Text[Index(box) + 1];
}

QLineEdit *MainWindowControls::Box(StateBox box) const
{
    return Texta[Index(box)];
}

void MainWindowControls::FitBoxFonts()
{
    const auto fit = [](QLineEdit *const *boxes, int count) {
        QStringList texts;
        for (int k = 0; k < count; ++k)
            texts << boxes[k]->text();
        const QFont font = FittedBoxFont(texts, boxes[0]->size());
        for (int k = 0; k < count; ++k)
            if (boxes[k]->font() != font)
                boxes[k]->setFont(font);
    };
    fit(&Text[1], kResultBoxCount);
    fit(Texta, kStateBoxCount);
}

namespace {

// The controls' geometries, read and set through the arrangement.
struct ControlTargets {
    WidgetGeometryList geometries;
    MainWindowTargets targets;

    ControlTargets(QWidget &window, const MainWindowControls &controls)
    {
        const auto target = [this](QWidget *widget) { return geometries.Add(*widget); };
        targets.window = target(&window);
        targets.chart = target(controls.Picture1);
        for (int k = 0; k < kReadoutCellCount; ++k) {
            targets.readoutHeadings[k] = target(controls.Label1[k]);
            targets.readoutValues[k] = target(controls.Label2[k]);
        }
        for (int k = 0; k < kMainButtonCount; ++k)
            targets.buttons[k] = target(controls.Button(k));
        for (int k = 0; k < kResultBoxCount; ++k)
            targets.resultBoxes[k] = target(controls.Box(static_cast<ResultBox>(k)));
        for (int k = 0; k < kStateBoxCount; ++k)
            targets.stateBoxes[k] = target(controls.Box(static_cast<StateBox>(k)));
    }
};

// The page as large as the outer frame the controls are arranged for (the
// client area shows what a window of that frame shows of it), the scroll
// bars shown where the window's frame is smaller than that.
void ShowPage(QWidget &window, MainWindowControls &controls, QSize frame, QSize arranged)
{
    controls.Page->resize(arranged);
    const QSize client = window.size();
    const bool across = arranged.width() > frame.width();
    const bool down = arranged.height() > frame.height();
    const int thick = controls.ScrollY->sizeHint().width();
    const int high = controls.ScrollX->sizeHint().height();
    QScrollBar &x = *controls.ScrollX;
    QScrollBar &y = *controls.ScrollY;
    x.setGeometry(0, client.height() - high, client.width() - (down ? thick : 0), high);
    y.setGeometry(client.width() - thick, 0, thick, client.height() - (across ? high : 0));
    // Scrolled to its end, the window shows what a window of the arranged
    // frame shows at its right or bottom edge, above the scroll bar.
    x.setRange(0, across ? arranged.width() - frame.width() + (down ? thick : 0) : 0);
    y.setRange(0, down ? arranged.height() - frame.height() + (across ? high : 0) : 0);
    x.setPageStep(std::max(client.width(), 1));
    y.setPageStep(std::max(client.height(), 1));
    x.setSingleStep(20);
    y.setSingleStep(20);
    x.setVisible(across);
    y.setVisible(down);
    x.raise();
    y.raise();
    controls.Page->move(-x.value(), -y.value());
}

} // namespace

QSize PlaceMainWindow(QWidget &window, MainWindowControls &controls)
{
    // The geometry of each control in twips, applied in whole pixels.
    ControlTargets c(window, controls);
    const ScreenSize screen = ScreenTwips();
    ArrangeMainWindow(screen.Width, screen.Height, c.targets);
    const QSize arranged(TwipsToPixels(c.targets.window->Width()),
                         TwipsToPixels(c.targets.window->Height()));
    controls.Page->setGeometry(0, 0, arranged.width(), arranged.height());
    controls.FitBoxFonts();
    return arranged;
}

QSize FollowWindowSize(QWidget &window, MainWindowControls &controls, QSize frame, QSize arranged,
                       QSize smallest)
{
    const QSize wanted = frame.expandedTo(smallest);
    if (wanted != arranged) {
        ControlTargets c(window, controls);
        ArrangeMainControls(PixelsToTwips(wanted.width()), PixelsToTwips(wanted.height()),
                            c.targets);
        controls.FitBoxFonts();
    }
    ShowPage(window, controls, frame, wanted);
    return wanted;
}
