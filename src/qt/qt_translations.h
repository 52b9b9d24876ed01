#pragma once

class QCoreApplication;

// Installs Qt's own Chinese texts on the application, whatever the caller's
// locale: the buttons of the input box and the message box read 确定 and 取消,
// as the platform's own dialogs do on a Chinese desktop. The translations come
// from Qt's translations folder (Debian package qt6-translations-l10n).
// Answers whether they were found; without them Qt's English texts remain.
bool InstallQtChineseTranslations(QCoreApplication &app);
