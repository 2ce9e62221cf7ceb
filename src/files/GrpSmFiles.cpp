#include "files/GrpSmFiles.h"

#include "files/DataCodec.h"
#include "files/FileHeader.h"
#include "files/Decimal.h"
#include "platform/FileWriter.h"

#include <QFileInfo>
#include <algorithm>
#include <initializer_list>

namespace rer {

namespace {

// The number an item stands for (a quoted "5" as well as a bare 5), as a
// whole number; false when it is not a whole number in [lo, hi].
bool itemNumber(const Value& v, int lo, int hi, int& out) {
    const double d = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
    if (d < lo || d > hi) return false;
    out = int(d);
    return true;
}

// The first two records of a group or macro file: "VO-D6" and the kind, then
// the table's sizes.
void writeHead(DataFileWriter& w, const QString& kind, std::initializer_list<int> sizes) {
    w.text(QStringLiteral("VO-D6"));
    w.text(kind);
    w.endRecord();
    for (int n : sizes) w.integer(n);
    w.endRecord();
}

// Reads a group or macro file of `kind`: its sizes record (`sizeItems`
// items), then records each led by its number in [lo, hi], the rest of which
// `body(reader, number)` reads. False, with `error` set, when anything does
// not fit; a file of another kind is refused with `refusal`.
template <class Body>
bool readNumberedRecords(AppContext& ctx, const QString& path, const QString& kind, const QString& refusal,
                         int sizeItems, int lo, int hi, bool& error, FileReadFailure* why, Body body) {
    DataFileReader r;
    bool ok = OpenTaggedFile(ctx, r, path, kind, refusal, why);
    for (int i = 0; ok && i < sizeItems; ++i) ok = r.next().has_value();
    while (ok && !r.atEnd()) {
        const auto item = r.next();
        int n = 0;
        ok = item && itemNumber(*item, lo, hi, n) && body(r, n);
    }
    if (!ok) {
        error = true;
        if (why && why->reason.isEmpty()) why->reason = r.error();
    }
    return ok;
}

// Rows firstRow..lastRow, columns 0..columns-1 of one table into the other;
// the rest of `to` stays.
template <class Table> void copyCells(const Table& from, Table& to, size_t firstRow, size_t lastRow, size_t columns) {
    for (size_t r = firstRow; r <= lastRow; ++r)
        for (size_t c = 0; c < columns; ++c) to[r][c] = from[r][c];
}

} // namespace

bool WriteGrpFile(AppContext& ctx, const QString& path) {
    const GrpTable& g = ctx.grp.GrpData;
    DataFileWriter w(ctx.opt.LanguageNo);
    writeHead(w, QStringLiteral("GRP"), {99, 3});
    for (int i = 1; i <= 99; ++i) {
        w.text(QString::number(i));
        w.integer(g[i][0]);
        w.integer(g[i][1]);
        w.endRecord();
    }
    if (w.commit(path)) return true;
    ctx.message(FileFailureMessage(ctx.pick(QStringLiteral("グループデータの保存でエラーが発生しました。"),
                                            QStringLiteral("An error occured while saving Group Data.")),
                                   path, w.error()));
    return false;
}

bool WriteSmFile(AppContext& ctx, const QString& path, QString* error) {
    const SmTable& s = ctx.sm.SmData;
    DataFileWriter w(ctx.opt.LanguageNo);
    writeHead(w, QStringLiteral("SM"), {16, 2, 9});
    for (int m = 1; m <= 9; ++m) {
        w.text(QString::number(m));
        w.endRecord();
        for (int step = 0; step <= 15; ++step) {
            w.integer(s[step][2 * (m - 1)]);
            w.integer(s[step][2 * (m - 1) + 1]);
            w.endRecord();
        }
    }
    if (w.commit(path)) return true;
    if (error) *error = w.error();
    return false;
}

bool ReadGrpFile(AppContext& ctx, const QString& path, FileReadFailure* why) {
    GroupState& st = ctx.grp;
    GrpTable table = st.GrpFileData; // groups the file does not carry stay
    const auto group = [&table](DataFileReader& r, int g) {
        return r.nextInt16(table[g][0]) && r.nextInt16(table[g][1]);
    };
    if (!readNumberedRecords(ctx, path, QStringLiteral("GRP"),
                             ctx.pick(QStringLiteral("DI-D6用のＧＲＰデータファイルではありません。データファイルの読み込みを中止します。"),
                                      QStringLiteral("Not GRP Data file for DI-D6. Opening file is canceled.")),
                             2, 0, 99, st.GrpFileError, why, group))
        return false;
    st.GrpFileData = table;
    st.GrpFileName = QFileInfo(path).fileName();
    return true;
}

bool ReadSmFile(AppContext& ctx, const QString& path, FileReadFailure* why) {
    MacroState& st = ctx.sm;
    SmTable table = st.SmFileData; // macros the file does not carry stay
    const auto macro = [&table](DataFileReader& r, int m) {
        for (int step = 0; step <= 15; ++step) {
            if (!r.nextInt16(table[step][2 * (m - 1)]) || !r.nextInt16(table[step][2 * (m - 1) + 1]))
                return false;
        }
        return true;
    };
    if (!readNumberedRecords(ctx, path, QStringLiteral("SM"),
                             ctx.pick(QStringLiteral("DI-D6用のＳＭデータファイルではありません。データファイルの読み込みを中止します。"),
                                      QStringLiteral("Not SM Data file for DI-D6. Opening file is canceled.")),
                             3, 1, 9, st.SmFileError, why, macro))
        return false;
    st.SmFileData = table;
    return true;
}

void GrpFileToEdit(AppContext& ctx) { copyCells(ctx.grp.GrpFileData, ctx.grp.GrpData, 1, 99, 2); }
void GrpEditToFile(AppContext& ctx) { copyCells(ctx.grp.GrpData, ctx.grp.GrpFileData, 1, 99, 2); }
void SmFileToEdit(AppContext& ctx) { copyCells(ctx.sm.SmFileData, ctx.sm.SmData, 0, 15, 18); }
void SmEditToFile(AppContext& ctx) { copyCells(ctx.sm.SmData, ctx.sm.SmFileData, 0, 15, 18); }

void ClearSmData(AppContext& ctx) {
    ctx.sm.SmData = SmTable{};
}

void GrpDataCompare(AppContext& ctx) {
    GroupState& st = ctx.grp;
    st.GrpDiffFlag = false;
    st.GrpDiffText.clear();
    const int first = std::max<int>(st.GrpRangeStart, 1);
    const int last = std::min<int>(st.GrpRangeEnd, 99);
    for (int g = first; g <= last; ++g) {
        if (st.GrpData[g][0] == st.GrpFileData[g][0] && st.GrpData[g][1] == st.GrpFileData[g][1]) continue;
        st.GrpDiffFlag = true;
        st.GrpDiffText += QLatin1Char(' ') + QString::number(g) + QLatin1Char(',');
    }
}

void SmDataCompare(AppContext& ctx) {
    MacroState& st = ctx.sm;
    st.SmDiffFlag = false;
    st.SmDiffText.clear();
    for (int m = 1; m <= 9; ++m) {
        bool differs = false;
        for (int s = 0; s <= 15 && !differs; ++s)
            differs = st.SmData[s][2 * (m - 1)] != st.SmFileData[s][2 * (m - 1)] ||
                      st.SmData[s][2 * (m - 1) + 1] != st.SmFileData[s][2 * (m - 1) + 1];
        if (!differs) continue;
        st.SmDiffFlag = true;
        st.SmDiffText += QLatin1Char(' ') + QString::number(m) + QLatin1Char(',');
    }
}

} // namespace rer
