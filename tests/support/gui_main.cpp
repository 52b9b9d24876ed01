#include "ui/qt/fonts.h"
#include "ui/qt/qt_translations.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>

// Runs the GUI tests on the offscreen platform with a private runtime folder.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString runtime = QDir::temp().filePath("idchart-test-runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    QApplication app(argc, argv);
    RegisterFontSubstitutions();
    InstallQtChineseTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
