#include "link/PortDevice.h"

#include "app/AppContext.h"

namespace rer {

QString PortDeviceCaption(const AppContext& ctx, int portNo, const std::vector<SerialPortDescription>& ports) {
    const QString none = ctx.pick(QStringLiteral("（シリアルポートなし）"), QStringLiteral("(no serial port)"));
    // A number outside 1 to 9 (a hand-edited setting) opens nothing, whatever
    // its variable says.
    if (portNo < 1 || portNo > 9) return none;
    const QString device = SerialDeviceName(portNo, ports);
    if (device.isEmpty()) return none;
    if (!qEnvironmentVariableIsEmpty(SerialPortVariable(portNo).toLatin1().constData()))
        return device + QStringLiteral("  (") + SerialPortVariable(portNo) + QLatin1Char(')');
    const SerialPortDescription& d = ports[size_t(portNo - 1)];
    return d.description.isEmpty() ? device : device + QStringLiteral("  ") + d.description;
}

QString PortOpenFailureText(const AppContext& ctx, const PortOpenFailure& f) {
    if (f.device.isEmpty() && f.portsReported < 0) return QString(); // nothing known
    const QString com = QStringLiteral("COM%1").arg(f.portNo);
    if (f.portNo < 1 || f.portNo > 9) {
        // A number the options never offer (a hand-edited setting).
        return com + ctx.pick(QStringLiteral("：この番号のポートはありません。ポート番号は1から9までです（シリアルポートは%1個です）。"),
                              QStringLiteral(": no such port; the port numbers are 1 to 9 (the system reports %1)."))
                         .arg(f.portsReported);
    }
    if (f.device.isEmpty()) {
        if (f.portsReported == 0)
            return com + ctx.pick(QStringLiteral("：シリアルポートが見つかりません。"),
                                  QStringLiteral(": the system reports no serial port."));
        return com + ctx.pick(QStringLiteral("：この番号のシリアルポートはありません（シリアルポートは%1個です）。"),
                              QStringLiteral(": the system reports no serial port of this number (it reports %1)."))
                         .arg(f.portsReported);
    }
    QString text = com + QStringLiteral(" (") + f.device + QStringLiteral(")");
    if (!f.reason.isEmpty()) text += QStringLiteral(": ") + f.reason;
    if (f.notWritable)
        text += ctx.pick(QStringLiteral("\r\nこのユーザーにはこのデバイスを使う権限がありません。ユーザーを \"dialout\" "
                                        "グループに加えてから、ログインし直してください。"),
                         QStringLiteral("\r\nThis user may not use the device: add the user to the \"dialout\" group, "
                                        "then log in again."));
    return text;
}

} // namespace rer
