#pragma once

#include "shell/parameter_form.h"

// The winter parameter dialog "一次回风冬季参数设定", with the face of the
// summer dialog: the nine winter inputs (rows 1..7 tn', φn', tw', φw', Qh, W'
// and s'; rows 8 and 9 φL' and the humidifier, a choice of 喷循环水 and
// 喷蒸汽). OK stores them into the program-wide winter record and makes the
// next 计算并描点 compute the winter design.
class Form5 : public ParameterForm {
    Q_OBJECT
public:
    explicit Form5(AppShell &shell, QWidget *parent = nullptr);

protected:
    std::optional<Refusal> Store(const std::array<std::string, kRows> &texts) override;
};
