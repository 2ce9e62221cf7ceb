#pragma once
// File systems that refuse to write, for real: the work runs in a child
// process whose files may not grow beyond a few bytes (RLIMIT_FSIZE, with
// SIGXFSZ ignored, so that a write past the limit fails with EFBIG instead of
// ending the process), or in which a folder is mounted read-only (a mount
// namespace of a user namespace of its own, whoever runs the test). What the
// work reports comes back through a pipe.
#include "testsupport/FakeMessageBoxes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rer::test {

struct ChildOutcome {
    bool exited = false;   // the child ended normally (no signal)
    int status = -1;       // its exit status
    QStringList report;    // the texts the work returned
};

// A child process started by StartChild: its id, and the end of the pipe
// through which its report comes.
struct Child {
    pid_t pid = -1;
    int report = -1;
};

// Starts work() in a child process once setUp() has made its world there; a
// child whose setUp() fails ends with status 3 and reports nothing. The
// child does nothing else: no test assertions, no exit handlers. A child
// whose work never returns is ended by the caller (kill, then FinishChild).
inline Child StartChild(const std::function<bool()>& setUp, const std::function<QStringList()>& work) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {};
    }
    if (pid == 0) {
        ::close(fds[0]);
        if (!setUp()) ::_exit(3);
        const QByteArray text = work().join(QChar(0x1e)).toUtf8();
        qsizetype off = 0;
        while (off < text.size()) {
            const ssize_t n = ::write(fds[1], text.constData() + off, static_cast<size_t>(text.size() - off));
            if (n <= 0) ::_exit(4);
            off += n;
        }
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    return {pid, fds[0]};
}

// Reads what the child reports until it ends, and how it ended.
inline ChildOutcome FinishChild(const Child& child) {
    ChildOutcome out;
    if (child.pid < 0) return out;
    QByteArray text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(child.report, buf, sizeof buf);
        if (n > 0) {
            text.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    ::close(child.report);
    int st = 0;
    while (::waitpid(child.pid, &st, 0) < 0 && errno == EINTR) {
    }
    out.exited = WIFEXITED(st);
    out.status = out.exited ? WEXITSTATUS(st) : -1;
    if (!text.isEmpty()) out.report = QString::fromUtf8(text).split(QChar(0x1e));
    return out;
}

// Runs work() in a child process once setUp() has made its world there (see
// StartChild) and waits for its report.
inline ChildOutcome RunInChild(const std::function<bool()>& setUp, const std::function<QStringList()>& work) {
    return FinishChild(StartChild(setUp, work));
}

// Runs work() in a child process in which no file may grow beyond
// limitBytes.
inline ChildOutcome RunOnFullDisk(qint64 limitBytes, const std::function<QStringList()>& work) {
    return RunInChild(
        [limitBytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{};
            ::getrlimit(RLIMIT_FSIZE, &lim);
            lim.rlim_cur = static_cast<rlim_t>(limitBytes);
            return ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
        },
        work);
}

namespace detail {
inline bool writeProcFile(const char* path, const QByteArray& text) {
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}
} // namespace detail

// Runs work() in a child process that sees `folder` mounted read-only. The
// outcome's status is 3 when the system lets no process make the mount.
inline ChildOutcome RunOnReadOnlyFolder(const QString& folder, const std::function<QStringList()>& work) {
    const QByteArray dir = QFile::encodeName(QFileInfo(folder).absoluteFilePath());
    return RunInChild(
        [dir] {
            const QByteArray uid = QByteArray::number(::getuid()), gid = QByteArray::number(::getgid());
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
            if (!detail::writeProcFile("/proc/self/setgroups", "deny") ||
                !detail::writeProcFile("/proc/self/uid_map", uid + " " + uid + " 1") ||
                !detail::writeProcFile("/proc/self/gid_map", gid + " " + gid + " 1"))
                return false;
            return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount(dir.constData(), dir.constData(), nullptr, MS_BIND, nullptr) == 0 &&
                   ::mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        },
        work);
}

// The world of a user who owns `file` and may write it but may make no new
// file in its folder (the user's own file in a shared folder), on a disk
// where no file may grow beyond limitBytes (0: no limit); the folders of
// `ownFolders` are the user's own (such as the user's cache). Run as root,
// whom no permission bit stops, the child gives the file and those folders
// to an unprivileged user and becomes that user; otherwise the folder is
// made read-only for its owner. The folder's bits are as they were once the
// world is gone.
class FolderThatTakesNoNewFile {
public:
    FolderThatTakesNoNewFile(const QString& file, qint64 limitBytes, const QStringList& ownFolders = {})
        : path_(QFile::encodeName(QFileInfo(file).absoluteFilePath())),
          dir_(QFile::encodeName(QFileInfo(file).absolutePath())), limit_(limitBytes) {
        for (const QString& f : ownFolders) own_ << QFile::encodeName(QFileInfo(f).absoluteFilePath());
        ok_ = ::stat(dir_.constData(), &before_) == 0;
    }
    ~FolderThatTakesNoNewFile() {
        if (ok_) ::chmod(dir_.constData(), before_.st_mode & 07777);
    }
    FolderThatTakesNoNewFile(const FolderThatTakesNoNewFile&) = delete;
    FolderThatTakesNoNewFile& operator=(const FolderThatTakesNoNewFile&) = delete;

    // Makes the world in a child process (its setUp()); false when it
    // cannot be made.
    bool enter() const {
        if (!ok_) return false;
        if (limit_ > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{};
            ::getrlimit(RLIMIT_FSIZE, &lim);
            lim.rlim_cur = static_cast<rlim_t>(limit_);
            if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) return false;
        }
        if (::geteuid() != 0) return ::chmod(dir_.constData(), 0555) == 0;
        const uid_t nobody = 65534;
        const gid_t nogroup = 65534;
        // The folder stays root's: others may look into it, not make files
        // in it; the file becomes the unprivileged user's.
        if (::chmod(dir_.constData(), 0755) != 0 || ::chown(path_.constData(), nobody, nogroup) != 0 ||
            ::chmod(path_.constData(), 0644) != 0)
            return false;
        for (const QByteArray& f : own_)
            if (::chown(f.constData(), nobody, nogroup) != 0 || ::chmod(f.constData(), 0755) != 0) return false;
        return ::setgroups(0, nullptr) == 0 && ::setgid(nogroup) == 0 && ::setuid(nobody) == 0 &&
               ::geteuid() == nobody;
    }

private:
    QByteArray path_, dir_;
    QList<QByteArray> own_;
    qint64 limit_ = 0;
    struct stat before_ {};
    bool ok_ = false;
};

// Runs work() in a child process in the world of FolderThatTakesNoNewFile.
inline ChildOutcome RunInFolderThatTakesNoNewFile(const QString& file, qint64 limitBytes,
                                                  const std::function<QStringList()>& work,
                                                  const QStringList& ownFolders = {}) {
    const FolderThatTakesNoNewFile world(file, limitBytes, ownFolders);
    return RunInChild([&world] { return world.enter(); }, work);
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The files of a folder: a failed save leaves no temporary file behind.
inline QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The system's words for an error number ("File too large" for EFBIG).
inline QString SystemWords(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// How the program words why a save or a print failed, for the common error
// numbers, in its language (1 Japanese, 2 English), whatever the locale.
inline QString ReasonWords(int error, int language) {
    struct Words {
        int error;
        const char* jp;
        const char* en;
    };
    static const Words table[] = {
        {EFBIG, "ファイルが大きすぎます", "File too large"},
        {ENOSPC, "ディスクに空き領域がありません", "No space left on device"},
        {EROFS, "読み取り専用のファイルシステムです", "Read-only file system"},
        {EACCES, "アクセス権がありません", "Permission denied"},
        {ENOENT, "ファイルまたはフォルダがありません", "No such file or directory"},
        {EISDIR, "同じ名前のフォルダがあります", "Is a directory"},
    };
    for (const Words& w : table)
        if (w.error == error) return QString::fromUtf8(language == 1 ? w.jp : w.en);
    return SystemWords(error);
}

// The reason of a write in place that failed part way, in the program's
// language (1 Japanese, 2 English): the system's reason, that the file is
// incomplete, and where its former content is kept.
inline QString InPlaceFailureWords(int error, const QString& copy, int language) {
    return language == 1 ? ReasonWords(error, 1) + QStringLiteral("（ファイルはその場で上書き中だったため、不完全な状態です。"
                                                                  "元の内容は「%1」に保存されています）")
                                                       .arg(copy)
                         : ReasonWords(error, 2) + QStringLiteral(" (the file was being written in place and is now "
                                                                  "incomplete; its former content is kept in \"%1\")")
                                                       .arg(copy);
}

// Why a file was not written in place, in the program's language: no copy
// of it could be kept first in `folder`, for `reason`.
inline QString NoCopyWords(const QString& folder, const QString& reason, int language) {
    return language == 1 ? QStringLiteral("ファイルをその場で上書きできませんでした。先に元の内容の控えを「%1」に"
                                          "保存できませんでした（%2）。ファイルは変更されていません。")
                               .arg(folder, reason)
                         : QStringLiteral("The file could not be written in place: no copy of its content could be "
                                          "kept first in \"%1\" (%2). The file is unchanged.")
                               .arg(folder, reason);
}

// The words of Latin letters in `text` once the `paths` named in it are
// taken out: none in a Japanese message.
inline QStringList LatinWords(QString text, const QStringList& paths) {
    for (const QString& p : paths) text.remove(p);
    QStringList words;
    QString word;
    for (const QChar c : text + QLatin1Char(' ')) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))) {
            word += c;
        } else {
            if (word.size() > 1) words << word;
            word.clear();
        }
    }
    return words;
}

// The user's cache folder ($XDG_CACHE_HOME) for a piece of a test: a new,
// empty one, or the path given; the former one comes back at the end of the
// scope.
class ScopedCacheFolder {
public:
    explicit ScopedCacheFolder(const QString& at = QString())
        : path_(at.isEmpty() ? dir_.path() : at), had_(qEnvironmentVariableIsSet("XDG_CACHE_HOME")),
          before_(qgetenv("XDG_CACHE_HOME")) {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(path_));
    }
    ~ScopedCacheFolder() {
        if (had_)
            qputenv("XDG_CACHE_HOME", before_);
        else
            qunsetenv("XDG_CACHE_HOME");
    }
    ScopedCacheFolder(const ScopedCacheFolder&) = delete;
    ScopedCacheFolder& operator=(const ScopedCacheFolder&) = delete;

    QString path() const { return path_; }
    // Where the program keeps the copies of the files it writes in place.
    QString copyFolder() const { return QDir(path_).filePath(QStringLiteral("RER6O250")); }
    // The copies kept there, by name.
    QStringList copies() const { return FilesIn(copyFolder()); }

private:
    QTemporaryDir dir_;
    QString path_;
    bool had_;
    QByteArray before_;
};

// A failed write as the program tells it: its message, then the file and
// the reason on a line of their own.
inline QString WriteFailureText(const QString& message, const QString& path, const QString& reason) {
    return message + QStringLiteral("\r\n") + QFileInfo(path).absoluteFilePath() + QStringLiteral(": ") + reason;
}

// The texts of the message boxes shown so far.
inline QStringList ShownTexts(const FakeMessageBoxes& msg) {
    QStringList t;
    for (const auto& s : msg.shown) t << s.text;
    return t;
}

} // namespace rer::test
