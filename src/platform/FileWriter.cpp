#include "platform/FileWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace rer {

namespace {

WriteFailure Words(const char* jp, const char* en) { return {QString::fromUtf8(jp), QString::fromUtf8(en)}; }

// Puts the written bytes on the disk; nothing, or the system's reason. A file
// system that cannot sync counts as synced.
WriteFailure SyncToDisk(const QFileDevice& f) {
    const int fd = f.handle();
    if (fd < 0 || ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS) return {};
    return SystemReason(errno);
}

// Puts a folder's entries (a file renamed into it) on the disk, as far as
// the system can.
void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Qt's words for a failure often hide the system's ("Unknown error" after
// a write, the file's name again for a read-only one): the system's reason
// where the failed call left it in errno, Qt's words otherwise.
WriteFailure ReasonOf(const QFileDevice& f, int error) {
    if (error != 0) return SystemReason(error);
    return {f.errorString(), f.errorString()};
}

// Writes `bytes` as the whole file `path` through a new file beside it, on
// the disk before it takes the file's place.
WriteFailure WriteBeside(QSaveFile& f, const QByteArray& bytes) {
    // A small file only reaches the write buffer in write(): flush it and
    // make sure it is on the disk before the former file is replaced, since
    // commit() does not look at the outcome of its own flush.
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const WriteFailure why = ReasonOf(f, errno);
        f.cancelWriting();
        return why;
    }
    if (const WriteFailure why = SyncToDisk(f); why.failed()) {
        f.cancelWriting();
        return why;
    }
    errno = 0;
    if (!f.commit()) return ReasonOf(f, errno);
    return {};
}

// The name of the copy of `path` in `folder`: the file's name behind a mark
// of its full path; a copy left there by a write in place that did not end
// stays, and the new one gets a number of its own.
QString CopyNameIn(const QString& folder, const QString& path) {
    const QFileInfo file(path);
    const QString mark = QString::fromLatin1(
        QCryptographicHash::hash(file.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    const QDir dir(folder);
    QString name = mark + QLatin1Char('-') + file.fileName();
    for (int n = 2; dir.exists(name); ++n) name = QStringLiteral("%1-%2-%3").arg(mark).arg(n).arg(file.fileName());
    return dir.filePath(name);
}

// Keeps `former`, the content of `path`, whole and on the disk in the folder
// of copies; `copy` gets where.
WriteFailure KeepCopy(const QString& path, const QByteArray& former, QString& copy) {
    const QString folder = InPlaceCopyFolder();
    errno = 0;
    if (folder.isEmpty() || !QDir().mkpath(folder)) return SystemReason(errno != 0 ? errno : ENOENT);
    copy = CopyNameIn(folder, path);
    QSaveFile f(copy);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) return ReasonOf(f, errno);
    const WriteFailure why = WriteBeside(f, former);
    if (!why.failed()) SyncFolder(folder);
    return why;
}

// Writes `bytes` into the file `path` itself, its former content kept in a
// copy first. Nothing when the file cannot be opened for writing (it does
// not exist, or the user may not write it): the caller tells why the file
// could not be written at all.
std::optional<WriteFailure> WriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile target(path);
    // Open without cutting the file: nothing changes until its copy is whole.
    if (!target.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return std::nullopt;
    errno = 0;
    const QByteArray former = target.readAll();
    WriteFailure notKept = target.error() != QFileDevice::NoError ? ReasonOf(target, errno) : WriteFailure{};
    QString copy;
    if (!notKept.failed()) notKept = KeepCopy(path, former, copy);
    if (notKept.failed()) {
        const QString folder = QDir::toNativeSeparators(InPlaceCopyFolder());
        return WriteFailure{
            QStringLiteral("ファイルをその場で上書きできませんでした。先に元の内容の控えを「%1」に保存できませんでした（%2）。"
                           "ファイルは変更されていません。")
                .arg(folder, notKept.jp),
            QStringLiteral("The file could not be written in place: no copy of its content could be kept first in "
                           "\"%1\" (%2). The file is unchanged.")
                .arg(folder, notKept.en)};
    }
    // From here on the former content is in the copy: a failure says where.
    const QString kept = QDir::toNativeSeparators(copy);
    const auto incomplete = [&kept](const WriteFailure& why) {
        return WriteFailure{
            why.jp + QStringLiteral("（ファイルはその場で上書き中だったため、不完全な状態です。元の内容は「%1」に保存されています）")
                         .arg(kept),
            why.en + QStringLiteral(" (the file was being written in place and is now incomplete; its former "
                                    "content is kept in \"%1\")")
                         .arg(kept)};
    };
    errno = 0;
    if (!target.resize(0) || !target.seek(0) || target.write(bytes) != bytes.size() || !target.flush())
        return incomplete(ReasonOf(target, errno));
    if (const WriteFailure why = SyncToDisk(target); why.failed()) return incomplete(why);
    target.close();
    QFile::remove(copy);
    return WriteFailure{};
}

} // namespace

WriteFailure SystemReason(int error) {
    switch (error) {
    case ENOSPC: return Words("ディスクに空き領域がありません", "No space left on device");
    case EDQUOT: return Words("ディスクの使用量が上限を超えました", "Disk quota exceeded");
    case EFBIG: return Words("ファイルが大きすぎます", "File too large");
    case EROFS: return Words("読み取り専用のファイルシステムです", "Read-only file system");
    case EACCES: return Words("アクセス権がありません", "Permission denied");
    case EPERM: return Words("操作が許可されていません", "Operation not permitted");
    case EIO: return Words("入出力エラーが発生しました", "Input/output error");
    case ENOENT: return Words("ファイルまたはフォルダがありません", "No such file or directory");
    case ENOTDIR: return Words("フォルダでないものがパスの途中にあります", "Not a directory");
    case EISDIR: return Words("同じ名前のフォルダがあります", "Is a directory");
    case ENAMETOOLONG: return Words("ファイル名が長すぎます", "File name too long");
    default: {
        const QString system = QString::fromLocal8Bit(std::strerror(error));
        return {system, system};
    }
    }
}

QString InPlaceCopyFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : QDir(cache).filePath(QStringLiteral("RER6O250"));
}

WriteFailure WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    errno = 0;
    if (f.open(QIODevice::WriteOnly)) return WriteBeside(f, bytes);
    const int error = errno;
    const QFileInfo file(path);
    // A folder that takes no new file: a file the user may write is written
    // in place instead.
    if (file.isFile() && ::access(QFile::encodeName(file.absolutePath()).constData(), W_OK) != 0 && errno == EACCES)
        if (const auto written = WriteInPlace(path, bytes)) return *written;
    if (error == 0 && file.isDir()) return SystemReason(EISDIR);
    return ReasonOf(f, error);
}

QString FileFailureMessage(const QString& text, const QString& path, const QString& reason) {
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    return text + QStringLiteral("\r\n") + (reason.isEmpty() ? file : file + QStringLiteral(": ") + reason);
}

WriteFailure FileFailureReason(const QFileDevice& f, int error) { return ReasonOf(f, error); }

} // namespace rer
