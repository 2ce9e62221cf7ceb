#include "platform/SerialPort.h"

#include <QSerialPort>

namespace rer {

QString SerialDeviceName(int portNo) {
    const QByteArray env = qgetenv(QStringLiteral("RER6O250_COM%1").arg(portNo).toLatin1().constData());
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return QStringLiteral("/dev/ttyS%1").arg(portNo - 1);
}

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // Only failures of an open line count; errors of a failed open are
        // reported through open()'s result.
        if (e == QSerialPort::NoError || !port_->isOpen()) return;
        if (e == QSerialPort::TimeoutError) return;
        const QString reason = port_->errorString();
        port_->clearError();
        Q_EMIT portError(reason);
    });
}

QtSerialPort::~QtSerialPort() = default;

bool QtSerialPort::open(int portNo) {
    if (portNo < 1 || portNo > 9) return false;
    if (port_->isOpen()) port_->close();
    port_->setPortName(SerialDeviceName(portNo));
    if (!port_->open(QIODevice::ReadWrite)) {
        port_->clearError();
        return false;
    }
    const bool ok = port_->setBaudRate(QSerialPort::Baud9600) && port_->setParity(QSerialPort::NoParity) &&
                    port_->setDataBits(QSerialPort::Data8) && port_->setStopBits(QSerialPort::OneStop) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        port_->close();
        port_->clearError();
        return false;
    }
    return true;
}

bool QtSerialPort::isOpen() const { return port_->isOpen(); }

void QtSerialPort::close() {
    if (port_->isOpen()) port_->close();
    port_->clearError();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!port_->isOpen()) return false;
    if (port_->write(bytes) != bytes.size()) return false;
    // Small lines: hand them to the driver at once rather than at the next
    // turn of the event loop.
    port_->flush();
    return true;
}

qint64 QtSerialPort::bytesAvailable() const { return port_->isOpen() ? port_->bytesAvailable() : 0; }

QByteArray QtSerialPort::readAll() { return port_->isOpen() ? port_->readAll() : QByteArray(); }

void QtSerialPort::discardInput() {
    if (port_->isOpen()) port_->clear(QSerialPort::Input);
}

} // namespace rer
