#pragma once
// A file system that refuses to write: the work runs in a child process
// whose files may not grow beyond a few bytes (RLIMIT_FSIZE, with SIGXFSZ
// ignored, so that a write past the limit fails with EFBIG instead of
// ending the process). What the work reports comes back through a pipe.
#include "platform/MessageBoxes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rer::test {

struct ChildOutcome {
    bool exited = false;   // the child ended normally (no signal)
    int status = -1;       // its exit status
    QStringList report;    // the texts the work returned
};

// Runs work() in a child process in which no file may grow beyond
// limitBytes. The child does nothing else: no test assertions, no exit
// handlers.
inline ChildOutcome RunOnFullDisk(qint64 limitBytes, const std::function<QStringList()>& work) {
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
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{};
        ::getrlimit(RLIMIT_FSIZE, &lim);
        lim.rlim_cur = static_cast<rlim_t>(limitBytes);
        if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(3);
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

// The bytes of a file; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The files of a folder: a failed save leaves no temporary file behind.
inline QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The texts of the message boxes shown so far.
inline QStringList ShownTexts(const FakeMessageBoxes& msg) {
    QStringList t;
    for (const auto& s : msg.shown) t << s.text;
    return t;
}

// Saves over an existing file on a full disk: the file must stay byte for
// byte and no temporary file may be left beside it. What the save reports
// (the messages it showed) comes back.
inline QStringList SaveOnFullDisk(const QString& path, const std::function<QStringList()>& save) {
    const QByteArray former = FileBytes(path);
    EXPECT_GT(former.size(), 16) << "no former file to keep";
    const QString dir = QFileInfo(path).absolutePath();
    const QStringList files = FilesIn(dir);
    const ChildOutcome out = RunOnFullDisk(16, save);
    EXPECT_TRUE(out.exited && out.status == 0) << "the save ended the child process";
    EXPECT_EQ(FileBytes(path), former);
    EXPECT_EQ(FilesIn(dir), files);
    return out.report;
}

} // namespace rer::test
