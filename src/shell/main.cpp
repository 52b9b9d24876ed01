#include "cli/command_line.h"
#include "shell/app_shell.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_prompts.h"
#include "ui/qt/qt_translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // A command word, --help or --version runs without a window.
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("idchart"));
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
