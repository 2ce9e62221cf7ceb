#include "files/StdPrm.h"

#include "files/DataCodec.h"
#include "files/Decimal.h"
#include "files/ParaRows.h"

#include <algorithm>
#include <cmath>

namespace rer {

QString StdPrmFileName(const QString& series, bool newType) {
    if (series != QLatin1String("KZ")) return QStringLiteral("w6vtstpr.lst");
    return newType ? QStringLiteral("w6nkzstpr.lst") : QStringLiteral("w6kzstpr.lst");
}

namespace {

QString missingListText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("パラメータ出荷時設定のリストファイルがありません。\r\n"
                                   "出荷時パラメータを正しく表示させるためには、プログラムと同じフォルダに出荷時パラメータリストファイルをおいてください。"),
                    QStringLiteral("No standard parameter list file.\r\n"
                                   "Put standart parameter list file in the folder in which the program saved in order to indicate standard parameters correctly."));
}

QString rejectText(const AppContext& ctx, const char* which) {
    return ctx.pick(QStringLiteral("DI-D6用の出荷時パラメータファイルの読み込みに失敗しました。") + QLatin1String(which),
                    QStringLiteral("Fail to open standard parameter file for DI-D6. ") + QLatin1String(which));
}

} // namespace

bool ReadStdPrm(AppContext& ctx, Product p) {
    ProductParameters& pp = ctx.para.of(p);
    pp.StdPrmError = false;
    const size_t rows = pp.StdPrm1.size(); // records 1..99 / 1..70
    const auto& axes = ctx.dev.axes(p);
    auto fail = [&](const QString& text) {
        ctx.message(text);
        pp.StdPrmError = true;
        return false;
    };

    // The list of each axis the product uses: the one-axis product reads the
    // series chosen for its one axis, never a list of a second one.
    std::array<StdPrmTable, 2> tables;
    std::array<int16_t, 2> counts = pp.StdPrmCount;
    for (int a = 0; a < AxesOf(p); ++a) {
        const QString series = axes[a].SelSeries;
        DataFileReader r;
        if (!r.open(ctx.programFile(StdPrmFileName(series, ctx.dev.SelNewType[a]))))
            return fail(missingListText(ctx));
        QString tag, kind;
        const bool header = r.nextText(tag) && r.nextText(kind);
        const auto count = r.next();
        const auto further = r.next();
        if (header && (tag != QLatin1String("VO-D6") ||
                       (kind != QLatin1String("KZ-STDPRM") && kind != QLatin1String("VT-STDPRM"))))
            return fail(rejectText(ctx, a == 0 ? "(1AXIS)" : "(2AXIS)"));
        if (!header || !count || !further) return fail(missingListText(ctx));

        StdPrmTable t(rows);
        t[0][0] = *count;
        const double n = count->toNumber();
        const double whole = std::trunc(n);
        counts[a] = int16_t(std::clamp(whole, -32768.0, 32767.0));
        const int16_t type = series != QLatin1String("KZ") ? 2 : (axes[a].SelVertical ? 1 : 0);
        for (double r0 = 1; r0 <= n; ++r0) {
            if (r0 >= double(rows)) return fail(missingListText(ctx));
            StdPrmRecord& rec = t[size_t(r0)];
            const auto code = r.next();
            if (!code) return fail(missingListText(ctx));
            rec[0] = *code;
            for (int e = 4; e <= 23; ++e) {
                const auto v = r.next();
                if (!v) return fail(missingListText(ctx));
                rec[size_t(e)] = *v;
            }
            rec[24] = Value::number(type);
            const QString c = code->toText();
            rec[1] = Value::text(c.mid(0, 3));
            rec[2] = Value::text(c.mid(3, 1));
            rec[3] = Value::number(LeadingNumber(c.mid(5, 3)));
        }
        tables[a] = std::move(t);
    }

    DataFileReader r;
    if (!r.open(ctx.programFile(QStringLiteral("w6cmstpr.lst")))) return fail(missingListText(ctx));
    QString tag, kind;
    const bool header = r.nextText(tag) && r.nextText(kind);
    const auto sections = r.next();
    if (header && (tag != QLatin1String("VO-D6") || kind != QLatin1String("KZ-CMNPRM")))
        return fail(rejectText(ctx, "(CMN)"));
    if (!header || !sections) return fail(missingListText(ctx));
    StdPrmCmnTable cmn;
    static const char* const names[] = {"PG", "ETC", "SPECIAL"};
    size_t cursor = 0;
    const double n = sections->toNumber();
    for (double k = 0; k < n; ++k) {
        QString name;
        double rowCount = 0, colCount = 0;
        if (!r.nextText(name) || name != QLatin1String(names[k < 2 ? int(k) : 2]))
            return fail(missingListText(ctx));
        if (!r.nextNumber(rowCount) || !r.nextNumber(colCount)) return fail(missingListText(ctx));
        for (double i = 0; i < rowCount; ++i, ++cursor) {
            if (cursor >= cmn.size()) return fail(missingListText(ctx));
            for (double c = 0; c < colCount; ++c) {
                if (c >= 4) return fail(missingListText(ctx));
                const auto v = r.next();
                if (!v) return fail(missingListText(ctx));
                cmn[cursor][size_t(c)] = *v;
            }
        }
    }

    pp.StdPrm1 = std::move(tables[0]);
    if (AxesOf(p) > 1) pp.StdPrm2 = std::move(tables[1]);
    pp.StdPrmCount = counts;
    pp.StdPrmCmn = cmn;
    return true;
}

bool StdPrmToRecord(const ProductParameters& pp, Product p, const std::array<StdPrmPick, 2>& axes, ParaRecord& rec) {
    bool allFound = true;
    for (int a = 0; a < AxesOf(p); ++a) {
        const StdPrmTable& list = a == 0 ? pp.StdPrm1 : pp.StdPrm2;
        const StdPrmPick& pick = axes[size_t(a)];
        const int count = std::min<int>(pp.StdPrmCount[size_t(a)], int(list.size()) - 1);
        bool found = false;
        for (int i = 1; i <= count && !found; ++i) {
            const StdPrmRecord& r = list[size_t(i)];
            if (r[1].toText() != pick.size || r[2].toText() != pick.speed || r[3].toNumber() != pick.stroke) continue;
            found = true;
            for (const ParaRowDef& d : kParaRows)
                if (d.in(p) && d.stdAxisItem >= 0) SetParaRecordValue(rec, d.row, a, r[size_t(d.stdAxisItem)]);
        }
        allFound = allFound && found;
    }
    // The common list: a per-axis row (FUNCTION, ALM) has a column for an
    // axis without PG and one for an axis with PG; a common row takes column 1.
    for (const ParaRowDef& d : kParaRows) {
        if (!d.in(p) || d.stdCmnItem < 0) continue;
        const auto& item = pp.StdPrmCmn[size_t(d.stdCmnItem)];
        if (!d.perAxis()) {
            SetParaRecordValue(rec, d.row, 0, item[1]);
            continue;
        }
        for (int a = 0; a < 2; ++a) SetParaRecordValue(rec, d.row, a, item[axes[size_t(a)].withPg ? 2 : 1]);
    }
    return allFound;
}

} // namespace rer
