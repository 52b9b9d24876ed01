#include "shell/form2.h"

#include "psychro/arithmetic_fault.h"
#include "shell/app_shell.h"
#include "ui/layout.h"
#include "ui/leading_number.h"
#include "ui/prompts.h"
#include "ui/qt/screen_twips.h"
#include "ui/qt/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string_view>

namespace {

constexpr const char *kCaption = "一次回风参数设定";
constexpr const char *kOkCaption = "确  定";

// Each row's label caption (name, colon, a run of blanks the box covers, unit)
// and the text its box holds whenever the dialog is loaded.
struct Row {
    const char *caption;
    const char *startText;
};
constexpr Row kRows[9] = {
    {"室内设计温度tn  ：             ℃ ", "26"}, {"室内相对湿度φn ：              %", "60"},
    {"室外干球温度tw  ：             ℃", "35"},  {"室外湿球温度ts  ：             ℃", "26.5"},
    {"送风温差△t     ：             ℃", "6"},    {"新风百分比s     ：             %", "30"},
    {"机器露点的φL   ：             %", "95"},   {"室内余热量Q ：             kw", "12"},
    {"室内余湿量W ：             g/s", "0.01"},
};

// What is said when an entry lies beyond the range of its field.
constexpr const char *kOutOfRangeTail = " 的值超出数值范围，请重新输入!";

// The parameter's name as its label shows it: the caption before the colon.
QString ParameterName(int n)
{
    const QString caption = QString::fromUtf8(kRows[n - 1].caption);
    return caption.left(caption.indexOf(QChar(0xFF1A))).trimmed();
}

} // namespace

Form2::Form2(AppShell &shell, QWidget *parent)
    : FormWindow(shell.Windows(), forms::kParameters, parent), shell_(shell)
{
    setWindowTitle(QString::fromUtf8(kCaption));

    // The labels are created first and so lie beneath the boxes: each box
    // hides the run of blanks (and on larger screens the unit) under it.
    for (int n = 1; n <= 9; ++n) {
        Label[n] = new QLabel(QString::fromUtf8(kRows[n - 1].caption), this);
        Label[n]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label[n]->setAutoFillBackground(true);
    }
    for (int n = 1; n <= 9; ++n)
        Text[n] = new QLineEdit(QString::fromUtf8(kRows[n - 1].startText), this);
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
    // Every entry is read before any is stored, so an entry out of range
    // leaves the record as it was.
    double values[10] = {};
    for (int n = 1; n <= 9; ++n) {
        const QByteArray text = Text[n]->text().toUtf8();
        try {
            values[n] = LeadingNumberValue(std::string_view(text.constData(), text.size()));
            // W is kept in single precision: a value beyond its range is as
            // unusable as one beyond double's.
            if (n == 9)
                values[n] = CheckedSingle(values[n], FaultCause::W);
        } catch (const ArithmeticFault &) {
            const QString message = ParameterName(n) + QString::fromUtf8(kOutOfRangeTail);
            shell_.prompts().MsgBox(message.toStdString());
            Text[n]->setFocus();
            Text[n]->selectAll();
            return;
        }
    }

    DesignParameters &record = shell_.Parameters();
    record.tn = values[1];
    record.phiN = values[2];
    record.tw = values[3];
    record.ts = values[4];
    record.deltaT = values[5];
    record.s = values[6];
    record.phiL = values[7];
    record.Q = values[8];
    record.W = static_cast<float>(values[9]);

    // Back to the main window; the dialog stays loaded with its texts.
    shell_.Windows().Show(forms::kMain);
    shell_.Windows().Hide(forms::kParameters);
}
