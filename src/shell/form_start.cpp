#include "shell/form_start.h"

#include "layout/layout.h"
#include "psychro/arithmetic_fault.h"
#include "qt/fonts.h"
#include "qt/program_look.h"
#include "qt/qt_colour.h"
#include "qt/screen_twips.h"
#include "qt/widget_geometry.h"
#include "shell/app_shell.h"

#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWindow>

#include <algorithm>

// The splash picture is compiled into the static Qt library; naming its
// initialiser keeps the linker from dropping it. It has to be declared
// outside any namespace.
static void InitSplashPicture()
{
    Q_INIT_RESOURCE(assets);
}

namespace {

const QString kOk = QStringLiteral("确    定");
const QString kPicture = QStringLiteral(":/splash.jpg");

// First column: the institution, a blank (an empty line between the names)
// and the author, one character per tick.
const QString kFirstColumn
    = QStringLiteral("Tressel") + QStringLiteral(" ") + QStringLiteral("Quennet");
// Second column: one string per tick.
const QStringList kSecondColumn = {
    QStringLiteral("毕"), QStringLiteral("业"), QStringLiteral("设"),
    QStringLiteral("计"), QStringLiteral("|"),  QStringLiteral("软"),
    QStringLiteral("件"), QStringLiteral("部"), QStringLiteral("分"),
};

constexpr int kTickMilliseconds = 100;
constexpr float kPrintFontPoints = 21.75f;
// Face of the OK button, painted in the button's own colour.
constexpr Rgb kButtonFace {0, 192, 0};

// A proportion of a window dimension, rounded to single precision.
float Part(double fraction, float dimension)
{
    return CheckedSingle(fraction * static_cast<double>(dimension), FaultCause::SplashLayout);
}

} // namespace

FormStart::FormStart(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kSplash, parent), shell_(shell)
{
    InitSplashPicture();

    setWindowTitle(ProgramCaption());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(colours::kWhite));
    setPalette(pal);
    setAutoFillBackground(true);

    QFont printFont(QString::fromUtf8(faces::kKai));
    printFont.setPointSizeF(kPrintFontPoints);
    printFont.setWeight(QFont::Bold);
    setFont(printFont);

    text_.SetBackColor(colours::kWhite);
    text_.SetFont(printFont);
    text_.SetFontSize(kPrintFontPoints);
    text_.SetForeColor(ToRgb(palette().color(QPalette::WindowText)));
    text_.onChanged = [this] { update(); };

    picture_ = QImage(kPicture);

    Command1 = new QPushButton(kOk, this);
    QFont buttonFont(QString::fromUtf8(faces::kSong));
    buttonFont.setPointSizeF(9.0);
    buttonFont.setWeight(QFont::Normal);
    Command1->setFont(buttonFont);
    MakeGraphicalButton(*Command1, kButtonFace);
    Command1->setVisible(false);
    connect(Command1, &QPushButton::clicked, this, &FormStart::Command1_Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &FormStart::Timer1_Timer);
    Timer1->start();
}

int FormStart::FirstColumnLength()
{
    return static_cast<int>(kFirstColumn.size());
}

void FormStart::Form_Load()
{
    const ScreenSize screen = ScreenTwips();

    // The native window exists from here on, so the frame the window system
    // draws around the client area is known where it can be known before the
    // window is shown.
    create();
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const int outerHeight = TwipsToPixels(Part(0.95, screen.Height));
    const int outerTop = 0;
    const int outerWidth = TwipsToPixels(screen.Width);
    const int outerLeft = 0;
    setGeometry(outerLeft + frame.left(), outerTop + frame.top(),
                std::max(outerWidth - frame.left() - frame.right(), 0),
                std::max(outerHeight - frame.top() - frame.bottom(), 0));
    // The outer size as the window system made it.
    windowWidth_ = PixelsToTwips(width() + frame.left() + frame.right());
    windowHeight_ = PixelsToTwips(height() + frame.top() + frame.bottom());
    const float W = windowWidth_;
    const float H = windowHeight_;

    // Taken from the outer size, the picture reaches past the client area at
    // the bottom and right by the frame's thickness.
    image1_ = QRect(TwipsToPixels(Part(0.2, W)), 0, TwipsToPixels(Part(0.8, W)), TwipsToPixels(H));
    if (!picture_.isNull() && !image1_.isEmpty())
        stretched_ = QPixmap::fromImage(
            picture_.scaled(image1_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    WidgetGeometry button(*Command1);
    button.SetHeight(Part(0.05, H));
    button.SetWidth(Part(0.15, W));
    button.SetTop(Part(0.8, H));
    button.SetLeft(Part(0.15, W));
    KeepOuterFrame();

    // The window's own surface, in twips from the client area's top-left corner.
    text_.Resize(width(), height());
    text_.Scale(0.0f, 0.0f, PixelsToTwips(width()), PixelsToTwips(height()));
    text_.SetCurrentX(0.0f);
    text_.SetCurrentY(0.0f);
}

void FormStart::Form_QueryUnload()
{
    shell_.EndProgram();
}

void FormStart::Timer1_Timer()
{
    const int L1 = FirstColumnLength();
    const int k = animationStep_;
    if (k < L1) {
        PrintText(kFirstColumn.mid(k, 1));
    } else if (k == L1) {
        text_.SetCurrentY(Part(0.2, windowHeight_));
        text_.SetCurrentX(Part(0.05, windowWidth_));
        PrintText(kSecondColumn.at(0));
    } else if (k <= L1 + 8) {
        text_.SetCurrentX(Part(0.05, windowWidth_));
        PrintText(kSecondColumn.at(k - L1));
    } else {
        Timer1->stop();
        Command1->setVisible(true);
    }
    // The timer stops on the tick that shows the button, so the counter never
    // runs far past the end of the text.
    animationStep_ = static_cast<std::int16_t>(k + 1);
}

void FormStart::Command1_Click()
{
    shell_.LeaveSplash();
}

void FormStart::PrintText(const QString &text)
{
    text_.Print(text.toStdString());
}

void FormStart::paintEvent(QPaintEvent *)
{
    // Printed text first, the picture over it, the button (a child) on top.
    text_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), text_.DisplayImage());
    if (!stretched_.isNull())
        painter.drawPixmap(image1_.topLeft(), stretched_);
}
