#pragma once
// The look-ups of the system-information program answered from fields,
// with a record of what was asked.
#include "dialogs/About.h"

#include <QString>
#include <QStringList>

namespace rer {

class FakeSysInfoTools : public SysInfoTools {
public:
    bool namedProgram(QString& program) override;
    bool desktopProgram(QString& folder, QString& fileName) override;
    bool fileExists(const QString& path) override;
    bool start(const QString& program) override;

    QString named;                 // empty: none named
    QString folder, fileName;      // empty folder: none known
    QStringList existing;          // files that exist
    bool starts = true;            // whether a start succeeds
    QStringList asked;             // "named", "desktop", "exists <path>"
    QStringList started;
};

} // namespace rer
