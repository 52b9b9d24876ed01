#include "shell/state_point_dialog.h"

#include "qt/fonts.h"
#include "qt/prompts.h"
#include "text/leading_number.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using state_solver::Property;

namespace {

constexpr const char *kCaption = "标注状态点";
// The choices, in the order of state_solver::Property.
constexpr const char *kChoices[state_solver::kPropertyCount] = {
    "t 干球温度 (℃)",        "ts 湿球温度 (℃)",    "td 露点温度 (℃)",      "φ 相对湿度 (%)",
    "d 含湿量 (g/kg干空气)", "i 焓 (kJ/kg干空气)", "Pq 水蒸气分压力 (Pa)",
};
// The pair the dialog opens with: the dry bulb and the relative humidity.
constexpr int kFirstChoice = 0;
constexpr int kSecondChoice = 3;
constexpr double kDialogPoints = 9.0;

} // namespace

Property StatePointDialog::PropertyAt(int index)
{
    return static_cast<Property>(std::clamp(index, 0, state_solver::kPropertyCount - 1));
}

StatePointDialog::StatePointDialog(QWidget *parent, Prompts &prompts, Accept accept)
    : QDialog(parent), prompts_(prompts), accept_(std::move(accept))
{
    setWindowTitle(QString::fromUtf8(kCaption));
    QFont font(QString::fromUtf8(faces::kSong));
    font.setPointSizeF(kDialogPoints);
    font.setWeight(QFont::Normal);
    setFont(font);

    auto *grid = new QGridLayout;
    const char *rowCaptions[2] = {"参数一:", "参数二:"};
    const int choices[2] = {kFirstChoice, kSecondChoice};
    for (int k = 0; k < 2; ++k) {
        property[k] = new QComboBox(this);
        for (const char *choice : kChoices)
            property[k]->addItem(QString::fromUtf8(choice));
        property[k]->setCurrentIndex(choices[k]);
        value[k] = new QLineEdit(this);
        grid->addWidget(new QLabel(QString::fromUtf8(rowCaptions[k]), this), k, 0);
        grid->addWidget(property[k], k, 1);
        grid->addWidget(value[k], k, 2);
    }
    name = new QLineEdit(this);
    name->setPlaceholderText(QStringLiteral("可不填，默认为 P1、P2…"));
    grid->addWidget(new QLabel(QStringLiteral("名称:"), this), 2, 0);
    grid->addWidget(name, 2, 1, 1, 2);

    ok = new QPushButton(QStringLiteral("确定"), this);
    cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &StatePointDialog::Ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *whole = new QVBoxLayout(this);
    whole->addLayout(grid);
    whole->addLayout(buttons);

    setTabOrder(property[0], value[0]);
    setTabOrder(value[0], property[1]);
    setTabOrder(property[1], value[1]);
    setTabOrder(value[1], name);
    setTabOrder(name, ok);
    setTabOrder(ok, cancel);
    value[0]->setFocus();
}

void StatePointDialog::Ok()
{
    GivenProperty given[2];
    for (int k = 0; k < 2; ++k) {
        const std::optional<double> number = WholeNumberValue(value[k]->text().toStdString());
        if (!number) {
            prompts_.MsgBox(std::string("请输入") + kChoices[property[k]->currentIndex()]
                            + "的数值!");
            value[k]->setFocus();
            value[k]->selectAll();
            return;
        }
        given[k] = {PropertyAt(property[k]->currentIndex()), *number};
    }
    if (const auto refused = state_solver::OneQuantityOnly(given[0].property, given[1].property)) {
        prompts_.MsgBox(*refused);
        property[1]->setFocus();
        return;
    }
    if (const auto failure = accept_(given[0], given[1], name->text().trimmed().toStdString())) {
        prompts_.MsgBox(*failure);
        value[0]->setFocus();
        value[0]->selectAll();
        return;
    }
    accept();
}
