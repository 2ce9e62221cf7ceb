#include "app/Settings.h"

#include "files/Decimal.h"
#include "files/Value.h"

#include <cmath>
#include <limits>

namespace rer {

bool SettingRange::allows(double v) const {
    const double w = RoundDecimal(v, 0, HalfRule::ToEven);
    return w >= lo && w <= hi;
}

QString Settings::text(const QString& key, const QString& deflt) const {
    return store_.get(QString::fromLatin1(App), QString::fromLatin1(Section), key, deflt);
}

std::optional<int16_t> Settings::tryInt16(const QString& key) const {
    const QString raw = store_.get(QString::fromLatin1(App), QString::fromLatin1(Section), key,
                                   QString());
    const auto v = NumberText(raw);
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
    const QString raw = store_.get(QString::fromLatin1(App), QString::fromLatin1(Section), key,
                                   QString());
    const auto v = NumberText(raw);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return deflt;
    return static_cast<float>(*v);
}

int16_t Settings::ranged(const SettingRange& r) const {
    const auto v = tryInt16(QString::fromLatin1(r.key));
    return v && r.allows(*v) ? *v : r.deflt;
}

float Settings::rangedFloat(const SettingRange& r) const {
    const float v = float32(QString::fromLatin1(r.key), float(r.deflt));
    return r.allows(v) ? v : float(r.deflt);
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
