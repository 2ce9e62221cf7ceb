#include "app/AppContext.h"

#include <QDir>

namespace rer {

QString AppContext::programFile(const QString& name) const {
    return QDir(programDir).filePath(name);
}

} // namespace rer
