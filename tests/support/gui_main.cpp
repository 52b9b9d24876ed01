#include "qt/fonts.h"
#include "qt/qt_translations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

// Runs the GUI tests on the offscreen platform with a runtime folder private
// to this run.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A folder of this run's own, readable by its owner only, removed at the
    // end: runs side by side (and other users) never share one.
    const QTemporaryDir runtime(
        QDir::temp().filePath(QStringLiteral("idchart-test-runtime-XXXXXX")));
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // Settings, recent projects and recovery copies of this run's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(runtime.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(runtime.filePath(QStringLiteral("data"))));
    QApplication app(argc, argv);
    RegisterFontSubstitutions();
    InstallQtChineseTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
