#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

class QSerialPort;

namespace rer {

// Why the last opening of a port failed.
struct PortOpenFailure {
    int portNo = 0;
    QString device;          // the device tried; empty when the number has none
    QString reason;          // the system's words
    bool notWritable = false; // the device exists but this user may not write it
    int portsReported = -1;  // serial ports the system reports; -1 when not asked
};

// The serial line to the controller: opened by port number (COM1..COM9),
// 9600 baud, no parity, 8 data bits, 1 stop bit, no handshake.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Opens port n. False when the device does not exist, is busy or n is
    // outside 1..9.
    virtual bool open(int portNo) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Writes the bytes; false when the port is closed or the write failed.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Everything received and not read yet.
    virtual QByteArray readAll() = 0;
    // Throws away everything received so far, also what the system holds
    // and has not handed on yet.
    virtual void discardInput() { readAll(); }
    // Hands on at once what the system already holds for the port, so that
    // a reply that came while the thread was busy is seen before a timer
    // that fell due meanwhile. readyRead() follows when something came.
    virtual void takeWaitingInput() {}
    // Why the last open() failed; empty when it did not or nothing is known.
    virtual PortOpenFailure openFailure() const { return {}; }

Q_SIGNALS:
    // New characters are waiting.
    void readyRead();
    // The line failed (device gone, cable pulled). Emitted once per failure.
    void portError(const QString& reason);
};

// A serial port as the system reports it.
struct SerialPortDescription {
    QString portName;        // "ttyUSB0"
    QString systemLocation;  // "/dev/ttyUSB0"
    QString description;     // "FT232R USB UART"
    QString manufacturer;
    bool usb = false;        // behind a USB adapter (it reports a vendor)
};

// The ports in the order of their numbers: USB adapters (ttyUSB, then ttyACM,
// then any other with a USB vendor) first, then the built-in ports; names of
// one kind in the order of their numbers (ttyS2 before ttyS10).
std::vector<SerialPortDescription> OrderedSerialPorts(std::vector<SerialPortDescription> ports);
// The serial ports that have hardware, as the system reports them, in that
// order.
std::vector<SerialPortDescription> SystemSerialPorts();

// The environment variable that names the device of port n: RER6O250_COM<n>.
QString SerialPortVariable(int portNo);
// The device of port n (1 to 9): the variable's device when it is set, else
// the n-th of `ports`; empty when there is none.
QString SerialDeviceName(int portNo, const std::vector<SerialPortDescription>& ports);
inline QString SerialDeviceName(int portNo) { return SerialDeviceName(portNo, SystemSerialPorts()); }
// False when the device exists and this user may not write it.
bool SerialDeviceWritable(const QString& device);

// The real port over QSerialPort.
class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool open(int portNo) override;
    bool isOpen() const override;
    void close() override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;
    void discardInput() override;
    void takeWaitingInput() override;
    PortOpenFailure openFailure() const override { return failure_; }

private:
    bool fail(const QString& reason);
    QSerialPort* port_;
    PortOpenFailure failure_;
};

} // namespace rer
