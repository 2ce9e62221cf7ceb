#include "app/Settings.h"

#include "files/Value.h"

#include <cmath>
#include <limits>

namespace rer {

QString Settings::text(const QString& key, const QString& deflt) const {
    return store_.get(QString::fromLatin1(App), QString::fromLatin1(Section), key, deflt);
}

std::optional<double> Settings::tryNumber(const QString& key) const {
    return NumberText(store_.get(QString::fromLatin1(App), QString::fromLatin1(Section), key, QString()));
}

std::optional<int16_t> Settings::tryInt16(const QString& key) const {
    const auto v = tryNumber(key);
    if (!v) return std::nullopt;
    const double r = std::nearbyint(*v); // default rounding mode: halves to even
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

int16_t Settings::int16(const QString& key, int16_t deflt) const {
    return tryInt16(key).value_or(deflt);
}

float Settings::float32(const QString& key, float deflt) const {
    const auto v = tryNumber(key);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return deflt;
    return static_cast<float>(*v);
}

// The range judges the number as stored: rounded first, a stored 0.6 would
// pass 1..999 as 1 and be used as 0.6.
int16_t Settings::ranged(const SettingRange& r) const {
    const auto v = tryNumber(QString::fromLatin1(r.key));
    if (!v || !r.allows(*v)) return r.deflt;
    return static_cast<int16_t>(std::nearbyint(*v)); // halves to even; lo..hi fits 16 bits
}

float Settings::rangedFloat(const SettingRange& r) const {
    const auto v = tryNumber(QString::fromLatin1(r.key));
    return v && r.allows(*v) ? static_cast<float>(*v) : float(r.deflt);
}

bool Settings::save(const QString& key, const QString& value) {
    if (store_.save(QString::fromLatin1(App), QString::fromLatin1(Section), key, value)) return true;
    if (!failureTold_ && report_) {
        failureTold_ = true;
        report_(store_.location(QString::fromLatin1(App)));
    }
    return false;
}

} // namespace rer
