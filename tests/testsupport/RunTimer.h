#pragma once
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <algorithm>

namespace rer::test {

// Wall time of the calling thread less the time it stood ready to run while
// other programs had the processors: how long something took as the user of
// an idle machine would see it, also when the tests run side by side on a
// loaded one. Where the system does not tell the time spent ready, it is
// taken as none.
class RunTimer {
public:
    void start() {
        wall_.start();
        readyAtStart_ = readyNs();
    }
    qint64 elapsed() const {
        const qint64 ready = (readyNs() - readyAtStart_) / 1000000;
        return std::max<qint64>(0, wall_.elapsed() - ready);
    }

private:
    // The thread's second figure in schedstat: nanoseconds spent on a run
    // queue, waiting for a processor.
    static qint64 readyNs() {
        QFile f(QStringLiteral("/proc/thread-self/schedstat"));
        if (!f.open(QIODevice::ReadOnly)) return 0;
        const QList<QByteArray> fields = f.readAll().simplified().split(' ');
        return fields.size() >= 2 ? fields[1].toLongLong() : 0;
    }

    QElapsedTimer wall_;
    qint64 readyAtStart_ = 0;
};

} // namespace rer::test
