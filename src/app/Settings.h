#pragma once
#include "platform/SettingsStore.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace rer {

// A setting with the range of values the options dialog allows for it: a
// value outside that range, written into the store by hand, is taken as the
// default.
struct SettingRange {
    const char* key;
    int16_t deflt;
    int16_t lo, hi;
    // True when v lies in lo..hi as it stands, before any rounding: a stored
    // 0.6 is outside 1..999.
    bool allows(double v) const { return v >= lo && v <= hi; }
};

// Every setting the options dialog edits.
namespace OptionSettings {
inline constexpr SettingRange PortNo{"PortNo", 1, 1, 9};
inline constexpr SettingRange PortOccupy{"PortOccupy", 0, 0, 1};
inline constexpr SettingRange MmRoundUp{"MmRoundUp", 1, 0, 1};
inline constexpr SettingRange DispMmUnit{"DispMmUnit", 1, 0, 1};
inline constexpr SettingRange Language{"Language", 1, 1, 2};
inline constexpr SettingRange Controller{"Controller", 1, 1, 2};
inline constexpr SettingRange MoveTimeout{"MoveTimeout", 60, 1, 999}; // seconds, not only whole ones
inline constexpr SettingRange VelOf100Pls{"VelOf100Pls", 20, 1, 60};
inline constexpr SettingRange AccOf100Pls{"AccOf100Pls", 3, 1, 3};
inline constexpr SettingRange AccOf100Pls2{"AccOf100Pls2", 2, 1, 2};
} // namespace OptionSettings

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
    // The stored number as it is written (decimal with "." whatever the
    // locale), or nothing when absent or not a number.
    std::optional<double> tryNumber(const QString& key) const;
    // The stored number (written in decimal with "." whatever the locale; a
    // fraction rounds half to even as the original store conversion did), or
    // nothing when absent or not a 16-bit integer.
    std::optional<int16_t> tryInt16(const QString& key) const;
    int16_t int16(const QString& key, int16_t deflt) const;
    float float32(const QString& key, float deflt) const;
    bool flag(const QString& key, int16_t deflt) const { return int16(key, deflt) != 0; }
    // The stored number, rounded to a whole one, when the range allows it as
    // stored; else the default.
    int16_t ranged(const SettingRange& r) const;
    bool rangedFlag(const SettingRange& r) const { return ranged(r) != 0; }
    // The value in use when the range allows it, else what the store gives.
    int16_t keptOrStored(const SettingRange& r, int16_t inUse) const { return r.allows(inUse) ? inUse : ranged(r); }
    // The same for a number with a fraction (the move time-out).
    float rangedFloat(const SettingRange& r) const;

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

} // namespace rer
