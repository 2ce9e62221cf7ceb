#include "platform/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
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

// Qt's words for a failure often hide the system's ("Unknown error" after
// a write, the file's name again for a read-only one): the system's words
// where the failed call left them in errno, Qt's otherwise.
QString reasonOf(const QFileDevice& f, int error) { return error != 0 ? systemReason(error) : f.errorString(); }

// Whether the save file writes into the target itself (the fallback of a
// folder that takes no new file) rather than into a new file beside it.
bool WritesInPlace(const QFileDevice& f, const QString& path) {
    struct stat written {}, target {};
    return ::fstat(f.handle(), &written) == 0 && ::stat(QFile::encodeName(path).constData(), &target) == 0 &&
           written.st_dev == target.st_dev && written.st_ino == target.st_ino;
}

} // namespace

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    // In a folder that takes no new file, a file the user may write is
    // written in place instead.
    f.setDirectWriteFallback(true);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) return reasonOf(f, errno);
    const bool inPlace = WritesInPlace(f, path);
    // What failed once the file itself was opened: its former content is
    // gone, and what it holds now is not the whole new file.
    auto failed = [inPlace](const QString& why) {
        return inPlace ? why + QStringLiteral(" (the file was being written in place and is now incomplete)") : why;
    };
    // A small file only reaches the write buffer in write(): flush it and
    // make sure it is on the disk before the former file is replaced, since
    // commit() does not look at the outcome of its own flush.
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const QString why = reasonOf(f, errno);
        f.cancelWriting();
        return failed(why);
    }
    const QString why = SyncToDisk(f);
    if (!why.isEmpty()) {
        f.cancelWriting();
        return failed(why);
    }
    errno = 0;
    if (!f.commit()) return failed(reasonOf(f, errno));
    return QString();
}

QString FileFailureMessage(const QString& text, const QString& path, const QString& reason) {
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    return text + QStringLiteral("\r\n") + (reason.isEmpty() ? file : file + QStringLiteral(": ") + reason);
}

QString FileFailureReason(const QFileDevice& f, int error) { return reasonOf(f, error); }

} // namespace rer
