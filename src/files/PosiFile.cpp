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
    auto fail = [&] {
        pos.PosiFileError = true;
        if (why && why->reason.isEmpty()) why->reason = r.error();
        return false;
    };
    if (!r.open(path)) return fail();
    QString tag;
    if (!r.nextText(tag)) return fail();
    if (tag != QLatin1String("VO-D6")) {
        TellOtherKind(ctx, NotPositionFileText(ctx, p), path, why);
        return fail();
    }
    std::array<QString, 2> device, marker;
    if (!r.nextText(device[0]) || !r.nextText(device[1]) || !r.nextText(marker[0])) return fail();
    if (marker[0] == QLatin1String("1")) {
        // Old format: no markers; the item just read was the first position.
        marker = {QStringLiteral("OLD"), QStringLiteral("OLD")};
        r.rewind();
        QString skip;
        for (int i = 0; i < 3; ++i)
            if (!r.nextText(skip)) return fail();
    } else if (!r.nextText(marker[1])) {
        return fail();
    }

    // Positions the file does not carry keep what the table held.
    PosiFileTable table = pos.PosiFileData;
    while (!r.atEnd()) {
        const auto no = r.next();
        if (!no) return fail();
        const double n = RoundDecimal(no->toNumber(), 0, HalfRule::ToEven);
        if (n < 0 || n > 399) return fail();
        auto& row = table[size_t(n)];
        for (int c = 1; c <= 12; ++c) {
            const auto cell = r.next();
            if (!cell) return fail();
            // A number too large for a double would be shown and checked as
            // a text that reads as 0.
            if (c != 12 && !std::isfinite(cell->toNumber())) return fail();
            if (c == 4 || c == 8) {
                if (two) {
                    if (!posiText(*cell, row[c])) return fail();
                    continue;
                }
                if (!fitsSevenCharacters(cell->toNumber())) return fail();
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
