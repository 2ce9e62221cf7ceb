#pragma once
#include "platform/SerialPort.h"

#include <QString>
#include <vector>

namespace rer {

class AppContext;

// What port number n opens, shown beside the number in the options: the
// device and the system's name for it, or that the number has none.
QString PortDeviceCaption(const AppContext& ctx, int portNo, const std::vector<SerialPortDescription>& ports);

// The line under "Failed port open.": the port, its device and the system's
// reason, and what to do when this user may not use the device; for a number
// without a device, that there is no such port and how many the system
// reports. Empty when nothing is known of the failure.
QString PortOpenFailureText(const AppContext& ctx, const PortOpenFailure& f);

} // namespace rer
