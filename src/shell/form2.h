#pragma once

#include "designs/design_texts.h"
#include "shell/parameter_form.h"

// The primary-return-air parameter dialog "一次回风参数设定": the nine summer
// inputs (rows 1..7 tn, φn, tw, ts, △t, s and φL; rows 8 and 9 Q and W). OK
// stores them into the program-wide design-parameter record and makes the
// next 计算并描点 compute the primary summer design.
//
// The secondary-return-air dialog Form3 is the same dialog under its own
// name: both edit the one record, so an OK in either also puts its texts into
// the other's boxes, and chooses its own design.
class Form2 : public ParameterForm {
    Q_OBJECT
public:
    explicit Form2(AppShell &shell, QWidget *parent = nullptr);

protected:
    Form2(AppShell &shell, const QString &name, const char *caption, DesignKind design,
          QWidget *parent);
    std::optional<Refusal> Store(const std::array<std::string, kRows> &texts) override;

private:
    QString name_;
    DesignKind design_;
};
