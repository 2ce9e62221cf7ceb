#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace rer {

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

Q_SIGNALS:
    // New characters are waiting.
    void readyRead();
    // The line failed (device gone, cable pulled). Emitted once per failure.
    void portError(const QString& reason);
};

// The device of port n: the environment variable RER6O250_COM<n> when it is
// set, else /dev/ttyS<n-1>.
QString SerialDeviceName(int portNo);

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

private:
    QSerialPort* port_;
};

} // namespace rer
