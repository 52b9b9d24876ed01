#pragma once

class QCoreApplication;

// Makes Qt's locale Chinese for what it formats itself, before the application
// object exists (Qt reads the environment's locale once, as it starts): the
// default locale becomes zh_CN, so that the file dialog names file types in
// Chinese, and when the environment names no language (no locale set, as on a
// fresh system, or C/POSIX) its dates are written in the Chinese form too. A
// language the user did set stays the user's for dates.
void UseChineseLocale();

// Installs Qt's own Chinese texts on the application, whatever the caller's
// locale: the buttons of the input box and the message box read 确定 and 取消,
// as the platform's own dialogs do on a Chinese desktop. The translations come
// from Qt's translations folder (Debian package qt6-translations-l10n); the few
// texts of the file dialog they leave in English (the type 文件夹) are
// supplied here. Answers whether Qt's translations were found; without them
// Qt's English texts remain.
bool InstallQtChineseTranslations(QCoreApplication &app);
