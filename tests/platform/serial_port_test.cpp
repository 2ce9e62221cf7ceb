// The numbering of the serial ports: which device port n opens.
#include "platform/SerialPort.h"

#include <gtest/gtest.h>

using namespace rer;

namespace {

SerialPortDescription port(const char* name, bool usb = false, const char* what = "") {
    return {QString::fromLatin1(name), QStringLiteral("/dev/") + QString::fromLatin1(name), QString::fromLatin1(what),
            QString(), usb};
}

QStringList names(const std::vector<SerialPortDescription>& ports) {
    QStringList out;
    for (const auto& p : ports) out << p.portName;
    return out;
}

} // namespace

TEST(SerialPorts, AdaptersFirstThenBuiltInEachInTheOrderOfTheirNumbers) {
    const struct {
        std::vector<SerialPortDescription> reported;
        QStringList want;
    } cases[] = {
        // The system's order is no order.
        {{port("ttyS1"), port("ttyUSB1", true), port("ttyS0"), port("ttyUSB0", true)},
         {"ttyUSB0", "ttyUSB1", "ttyS0", "ttyS1"}},
        // USB, then ACM, then any other adapter with a USB vendor, then the built-in ones.
        {{port("ttyS0"), port("ttyACM0", true), port("ttyAMA0"), port("ttyCH341USB0", true), port("ttyUSB0", true)},
         {"ttyUSB0", "ttyACM0", "ttyCH341USB0", "ttyAMA0", "ttyS0"}},
        // Numbers count as numbers: 2 before 10.
        {{port("ttyUSB10", true), port("ttyUSB2", true), port("ttyS10"), port("ttyS2")},
         {"ttyUSB2", "ttyUSB10", "ttyS2", "ttyS10"}},
        // An ACM port is an adapter whether or not it reports a vendor.
        {{port("ttyS0"), port("ttyACM0")}, {"ttyACM0", "ttyS0"}},
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(names(OrderedSerialPorts(c.reported)), c.want);
}

TEST(SerialPorts, PortNOpensTheVariablesDeviceElseTheNthPortReported) {
    const auto ports = OrderedSerialPorts({port("ttyS0"), port("ttyUSB0", true)});
    qunsetenv("RER6O250_COM1");
    qunsetenv("RER6O250_COM3");
    EXPECT_EQ(SerialDeviceName(1, ports), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialDeviceName(2, ports), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(SerialDeviceName(3, ports), QString()); // no third port
    EXPECT_EQ(SerialDeviceName(0, ports), QString());
    qputenv("RER6O250_COM1", "/tmp/ctsim-link");
    qputenv("RER6O250_COM3", "/dev/pts/77");
    EXPECT_EQ(SerialDeviceName(1, ports), QStringLiteral("/tmp/ctsim-link"));
    EXPECT_EQ(SerialDeviceName(3, ports), QStringLiteral("/dev/pts/77"));
    EXPECT_EQ(SerialDeviceName(2, ports), QStringLiteral("/dev/ttyS0")); // the others keep their numbers
    qunsetenv("RER6O250_COM1");
    qunsetenv("RER6O250_COM3");
}
