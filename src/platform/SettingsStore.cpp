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

QtSettingsStore::~QtSettingsStore() {
    for (auto& s : open_) s->sync();
}

QString QtSettingsStore::fileFor(const QString& app) const {
    return QDir(dir_).filePath(app + QStringLiteral(".ini"));
}

QSettings& QtSettingsStore::settingsFor(const QString& app) const {
    auto it = open_.find(app);
    if (it == open_.end())
        it = open_.insert(app, std::make_shared<QSettings>(fileFor(app), QSettings::IniFormat));
    return **it;
}

QString QtSettingsStore::get(const QString& app, const QString& section, const QString& key,
                             const QString& deflt) const {
    QSettings& s = settingsFor(app);
    const QString k = section.toLower() + QLatin1Char('/') + key.toLower();
    if (!s.contains(k)) return deflt;
    return s.value(k).toString();
}

void QtSettingsStore::save(const QString& app, const QString& section, const QString& key,
                           const QString& value) {
    QSettings& s = settingsFor(app);
    s.setValue(section.toLower() + QLatin1Char('/') + key.toLower(), value);
    s.sync();
}

QString MemorySettingsStore::full(const QString& app, const QString& section,
                                  const QString& key) {
    return (app + QLatin1Char('\x1f') + section + QLatin1Char('\x1f') + key).toLower();
}

QString MemorySettingsStore::get(const QString& app, const QString& section, const QString& key,
                                 const QString& deflt) const {
    return values_.value(full(app, section, key), deflt);
}

void MemorySettingsStore::save(const QString& app, const QString& section, const QString& key,
                               const QString& value) {
    ++saveCount;
    values_.insert(full(app, section, key), value);
}

bool MemorySettingsStore::has(const QString& app, const QString& section,
                              const QString& key) const {
    return values_.contains(full(app, section, key));
}

} // namespace rer
