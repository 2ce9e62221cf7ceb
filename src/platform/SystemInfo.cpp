#include "platform/SystemInfo.h"

#include <QLocale>
#include <QTime>

namespace rer {

QString QtSystemInfo::countryEnglishName() const {
    const QLocale::Territory t = QLocale::system().territory();
    if (t == QLocale::AnyTerritory) return QString();
    return QLocale::territoryToString(t);
}

double QtSystemInfo::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

} // namespace rer
