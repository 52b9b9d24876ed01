// Every text of every window whole and uncovered, in a real X server at the
// screen size it runs on (with or without a window manager): the main window
// after each design is computed, at the size the program gives it and at the
// sizes given on the command line; the three parameter dialogs; the help.
// Checked by geometry: each caption, heading, result and state text fits its
// control in the font it is shown in, each dialog label shows its unit left of
// its entry, no chart text lies under a box or off the chart, and every window
// lies on the screen. Prints each fault and exits 1 if there is any.
// Usage: face_check [WxH ...]   (client sizes to resize the main window to)

#include "layout/layout.h"
#include "qt/fonts.h"
#include "qt/picture_box.h"
#include "qt/picture_record.h"
#include "qt/qt_translations.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form4.h"
#include "shell/form5.h"
#include "shell/main_window_controls.h"
#include "shell/parameter_form.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include <cstdio>
#include <string>

namespace {

int faults = 0;

void Fault(const std::string &where, const QString &what)
{
    ++faults;
    std::printf("FAULT %s: %s\n", where.c_str(), what.toUtf8().constData());
}

void Settle(int ms = 400)
{
    QTest::qWait(ms);
}

double Advance(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

QString Rect(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void OnScreen(const std::string &where, const QWidget &window)
{
    const QRect screen = window.screen()->geometry();
    if (!screen.contains(window.frameGeometry()))
        Fault(where,
              QStringLiteral("the window %1 leaves the screen %2")
                  .arg(Rect(window.frameGeometry()), Rect(screen)));
}

// A control's text in its font fits the control's width.
void Fits(const std::string &where, const QWidget &control, const QString &text, double room)
{
    const double width = Advance(control.font(), text);
    if (width > room)
        Fault(where, QStringLiteral("“%1” needs %2 px, has %3").arg(text).arg(width).arg(room));
}

// A screenshot of the whole screen into the folder FACE_SHOTS names, if set.
void Shot(const std::string &name)
{
    const QString folder = qEnvironmentVariable("FACE_SHOTS");
    if (folder.isEmpty())
        return;
    QString file = QString::fromStdString(name);
    file.replace(QLatin1Char(' '), QLatin1Char('-'));
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + file
                                                         + QStringLiteral(".png"));
}

void CheckMain(const std::string &where, Form1 &form)
{
    Shot(where);
    MainWindowControls &c = form.Controls();
    OnScreen(where, form);
    const QRect client(QPoint(0, 0), form.size());
    const auto shown
        = [&](const QWidget &w) { return QRect(w.mapTo(&form, QPoint(0, 0)), w.size()); };
    const bool scrolls = c.ScrollX->isVisible() || c.ScrollY->isVisible();
    for (int k = 0; k < kReadoutCellCount; ++k) {
        Fits(where + " readout heading", *c.Label1[k], c.Label1[k]->text(), c.Label1[k]->width());
        Fits(where + " readout value", *c.Label2[k], c.Label2[k]->text(), c.Label2[k]->width());
        if (QFontMetricsF(c.Label1[k]->font()).height() > c.Label1[k]->height())
            Fault(where, QStringLiteral("readout heading %1 is cut in height").arg(k));
    }
    for (int k = 0; k < kMainButtonCount; ++k) {
        QPushButton &button = *c.Button(k);
        Fits(where + " button", button, button.text(), button.width() - 4);
        if (!scrolls && !client.contains(shown(button)))
            Fault(where,
                  QStringLiteral("button “%1” at %2 is outside the client area %3")
                      .arg(button.text(), Rect(shown(button)), Rect(client)));
    }
    QList<QLineEdit *> boxes;
    for (int n = 1; n <= 7; ++n)
        boxes << c.Text[n];
    for (QLineEdit *box : c.Texta)
        boxes << box;
    for (QLineEdit *box : boxes) {
        const QRect inside = box->contentsRect().marginsRemoved(box->textMargins());
        Fits(where + " box", *box, box->text(), inside.width() - 4);
    }
    // The chart's texts, as painted on the whole chart, beside the boxes.
    PictureBox &picture = *c.Picture1;
    const PictureRecord &record = picture.Surface().Record();
    for (const PictureItem &item : record.items) {
        if (item.kind != PictureItem::Kind::Text || item.text.trimmed().isEmpty())
            continue;
        const QFontMetricsF metrics(item.font);
        // Each run of visible characters: blanks may lie under a box by design.
        const QString &t = item.text;
        for (qsizetype start = 0; start < t.size();) {
            if (t[start].isSpace()) {
                ++start;
                continue;
            }
            qsizetype end = start;
            while (end < t.size() && !t[end].isSpace())
                ++end;
            const QString run = t.mid(start, end - start);
            const double left = item.points.front().x() + metrics.horizontalAdvance(t.left(start));
            const QRectF text(QPointF(left, item.points.front().y()),
                              QSizeF(metrics.horizontalAdvance(run), metrics.height()));
            start = end;
            // A few pixels of a glyph's blank side may go at the chart's edge.
            if (text.right() > record.width + 2 || text.left() < -2
                || text.bottom() > record.height + 2)
                Fault(where,
                      QStringLiteral("chart text “%1” at %2,%3 runs off the chart")
                          .arg(run)
                          .arg(text.x())
                          .arg(text.y()));
            for (QLineEdit *box : boxes) {
                const QRectF under = QRectF(box->geometry()).adjusted(1, 1, -1, -1);
                if (under.intersects(text.adjusted(1, 2, -1, -2)))
                    Fault(where,
                          QStringLiteral("chart text “%1” lies under a box at %2")
                              .arg(run, Rect(box->geometry())));
            }
        }
    }
}

void CheckDialog(const std::string &where, ParameterForm &dialog)
{
    Shot(where);
    OnScreen(where, dialog);
    for (int n = 1; n <= ParameterForm::kRows; ++n) {
        const QLabel &label = *dialog.Label[n];
        QWidget *entry = dialog.Text[n] ? static_cast<QWidget *>(dialog.Text[n]) : dialog.Choice[n];
        const double end = label.x() + Advance(label.font(), label.text().trimmed());
        if (end > entry->x())
            Fault(where,
                  QStringLiteral("“%1” ends at %2 under its entry at %3")
                      .arg(label.text().trimmed())
                      .arg(end)
                      .arg(entry->x()));
        if (dialog.Text[n])
            Fits(where + " entry", *dialog.Text[n], dialog.Text[n]->text(),
                 dialog.Text[n]->contentsRect().width() - 4);
    }
    Fits(where + " button", *dialog.Command1, dialog.Command1->text(),
         dialog.Command1->width() - 4);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("idchart-face-check"));
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutions();
    InstallQtChineseTranslations(app);
    const QString screen = QStringLiteral("%1x%2")
                               .arg(app.primaryScreen()->geometry().width())
                               .arg(app.primaryScreen()->geometry().height());

    ScriptedPrompts prompts;
    AppShell shell(prompts);
    shell.onEndProgram = [] {};
    shell.Start();
    shell.LeaveSplash();
    Form1 &form = shell.Windows().Get<Form1>(forms::kMain);
    if (!QTest::qWaitForWindowExposed(&form))
        Fault("main", QStringLiteral("never shown"));
    Settle(800);

    const struct {
        const char *name;
        void (AppShell::*open)();
        QString form;
    } designs[] = {
        {"primary", &AppShell::OpenPrimaryReturnAir, forms::kParameters},
        {"secondary", &AppShell::OpenSecondaryReturnAir, forms::kSecondary},
        {"winter", &AppShell::OpenWinter, forms::kWinter},
    };
    const auto computeEach = [&](const std::string &size) {
        for (const auto &design : designs) {
            const std::string where = screen.toStdString() + " " + size + " " + design.name;
            (shell.*design.open)();
            auto &dialog = shell.Windows().Get<ParameterForm>(design.form);
            if (!QTest::qWaitForWindowExposed(&dialog))
                Fault(where, QStringLiteral("the dialog is never shown"));
            Settle();
            CheckDialog(where + " dialog", dialog);
            dialog.Command1_Click();
            Settle();
            form.计算并描点_Click();
            Settle();
            CheckMain(where, form);
        }
    };
    computeEach("as placed");

    shell.OpenHelp();
    Form4 &help = shell.Windows().Get<Form4>(forms::kNote);
    if (!QTest::qWaitForWindowExposed(&help))
        Fault("help", QStringLiteral("never shown"));
    Settle();
    OnScreen(screen.toStdString() + " help", help);
    help.返回_Click();
    Settle();

    for (int k = 1; k < argc; ++k) {
        const QString size = QString::fromLocal8Bit(argv[k]);
        const int x = size.indexOf(QLatin1Char('x'));
        form.resize(size.left(x).toInt(), size.mid(x + 1).toInt());
        Settle(800);
        computeEach("resized to " + size.toStdString());
    }
    std::printf("face check at %s: %d faults\n", screen.toUtf8().constData(), faults);
    return faults == 0 ? 0 : 1;
}
