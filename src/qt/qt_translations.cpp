#include "qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>
#include <unistd.h>

namespace {

// Texts of Qt's file dialog that Qt's Chinese translations lack.
class FileDialogTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (std::strcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        if (std::strcmp(sourceText, "Folder") == 0)
            return QStringLiteral("文件夹");
        if (std::strcmp(sourceText, "Drive") == 0)
            return QStringLiteral("驱动器");
        return {};
    }
    bool isEmpty() const override { return false; }
};

// Whether LANG or an LC_ variable names a language (set, and neither C nor POSIX).
bool EnvironmentNamesALanguage()
{
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const QByteArray variable(*entry);
        const qsizetype equals = variable.indexOf('=');
        const QByteArray name = variable.left(equals);
        const QByteArray value = variable.mid(equals + 1);
        if ((name.startsWith("LC_") || name == "LANG") && !value.isEmpty() && value != "C"
            && value != "POSIX" && !value.startsWith("C."))
            return true;
    }
    return false;
}

} // namespace

void UseChineseLocale()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Qt writes a file's date in the environment's time locale. When the
    // environment names no language at all, the C library's locale is "C"
    // whether or not the C library knows zh_CN, so naming it changes nothing
    // else.
    if (!EnvironmentNamesALanguage())
        qputenv("LC_TIME", "zh_CN.UTF-8");
}

bool InstallQtChineseTranslations(QCoreApplication &app)
{
    // Installed first, so that Qt's own translations are asked before it.
    QCoreApplication::installTranslator(new FileDialogTexts(&app));
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
