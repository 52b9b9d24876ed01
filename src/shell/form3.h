#pragma once

#include "shell/form2.h"

// The secondary-return-air parameter dialog "二次回风参数设定": the face,
// layout and lifecycle of the primary dialog Form2, editing the same design
// record. Its OK makes the next 计算并描点 compute the secondary design.
class Form3 : public Form2 {
    Q_OBJECT
public:
    explicit Form3(AppShell &shell, QWidget *parent = nullptr);
};
