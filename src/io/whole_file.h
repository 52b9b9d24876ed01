#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files written whole and read with a bound: what the windows and the drawing
// commands write (pictures, tables, sheets, projects) and the projects they
// read. The reading, the causes named in Chinese and the messages are the
// command line's (commands/whole_file.h), which works without Qt.

// Writes bytes to `path` through a file beside it that replaces the old file
// only when every byte arrived on the disk: on any failure the old file (or
// none) stays and nothing else is left. Returns an empty string on success,
// otherwise a message naming the file and the reason in Chinese.
QString WriteWholeFile(const QString &path, const QByteArray &bytes);

// The message for a file that could not be written: its full name and the
// reason. A reason given by the system (its English text, or Qt's
// translation of it) is named in Chinese for the common causes (no space
// left, a read-only file system, a folder that does not exist, no
// permission), the system's own text following as a detail.
QString SaveFailureMessage(const QString &path, const QString &reason);

// The whole content of a file of at most `largest` bytes, or the reason it
// cannot be had, in Chinese (the file is missing, unreadable, or larger).
struct FileContent {
    std::optional<QByteArray> bytes;
    QString failure;
};
FileContent ReadWholeFile(const QString &path, qint64 largest);
