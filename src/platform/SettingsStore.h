#pragma once
#include <QString>

namespace rer {

// The per-user settings store: text values by application, section and key.
// Section and key names match without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& deflt) const = 0;
    // False when the value could not be stored for the next start; it still
    // reads back for the rest of the run.
    virtual bool save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    // Where the values of the application are kept, for messages.
    virtual QString location(const QString& app) const {
        (void)app;
        return QString();
    }
};

// QSettings in INI format: one file per application, <dir>/<app>.ini, where
// dir defaults to the user's config folder (~/.config/RER6O250). Sections and
// keys are found whatever their spelling in the file ("[Settings]" and
// "Language=2" as well as "[settings]" and "language=2"); a save keeps the
// spelling of an entry the file already has and writes a new one as asked.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QString dir = QString());
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& deflt) const override;
    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    QString location(const QString& app) const override { return fileFor(app); }
    QString fileFor(const QString& app) const;

private:
    QString dir_;
};

} // namespace rer
