#include "sim/SimSerialPort.h"

#include <QTimer>
#include <algorithm>

namespace rer::sim {

SimSerialPort::SimSerialPort(QObject* parent) : SerialPort(parent) { clock_.start(); }

bool SimSerialPort::open(int portNo) {
    if (portNo < 1 || portNo > 9 || refuseOpen || unplugged_) return false;
    open_ = true;
    ++opens;
    lastPortNo = portNo;
    return true;
}

void SimSerialPort::close() {
    open_ = false;
    ++generation_;
    rx_.clear();
    pending_.clear();
}

QByteArray SimSerialPort::readAll() {
    QByteArray r;
    r.swap(rx_);
    return r;
}

void SimSerialPort::deliver(const QByteArray& piece, int generation) {
    if (!open_ || generation != generation_) return;
    rx_ += piece;
    Q_EMIT readyRead();
}

void SimSerialPort::inject(const QByteArray& bytes) { deliver(bytes, generation_); }

void SimSerialPort::pull() {
    unplugged_ = true;
    if (open_) Q_EMIT portError(QStringLiteral("The device has been removed."));
}

bool SimSerialPort::write(const QByteArray& bytes) {
    if (!open_) return false;
    written += bytes;
    pending_ += bytes;
    for (qsizetype end = pending_.indexOf("\r\n"); end >= 0; end = pending_.indexOf("\r\n")) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 2);
        const SimReply r = sim.handle(line);
        const int gen = generation_;
        if (r.vanish) {
            QTimer::singleShot(0, this, [this] { pull(); });
            continue;
        }
        // One request at a time: the controller starts on this one when it
        // has answered the one before.
        const qint64 now = clock_.elapsed();
        qint64 at = std::max(now, busyUntil_) + r.delayMs;
        for (const QByteArray& piece : r.pieces) {
            QTimer::singleShot(int(at - now), this, [this, piece, gen] { deliver(piece, gen); });
            busyUntil_ = at;
            at += r.gapMs;
        }
        for (const auto& [ms, bytes] : r.later) {
            const QByteArray copy = bytes;
            QTimer::singleShot(int(busyUntil_ + ms - now), this, [this, copy, gen] { deliver(copy, gen); });
        }
    }
    return true;
}

} // namespace rer::sim
