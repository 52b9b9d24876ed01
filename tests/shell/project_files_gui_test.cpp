#include "project/project_file.h"
#include "shell/app_shell.h"
#include "shell/chart_points.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form5.h"
#include "shell/project_files.h"
#include "support/full_file_system.h"
#include "support/main_window.h"
#include "support/scripted_prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using state_solver::Property;

namespace {

// The texts a user types, some as a Chinese input method types them.
const std::array<std::string, 9> kSummerTyped
    = {" 24", "55", "３３", "26.5", "8", "40", "90", "15.5", "0.02"};
const std::array<std::string, 9> kWinterTyped
    = {"18", "45", "-10", "50", "12", "0.015", "25", "90", "喷蒸汽"};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Window : MainWindowAfterSplash {
    Form1 &main() { return form(); }
    ProjectFiles &files() { return form().Files(); }

    // Types into a dialog's entries and confirms them with its OK.
    void Type(ParameterForm &dialog, const std::array<std::string, 9> &texts)
    {
        for (int n = 1; n <= 9; ++n) {
            if (dialog.Text[n])
                dialog.Text[n]->setText(QString::fromStdString(texts[n - 1]));
            else
                dialog.Choice[n]->setCurrentText(QString::fromStdString(texts[n - 1]));
        }
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    }

    // A whole project's work: both dialogs, the chart's prompts, two points and a line.
    void Work()
    {
        QTest::mouseClick(controls().冬季工况, Qt::LeftButton);
        Type(shell.Windows().Get<Form5>(forms::kWinter), kWinterTyped);
        QTest::mouseClick(controls().二次回风, Qt::LeftButton);
        Type(shell.Windows().Get<Form2>(forms::kSecondary), kSummerTyped);
        prompts.Answer("９５０００ 帕");
        prompts.Answer("0.05");
        QTest::mouseClick(controls().生成焓湿图, Qt::LeftButton);
        ASSERT_FALSE(form().Points().Add({Property::t, 32}, {Property::phi, 65}));
        ASSERT_FALSE(form().Points().Add({Property::t, 20}, {Property::td, 5}, "新风"));
        form().Points().Connect(0, 1);
    }
};

std::string Json(AppShell &shell)
{
    return ProjectJson(shell.ProjectRecord(), "test");
}

} // namespace

// Everything typed and chosen survives save → close → open: the dialogs get
// their texts back, the chart its pressure and points, 计算并描点 the design.
TEST(ProjectFiles, SavedWorkComesBackWhole)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("room1.idchart"));
    std::string saved;
    {
        Window w;
        w.Work();
        EXPECT_TRUE(w.files().Modified());
        EXPECT_TRUE(w.main().windowTitle().startsWith(QStringLiteral("未命名项目[*]")));
        w.files().askSaveFile = [&](const QString &, const QString &) { return path; };
        ASSERT_TRUE(w.files().Save());
        EXPECT_FALSE(w.files().Modified());
        EXPECT_TRUE(w.main().windowTitle().startsWith(QStringLiteral("room1[*]")));
        saved = Json(w.shell);
        // The main window closes without a question: nothing is unsaved.
        w.main().close();
        EXPECT_TRUE(w.shell.Ended());
        EXPECT_TRUE(w.prompts.questions.empty());
    }
    Window w;
    ASSERT_TRUE(w.files().Open(path));
    EXPECT_EQ(Json(w.shell), saved);
    EXPECT_TRUE(w.main().ParametersSet);
    EXPECT_EQ(w.controls().Texta[10]->text(), QStringLiteral("９５０００ 帕"));
    QTest::mouseClick(w.controls().一次回风, Qt::LeftButton);
    Form2 &summer = w.shell.Windows().Get<Form2>(forms::kParameters);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(summer.EntryText(n), kSummerTyped[n - 1]) << n;
    QTest::mouseClick(w.controls().冬季工况, Qt::LeftButton);
    Form5 &winter = w.shell.Windows().Get<Form5>(forms::kWinter);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(winter.EntryText(n), kWinterTyped[n - 1]) << n;
    // The points are drawn over the project's chart, the line between them.
    const auto &points = w.controls().Picture1->ChartScene().Ops(SceneLayer::Points);
    EXPECT_EQ(std::count_if(points.begin(), points.end(),
                            [](const Scene::Op &op) { return op.kind == Scene::Kind::Circle; }),
              2);
    EXPECT_EQ(w.shell.ProjectRecord().points.Lines().size(), 1u);
}

// A damaged, newer or foreign file is refused with a message that names it
// and says what is wrong; the open work stays exactly as it was.
TEST(ProjectFiles, AFileThatCannotBeOpenedChangesNothing)
{
    QTemporaryDir folder;
    const struct {
        const char *name;
        QByteArray content;
        QString said;
    } files[] = {
        {"damaged.idchart", "{\"format\": \"idchart-project\", \"version\": 1,", "第"},
        {"newer.idchart", "{\"format\": \"idchart-project\", \"version\": 99}", "99"},
        {"other.idchart", "{\"format\": \"something-else\", \"version\": 1}", "不是"},
        {"missing.idchart", {}, "不存在"},
    };
    Window w;
    w.Work();
    const std::string before = Json(w.shell);
    for (const auto &file : files) {
        SCOPED_TRACE(file.name);
        const QString path = folder.filePath(QString::fromUtf8(file.name));
        if (!file.content.isEmpty()) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(file.content);
        }
        w.prompts.messages.clear();
        EXPECT_FALSE(w.files().Open(path));
        ASSERT_EQ(w.prompts.messages.size(), 1u);
        const QString message = QString::fromStdString(w.prompts.messages[0]);
        EXPECT_TRUE(message.contains(QFileInfo(path).absoluteFilePath())) << message.toStdString();
        EXPECT_TRUE(message.contains(file.said)) << message.toStdString();
        EXPECT_EQ(Json(w.shell), before);
        EXPECT_TRUE(w.files().Modified());
        // The unsaved work is not put in question for a file that does not open.
        EXPECT_TRUE(w.prompts.questions.empty());
    }
}

// Closing with unsaved changes asks 保存 / 不保存 / 取消: 取消 keeps the
// window, 不保存 ends the program and leaves no recovery copy.
TEST(ProjectFiles, ClosingWithUnsavedChangesAsks)
{
    Window w;
    w.Work();
    w.prompts.Choose(2);
    w.main().close();
    EXPECT_FALSE(w.shell.Ended());
    ASSERT_EQ(w.prompts.questions.size(), 1u);
    EXPECT_NE(w.prompts.questions[0].find("未保存的修改"), std::string::npos);
    QTest::qWait(ProjectFiles::kRecoveryDelay + 300);
    EXPECT_TRUE(QFile::exists(ProjectFiles::RecoveryPath()));
    w.prompts.Choose(1);
    w.main().close();
    EXPECT_TRUE(w.shell.Ended());
    EXPECT_FALSE(QFile::exists(ProjectFiles::RecoveryPath()));
}

// A moment after a change the work is in the recovery copy; a program that
// was not closed properly offers it at the next start, and every typed text
// and state point comes back.
TEST(ProjectFiles, TheRecoveryCopyBringsBackUnsavedWork)
{
    std::string worked;
    {
        Window w;
        w.Work();
        worked = Json(w.shell);
        QTest::qWait(ProjectFiles::kRecoveryDelay + 300);
        ASSERT_TRUE(QFile::exists(ProjectFiles::RecoveryPath()));
        // As a crash leaves it: the copy stays behind the program, which
        // would remove it on an orderly end.
        QFile::copy(ProjectFiles::RecoveryPath(), ProjectFiles::RecoveryPath() + ".kept");
    }
    QFile::rename(ProjectFiles::RecoveryPath() + ".kept", ProjectFiles::RecoveryPath());
    ScriptedPrompts prompts;
    prompts.Choose(0);
    AppShell shell(prompts);
    shell.onEndProgram = [] {};
    shell.Start();
    shell.LeaveSplash();
    ASSERT_EQ(prompts.questions, std::vector<std::string> {"恢复上次未保存的工作?"});
    EXPECT_EQ(Json(shell), worked);
    Form1 &main = shell.Windows().Get<Form1>(forms::kMain);
    EXPECT_TRUE(main.Files().Modified());
    QTest::mouseClick(main.Controls().二次回风, Qt::LeftButton);
    EXPECT_EQ(shell.Windows().Get<Form2>(forms::kSecondary).EntryText(1), kSummerTyped[0]);
}

// On a full disk the save says why, the old file stays whole and the work
// stays marked unsaved.
TEST(ProjectFiles, AFullDiskKeepsTheOldFile)
{
    const QByteArray old = "the project saved before";
    FullFileSystem disk({{QStringLiteral("room.idchart"), old}});
    if (!disk.Ready())
        GTEST_SKIP() << disk.Reason().toStdString();
    Window w;
    w.Work();
    const QString path = disk.Path(QStringLiteral("room.idchart"));
    w.files().askSaveFile = [&](const QString &, const QString &) { return path; };
    EXPECT_FALSE(w.files().Save());
    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_NE(w.prompts.messages[0].find("磁盘空间不足"), std::string::npos);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_TRUE(w.files().Modified());
}

// 最近的项目 lists the files saved and opened, newest first; one that no
// longer exists is removed from the list with a message.
TEST(ProjectFiles, RecentProjectsForgetMissingFiles)
{
    QTemporaryDir folder;
    Window w;
    for (const char *name : {"a.idchart", "b.idchart"}) {
        const QString path = folder.filePath(QString::fromUtf8(name));
        w.files().askSaveFile = [&](const QString &, const QString &) { return path; };
        w.Work();
        ASSERT_TRUE(w.files().SaveAs());
    }
    emit w.files().recentMenu->aboutToShow();
    QList<QAction *> entries = w.files().recentMenu->actions();
    ASSERT_GE(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("b.idchart"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("a.idchart"));
    QFile::remove(folder.filePath(QStringLiteral("a.idchart")));
    w.prompts.messages.clear();
    entries[1]->trigger();
    ASSERT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_NE(w.prompts.messages[0].find("已从最近的项目中移除"), std::string::npos);
    emit w.files().recentMenu->aboutToShow();
    for (QAction *entry : w.files().recentMenu->actions())
        EXPECT_NE(entry->text(), QStringLiteral("a.idchart"));
}
