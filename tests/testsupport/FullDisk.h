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

// Runs work() in a child process once setUp() has made its world there; a
// child whose setUp() fails ends with status 3 and reports nothing. The
// child does nothing else: no test assertions, no exit handlers.
inline ChildOutcome RunInChild(const std::function<bool()>& setUp, const std::function<QStringList()>& work) {
    ChildOutcome out;
    int fds[2];
    if (::pipe(fds) != 0) return out;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return out;
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
    QByteArray text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n > 0) {
            text.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    ::close(fds[0]);
    int st = 0;
    while (::waitpid(pid, &st, 0) < 0 && errno == EINTR) {
    }
    out.exited = WIFEXITED(st);
    out.status = out.exited ? WEXITSTATUS(st) : -1;
    if (!text.isEmpty()) out.report = QString::fromUtf8(text).split(QChar(0x1e));
    return out;
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

// Runs work() in a child process as a user who owns `file` and may write it
// but may make no new file in its folder (the user's own file in a shared
// folder), on a disk where no file may grow beyond limitBytes (0: no limit).
// Run as root, whom no permission bit stops, the child gives the file to an
// unprivileged user and becomes that user; otherwise the folder is made
// read-only for its owner. The folder's bits are as they were afterwards.
inline ChildOutcome RunInFolderThatTakesNoNewFile(const QString& file, qint64 limitBytes,
                                                  const std::function<QStringList()>& work) {
    const QByteArray path = QFile::encodeName(QFileInfo(file).absoluteFilePath());
    const QByteArray dir = QFile::encodeName(QFileInfo(file).absolutePath());
    struct stat before {};
    if (::stat(dir.constData(), &before) != 0) return {};
    const bool root = ::geteuid() == 0;
    ChildOutcome out = RunInChild(
        [&] {
            if (limitBytes > 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit lim{};
                ::getrlimit(RLIMIT_FSIZE, &lim);
                lim.rlim_cur = static_cast<rlim_t>(limitBytes);
                if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) return false;
            }
            if (!root) return ::chmod(dir.constData(), 0555) == 0;
            const uid_t nobody = 65534;
            const gid_t nogroup = 65534;
            // The folder stays root's: others may look into it, not make
            // files in it; the file becomes the unprivileged user's.
            if (::chmod(dir.constData(), 0755) != 0 || ::chown(path.constData(), nobody, nogroup) != 0 ||
                ::chmod(path.constData(), 0644) != 0)
                return false;
            return ::setgroups(0, nullptr) == 0 && ::setgid(nogroup) == 0 && ::setuid(nobody) == 0 &&
                   ::geteuid() == nobody;
        },
        work);
    ::chmod(dir.constData(), before.st_mode & 07777);
    return out;
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
