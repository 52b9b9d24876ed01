#include "io/whole_file.h"

#include "commands/whole_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <string>

namespace {

// Qt's Chinese text for a cause's English words, when its translations are loaded.
std::string QtTranslation(const char *english)
{
    return QCoreApplication::translate("QIODevice", english).toStdString();
}

} // namespace

QString WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, file.errorString());
    // The data goes out in full before the check: the file device keeps a
    // small write buffer whose failure shows only when it is flushed.
    const bool written
        = file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return SaveFailureMessage(path, reason);
    }
    if (!file.commit())
        return SaveFailureMessage(path, file.errorString());
    return QString();
}

QString SaveFailureMessage(const QString &path, const QString &reason)
{
    return QString::fromStdString(whole_file::SaveFailureMessage(
        QFileInfo(path).absoluteFilePath().toStdString(), reason.toStdString(), QtTranslation));
}

FileContent ReadWholeFile(const QString &path, qint64 largest)
{
    whole_file::Content content = whole_file::Read(
        path.toStdString(), static_cast<std::uintmax_t>(std::max<qint64>(largest, 0)));
    if (!content.bytes)
        return {std::nullopt, QString::fromStdString(content.failure)};
    return {QByteArray::fromStdString(*content.bytes), {}};
}
