#include "io/whole_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// A system's reason for a failed write, in English as the C library and Qt
// word it, and in Chinese.
struct Cause {
    int code;
    const char *english;
    const char *chinese;
};
const Cause kCauses[] = {
    {ENOSPC, "No space left on device", "磁盘空间不足"},
    {EDQUOT, "Disk quota exceeded", "超出磁盘配额"},
    {EROFS, "Read-only file system", "文件系统只读，不能写入"},
    {ENOENT, "No such file or directory", "文件夹不存在"},
    {EACCES, "Permission denied", "没有写入权限"},
    {EPERM, "Operation not permitted", "没有写入权限"},
    {EISDIR, "Is a directory", "这是一个文件夹"},
    {ENAMETOOLONG, "File name too long", "文件名太长"},
    {EIO, "Input/output error", "读写设备出错"},
};

// The Chinese name of the cause a system text gives, or nothing.
std::optional<QString> ChineseCause(const QString &reason)
{
    for (const Cause &cause : kCauses) {
        const QString english = QString::fromUtf8(cause.english);
        const QString texts[] = {english, QString::fromLocal8Bit(std::strerror(cause.code)),
                                 QCoreApplication::translate("QIODevice", cause.english)};
        for (const QString &text : texts)
            if (!text.isEmpty() && reason.contains(text, Qt::CaseInsensitive))
                return QString::fromUtf8(cause.chinese);
    }
    return std::nullopt;
}

bool IsChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
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
    QString why;
    if (const std::optional<QString> cause = ChineseCause(reason))
        why = QStringLiteral("%1（系统信息：%2）").arg(*cause, reason);
    else if (IsChinese(reason))
        why = reason;
    else if (reason.isEmpty() || reason.contains(QStringLiteral("Unknown error")))
        why = reason.isEmpty() ? QStringLiteral("未知错误")
                               : QStringLiteral("未知错误（系统信息：%1）").arg(reason);
    else
        why = QStringLiteral("写入失败（系统信息：%1）").arg(reason);
    return QStringLiteral("无法保存文件“%1”：%2").arg(QFileInfo(path).absoluteFilePath(), why);
}

FileContent ReadWholeFile(const QString &path, qint64 largest)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {std::nullopt, QStringLiteral("文件不存在")};
    if (info.isDir())
        return {std::nullopt, QStringLiteral("这是一个文件夹")};
    if (info.size() > largest)
        return {std::nullopt,
                QStringLiteral("文件太大（%1 字节），不是本程序能打开的文件").arg(info.size())};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("无法读取（系统信息：%1）").arg(file.errorString())};
    QByteArray bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("无法读取（系统信息：%1）").arg(file.errorString())};
    if (bytes.size() > largest)
        return {std::nullopt, QStringLiteral("文件太大，不是本程序能打开的文件")};
    return {bytes, {}};
}
