#pragma once
#include "platform/SerialPort.h"
#include "sim/CtSim.h"

#include <QElapsedTimer>

namespace rer::sim {

// The simulated controller behind the SerialPort interface, in process:
// replies arrive through the event loop after the delays the faults ask for.
// It carries out one request at a time, as a controller does: a request that
// comes while an earlier answer is still to be sent is answered after it.
class SimSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit SimSerialPort(QObject* parent = nullptr);

    bool open(int portNo) override;
    bool isOpen() const override { return open_; }
    void close() override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesAvailable() const override { return rx_.size(); }
    QByteArray readAll() override;

    // Pulls the cable: the line fails and the port cannot be opened again
    // until plugIn().
    void pull();
    void plugIn() { unplugged_ = false; }
    // Characters that arrive without a request (noise, a late reply).
    void inject(const QByteArray& bytes);

    CtSim sim;
    int opens = 0;         // successful opens
    int lastPortNo = 0;
    bool refuseOpen = false;
    QByteArray written;    // everything written, in order

private:
    void deliver(const QByteArray& piece, int generation);

    bool open_ = false;
    bool unplugged_ = false;
    int generation_ = 0;   // replies of an earlier opening are lost with it
    QByteArray rx_;
    QByteArray pending_;   // request characters before their CR LF
    QElapsedTimer clock_;
    qint64 busyUntil_ = 0; // when the last answer asked for has been sent
};

} // namespace rer::sim
