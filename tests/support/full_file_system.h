#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>
#include <vector>

// A file system of a few kilobytes, mounted for one test (a tmpfs; mounting
// needs root, as on the CI machine) and then filled to the last byte, so
// that every write to it fails for want of space. The files given are put
// there before it is filled and may be replaced by a test.
class FullFileSystem {
public:
    explicit FullFileSystem(const std::vector<std::pair<QString, QByteArray>> &files = {})
    {
        if (!folder_.isValid()) {
            reason_ = QStringLiteral("no temporary folder");
            return;
        }
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=16k,mode=0777"), QStringLiteral("tmpfs"),
                     folder_.path()});
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit
            || mount.exitCode() != 0) {
            reason_ = QStringLiteral("cannot mount a small tmpfs (needs root): ")
                + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed()
                + mount.errorString();
            return;
        }
        mounted_ = true;
        for (const auto &[name, bytes] : files) {
            QFile file(Path(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                reason_ = QStringLiteral("cannot put %1 on the small file system").arg(name);
                return;
            }
        }
        // Filled: written in small pieces until a piece no longer fits.
        QFile filler(Path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray piece(512, 'x');
        while (filler.write(piece) == piece.size()) { }
        while (filler.write("x", 1) == 1) { }
        ready_ = true;
    }
    ~FullFileSystem()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {folder_.path()});
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    // Whether it is mounted and full; otherwise why not.
    bool Ready() const { return ready_; }
    const QString &Reason() const { return reason_; }
    QString Path(const QString &name) const { return QDir(folder_.path()).filePath(name); }
    // The names of the files on it, sorted.
    QStringList Files() const
    {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private:
    QTemporaryDir folder_;
    QString reason_;
    bool mounted_ = false;
    bool ready_ = false;
};
