#include "app/DeviceSettings.h"

#include "app/AppContext.h"
#include "catalogue/Catalogue.h"

#include <initializer_list>
#include <optional>

namespace rer {

namespace {

// Setting names of one product; the one-axis loader reads three keys in
// another spelling than its saver writes them (the store is case-blind).
// The new-type, vertical and PG flags were once shared by both products: the
// one-axis product reads the shared key where its own is absent.
struct DeviceKeys {
    const char* deviceRead;
    const char* deviceWrite;
    const char* size;
    const char* speed;
    const char* stroke;
    const char* leadRead;
    const char* leadWrite;
    const char* pprRead;
    const char* pprWrite;
    const char* newType;
    const char* vertical;
    const char* withPG;
};

constexpr DeviceKeys kTwoAxisKeys{"Device", "Device", "DevSize", "DevSpeed", "DevStroke", "DevLead",
                                  "DevLead", "DevPPR", "DevPPR", "NewType", "Vertical", "WithPG"};
constexpr DeviceKeys kOneAxisKeys{"W3kDevice", "W3KDevice", "W3KDevSize", "W3KDevSpeed", "W3KDevStroke",
                                  "W3kDevLead", "W3KDevLead", "W3kDevPPR", "W3KDevPPR", "W3KNewType",
                                  "W3KVertical", "W3KWithPG"};

const DeviceKeys& keysOf(Product p) { return p == Product::TwoAxis ? kTwoAxisKeys : kOneAxisKeys; }

QString key(const char* name, int axis) {
    return QString::fromLatin1(name) + QString::number(axis + 1);
}

const QString kAbsent = QStringLiteral("\x01");

// A stored number: the default when absent; a stored value that is not a
// 16-bit number sets `failed` (for the saved actuator: the axis is unusable).
int16_t storedNumber(const Settings& s, const QString& k, int16_t deflt, bool& failed) {
    if (s.text(k, kAbsent) == kAbsent) return deflt;
    const auto v = s.tryInt16(k);
    if (!v) {
        failed = true;
        return deflt;
    }
    return *v;
}

// A flag of the saved actuator (own key, the key both products once shared).
int16_t axisFlag(const Settings& s, const char* own, const char* shared, int axis, bool& failed) {
    const QString k = key(own, axis);
    if (s.text(k, kAbsent) == kAbsent) return storedNumber(s, key(shared, axis), 1, failed);
    return storedNumber(s, k, 1, failed);
}

} // namespace

int LoadDeviceSetting(AppContext& ctx, Product p) {
    const DeviceKeys& k = keysOf(p);
    const Settings& s = ctx.settings;
    auto& axes = ctx.dev.axes(p);
    const int n = AxesOf(p);
    std::array<bool, 2> failed{};

    for (int i = 0; i < n; ++i) { // 1
        const int16_t ppr = storedNumber(s, key(k.pprRead, i), 400, failed[i]);
        axes[i].PPR = ppr;
    }
    for (int i = 0; i < n; ++i) { // 2
        const QString text = s.text(key(k.deviceRead, i), QStringLiteral("KZ"));
        ctx.dev.DevIsKZ[i] = text == QLatin1String("KZ");
        axes[i].Series = ctx.dev.DevIsKZ[i] ? QStringLiteral("KZ") : QStringLiteral("VT");
    }
    for (int i = 0; i < n; ++i) { // 3
        if (axisFlag(s, k.newType, kTwoAxisKeys.newType, i, failed[i]) == 1) {
            ctx.dev.DevNewType[i] = true;
            axes[i].SelVertical = true;
        } else {
            ctx.dev.DevNewType[i] = false;
        }
    }
    // 4: the failure marks start clear; earlier phases may only have marked
    // an axis for a stored value that is not a number.
    for (int i = 0; i < n; ++i) { // 5
        const QString size = s.text(key(k.size, i), QStringLiteral(" 28"));
        const QString speed = s.text(key(k.speed, i), QStringLiteral("L"));
        bool bad = false;
        const int16_t stroke = storedNumber(s, key(k.stroke, i), 100, bad);
        if (!bad && CheckDevCode(size, speed, stroke) == 0) {
            axes[i].Size = size;
            axes[i].Speed = speed;
            axes[i].Stroke = stroke;
        } else {
            failed[i] = true;
        }
    }
    for (int i = 0; i < n; ++i) { // 6
        const QString series = ctx.dev.DevIsKZ[i] ? QStringLiteral("KZ") : QStringLiteral("VT");
        const bool newType = ctx.dev.DevNewType[i];
        if (CheckDevListFile(ctx, newType, series, axes[i].Size, axes[i].Speed, axes[i].Stroke) == 1) {
            bool bad = false;
            const int16_t lead = storedNumber(s, key(k.leadRead, i), 2, bad);
            if (!bad && lead >= 2 && lead <= 10)
                axes[i].Lead = lead;
            else
                failed[i] = true;
        } else {
            const int lead =
                GetDevLead(ctx, newType, series, axes[i].Size, axes[i].Speed, axes[i].Stroke);
            if (lead != 0)
                axes[i].Lead = static_cast<int16_t>(lead);
            else
                failed[i] = true;
        }
    }
    for (int i = 0; i < n; ++i) { // 7
        ctx.dev.DevVertical[i] = axisFlag(s, k.vertical, kTwoAxisKeys.vertical, i, failed[i]) == 1;
        ctx.dev.DevWithPG[i] = axisFlag(s, k.withPG, kTwoAxisKeys.withPG, i, failed[i]) == 1;
    }
    int status = 0;
    for (int i = 0; i < n; ++i) { // 8, 9
        // Pulses per revolution of 0 or less leave the travel per pulse undefined.
        if (axes[i].PPR <= 0) failed[i] = true;
        axes[i].MmPerPulse = axes[i].PPR > 0 ? double(axes[i].Lead) / axes[i].PPR : 0.0;
        if (failed[i]) {
            status = 1;
        } else {
            axes[i].SelSize = axes[i].Size;
            axes[i].SelSpeed = axes[i].Speed;
            axes[i].SelStroke = axes[i].Stroke;
        }
    }
    return status;
}

void SaveDeviceSetting(AppContext& ctx, Product p) {
    const DeviceKeys& k = keysOf(p);
    Settings& s = ctx.settings;
    auto& axes = ctx.dev.axes(p);
    for (int i = 0; i < AxesOf(p); ++i) {
        s.save(key(k.deviceWrite, i), ctx.dev.DevIsKZ[i] ? QStringLiteral("KZ") : QStringLiteral("VT"));
        s.save(key(k.size, i), axes[i].Size);
        s.save(key(k.speed, i), axes[i].Speed);
        s.saveInt(key(k.stroke, i), axes[i].Stroke);
        s.saveInt(key(k.leadWrite, i), axes[i].Lead);
        s.saveInt(key(k.pprWrite, i), axes[i].PPR);
        if (ctx.dev.DevNewType[i]) {
            ctx.dev.DevVertical[i] = true;
            s.saveFlag(key(k.newType, i), true);
        } else {
            s.saveFlag(key(k.newType, i), false);
        }
        s.saveFlag(key(k.vertical, i), ctx.dev.DevVertical[i]);
        s.saveFlag(key(k.withPG, i), ctx.dev.DevWithPG[i]);
    }
}

int LoadMoveTimeout(AppContext& ctx) {
    // A time-out outside what the options allow (0 or below would end every
    // move at its first tick) is the default.
    ctx.opt.MoveTimeout = ctx.settings.rangedFloat(OptionSettings::MoveTimeout);
    return 0;
}

int LoadTeachSetting(AppContext& ctx) {
    const Settings& s = ctx.settings;
    // A value of the store, the default when absent; one outside the range
    // as stored, before it is rounded, is `outside`; nothing when the stored
    // text is not a whole number in the 16-bit range.
    auto ranged = [&s](const SettingRange& r, int16_t outside) -> std::optional<int16_t> {
        const QString k = QString::fromLatin1(r.key);
        bool failed = false;
        const int16_t v = storedNumber(s, k, r.deflt, failed);
        if (failed) return std::nullopt;
        return r.allows(s.tryNumber(k).value_or(v)) ? v : outside;
    };
    // The values in the order they are read; a failed read stops there and
    // leaves it and the values after it as they were.
    TeachSettings& t = ctx.teach;
    // What the options edit is its default when out of range; the jog
    // accelerations, which no window edits, are 1 then.
    struct Teach {
        SettingRange range;
        int16_t outside;
        std::initializer_list<int16_t*> into;
    };
    const Teach values[] = {
        {OptionSettings::VelOf100Pls, OptionSettings::VelOf100Pls.deflt, {&t.VelOf100Pls, &t.VelOf10Pls, &t.VelOf1Pls}},
        {OptionSettings::AccOf100Pls, OptionSettings::AccOf100Pls.deflt, {&t.AccOf100Pls, &t.AccOf10Pls, &t.AccOf1Pls}},
        {OptionSettings::AccOf100Pls2, OptionSettings::AccOf100Pls2.deflt,
         {&t.AccOf100Pls2, &t.AccOf10Pls2, &t.AccOf1Pls2}},
        {{"AccOfJog", 3, 1, 3}, 1, {&t.AccOfJog}},
        {{"AccOfJog2", 2, 1, 2}, 1, {&t.AccOfJog2}},
    };
    for (const Teach& v : values) {
        const auto got = ranged(v.range, v.outside);
        if (!got) {
            ctx.message(ctx.res(620));
            return 1;
        }
        for (int16_t* field : v.into) *field = *got;
    }
    return 0;
}

} // namespace rer
