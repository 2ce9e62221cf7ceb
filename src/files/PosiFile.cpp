#include "files/PosiFile.h"

#include "catalogue/Conversion.h"
#include "files/DataCodec.h"
#include "files/Decimal.h"
#include "files/FileHeader.h"
#include "link/TextHelpers.h"

#include <cmath>

namespace rer {

namespace {

bool fitsSevenCharacters(double n) { return n < 1000000 && n > -100000; }

// The two-axis form of a position cell: the number with a leading blank when
// it is not negative, right-aligned in 7 characters as the grid shows it.
bool posiText(const Value& item, Value& out) {
    if (item.isText() && !HasLeadingNumber(item.toText())) return false;
    const double n = item.toNumber();
    if (!fitsSevenCharacters(n)) return false;
    const std::optional<QString> t = PadRight((n < 0 ? QString() : QStringLiteral(" ")) + ShortestText(n), 7);
    if (!t) return false;
    out = Value::text(*t);
    return true;
}

Value trimmedPosition(const Value& cell) {
    if (cell.isNumber()) return cell;
    const QString t = cell.toText().trimmed();
    if (!HasLeadingNumber(t)) return Value();
    return Value::number(LeadingNumber(t));
}

} // namespace

QString PosiColumnCaption(Product p, int c, int languageNo) {
    static const char16_t* const two[2][12] = {
        {u"", u"速度1", u"加速1", u"方法1", u"位置1", u"速度2", u"加速2", u"方法2", u"位置2", u"補間", u"出力", u"S/M"},
        {u"", u"VEL1", u"ACC1", u"WAY1", u"POSI1", u"VEL2", u"ACC2", u"WAY2", u"POSI2", u"ITPL", u"OUT", u"S/M"}};
    static const char16_t* const one[2][7] = {{u"", u"速度", u"加速", u"方法", u"位置", u"出力", u"S/M"},
                                              {u"", u"VEL", u"ACC", u"WAY", u"POSI", u"OUT", u"S/M"}};
    const int lang = languageNo == 1 ? 0 : 1;
    if (p == Product::TwoAxis) return c >= 1 && c < 12 ? QString::fromUtf16(two[lang][c]) : QString();
    return c >= 1 && c < 7 ? QString::fromUtf16(one[lang][c]) : QString();
}

QString NotPositionFileText(const AppContext& ctx, Product p) {
    return ctx.pick(p == Product::TwoAxis
                        ? QStringLiteral("DI-D6用のデータファイルではありません。データファイルの読み込みを中止します。")
                        : QStringLiteral("DE-D3U用のデータファイルではありません。データファイルの読み込みを中止します。"),
                    QStringLiteral("Not Position Data file for DI-D6. Opening file is canceled."));
}

bool ReadPosiFile(AppContext& ctx, Product p, const QString& path, FileReadFailure* why) {
    ProductPositions& pos = ctx.pos.of(p);
    const bool two = p == Product::TwoAxis;
    DataFileReader r;
    const auto fail = [&](const QString& reason) {
        pos.PosiFileError = true;
        Because(why, reason);
        return false;
    };
    // The reader could not give its next item.
    const auto stop = [&] { return fail(StopReason(ctx, r)); };
    if (!r.open(path) || r.holdsNothing()) return stop();
    QString tag;
    if (!r.nextText(tag)) return stop();
    // A parameter, group or macro file begins with the same tag, followed
    // by its kind where a position file has its first model.
    const auto otherKind = [&] {
        TellOtherKind(ctx, NotPositionFileText(ctx, p), path, why);
        return fail(QString());
    };
    if (tag != QLatin1String("VO-D6")) return otherKind();
    std::array<QString, 2> device, marker;
    if (!r.nextText(device[0])) return stop();
    if (device[0] == QLatin1String("PRM") || device[0] == QLatin1String("GRP") || device[0] == QLatin1String("SM"))
        return otherKind();
    if (!r.nextText(device[1]) || !r.nextText(marker[0])) return stop();
    if (marker[0] == QLatin1String("1")) {
        // Old format: no markers; the item just read was the first position.
        marker = {QStringLiteral("OLD"), QStringLiteral("OLD")};
        r.rewind();
        QString skip;
        for (int i = 0; i < 3; ++i)
            if (!r.nextText(skip)) return stop();
    } else if (!r.nextText(marker[1])) {
        return stop();
    }

    // A cell the table cannot hold, as the reason names it: "Position
    // No.5 POSI1 = 1e999".
    const QString cellName = ctx.pick(QStringLiteral("ポジションNo%1 %2"), QStringLiteral("Position No.%1 %2"));
    const auto misfit = [&](int n, int c, const Value& cell) {
        return fail(CellReason(cellName.arg(n).arg(PosiColumnCaption(Product::TwoAxis, c, ctx.opt.LanguageNo)),
                               cell.toText()));
    };
    // Positions the file does not carry keep what the table held.
    PosiFileTable table = pos.PosiFileData;
    while (!r.atEnd()) {
        const auto no = r.next();
        if (!no) return stop();
        const double n = RoundDecimal(no->toNumber(), 0, HalfRule::ToEven);
        if (n < 0 || n > 399)
            return fail(CellReason(ctx.pick(QStringLiteral("ポジションNo"), QStringLiteral("Position No.")), no->toText()));
        auto& row = table[size_t(n)];
        for (int c = 1; c <= 12; ++c) {
            const auto cell = r.next();
            if (!cell) return stop();
            // A number too large for a double would be shown and checked as
            // a text that reads as 0.
            if (c != 12 && !std::isfinite(cell->toNumber())) return misfit(int(n), c, *cell);
            if (c == 4 || c == 8) {
                if (two) {
                    if (!posiText(*cell, row[c])) return misfit(int(n), c, *cell);
                    continue;
                }
                if (!fitsSevenCharacters(cell->toNumber())) return misfit(int(n), c, *cell);
            }
            row[c] = *cell;
        }
    }
    pos.PosiFileData = std::move(table);
    pos.PosiFileDevice = device;
    if (!two) pos.PosiFileDevice[1] = W3kSecondModel();
    ctx.pos.PosiFileNewOrOld = marker;
    return true;
}

void PosiFileToEdit(AppContext& ctx, Product p) {
    ProductPositions& pos = ctx.pos.of(p);
    const bool two = p == Product::TwoAxis;
    for (int r = 1; r < kPosiRows; ++r) {
        const auto& src = pos.PosiFileData[r];
        for (int c = 0; c <= 11; ++c) {
            if (c == 3)
                ctx.pos.PosiValue[r][0] = trimmedPosition(src[4]);
            else if (c == 7 && two)
                ctx.pos.PosiValue[r][1] = trimmedPosition(src[8]);
            else
                pos.PosiData[r][c] = src[c + 1];
        }
    }
}

void PosiTblPlsToMm(AppContext& ctx, Product p) {
    const auto& axes = ctx.dev.axes(p);
    const int n = AxesOf(p);
    for (int r = 1; r < kPosiRows; ++r)
        for (int a = 0; a < n; ++a)
            ctx.pos.PosiValue[r][a + 2] = Value::number(PlsToMm(ctx.pos.PosiValue[r][a], axes[a].Lead, axes[a].PPR));
}

void PosiTblMmToPls(AppContext& ctx, Product p) {
    const auto& axes = ctx.dev.axes(p);
    const int n = AxesOf(p);
    for (int r = 1; r < kPosiRows; ++r)
        for (int a = 0; a < n; ++a)
            ctx.pos.PosiValue[r][a] = Value::number(MmToPls(ctx.pos.PosiValue[r][a + 2], axes[a].Lead, axes[a].PPR));
}

void ClearPosiShogoKekka(AppContext& ctx, Product p) {
    for (auto& row : ctx.pos.of(p).PosiShogoKekka) row.fill(false);
}

} // namespace rer
