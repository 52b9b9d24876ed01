#pragma once

#include "designs/design_parameters.h"
#include "designs/parameter_table.h"
#include "project/project.h"
#include "qt/window_registry.h"

#include <array>
#include <functional>
#include <string>

class Prompts;

// Window names.
namespace forms {
inline const QString kSplash = QStringLiteral("Form_start");
inline const QString kMain = QStringLiteral("Form1");
inline const QString kParameters = QStringLiteral("Form2");
inline const QString kSecondary = QStringLiteral("Form3");
inline const QString kNote = QStringLiteral("Form4");
inline const QString kWinter = QStringLiteral("Form5");
} // namespace forms

// The application shell: the six window definitions, the moves between the
// windows, the project record the windows share (the design-parameter and
// winter records among it) and the program's end. After the splash exactly
// one of Form1..Form5 is visible.
class AppShell {
public:
    explicit AppShell(Prompts &prompts);
    ~AppShell();

    WindowRegistry &Windows() { return registry_; }
    Prompts &prompts() { return prompts_; }
    // The user's work: the chart settings, the design, the inputs and the state points.
    Project &ProjectRecord() { return project_; }
    DesignParameters &Parameters() { return project_.summer; }
    WinterParameters &Winter() { return project_.winter; }
    // The texts the summer record was read from at its last OK, for the
    // result table; empty, as the record is 0, until the first OK.
    std::array<std::string, kSummerParameterCount> &SummerTexts() { return project_.summerTexts; }
    // The winter dialog's texts at its last OK.
    std::array<std::string, kWinterParameterCount> &WinterTexts() { return project_.winterTexts; }

    // Creates and shows the splash window.
    void Start();
    // The splash's OK: unload Form_start; show Form1; hide Form2, Form3, Form4, Form5.
    void LeaveSplash();
    // 一次回风: ParametersSet := True; hide Form1; show Form2; hide Form3; hide Form4.
    void OpenPrimaryReturnAir();
    // 二次回风: ParametersSet := True; hide Form1; hide Form2; show Form3; hide Form4.
    void OpenSecondaryReturnAir();
    // 帮助: hide Form1; hide Form2; hide Form3; show Form4.
    void OpenHelp();
    // 冬季工况: ParametersSet := True; show Form5 and hide the other four.
    void OpenWinter();
    // Back from a dialog: show Form1; hide Form2; hide Form3; hide Form4; hide Form5.
    void ReturnToMain();
    // Ends the program at once (closing the main window, or the splash before its OK).
    void EndProgram();

    // The project changed: the main window marks it unsaved and keeps a recovery copy.
    void ProjectChanged();
    // A project was opened, restored or saved under a name: dialogs created
    // from now on show its texts instead of their start texts, and the
    // dialogs already loaded show them at once. False again for a new project.
    void SetProjectTextsInDialogs(bool shown);
    bool ProjectTextsInDialogs() const { return projectTexts_; }
    // A file given to the program (idchart room1.idchart), opened after the splash.
    QString fileGiven;

    // What ending the program does; quits the application's event loop unless replaced.
    std::function<void()> onEndProgram;
    bool Ended() const { return ended_; }

private:
    // Shows one of Form1..Form5 and hides the other four, in window order.
    void ShowOnly(const QString &name);

    Prompts &prompts_;
    Project project_;
    WindowRegistry registry_;
    bool ended_ = false;
    bool projectTexts_ = false;
};
