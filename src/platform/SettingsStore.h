#pragma once
#include <QMap>
#include <QString>
#include <memory>

class QSettings;

namespace rer {

// The per-user settings store: text values by application, section and key.
// Key names match without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& deflt) const = 0;
    virtual void save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
};

// QSettings in INI format: one file per application, <dir>/<app>.ini, where
// dir defaults to the user's config folder (~/.config/RER6O250). Keys are
// folded to lower case so that every spelling reaches the same value.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QString dir = QString());
    ~QtSettingsStore() override;
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& deflt) const override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    QString fileFor(const QString& app) const;

private:
    QSettings& settingsFor(const QString& app) const;
    QString dir_;
    mutable QMap<QString, std::shared_ptr<QSettings>> open_;
};

// Test double: in memory.
class MemorySettingsStore : public SettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& deflt) const override;
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    bool has(const QString& app, const QString& section, const QString& key) const;
    int saveCount = 0;

private:
    static QString full(const QString& app, const QString& section, const QString& key);
    QMap<QString, QString> values_;
};

} // namespace rer
