#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace rer {

class AppContext;

// The texts of the about box for the product and language in use.
struct AboutTexts {
    QString caption;      // window caption
    QString title;        // lblTitle: "DI-D6" / "DE-D3U"
    QString title2;       // lblTitle2
    QString version;      // lblVersion: "Version 1.20"
    QString description;  // lblDescription
    QString disclaimer;   // lblDisclaimer
    QString hpAddress;    // lblHpAddress
};
AboutTexts AboutBoxTexts(const AppContext& ctx);

// Where the system-information program is found and how it is started, in
// place of the registry look-ups of the original platform. The two look-ups
// keep their order: a program named for this program first, the desktop's
// own system-information program second.
class SysInfoTools {
public:
    virtual ~SysInfoTools() = default;
    // The program named for this program (a path or a command line); false
    // when none is named.
    virtual bool namedProgram(QString& program) = 0;
    // The desktop's own system-information program: a folder and the file
    // name of the program in it; false when no such program is known.
    virtual bool desktopProgram(QString& folder, QString& fileName) = 0;
    virtual bool fileExists(const QString& path) = 0;
    // Starts the program in a window of its own; false when it cannot be
    // started.
    virtual bool start(const QString& program) = 0;
};

// The layer over the desktop: the program named by the environment variable
// RER6O250_SYSINFO, else the first of the known system-information programs
// found on the search path.
class DesktopSysInfoTools : public SysInfoTools {
public:
    bool namedProgram(QString& program) override;
    bool desktopProgram(QString& folder, QString& fileName) override;
    bool fileExists(const QString& path) override;
    bool start(const QString& program) override;
    // The system-information programs looked for, in order.
    static QStringList knownPrograms();
};

// StartSysInfo: starts the system-information program; when none is found
// or it does not start, the message "You can't look system information,now."
// and false.
bool StartSysInfo(AppContext& ctx, SysInfoTools& tools);

} // namespace rer
