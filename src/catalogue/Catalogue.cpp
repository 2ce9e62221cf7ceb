#include "catalogue/Catalogue.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "catalogue/Conversion.h"
#include "files/DataCodec.h"
#include "files/Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace rer {

namespace {

QString shortMissingText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("機種のリストファイルがありません。"),
                    QStringLiteral("No device list file."));
}

QString longMissingText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("機種のリストファイルがありません。\r\n"
                                   "機種を正しく表示させるためには、プログラムと同じフォルダに機種リストファイルをおいてください。"),
                    QStringLiteral("No device list file.\r\n"
                                   "Put device list file in the folder in which the program is saved "
                                   "in order to indicate device information correctly."));
}

QString notFoundText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("選択した機種の情報が見つかりませんでした。"),
                    QStringLiteral("Can not find information of selected actuator type."));
}

// A cell read as a 16-bit whole number (halves to even); nothing when it
// does not fit.
std::optional<int16_t> cellInt16(const Value& v) {
    const double r = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
    if (!std::isfinite(r) || r < std::numeric_limits<int16_t>::min() ||
        r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

// Size, speed and stroke of a record from its model code.
void deriveCells(DevListRecord& r) {
    const QString code = r.cell[0].toText();
    r.cell[1] = Value::text(code.mid(0, 3));
    r.cell[2] = Value::text(code.mid(3, 1));
    r.cell[3] = Value::number(LeadingNumber(code.mid(5, 3)));
}

// Reads a list file: the count item into record 0 and records 1 to N. With
// a limit, a count above it fails after the limit is stored. Derived cells
// are filled once every record is read. False when the file cannot be read,
// ends early or its count does not fit 16 bits.
bool readDevList(const QString& path, std::vector<DevListRecord>& records, int16_t& count,
                 int limit) {
    records.clear();
    count = 0;
    DataFileReader in;
    if (!in.open(path)) return false;
    const auto first = in.next();
    if (!first) return false;
    records.emplace_back();
    records[0].cell[0] = *first;
    const auto n = cellInt16(*first);
    if (!n) return false;
    count = *n;
    for (int r = 1; r <= count; ++r) {
        if (limit > 0 && r > limit) return false;
        DevListRecord rec;
        // Items in file order: model code, lead, pulses per revolution, PG, vertical use.
        for (int c : {0, 4, 7, 5, 6}) {
            const auto v = in.next();
            if (!v) return false;
            rec.cell[c] = *v;
        }
        records.push_back(std::move(rec));
    }
    for (int r = 1; r <= count; ++r) deriveCells(records[r]);
    return true;
}

// The file lookups: read the series' list file whole into a private table.
// Nothing when the file cannot be read (message shown).
std::optional<std::vector<DevListRecord>> readForLookup(AppContext& ctx, bool newType,
                                                        const QString& series, bool longMessage) {
    std::vector<DevListRecord> records;
    int16_t count = 0;
    if (!readDevList(ctx.programFile(DevListFileName(series, newType)), records, count, 0)) {
        ctx.message(longMessage ? longMissingText(ctx) : shortMissingText(ctx));
        return std::nullopt;
    }
    return records;
}

// The first record of the file with this model, or nothing.
const DevListRecord* findModel(const std::vector<DevListRecord>& records, const QString& size,
                               const QString& speed, int stroke) {
    for (size_t r = 1; r < records.size(); ++r)
        if (records[r].matches(size, speed, stroke)) return &records[r];
    return nullptr;
}

// The first loaded record of a slot with this model, or nothing.
const DevListRecord* findLoaded(const CatalogueSlot& slot, const QString& size,
                                const QString& speed, int stroke) {
    const int n = slot.searchable();
    for (int r = 1; r <= n; ++r)
        if (slot.List[r].matches(size, speed, stroke)) return &slot.List[r];
    return nullptr;
}

// A usable lead or pulses per revolution of a record: a whole number above 0.
std::optional<int16_t> positiveCell(const DevListRecord& r, int cell) {
    const auto v = cellInt16(r.cell[cell]);
    if (!v || *v <= 0) return std::nullopt;
    return v;
}

} // namespace

QString DevListFileName(const QString& series, bool newType) {
    if (series == QLatin1String("KZ"))
        return newType ? QStringLiteral("nkzdevice.lst") : QStringLiteral("kzdevice.lst");
    return QStringLiteral("vtdevice.lst");
}

// ---- Loading

int LoadDeviceListAxis(AppContext& ctx, Product p, int slot, int flag) {
    if (slot < 0 || slot > 1) return 1;
    CatalogueSlot& s = ctx.cat.slots(p)[slot];
    const bool newType = flag == 0 ? ctx.dev.DevNewType[slot] : ctx.dev.SelNewType[slot];
    const QString& series = ctx.dev.axes(p)[slot].Series;

    // A load starts from an empty slot, so that a failed or empty load never
    // offers models of an earlier catalogue.
    s.List.clear();
    s.ListCount = 0;
    s.SizeList.clear();
    s.SpeedList.clear();

    std::vector<DevListRecord> records;
    int16_t count = 0;
    if (!readDevList(ctx.programFile(DevListFileName(series, newType)), records, count,
                     kDevListMax)) {
        s.ListError = true;
        ctx.message(longMissingText(ctx));
        return 1;
    }
    s.List = std::move(records);
    s.ListCount = count;
    for (int r = 1; r <= s.searchable(); ++r) {
        const QString size = s.List[r].size();
        if (std::find(s.SizeList.begin(), s.SizeList.end(), size) == s.SizeList.end())
            s.SizeList.push_back(size);
    }
    s.ListError = false;
    return 0;
}

int LoadDeviceList(AppContext& ctx, Product p, int flag) {
    for (int slot = 0; slot < AxesOf(p); ++slot)
        if (LoadDeviceListAxis(ctx, p, slot, flag) != 0) return 1;
    return 0;
}

bool DevListError(const AppContext& ctx, Product p, int slot) {
    return slot >= 0 && slot <= 1 && ctx.cat.slots(p)[slot].ListError;
}

void GetDevSpeedList(AppContext& ctx, Product p, int slot, const QString& size) {
    if (slot < 0 || slot > 1) return;
    CatalogueSlot& s = ctx.cat.slots(p)[slot];
    s.SpeedList.clear();
    for (int r = 1; r <= s.searchable(); ++r) {
        if (s.List[r].size() != size) continue;
        const QString speed = s.List[r].speed();
        if (std::find(s.SpeedList.begin(), s.SpeedList.end(), speed) == s.SpeedList.end())
            s.SpeedList.push_back(speed);
    }
}

// ---- Lookups

int CheckDevCode(const QString& size, const QString& speed, int stroke) {
    if (size.size() != 3) return 1;
    if (speed.isEmpty() || speed[0] < QLatin1Char('A') || speed[0] > QLatin1Char('Z')) return 1;
    if (stroke < 10 || stroke > 999) return 1;
    return 0;
}

int CheckDevListFile(AppContext& ctx, bool newType, const QString& series, const QString&,
                     const QString&, int) {
    return readForLookup(ctx, newType, series, false) ? 0 : 1;
}

int FindDevSize(AppContext& ctx, bool newType, const QString& series, const QString& size) {
    const auto records = readForLookup(ctx, newType, series, false);
    if (!records) return 1;
    for (size_t r = 1; r < records->size(); ++r)
        if ((*records)[r].size() == size) return 0;
    return 1;
}

int GetDevLead(AppContext& ctx, bool newType, const QString& series, const QString& size,
               const QString& speed, int stroke) {
    const auto records = readForLookup(ctx, newType, series, true);
    if (!records) return 0;
    const DevListRecord* r = findModel(*records, size, speed, stroke);
    if (!r) return 0;
    // A lead that cannot divide marks the model as not listed.
    return positiveCell(*r, 4).value_or(0);
}

DevLeadPpr GetDevLeadPpr(AppContext& ctx, bool newType, const QString& series, const QString& size,
                         const QString& speed, int stroke) {
    const auto records = readForLookup(ctx, newType, series, true);
    if (!records) return {};
    const DevListRecord* r = findModel(*records, size, speed, stroke);
    if (!r) return {};
    const auto lead = positiveCell(*r, 4);
    const auto ppr = positiveCell(*r, 7);
    if (!lead || !ppr) return {};
    return {*lead, *ppr};
}

namespace {
int optionCode(AppContext& ctx, int cell, bool newType, const QString& series, const QString& size,
               const QString& speed, int stroke) {
    const auto records = readForLookup(ctx, newType, series, false);
    if (!records) return 99;
    const DevListRecord* r = findModel(*records, size, speed, stroke);
    if (!r) return 99;
    return cellInt16(r->cell[cell]).value_or(99);
}
} // namespace

int GetDevPgCode(AppContext& ctx, bool newType, const QString& series, const QString& size,
                 const QString& speed, int stroke) {
    return optionCode(ctx, 5, newType, series, size, speed, stroke);
}

int GetDevVertCode(AppContext& ctx, bool newType, const QString& series, const QString& size,
                   const QString& speed, int stroke) {
    return optionCode(ctx, 6, newType, series, size, speed, stroke);
}

int FindDevModel(AppContext& ctx, bool newType, const QString& series, const QString& size,
                 const QString& speed, int stroke) {
    const auto records = readForLookup(ctx, newType, series, false);
    if (!records) return 1;
    return findModel(*records, size, speed, stroke) ? 0 : 1;
}

void FindDevInfo(AppContext& ctx, Product p) {
    ctx.opt.DevNotFound = false;
    auto& axes = ctx.dev.axes(p);
    bool missing = false;
    for (int a = 0; a < AxesOf(p); ++a) {
        const DevListRecord* r =
            findLoaded(ctx.cat.slots(p)[a], axes[a].SelSize, axes[a].SelSpeed, axes[a].SelStroke);
        const auto lead = r ? positiveCell(*r, 4) : std::nullopt;
        const auto ppr = r ? positiveCell(*r, 7) : std::nullopt;
        if (lead && ppr)
            axes[a].Lead = *lead;
        else
            missing = true;
    }
    if (missing) {
        ctx.opt.DevNotFound = true;
        ctx.message(notFoundText(ctx));
    }
}

void ApplyDeviceList(AppContext& ctx, Product p) {
    ctx.opt.DevNotFound = false;
    auto& axes = ctx.dev.axes(p);
    for (int a = 0; a < AxesOf(p); ++a) {
        const DevListRecord* r =
            findLoaded(ctx.cat.slots(p)[a], axes[a].Size, axes[a].Speed, axes[a].Stroke);
        const auto lead = r ? positiveCell(*r, 4) : std::nullopt;
        const auto ppr = r ? positiveCell(*r, 7) : std::nullopt;
        if (!lead || !ppr) {
            // A missing axis 1 is not followed by axis 2.
            ctx.opt.DevNotFound = true;
            ctx.message(p == Product::TwoAxis ? ctx.res(575) : notFoundText(ctx));
            return;
        }
        axes[a].Lead = *lead;
        axes[a].PPR = *ppr;
        axes[a].MmPerPulse = double(*lead) / double(*ppr);
    }
}

// ---- Limits and labels

void CulcMaxPulse(AppContext& ctx, Product p) {
    for (auto& a : ctx.dev.axes(p)) {
        if (a.Lead <= 0 || a.PPR <= 0) {
            a.MaxPulse = 0;
            continue;
        }
        const double x = double(a.Stroke) / double(a.Lead) * double(a.PPR);
        // "#.#", then any tenth raises to the next whole pulse.
        const double t = RoundDecimal(x, 1, HalfRule::AwayFromZero);
        a.MaxPulse = static_cast<int32_t>(std::trunc(Decimal12(t + 0.9)));
    }
}

void CalcMaxMm(AppContext& ctx, Product p) {
    for (auto& a : ctx.dev.axes(p)) {
        if (a.Lead <= 0 || a.PPR <= 0) {
            a.MaxMm = 0;
            continue;
        }
        // Whole thousandths of MaxPulse x lead / PPR, truncated toward zero,
        // worked out in whole numbers so that the result is never above the
        // exact value.
        const long long thousandths = static_cast<long long>(a.MaxPulse) * a.Lead * 1000 / a.PPR;
        a.MaxMm = double(thousandths) / 1000.0;
    }
}

QString DeviceNameText(bool isKZ, const QString& size, const QString& speed, int stroke) {
    return (isKZ ? QStringLiteral("KZ") : QStringLiteral("VT")) + QLatin1Char('-') + size + speed +
           QLatin1Char('-') + QString::number(stroke);
}

QString PulseRateText(int axisNo, int lead, int ppr, int languageNo) {
    if (lead <= 0 || ppr <= 0) return QString();
    const QString unit = languageNo == 1 ? QStringLiteral("ﾊﾟﾙｽ") : QStringLiteral("Pulse");
    // Each rate rounded to 3 decimals ("#0.000") and shown in its shortest form.
    auto rate = [](double x) { return ShortestText(RoundDecimal(x, 3, HalfRule::AwayFromZero)); };
    const QString perMm = rate(1.0 / lead * ppr);
    const QString perPulse = rate(1.0 / ppr * lead);
    return QStringLiteral("<%1>1mm = ").arg(axisNo) + perMm + unit + QStringLiteral(" / 1") + unit +
           QStringLiteral("= ") + perPulse + QStringLiteral("mm");
}

void ShowDeviceName(AppContext& ctx, Product p, MainWindowPort& win) {
    const auto& axes = ctx.dev.axes(p);
    for (int a = 0; a < AxesOf(p); ++a)
        win.SetDeviceLabel(p, a, DeviceNameText(ctx.dev.DevIsKZ[a], axes[a].Size, axes[a].Speed,
                                                axes[a].Stroke));
}

void ShowPulseRate(AppContext& ctx, Product p, MainWindowPort& win) {
    const auto& axes = ctx.dev.axes(p);
    const int lang = ctx.opt.LanguageNo;
    win.SetStatusPanel(2, PulseRateText(1, axes[0].Lead, axes[0].PPR, lang));
    win.SetStatusPanel(3, p == Product::TwoAxis ? PulseRateText(2, axes[1].Lead, axes[1].PPR, lang)
                                                : QString());
}

} // namespace rer
