#include "shell/state_point_dialog.h"

#include "qt/fonts.h"
#include "qt/prompts.h"
#include "readout/state_points.h"
#include "text/captions.h"

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

constexpr double kDialogPoints = 9.0;

} // namespace

Property StatePointDialog::PropertyAt(int index)
{
    return static_cast<Property>(std::clamp(index, 0, state_solver::kPropertyCount - 1));
}

StatePointDialog::StatePointDialog(QWidget *parent, Prompts &prompts, Accept accept)
    : QDialog(parent), prompts_(prompts), accept_(std::move(accept))
{
    setWindowTitle(QString::fromUtf8(captions::kPointDialog));
    QFont font(QString::fromUtf8(faces::kSong));
    font.setPointSizeF(kDialogPoints);
    font.setWeight(QFont::Normal);
    setFont(font);

    auto *grid = new QGridLayout;
    for (int k = 0; k < 2; ++k) {
        property[k] = new QComboBox(this);
        for (const char *choice : captions::kPointChoices)
            property[k]->addItem(QString::fromUtf8(choice));
        property[k]->setCurrentIndex(captions::kPointFirstChoices[k]);
        value[k] = new QLineEdit(this);
        grid->addWidget(new QLabel(QString::fromUtf8(captions::kPointRows[k]), this), k, 0);
        grid->addWidget(property[k], k, 1);
        grid->addWidget(value[k], k, 2);
    }
    name = new QLineEdit(this);
    name->setPlaceholderText(QString::fromUtf8(captions::kPointNameHint));
    grid->addWidget(new QLabel(QString::fromUtf8(captions::kPointName), this), 2, 0);
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
    const state_points::PointEntries entries = state_points::ReadPointEntries(
        {property[0]->currentIndex(), property[1]->currentIndex()},
        {value[0]->text().toStdString(), value[1]->text().toStdString()});
    if (!entries.given) {
        prompts_.MsgBox(entries.message);
        if (entries.correct == 2) {
            property[1]->setFocus();
        } else {
            value[entries.correct]->setFocus();
            value[entries.correct]->selectAll();
        }
        return;
    }
    const auto &[first, second] = *entries.given;
    if (const auto failure = accept_(first, second, name->text().trimmed().toStdString())) {
        prompts_.MsgBox(*failure);
        value[0]->setFocus();
        value[0]->selectAll();
        return;
    }
    accept();
}
