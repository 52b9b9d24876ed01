#include "shell/form4.h"

#include "layout/layout.h"
#include "qt/fonts.h"
#include "qt/qt_colour.h"
#include "shell/app_shell.h"
#include "shell/fixed_dialog.h"

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
                            {QStringLiteral("作者的话"), kClientWidth, kClientHeight,
                             QStringLiteral("返   回"), 6840.0f, 5760.0f});
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
    static const QStringList lines = {
        QStringLiteral("   在此,我谨代表我本人和全班同学,衷心感谢Tressel热能工程系和"),
        QStringLiteral("建筑设备工程系的各位老师,感谢老师们四年来对"),
        QStringLiteral("我的辛勤培养孜孜不倦的教导.在毕业设计即将完成之时,特别制作此小小"),
        QStringLiteral("软件,希望能帮助<工程热力学>,<空气调节>等相关课程的讲解,亦希望同学"),
        QStringLiteral("们在完成作业和设计能从繁重的查表工作中解放出来,同时希望设计院等需"),
        QStringLiteral(" 要进行焓湿计算的工程部门可以充分利用."),
        QStringLiteral(""),
        QStringLiteral("    本软件各种曲线均由函数生成,各状态点亦由参数计算得出,机器露点"),
        QStringLiteral(" 由无限逼近的方法得到,误差值小于千分之一,完全不同于采用其他软件的"),
        QStringLiteral(" 贴图方法."),
        QStringLiteral(""),
        QStringLiteral("    因为毕业设计需要大量的计算和绘图工作,限于作者水平,在短短的一"),
        QStringLiteral("星期时间内未能完成二次回风等计算功能.如果有可能,我将在以后的时间"),
        QStringLiteral("内继续本软件的编写.您可以从网上下载该软件的最新版本.如果您在使用"),
        QStringLiteral("中发现问题,请与我联系:"),
        QStringLiteral("                        联系方式：请见软件发布页"),
        QStringLiteral("                              Tressel 空调专业 Quennet"),
        QStringLiteral("                               2003.6"),
        QStringLiteral(""),
        QStringLiteral("                    暖通空调 焓湿计算 软件开发"),
    };
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
