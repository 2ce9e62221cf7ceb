#pragma once
#include "platform/SettingsStore.h"

#include <QString>
#include <cstdint>
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

    QString text(const QString& key, const QString& deflt) const;
    // The stored number, or nothing when absent or not a 16-bit integer.
    std::optional<int16_t> tryInt16(const QString& key) const;
    int16_t int16(const QString& key, int16_t deflt) const;
    float float32(const QString& key, float deflt) const;
    bool flag(const QString& key, int16_t deflt) const { return int16(key, deflt) != 0; }

    void save(const QString& key, const QString& value);
    void saveInt(const QString& key, long value) { save(key, QString::number(value)); }
    void saveFlag(const QString& key, bool on) { save(key, on ? QStringLiteral("1") : QStringLiteral("0")); }

private:
    SettingsStore& store_;
};

// Reads a whole number written in decimal (blanks around it allowed); a
// fraction rounds half to even as the original store conversion did.
std::optional<double> ParseSettingNumber(const QString& text);

} // namespace rer
