#include "setup/StrokeCalc.h"

#include "app/Language.h"
#include "files/Decimal.h"
#include "files/Listings.h"
#include "files/Value.h"

namespace rer {

namespace {
double WholeValue(const QString& t) { return RoundDecimal(LeadingNumber(t), 0, HalfRule::ToEven); }
QString Invalidity(int16_t languageNo) {
    return PickText(languageNo, QStringLiteral("不正値"), QStringLiteral("Invalidity"));
}
} // namespace

bool StrokeBoxAccepts(const QString& text) {
    const double v = WholeValue(text);
    return v >= 0 && v <= 999;
}

bool LeadBoxAccepts(const QString& text) {
    const double v = WholeValue(text);
    return v == 2 || v == 4 || v == 6 || v == 8 || v == 12;
}

bool IsInvalidityText(const QString& label) {
    return label == QStringLiteral("Invalidity") || label == QStringLiteral("不正値");
}

QString StrokePulseText(const QString& strokeText, const QString& leadText, bool ro67r, int16_t languageNo) {
    if (strokeText.isEmpty() || !StrokeBoxAccepts(strokeText)) return Invalidity(languageNo);
    if (leadText.isEmpty() || !LeadBoxAccepts(leadText)) return Invalidity(languageNo);
    const auto pulses = FormatOneDecimal(WholeValue(strokeText), WholeValue(leadText), ro67r ? 192 : 400);
    if (!pulses) return Invalidity(languageNo); // a stroke of 0 gives no pulse
    return QString::number(static_cast<qint64>(*pulses));
}

} // namespace rer
