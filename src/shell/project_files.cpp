#include "shell/project_files.h"

#include "idchart_version.h"
#include "io/whole_file.h"
#include "project/project_file.h"
#include "qt/program_look.h"
#include "qt/prompts.h"
#include "shell/app_shell.h"
#include "shell/chart_menu.h"
#include "shell/form1.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>

namespace {

// A project file is a few kilobytes; anything this large is not one.
constexpr qint64 kLargestProject = 16 * 1024 * 1024;

const QString kRecentKey = QStringLiteral("recentProjects");
const QString kFolderKey = QStringLiteral("folders/project");

QString ProgramName()
{
    return QStringLiteral("idchart ") + QString::fromLatin1(kIdchartVersion);
}

QString Suffixed(QString path)
{
    const QString suffix = QStringLiteral(".") + QString::fromUtf8(kProjectSuffix);
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

QString Filter()
{
    return QStringLiteral("idchart 项目 (*.%1)").arg(QString::fromUtf8(kProjectSuffix));
}

std::optional<QString> AskOpenFile(QWidget *parent, const QString &folder)
{
    const QString path
        = QFileDialog::getOpenFileName(parent, QStringLiteral("打开项目"), folder, Filter());
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> AskSaveFile(QWidget *parent, const QString &folder, const QString &name)
{
    QFileDialog dialog(parent, QStringLiteral("保存项目"), folder, Filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromUtf8(kProjectSuffix));
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Suffixed(dialog.selectedFiles().front());
}

// The file beside the recovery copy that names the project file it belongs to.
QString RecoveredFromPath()
{
    return ProjectFiles::RecoveryPath() + QStringLiteral(".path");
}

} // namespace

ProjectFiles::ProjectFiles(AppShell &shell, Form1 &window, ChartMenu &menu, Prompts &prompts)
    : QObject(&window), shell_(shell), window_(window), prompts_(prompts)
{
    askOpenFile = [this](const QString &folder) { return AskOpenFile(&window_, folder); };
    askSaveFile = [this](const QString &folder, const QString &name) {
        return AskSaveFile(&window_, folder, name);
    };

    const auto add = [&](const QString &text, const QKeySequence &shortcut, auto slot) {
        auto *action = new QAction(text, this);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        // On the window for its shortcut, in the chart's menu for the right-click.
        window_.addAction(action);
        menu.menu->addAction(action);
        return action;
    };
    menu.menu->addSeparator();
    newProject = add(QStringLiteral("新建项目"), QKeySequence(QStringLiteral("Ctrl+N")),
                     &ProjectFiles::New);
    openProject = add(QStringLiteral("打开项目…"), QKeySequence(QStringLiteral("Ctrl+O")),
                      &ProjectFiles::OpenChosen);
    saveProject = add(QStringLiteral("保存项目"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
                      &ProjectFiles::Save);
    saveProjectAs = add(QStringLiteral("项目另存为…"), QKeySequence(), &ProjectFiles::SaveAs);
    describeProject
        = add(QStringLiteral("项目说明…"), QKeySequence(), &ProjectFiles::EditDescription);
    recentMenu = menu.menu->addMenu(QStringLiteral("最近的项目"));
    connect(recentMenu, &QMenu::aboutToShow, this, &ProjectFiles::FillRecentMenu);
    FillRecentMenu();

    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(kRecoveryDelay);
    connect(&recoveryTimer_, &QTimer::timeout, this, &ProjectFiles::WriteRecovery);
}

ProjectFiles::~ProjectFiles()
{
    // Torn down in order, not by a crash: nothing is left to recover.
    if (!shell_.Ended())
        Ended();
}

QString ProjectFiles::RecoveryPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery.") + QString::fromUtf8(kProjectSuffix));
}

QString ProjectFiles::DisplayName() const
{
    return path_.isEmpty() ? QStringLiteral("未命名项目") : QFileInfo(path_).completeBaseName();
}

void ProjectFiles::UpdateTitle()
{
    // A fresh start keeps the window's own caption; a project's name and the
    // mark of unsaved changes stand before it.
    if (path_.isEmpty() && !modified_)
        window_.setWindowTitle(ProgramCaption());
    else
        window_.setWindowTitle(DisplayName() + QStringLiteral("[*] - ") + ProgramCaption());
    window_.setWindowModified(modified_);
}

void ProjectFiles::SetState(const QString &path, bool modified)
{
    path_ = path;
    modified_ = modified;
    UpdateTitle();
}

void ProjectFiles::Changed()
{
    modified_ = true;
    UpdateTitle();
    recoveryTimer_.start();
}

void ProjectFiles::WriteRecovery()
{
    if (!modified_)
        return;
    QDir().mkpath(QFileInfo(RecoveryPath()).absolutePath());
    const std::string json = ProjectJson(shell_.ProjectRecord(), ProgramName().toStdString());
    // A copy that cannot be written is tried again after the next change;
    // the work in the window is not touched by it.
    if (WriteWholeFile(RecoveryPath(), QByteArray::fromStdString(json)).isEmpty())
        WriteWholeFile(RecoveredFromPath(), path_.toUtf8());
}

void ProjectFiles::RemoveRecovery()
{
    recoveryTimer_.stop();
    QFile::remove(RecoveryPath());
    QFile::remove(RecoveredFromPath());
}

void ProjectFiles::Ended()
{
    RemoveRecovery();
}

bool ProjectFiles::MayDiscard()
{
    if (!modified_)
        return true;
    const int answer
        = prompts_.Ask(("项目“" + DisplayName() + "”有未保存的修改，是否保存？").toStdString(),
                       {"保存", "不保存", "取消"});
    if (answer == 0)
        return Save();
    if (answer == 1) {
        RemoveRecovery();
        return true;
    }
    return false;
}

void ProjectFiles::Show(const Project &project, bool hasInputs)
{
    shell_.ProjectRecord() = project;
    shell_.SetProjectTextsInDialogs(true);
    window_.ShowProject(hasInputs, true);
}

void ProjectFiles::New()
{
    if (!MayDiscard())
        return;
    RemoveRecovery();
    shell_.ProjectRecord() = Project();
    shell_.SetProjectTextsInDialogs(false);
    window_.ShowProject(false, false);
    SetState({}, false);
}

void ProjectFiles::OpenChosen()
{
    QSettings settings;
    const QString folder = settings.value(kFolderKey, QDir::homePath()).toString();
    if (const std::optional<QString> path = askOpenFile(folder))
        Open(*path);
}

bool ProjectFiles::Open(const QString &path)
{
    const QString shown = QFileInfo(path).absoluteFilePath();
    const FileContent content = ReadWholeFile(path, kLargestProject);
    ProjectReading reading;
    if (content.bytes)
        reading = ReadProjectJson(content.bytes->toStdString());
    if (!reading.project) {
        // Nothing of the open work changes.
        const QString why = content.bytes ? QString::fromStdString(reading.error) : content.failure;
        prompts_.MsgBox(("无法打开项目文件“" + shown + "”：" + why).toStdString());
        return false;
    }
    // The file is good: now the unsaved work may be saved or given up.
    if (!MayDiscard())
        return false;
    RemoveRecovery();
    Show(*reading.project, reading.hasInputs);
    SetState(shown, false);
    Remember(shown);
    return true;
}

bool ProjectFiles::WriteTo(const QString &path)
{
    const std::string json = ProjectJson(shell_.ProjectRecord(), ProgramName().toStdString());
    const QString failure = WriteWholeFile(path, QByteArray::fromStdString(json));
    if (!failure.isEmpty()) {
        // The old file stays whole; the work stays unsaved.
        prompts_.MsgBox(failure.toStdString());
        return false;
    }
    RemoveRecovery();
    SetState(QFileInfo(path).absoluteFilePath(), false);
    shell_.SetProjectTextsInDialogs(true);
    Remember(path_);
    return true;
}

bool ProjectFiles::Save()
{
    if (path_.isEmpty())
        return SaveAs();
    return WriteTo(path_);
}

bool ProjectFiles::SaveAs()
{
    QSettings settings;
    const QString folder = path_.isEmpty() ? settings.value(kFolderKey, QDir::homePath()).toString()
                                           : QFileInfo(path_).absolutePath();
    const QString name = path_.isEmpty()
        ? QStringLiteral("项目.") + QString::fromUtf8(kProjectSuffix)
        : QFileInfo(path_).fileName();
    const std::optional<QString> path = askSaveFile(folder, name);
    if (!path)
        return false;
    return WriteTo(Suffixed(*path));
}

void ProjectFiles::EditDescription()
{
    Project &project = shell_.ProjectRecord();
    QDialog dialog(&window_);
    dialog.setWindowTitle(QStringLiteral("项目说明"));
    auto *title = new QLineEdit(QString::fromStdString(project.title), &dialog);
    auto *note = new QPlainTextEdit(QString::fromStdString(project.note), &dialog);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("标题："), title);
    form->addRow(QStringLiteral("说明："), note);
    form->addRow(buttons);
    dialog.resize(480, 320);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string newTitle = title->text().toStdString();
    const std::string newNote = note->toPlainText().toStdString();
    if (newTitle == project.title && newNote == project.note)
        return;
    project.title = newTitle;
    project.note = newNote;
    Changed();
}

void ProjectFiles::Remember(const QString &path)
{
    QSettings settings;
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentCount)
        recent.removeLast();
    settings.setValue(kRecentKey, recent);
    settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
    FillRecentMenu();
}

void ProjectFiles::FillRecentMenu()
{
    recentMenu->clear();
    const QStringList recent = QSettings().value(kRecentKey).toStringList();
    for (const QString &path : recent) {
        QAction *entry = recentMenu->addAction(QFileInfo(path).fileName());
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] {
            if (QFileInfo::exists(path)) {
                Open(path);
                return;
            }
            QSettings settings;
            QStringList kept = settings.value(kRecentKey).toStringList();
            kept.removeAll(path);
            settings.setValue(kRecentKey, kept);
            FillRecentMenu();
            prompts_.MsgBox(
                ("项目文件“" + path + "”已不存在，已从最近的项目中移除。").toStdString());
        });
    }
    recentMenu->setEnabled(!recent.isEmpty());
}

void ProjectFiles::Start(const QString &fileGiven)
{
    const FileContent recovery = ReadWholeFile(RecoveryPath(), kLargestProject);
    if (recovery.bytes) {
        const ProjectReading reading = ReadProjectJson(recovery.bytes->toStdString());
        if (reading.project && prompts_.Ask("恢复上次未保存的工作?", {"恢复", "不恢复"}) == 0) {
            const FileContent from = ReadWholeFile(RecoveredFromPath(), 4096);
            Show(*reading.project, reading.hasInputs);
            SetState(from.bytes ? QString::fromUtf8(*from.bytes) : QString(), true);
            // Kept until the work is saved or given up.
            recoveryTimer_.start();
        } else {
            RemoveRecovery();
        }
    }
    if (!fileGiven.isEmpty())
        Open(fileGiven);
}
