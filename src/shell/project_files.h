#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

class AppShell;
class ChartMenu;
class Form1;
class Prompts;
class QAction;
class QMenu;
struct Project;

// The user's work kept in project files (*.idchart): 新建项目, 打开项目…,
// 保存项目, 项目另存为… and 最近的项目 in the chart's menu and as the main
// window's shortcuts; the window title with the project's name and a mark
// while there are unsaved changes; the question before unsaved changes are
// lost; and a recovery copy written a moment after each change, offered at
// the next start after a crash or a kill.
class ProjectFiles : public QObject {
    Q_OBJECT
public:
    ProjectFiles(AppShell &shell, Form1 &window, ChartMenu &menu, Prompts &prompts);
    ~ProjectFiles() override;

    // The project changed (an input confirmed, the pressure or precision
    // answered, a state point added or removed): marked as unsaved, and the
    // recovery copy written a moment later.
    void Changed();

    // 新建项目: after the question about unsaved changes, the work of a fresh start.
    void New();
    // 打开项目…: after the question about unsaved changes, a file chosen.
    void OpenChosen();
    // Opens a project file. A file that cannot be read is said in a message
    // naming it and what is wrong, and the open work stays as it was; a good
    // one comes after the question about unsaved changes. Answers whether it
    // was opened.
    bool Open(const QString &path);
    // 保存项目 (the first save asks for a name) and 项目另存为…: answers
    // whether the project was written; a file that could not be written
    // whole is said and the old file stays as it was.
    bool Save();
    bool SaveAs();
    // 项目说明…: the project's free title and note, in a dialog of their own.
    void EditDescription();

    // Asks whether to save unsaved changes (保存 / 不保存 / 取消): answers
    // whether the work may be discarded now.
    bool MayDiscard();
    // At start, after the splash: offers the recovery copy a crash or a kill
    // left behind (恢复上次未保存的工作?), then opens the file given to the
    // program, if any.
    void Start(const QString &fileGiven = {});
    // The program ends without a crash: no recovery copy is needed any more.
    void Ended();

    const QString &Path() const { return path_; }
    bool Modified() const { return modified_; }
    // Where the recovery copy lives: the user's data folder.
    static QString RecoveryPath();

    // The file dialogs; tests replace them. Each gets the folder to start in
    // and answers nothing when cancelled.
    std::function<std::optional<QString>(const QString &folder)> askOpenFile;
    std::function<std::optional<QString>(const QString &folder, const QString &name)> askSaveFile;

    QAction *newProject = nullptr;
    QAction *openProject = nullptr;
    QAction *saveProject = nullptr;
    QAction *saveProjectAs = nullptr;
    QAction *describeProject = nullptr;
    QMenu *recentMenu = nullptr;

    // How long after a change the recovery copy is written, ms.
    static constexpr int kRecoveryDelay = 1000;
    // How many files 最近的项目 lists.
    static constexpr int kRecentCount = 8;

private:
    // Puts a project into the window: its chart drawn, its dialogs' texts,
    // no results of an earlier calculation.
    void Show(const Project &project, bool hasInputs);
    bool WriteTo(const QString &path);
    void WriteRecovery();
    void RemoveRecovery();
    void SetState(const QString &path, bool modified);
    void UpdateTitle();
    void Remember(const QString &path);
    void FillRecentMenu();
    QString DisplayName() const;

    AppShell &shell_;
    Form1 &window_;
    Prompts &prompts_;
    QString path_;
    bool modified_ = false;
    QTimer recoveryTimer_;
};
