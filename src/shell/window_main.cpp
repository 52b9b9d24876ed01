#include "cli/character_encoding.h"
#include "cli/command.h"
#include "cli/qt/chart_picture.h"
#include "qt/fonts.h"
#include "qt/qt_prompts.h"
#include "qt/qt_translations.h"
#include "shell/app_shell.h"

#include <QApplication>

// The window program: started by idchart for the windows and for the
// commands that draw.
int main(int argc, char **argv)
{
    SetChartDrawing(DrawChartPicture);
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    UseUtf8CharacterEncoding();
    QApplication::setApplicationName(QStringLiteral("idchart"));
    // The installed desktop entry, so that a Wayland desktop shows the menu's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.idchart.IdChart"));
    // The program ends when the main window (or the splash before its OK) is
    // closed, not when the last visible window goes.
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutions();
    InstallQtChineseTranslations(app);

    QtPrompts prompts;
    AppShell shell(prompts);
    shell.Start();
    return QApplication::exec();
}
