#include "cli/character_encoding.h"
#include "cli/command.h"
#include "cli/no_display.h"
#include "cli/qt/chart_picture.h"
#include "idchart_version.h"
#include "qt/fonts.h"
#include "qt/qt_prompts.h"
#include "qt/qt_translations.h"
#include "shell/app_shell.h"

#include <QApplication>

#include <cstdio>
#include <memory>

// The window program: started by idchart for the windows and for the
// commands that draw.
int main(int argc, char **argv)
{
    SetChartDrawing(DrawChartPicture);
    SetReportWriting(WriteReportSheet);
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    // Without a display Qt would stop the program with its own English message.
    if (const std::optional<std::string> message = MissingDisplayMessage(argc, argv)) {
        std::fputs(message->c_str(), stderr);
        return kNoDisplayStatus;
    }
    UseChineseLocale();
    auto guard = std::make_unique<DisplayFailureGuard>();
    QApplication app(argc, argv);
    guard.reset();
    UseUtf8CharacterEncoding();
    QApplication::setApplicationName(QStringLiteral("idchart"));
    QApplication::setOrganizationName(QStringLiteral("idchart"));
    // The installed desktop entry, so that a Wayland desktop shows the menu's icon and name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kIdchartAppId));
    // The program ends when the main window (or the splash before its OK) is
    // closed, not when the last visible window goes.
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutions();
    InstallQtChineseTranslations(app);

    QtPrompts prompts;
    AppShell shell(prompts);
    // A project file given to the program (what Qt left of the arguments).
    for (const QString &argument : QApplication::arguments().mid(1))
        if (IsProjectFileName(argument))
            shell.fileGiven = argument;
    shell.Start();
    return QApplication::exec();
}
