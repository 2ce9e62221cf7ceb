#include "platform/FileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace rer {

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Puts the written bytes on the disk; empty, or the system's reason. A file
// system that cannot sync counts as synced.
QString SyncToDisk(const QFileDevice& f) {
    const int fd = f.handle();
    if (fd < 0 || ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS) return QString();
    return systemReason(errno);
}

} // namespace

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    // A small file only reaches the write buffer in write(): flush it and
    // make sure it is on the disk before the former file is replaced, since
    // commit() does not look at the outcome of its own flush. A write that
    // fails leaves Qt's own words at "Unknown error"; the system's are in
    // errno.
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const int error = errno;
        const QString why = error != 0 ? systemReason(error) : f.errorString();
        f.cancelWriting();
        return why;
    }
    const QString why = SyncToDisk(f);
    if (!why.isEmpty()) {
        f.cancelWriting();
        return why;
    }
    if (!f.commit()) return f.errorString();
    return QString();
}

QString FileFailureLine(const QString& path, const QString& reason) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) + QStringLiteral(": ") + reason;
}

} // namespace rer
