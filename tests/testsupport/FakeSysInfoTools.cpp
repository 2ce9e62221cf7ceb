#include "testsupport/FakeSysInfoTools.h"

namespace rer {

bool FakeSysInfoTools::namedProgram(QString& program) {
    asked << QStringLiteral("named");
    program = named;
    return !named.isEmpty();
}

bool FakeSysInfoTools::desktopProgram(QString& f, QString& n) {
    asked << QStringLiteral("desktop");
    f = folder;
    n = fileName;
    return !folder.isEmpty();
}

bool FakeSysInfoTools::fileExists(const QString& path) {
    asked << QStringLiteral("exists ") + path;
    return existing.contains(path);
}

bool FakeSysInfoTools::start(const QString& program) {
    if (!starts) return false;
    started << program;
    return true;
}

} // namespace rer
