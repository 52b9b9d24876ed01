#include "shell/form2.h"

#include "designs/parameter_table.h"
#include "layout/layout.h"
#include "qt/screen_twips.h"
#include "qt/widget_geometry.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "text/prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <string>

namespace {

constexpr const char *kCaption = "一次回风参数设定";
constexpr const char *kOkCaption = "确  定";

} // namespace

Form2::Form2(AppShell &shell, QWidget *parent)
    : Form2(shell, forms::kParameters, kCaption, DesignKind::PrimarySummer, parent)
{
}

Form2::Form2(AppShell &shell, const QString &name, const char *caption, DesignKind design,
             QWidget *parent)
    : FormWindow(shell.Windows(), name, parent), shell_(shell), name_(name), design_(design)
{
    setWindowTitle(QString::fromUtf8(caption));

    // The labels are created first and so lie beneath the boxes: each box
    // hides the run of blanks (and on larger screens the unit) under it.
    for (int n = 1; n <= 9; ++n) {
        Label[n] = new QLabel(QString::fromUtf8(kSummerParameters[n - 1].caption), this);
        Label[n]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label[n]->setAutoFillBackground(true);
    }
    for (int n = 1; n <= 9; ++n)
        Text[n] = new QLineEdit(QString::fromUtf8(kSummerParameters[n - 1].startText), this);
    Command1 = new QPushButton(QString::fromUtf8(kOkCaption), this);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    for (int n = 2; n <= 9; ++n)
        QWidget::setTabOrder(Text[n - 1], Text[n]);
    QWidget::setTabOrder(Text[9], Command1);
    Text[1]->setFocus();
}

void Form2::Form_Load()
{
    WidgetGeometryList geometries;
    const auto target = [&geometries](QWidget *widget) { return geometries.Add(*widget); };

    ParameterDialogTargets targets;
    targets.dialog = target(this);
    for (int row = 0; row < kParameterRows; ++row) {
        targets.boxes[row] = target(Text[row + 1]);
        targets.labels[row] = target(Label[row + 1]);
    }
    targets.okButton = target(Command1);

    const ScreenSize screen = ScreenTwips();
    ArrangeParameterDialog(screen.Width, screen.Height, targets);
    KeepOuterFrame();
}

void Form2::Form_QueryUnload()
{
    shell_.ReturnToMain();
}

void Form2::Command1_Click()
{
    std::array<std::string, kSummerParameterCount> texts;
    for (std::size_t n = 1; n <= kSummerParameterCount; ++n)
        texts[n - 1] = Text[n]->text().toStdString();
    const EntriesReading<DesignParameters> reading = ReadEntries(kSummerParameters, texts);
    if (!reading.record) {
        shell_.prompts().MsgBox(reading.message);
        QLineEdit *box = Text[reading.refusedRow];
        box->setFocus();
        box->selectAll();
        return;
    }
    shell_.Parameters() = *reading.record;
    shell_.Windows().Get<Form1>(forms::kMain).design = design_;

    // The other summer dialog edits the same record: it shows these texts too
    // (one that was closed by its close box comes back with the start texts).
    const QString other = name_ == forms::kParameters ? forms::kSecondary : forms::kParameters;
    if (shell_.Windows().IsLoaded(other)) {
        Form2 &dialog = shell_.Windows().Get<Form2>(other);
        for (std::size_t n = 1; n <= kSummerParameterCount; ++n)
            dialog.Text[n]->setText(Text[n]->text());
    }
    shell_.SummerTexts() = texts;

    // Back to the main window; the dialog stays loaded with its texts.
    shell_.Windows().Show(forms::kMain);
    shell_.Windows().Hide(name_);
}
