#pragma once
// A settings store in memory; sections and keys match without regard to
// case, as in the program's own store.
#include "platform/SettingsStore.h"

#include <QMap>
#include <QString>

namespace rer {

class MemorySettingsStore : public SettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& deflt) const override;
    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    bool has(const QString& app, const QString& section, const QString& key) const;
    int saveCount = 0;

private:
    static QString full(const QString& app, const QString& section, const QString& key);
    QMap<QString, QString> values_;
};

} // namespace rer
