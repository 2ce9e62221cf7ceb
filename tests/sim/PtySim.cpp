#include "sim/PtySim.h"

#include <QFile>
#include <algorithm>
#include <vector>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace rer::sim {

namespace {

timespec addMs(timespec t, double ms) {
    const long long ns = static_cast<long long>(ms * 1e6);
    t.tv_sec += static_cast<time_t>(ns / 1000000000LL);
    t.tv_nsec += static_cast<long>(ns % 1000000000LL);
    if (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        ++t.tv_sec;
    }
    return t;
}

void sleepUntil(const timespec& t) {
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {}
}

timespec now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

} // namespace

PtySim::PtySim() = default;

PtySim::~PtySim() {
    stop_ = true;
    if (wake_[1] >= 0) {
        const char c = 'q';
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &c, 1);
    }
    if (thread_.joinable()) thread_.join();
    closeAll();
    for (int& fd : wake_)
        if (fd >= 0) ::close(fd), fd = -1;
    dropLink();
}

void PtySim::dropLink() {
    // Only our own link: something else may have taken its place.
    if (linkPath_.isEmpty()) return;
    const QByteArray link = QFile::encodeName(linkPath_);
    char target[512];
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0 && QFile::decodeName(QByteArray(target, int(n))) == path_) ::unlink(link.constData());
}

bool PtySim::pointLink() {
    if (linkPath_.isEmpty()) return true;
    const QByteArray link = QFile::encodeName(linkPath_);
    struct stat st;
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error_ = linkPath_ + QStringLiteral(" exists and is no symbolic link");
        return false;
    }
    // A new link under another name, then renamed over the old one: the path
    // never goes missing in between.
    const QByteArray fresh = link + ".new";
    ::unlink(fresh.constData());
    if (::symlink(QFile::encodeName(path_).constData(), fresh.constData()) != 0 ||
        ::rename(fresh.constData(), link.constData()) != 0) {
        error_ = linkPath_ + QStringLiteral(": ") + QString::fromLocal8Bit(strerror(errno));
        ::unlink(fresh.constData());
        return false;
    }
    return true;
}

void PtySim::usePrivateLink() {
    if (!privateDir_) privateDir_ = std::make_unique<QTemporaryDir>();
    linkPath_ = privateDir_->filePath(QStringLiteral("com1"));
}

bool PtySim::replug() {
    if (alive()) return true;
    if (thread_.joinable()) thread_.join();
    return start();
}

bool PtySim::start() {
    error_.clear();
    const auto failed = [this](int fd) {
        if (error_.isEmpty()) error_ = QStringLiteral("cannot create a pseudo-terminal");
        if (fd >= 0) ::close(fd);
        return false;
    };
    const int m = posix_openpt(O_RDWR | O_NOCTTY);
    if (m < 0) return failed(-1);
    if (grantpt(m) != 0 || unlockpt(m) != 0) return failed(m);
    char name[128];
    if (ptsname_r(m, name, sizeof name) != 0) return failed(m);
    path_ = QString::fromLocal8Bit(name);
    // Hold the far end open so that the line stays up between the program's
    // openings; make it raw (no echo, no line editing).
    fdSlave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (fdSlave_ >= 0) {
        termios t;
        if (tcgetattr(fdSlave_, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fdSlave_, TCSANOW, &t);
        }
    }
    if (wake_[0] < 0 && pipe2(wake_, O_NONBLOCK) != 0) {
        if (fdSlave_ >= 0) ::close(fdSlave_), fdSlave_ = -1;
        return failed(m);
    }
    // A pull that came after the last one took effect is forgotten.
    for (char c; ::read(wake_[0], &c, 1) > 0;) {}
    if (!pointLink()) {
        if (fdSlave_ >= 0) ::close(fdSlave_), fdSlave_ = -1;
        return failed(m);
    }
    fdMaster_ = m;
    thread_ = std::thread([this] { run(); });
    return true;
}

void PtySim::closeAll() {
    const int m = fdMaster_.exchange(-1);
    if (m >= 0) ::close(m);
    if (fdSlave_ >= 0) ::close(fdSlave_), fdSlave_ = -1;
}

void PtySim::pull() {
    if (!alive()) return; // pulled already: nothing to wake
    const char c = 'p';
    [[maybe_unused]] ssize_t n = ::write(wake_[1], &c, 1);
    // Gone when this returns.
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
    // The link goes with the device, as an unplugged adapter's device node
    // does: left behind, it would lead to whichever terminal takes the
    // freed name next.
    dropLink();
}

void PtySim::writePaced(int fd, const QByteArray& bytes) {
    if (!paced_) {
        qsizetype off = 0;
        while (off < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.constData() + off, static_cast<size_t>(bytes.size() - off));
            if (n <= 0) {
                if (n < 0 && errno == EINTR) continue;
                return;
            }
            off += n;
        }
        return;
    }
    timespec t = now();
    for (char c : bytes) {
        t = addMs(t, CtSim::k9600);
        sleepUntil(t);
        if (::write(fd, &c, 1) != 1) return;
    }
}

void PtySim::run() {
    QByteArray pending;
    char buf[512];
    // Bytes sent on their own at their time (SimReply::later), in time order.
    std::vector<std::pair<timespec, QByteArray>> scheduled;
    const auto before = [](const timespec& a, const timespec& b) {
        return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
    };
    const auto sendDue = [&](int fd) {
        const timespec t = now();
        while (!scheduled.empty() && !before(t, scheduled.front().first)) {
            writePaced(fd, scheduled.front().second);
            scheduled.erase(scheduled.begin());
        }
    };
    // Sleeps until t, sending what falls due meanwhile.
    const auto sleepSending = [&](int fd, const timespec& t) {
        for (;;) {
            if (!scheduled.empty() && before(scheduled.front().first, t)) {
                sleepUntil(scheduled.front().first);
                sendDue(fd);
                continue;
            }
            sleepUntil(t);
            sendDue(fd);
            return;
        }
    };
    while (!stop_) {
        const int m = fdMaster_.load();
        if (m < 0) return;
        sendDue(m);
        int waitMs = 200;
        if (!scheduled.empty()) {
            const timespec t = now(), due = scheduled.front().first;
            const long long ms = (due.tv_sec - t.tv_sec) * 1000LL + (due.tv_nsec - t.tv_nsec) / 1000000LL;
            waitMs = int(std::clamp<long long>(ms + 1, 0, 200));
        }
        pollfd fds[2] = {{m, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int r = poll(fds, 2, waitMs);
        if (r < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents & POLLIN) {
            char c;
            [[maybe_unused]] ssize_t n = ::read(wake_[0], &c, 1);
            if (c == 'p') {
                closeAll();
                return;
            }
            continue;
        }
        if (!(fds[0].revents & POLLIN)) continue;
        const ssize_t n = ::read(m, buf, sizeof buf);
        if (n <= 0) continue;
        const timespec arrived = now();
        pending.append(buf, n);
        for (qsizetype end = pending.indexOf("\r\n"); end >= 0; end = pending.indexOf("\r\n")) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 2);
            SimReply reply;
            {
                std::lock_guard<std::mutex> g(mu_);
                reply = sim_.handle(line);
            }
            if (reply.vanish) {
                // As a pull: the device goes, and its link with it.
                closeAll();
                dropLink();
                return;
            }
            // The request took its time on the line before the controller
            // could see it.
            timespec t = arrived;
            if (paced_) t = addMs(t, CtSim::k9600 * static_cast<double>(line.size() + 2));
            t = addMs(t, reply.delayMs);
            sleepSending(m, t);
            for (size_t i = 0; i < reply.pieces.size(); ++i) {
                if (i > 0 && reply.gapMs > 0) sleepSending(m, addMs(now(), reply.gapMs));
                writePaced(m, reply.pieces[i]);
            }
            for (const auto& [ms, bytes] : reply.later) {
                scheduled.push_back({addMs(now(), ms), bytes});
                std::stable_sort(scheduled.begin(), scheduled.end(),
                                 [&before](const auto& a, const auto& b) { return before(a.first, b.first); });
            }
        }
    }
}

} // namespace rer::sim
