#pragma once

#include "psychro/state_solver.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class Prompts;
class QComboBox;
class QLineEdit;
class QPushButton;

// 标注状态点: two properties chosen among t, ts, td, φ, d, i and Pq with a
// value each, and an optional name. OK reads the values, refuses a pair that
// fixes only one quantity and a pair without a state (the message says why,
// the dialog stays open with the box to correct selected), and otherwise
// hands the pair to `accept`, which answers the message of a pair it could
// not take.
class StatePointDialog : public QDialog {
    Q_OBJECT
public:
    using Accept = std::function<std::optional<std::string>(
        GivenProperty first, GivenProperty second, const std::string &name)>;
    StatePointDialog(QWidget *parent, Prompts &prompts, Accept accept);

    QComboBox *property[2] = {nullptr, nullptr};
    QLineEdit *value[2] = {nullptr, nullptr};
    QLineEdit *name = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;

    // The property a choice stands for: the choices list them in the order
    // of state_solver::Property.
    static state_solver::Property PropertyAt(int index);

private:
    void Ok();

    Prompts &prompts_;
    Accept accept_;
};
