#pragma once
#include "platform/SettingsStore.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace rer {

// The program's view of the settings store: application "RER6O250",
// section "Settings". A stored value that is not a number, or does not fit
// the type asked for, reads as absent.
class Settings {
public:
    static constexpr const char* App = "RER6O250";
    static constexpr const char* Section = "Settings";

    explicit Settings(SettingsStore& store) : store_(store) {}

    // Told (once a run) that a value could not be stored: where the values
    // are kept.
    void setSaveFailureReport(std::function<void(const QString& where)> report) {
        report_ = std::move(report);
    }

    QString text(const QString& key, const QString& deflt) const;
    // The stored number, or nothing when absent or not a 16-bit integer.
    std::optional<int16_t> tryInt16(const QString& key) const;
    int16_t int16(const QString& key, int16_t deflt) const;
    float float32(const QString& key, float deflt) const;
    bool flag(const QString& key, int16_t deflt) const { return int16(key, deflt) != 0; }

    // False when the value could not be stored for the next start; the first
    // such failure of the run is reported, the run goes on.
    bool save(const QString& key, const QString& value);
    bool saveInt(const QString& key, long value) { return save(key, QString::number(value)); }
    bool saveFlag(const QString& key, bool on) { return save(key, on ? QStringLiteral("1") : QStringLiteral("0")); }

private:
    SettingsStore& store_;
    std::function<void(const QString&)> report_;
    bool failureTold_ = false;
};

// Reads a whole number written in decimal (blanks around it allowed); a
// fraction rounds half to even as the original store conversion did.
std::optional<double> ParseSettingNumber(const QString& text);

} // namespace rer
