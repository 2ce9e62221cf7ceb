#include "testsupport/MemorySettingsStore.h"

namespace rer {

QString MemorySettingsStore::full(const QString& app, const QString& section,
                                  const QString& key) {
    return (app + QLatin1Char('\x1f') + section + QLatin1Char('\x1f') + key).toLower();
}

QString MemorySettingsStore::get(const QString& app, const QString& section, const QString& key,
                                 const QString& deflt) const {
    return values_.value(full(app, section, key), deflt);
}

bool MemorySettingsStore::save(const QString& app, const QString& section, const QString& key,
                               const QString& value) {
    ++saveCount;
    values_.insert(full(app, section, key), value);
    return true;
}

bool MemorySettingsStore::has(const QString& app, const QString& section,
                              const QString& key) const {
    return values_.contains(full(app, section, key));
}

} // namespace rer
