#include "shell/form4.h"

#include "layout/layout.h"
#include "qt/fonts.h"
#include "qt/qt_colour.h"
#include "shell/app_shell.h"
#include "shell/fixed_dialog.h"
#include "text/captions.h"

#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Client area and button place in twips.
constexpr float kClientWidth = 8325.0f;
constexpr float kClientHeight = 6390.0f;

constexpr Rgb kBackColour {224, 224, 224};
constexpr Rgb kNoteColour {0, 0, 255};
constexpr float kNotePoints = 12.0f;

} // namespace

Form4::Form4(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kNote, parent), shell_(shell)
{
    返回 = SetUpFixedDialog(*this,
                            {QString::fromUtf8(captions::kNoteTitle), kClientWidth, kClientHeight,
                             QString::fromUtf8(captions::kNoteBack), 6840.0f, 5760.0f});
    const int clientWidth = TwipsToPixels(kClientWidth);
    const int clientHeight = TwipsToPixels(kClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(kBackColour));
    pal.setColor(QPalette::WindowText, ToQColor(kNoteColour));
    setPalette(pal);
    setAutoFillBackground(true);

    QFont noteFont(QString::fromUtf8(faces::kFangSong));
    noteFont.setPointSizeF(kNotePoints);
    noteFont.setWeight(QFont::Normal);
    // Every opening prints the note over itself. Smoothed glyph edges would
    // darken a little with each pass; plain glyphs cover the same pixels in
    // the same colour every time, so the text stays as it was first printed.
    noteFont.setStyleStrategy(QFont::NoAntialias);
    setFont(noteFont);

    note_.SetBackColor(kBackColour);
    note_.Resize(clientWidth, clientHeight);
    note_.SetFont(noteFont);
    note_.SetFontSize(kNotePoints);
    note_.SetForeColor(kNoteColour);
    note_.onChanged = [this] { update(); };

    QFont buttonFont(QString::fromUtf8(faces::kSong));
    buttonFont.setPointSizeF(9.0);
    buttonFont.setWeight(QFont::Normal);
    返回->setFont(buttonFont);
    connect(返回, &QPushButton::clicked, this, &Form4::返回_Click);
}

const QStringList &Form4::NoteLines()
{
    static const QStringList lines = [] {
        QStringList all;
        for (const char *line : captions::kNoteLines)
            all << QString::fromUtf8(line);
        return all;
    }();
    return lines;
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
    // Shown by the program (the help button, or a new dialog after the close
    // box). A window system's own show, such as restoring the dialog from the
    // task bar, does not print again.
    if (!event->spontaneous())
        PrintNote();
}

void Form4::PrintNote()
{
    note_.SetCurrentX(0.0f);
    note_.SetCurrentY(0.0f);
    for (const QString &line : NoteLines())
        note_.Print(line.toStdString());
}

void Form4::paintEvent(QPaintEvent *)
{
    note_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), note_.DisplayImage());
}
