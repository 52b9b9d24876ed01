#include "shell/form4.h"

#include "commands/help.h"
#include "layout/layout.h"
#include "qt/fonts.h"
#include "shell/app_shell.h"
#include "text/captions.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The button is 1215 × 495 twips, as every one-button dialog's.
constexpr float kButtonWidth = 1215.0f;
constexpr float kButtonHeight = 495.0f;

} // namespace

Form4::Form4(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kNote, parent), shell_(shell)
{
    setWindowTitle(QString::fromUtf8(captions::kHelpTitle));

    Text = new QTextBrowser(this);
    Text->setOpenExternalLinks(false);
    Text->setHtml(QString::fromStdString(HelpHtml()));
    QFont textFont(QString::fromUtf8(faces::kSong));
    textFont.setPointSizeF(10.5);
    Text->setFont(textFont);

    返回 = new QPushButton(QString::fromUtf8(captions::kNoteBack), this);
    QFont buttonFont(QString::fromUtf8(faces::kSong));
    buttonFont.setPointSizeF(9.0);
    返回->setFont(buttonFont);
    返回->setMinimumSize(TwipsToPixels(kButtonWidth), TwipsToPixels(kButtonHeight));
    返回->setDefault(true);
    connect(返回, &QPushButton::clicked, this, &Form4::返回_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(返回);
    auto *column = new QVBoxLayout(this);
    column->addWidget(Text, 1);
    column->addLayout(buttons);
    setTabOrder(Text, 返回);

    // Three fifths of the screen's width (at least 640 pixels) and four fifths
    // of its height, centred; never more than the screen.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect free = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int width = std::min(free.width(), std::max(640, free.width() * 3 / 5));
    const int height = free.height() * 4 / 5;
    resize(width, height);
    move(free.x() + (free.width() - width) / 2, free.y() + (free.height() - height) / 10);
}

void Form4::Form_QueryUnload()
{
    shell_.ReturnToMain();
}

void Form4::返回_Click()
{
    shell_.ReturnToMain();
}

void Form4::showEvent(QShowEvent *event)
{
    FormWindow::showEvent(event);
    // Each opening starts at the top, with the button ready for Enter or the
    // space bar.
    if (!event->spontaneous()) {
        Text->moveCursor(QTextCursor::Start);
        Text->verticalScrollBar()->setValue(0);
        返回->setFocus();
    }
}
