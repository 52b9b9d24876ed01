#include "shell/parameter_form.h"

#include "layout/layout.h"
#include "qt/prompts.h"
#include "qt/screen_twips.h"
#include "qt/widget_geometry.h"
#include "shell/app_shell.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr const char *kOkCaption = "确  定";

static_assert(ParameterForm::kRows == kParameterRows);

} // namespace

ParameterForm::ParameterForm(AppShell &shell, const QString &name, const char *caption,
                             const std::array<RowFace, kRows> &rows, QWidget *parent)
    : FormWindow(shell.Windows(), name, parent), shell_(shell)
{
    setWindowTitle(QString::fromUtf8(caption));

    // The labels are created first and so lie beneath the entries: each entry
    // hides the run of blanks (and on larger screens the unit) under it.
    for (int n = 1; n <= kRows; ++n) {
        Label[n] = new QLabel(QString::fromUtf8(rows[n - 1].caption), this);
        Label[n]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label[n]->setAutoFillBackground(true);
    }
    rows_ = rows;
    for (int n = 1; n <= kRows; ++n) {
        const RowFace &row = rows[n - 1];
        startTexts_[n - 1] = row.startText;
        if (row.choices[0]) {
            Choice[n] = new QComboBox(this);
            for (const char *entry : row.choices)
                Choice[n]->addItem(QString::fromUtf8(entry));
            Choice[n]->setCurrentText(QString::fromUtf8(row.startText));
        } else {
            Text[n] = new QLineEdit(QString::fromUtf8(row.startText), this);
            connect(Text[n], &QLineEdit::textChanged, this, [this, n] { Mark(n); });
        }
    }
    Command1 = new QPushButton(QString::fromUtf8(kOkCaption), this);
    connect(Command1, &QPushButton::clicked, this, &ParameterForm::Command1_Click);

    for (int n = 2; n <= kRows; ++n)
        QWidget::setTabOrder(Entry(n - 1), Entry(n));
    QWidget::setTabOrder(Entry(kRows), Command1);
    Entry(1)->setFocus();
}

QWidget *ParameterForm::Entry(int n) const
{
    return Text[n] ? static_cast<QWidget *>(Text[n]) : static_cast<QWidget *>(Choice[n]);
}

std::string ParameterForm::EntryText(int n) const
{
    return (Text[n] ? Text[n]->text() : Choice[n]->currentText()).toStdString();
}

void ParameterForm::ShowTexts(const std::array<std::string, kRows> &texts)
{
    const bool confirmed
        = std::any_of(texts.begin(), texts.end(), [](const std::string &t) { return !t.empty(); });
    for (int n = 1; n <= kRows; ++n) {
        const QString text = QString::fromStdString(confirmed ? texts[n - 1] : startTexts_[n - 1]);
        if (Text[n])
            Text[n]->setText(text);
        else
            Choice[n]->setCurrentText(text);
    }
}

void ParameterForm::Form_Load()
{
    WidgetGeometryList geometries;
    const auto target = [&geometries](QWidget *widget) { return geometries.Add(*widget); };

    ParameterDialogTargets targets;
    targets.dialog = target(this);
    for (int row = 0; row < kParameterRows; ++row) {
        targets.boxes[row] = target(Entry(row + 1));
        targets.labels[row] = target(Label[row + 1]);
    }
    targets.okButton = target(Command1);

    const ScreenSize screen = ScreenTwips();
    ArrangeParameterDialog(screen.Width, screen.Height, targets);
    FitLabelFont();
    KeepOuterFrame();
}

void ParameterForm::FitLabelFont()
{
    // Each label runs beneath its entry; its text, the unit included, shows
    // whole left of the entry. On a small screen the entries come closer to
    // the labels' start, so the labels take a smaller font, one for all rows;
    // the two load rows' labels may also start further left, in the free
    // space right of the air-state entries.
    constexpr double kSmallestPoints = 5.0;
    constexpr int kGap = 2;
    const auto isLoadRow = [](int n) { return n - 1 >= kAirStateRows; };
    const int freeFrom = Entry(1)->x() + Entry(1)->width() + 4 * kGap;
    const auto leftmost
        = [&](int n) { return isLoadRow(n) ? std::min(Label[n]->x(), freeFrom) : Label[n]->x(); };
    QFont font = Label[1]->font();
    double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    for (; points > kSmallestPoints; points -= 0.5) {
        font.setPointSizeF(points);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (int n = 1; n <= kRows && fits; ++n)
            fits = leftmost(n) + metrics.horizontalAdvance(Label[n]->text().trimmed()) + kGap
                <= Entry(n)->x();
        if (fits)
            break;
    }
    font.setPointSizeF(std::max(points, kSmallestPoints));
    const QFontMetrics metrics(font);
    for (int n = 1; n <= kRows; ++n) {
        Label[n]->setFont(font);
        if (!isLoadRow(n))
            continue;
        const int end = Label[n]->x() + metrics.horizontalAdvance(Label[n]->text().trimmed());
        if (end + kGap > Entry(n)->x())
            Label[n]->move(std::max(leftmost(n), Entry(n)->x() - kGap - (end - Label[n]->x())),
                           Label[n]->y());
    }
}

void ParameterForm::Form_QueryUnload()
{
    shell_.ReturnToMain();
}

void ParameterForm::Mark(int n)
{
    QLineEdit *box = Text[n];
    if (box == nullptr || !rows_[n - 1].fault)
        return;
    const std::optional<std::string> fault
        = rows_[n - 1].fault(static_cast<std::size_t>(n - 1), box->text().toStdString());
    // A good entry keeps the dialog's own face.
    box->setStyleSheet(fault ? QStringLiteral("QLineEdit { background-color: #ffd8d8; }")
                             : QString());
    box->setToolTip(fault ? QString::fromStdString(*fault) : QString());
    box->setProperty("faulty", fault.has_value());
}

bool ParameterForm::Marked(int n) const
{
    return Text[n] != nullptr && Text[n]->property("faulty").toBool();
}

void ParameterForm::Command1_Click()
{
    std::array<std::string, kRows> texts;
    for (int n = 1; n <= kRows; ++n)
        texts[n - 1] = EntryText(n);
    // An entry that means nothing is named before anything is stored.
    for (int n = 1; n <= kRows; ++n) {
        if (!rows_[n - 1].fault)
            continue;
        if (const auto fault = rows_[n - 1].fault(static_cast<std::size_t>(n - 1), texts[n - 1])) {
            shell_.prompts().MsgBox(*fault);
            if (QLineEdit *box = Text[n]) {
                box->setFocus();
                box->selectAll();
            }
            return;
        }
    }
    if (const std::optional<Refusal> refused = Store(texts)) {
        shell_.prompts().MsgBox(refused->message);
        if (QLineEdit *box = Text[refused->row]) {
            box->setFocus();
            box->selectAll();
        }
        return;
    }

    // Back to the main window; the dialog stays loaded with its texts.
    shell_.Windows().Show(forms::kMain);
    shell_.Windows().Hide(FormName());
}
