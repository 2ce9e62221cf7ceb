#include "platform/SerialPort.h"

#include <QFile>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <tuple>
#include <unistd.h>

namespace rer {

namespace {

// The kind of a port in the numbering, then its name split into the letters
// and the number at its end.
std::tuple<int, QString, qlonglong, QString> numberingKey(const SerialPortDescription& d) {
    static const QRegularExpression tail(QStringLiteral("^(.*?)(\\d+)$"));
    const auto m = tail.match(d.portName);
    const QString stem = m.hasMatch() ? m.captured(1) : d.portName;
    const qlonglong n = m.hasMatch() ? m.captured(2).toLongLong() : -1;
    int kind = 3;
    if (stem == QLatin1String("ttyUSB")) kind = 0;
    else if (stem == QLatin1String("ttyACM")) kind = 1;
    else if (d.usb) kind = 2;
    return {kind, stem, n, d.portName};
}

} // namespace

std::vector<SerialPortDescription> OrderedSerialPorts(std::vector<SerialPortDescription> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const SerialPortDescription& a, const SerialPortDescription& b) {
        return numberingKey(a) < numberingKey(b);
    });
    return ports;
}

std::vector<SerialPortDescription> SystemSerialPorts() {
    std::vector<SerialPortDescription> out;
    for (const QSerialPortInfo& i : QSerialPortInfo::availablePorts())
        out.push_back({i.portName(), i.systemLocation(), i.description(), i.manufacturer(), i.hasVendorIdentifier()});
    return OrderedSerialPorts(std::move(out));
}

QString SerialPortVariable(int portNo) { return QStringLiteral("RER6O250_COM%1").arg(portNo); }

QString SerialDeviceName(int portNo, const std::vector<SerialPortDescription>& ports) {
    const QByteArray env = qgetenv(SerialPortVariable(portNo).toLatin1().constData());
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    if (portNo < 1 || size_t(portNo) > ports.size()) return QString();
    return ports[size_t(portNo - 1)].systemLocation;
}

bool SerialDeviceWritable(const QString& device) {
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), F_OK) != 0 || ::access(path.constData(), W_OK) == 0;
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

bool QtSerialPort::fail(const QString& reason) {
    failure_.reason = reason;
    failure_.notWritable = !failure_.device.isEmpty() && !SerialDeviceWritable(failure_.device);
    if (port_->isOpen()) port_->close();
    port_->clearError();
    return false;
}

bool QtSerialPort::open(int portNo) {
    failure_ = PortOpenFailure{};
    failure_.portNo = portNo;
    if (port_->isOpen()) port_->close();
    const auto ports = SystemSerialPorts();
    failure_.portsReported = int(ports.size());
    if (portNo < 1 || portNo > 9) return fail(QString());
    failure_.device = SerialDeviceName(portNo, ports);
    if (failure_.device.isEmpty()) return fail(QString());
    port_->setPortName(failure_.device);
    if (!port_->open(QIODevice::ReadWrite)) return fail(port_->errorString());
    const bool ok = port_->setBaudRate(QSerialPort::Baud9600) && port_->setParity(QSerialPort::NoParity) &&
                    port_->setDataBits(QSerialPort::Data8) && port_->setStopBits(QSerialPort::OneStop) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) return fail(port_->errorString());
    failure_ = PortOpenFailure{};
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

void QtSerialPort::takeWaitingInput() {
    if (!port_->isOpen()) return;
    // No wait: only what the system holds now. Nothing waiting counts as a
    // time-out of the call, which is no fault of the line.
    if (!port_->waitForReadyRead(0) && port_->error() == QSerialPort::TimeoutError) port_->clearError();
}

} // namespace rer
