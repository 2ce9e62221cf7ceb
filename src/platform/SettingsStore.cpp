#include "platform/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace rer {

QtSettingsStore::QtSettingsStore(QString dir) : dir_(std::move(dir)) {
    if (dir_.isEmpty())
        dir_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/RER6O250");
}

QString QtSettingsStore::fileFor(const QString& app) const {
    return QDir(dir_).filePath(app + QStringLiteral(".ini"));
}

namespace {

// The name under which the file holds section/key, matched without regard to
// case (the exact spelling first); empty when the file has no such entry.
QString storedKey(const QSettings& s, const QString& section, const QString& key) {
    const QString wanted = section + QLatin1Char('/') + key;
    if (s.contains(wanted)) return wanted;
    const QStringList keys = s.allKeys();
    for (const QString& k : keys)
        if (k.compare(wanted, Qt::CaseInsensitive) == 0) return k;
    return QString();
}

// The name a new entry gets: the section as the file already spells it, the
// key as asked.
QString newKey(const QSettings& s, const QString& section, const QString& key) {
    QString group = section;
    const QStringList groups = s.childGroups();
    if (!groups.contains(section)) {
        for (const QString& g : groups)
            if (g.compare(section, Qt::CaseInsensitive) == 0) {
                group = g;
                break;
            }
    }
    return group + QLatin1Char('/') + key;
}

} // namespace

// Each call opens the file afresh (Qt keeps it cached): a failed write must
// not make every later one look failed too.
QString QtSettingsStore::get(const QString& app, const QString& section, const QString& key,
                             const QString& deflt) const {
    const QSettings s(fileFor(app), QSettings::IniFormat);
    const QString k = storedKey(s, section, key);
    if (k.isEmpty()) return deflt;
    return s.value(k).toString();
}

bool QtSettingsStore::save(const QString& app, const QString& section, const QString& key,
                           const QString& value) {
    QSettings s(fileFor(app), QSettings::IniFormat);
    QString k = storedKey(s, section, key);
    if (k.isEmpty()) k = newKey(s, section, key);
    s.setValue(k, value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace rer
