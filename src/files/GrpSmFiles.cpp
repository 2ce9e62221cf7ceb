#include "files/GrpSmFiles.h"

#include "files/DataCodec.h"
#include "files/FileHeader.h"
#include "files/Decimal.h"
#include "platform/FileWriter.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

namespace rer {

namespace {

// A number cell of a group or macro file as a whole number (halves to
// even): a bare number, or a text that is one number as a whole ("7" in
// quotes is 7); nothing for any other item ("12abc", an empty item, a
// number beyond a double).
std::optional<double> wholeCell(const Value& v) {
    std::optional<double> n;
    if (v.isNumber())
        n = v.toNumber();
    else if (v.isText())
        n = StrictNumber(v.toText());
    if (!n || !std::isfinite(*n)) return std::nullopt;
    return RoundDecimal(*n, 0, HalfRule::ToEven);
}

// The items of a group or macro file, read one after the other, each a
// number cell in the range of its field. The first that is not stops the
// read, and `why` names it with the text it holds, in the window's
// language.
class CellReader {
public:
    CellReader(const AppContext& ctx, DataFileReader& r, FileReadFailure* why) : ctx_(ctx), r_(r), why_(why) {}

    bool next(const QString& name, int lo, int hi, int& out) {
        const auto item = r_.next();
        if (!item) {
            Because(why_, StopReason(ctx_, r_));
            return false;
        }
        const auto n = wholeCell(*item);
        if (!n || *n < lo || *n > hi) {
            Because(why_, CellReason(name, item->toText()));
            return false;
        }
        out = int(*n);
        return true;
    }
    bool next(const QString& name, int16_t& out) {
        int v = 0;
        if (!next(name, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), v)) return false;
        out = int16_t(v);
        return true;
    }

private:
    const AppContext& ctx_;
    DataFileReader& r_;
    FileReadFailure* why_;
};

// What a group or macro file holds beside its records, as the reasons of a
// refusal name it.
struct NumberedLayout {
    QString kind;      // "GRP", "SM"
    QString refusal;   // a file of another kind
    QStringList sizes; // the items of the sizes record
    int countAt;       // the one of them that counts the records after it
    QString number;    // the item that leads a record
    int lo, hi;        // its range
    QString shortfall; // "%1 of %2 groups": the records the file holds and says
};

// The first two records of a group or macro file: "VO-D6" and the kind, then
// the table's sizes.
void writeHead(DataFileWriter& w, const QString& kind, std::initializer_list<int> sizes) {
    w.text(QStringLiteral("VO-D6"));
    w.text(kind);
    w.endRecord();
    for (int n : sizes) w.integer(n);
    w.endRecord();
}

// Reads a group or macro file: its sizes record, then records each led by
// its number, the rest of which `body(cells, number)` reads. False, with
// `error` set and `why` given, when a cell is not wholly a number or does
// not fit its field, when the file holds fewer records than it says or its
// last record is cut; a file of another kind is refused with its message.
template <class Body>
bool readNumberedRecords(AppContext& ctx, const QString& path, const NumberedLayout& l, bool& error,
                         FileReadFailure* why, Body body) {
    DataFileReader r;
    r.setWholeNumbers(true); // "12abc" is no number
    CellReader cells(ctx, r, why);
    bool ok = OpenTaggedFile(ctx, r, path, l.kind, l.refusal, why);
    int count = 0;
    for (int i = 0; ok && i < int(l.sizes.size()); ++i) {
        int v = 0;
        ok = cells.next(l.sizes[i], 0, std::numeric_limits<int16_t>::max(), v);
        if (i == l.countAt) count = v;
    }
    int records = 0;
    while (ok && !r.atEnd()) {
        int n = 0;
        ok = cells.next(l.number, l.lo, l.hi, n) && body(cells, n);
        ++records;
    }
    if (ok && records < count) {
        Because(why, CutShortReason(ctx) + l.shortfall.arg(records).arg(count));
        ok = false;
    }
    if (ok) ok = EndsWhole(ctx, r, why);
    if (!ok) error = true;
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
    const NumberedLayout layout{
        .kind = QStringLiteral("GRP"),
        .refusal = ctx.pick(QStringLiteral("DI-D6用のＧＲＰデータファイルではありません。データファイルの読み込みを中止します。"),
                            QStringLiteral("Not GRP Data file for DI-D6. Opening file is canceled.")),
        .sizes = {ctx.pick(QStringLiteral("グループ数"), QStringLiteral("Groups")),
                  ctx.pick(QStringLiteral("グループの項目数"), QStringLiteral("Items per group"))},
        .countAt = 0,
        .number = ctx.pick(QStringLiteral("グループNo."), QStringLiteral("Group No.")),
        .lo = 0,
        .hi = 99,
        .shortfall = ctx.pick(QStringLiteral("（%2グループのうち%1グループ）"), QStringLiteral(" (%1 of %2 groups)")),
    };
    const QString start = ctx.pick(QStringLiteral("グループNo.%1 開始位置"), QStringLiteral("Group No.%1 START"));
    const QString end = ctx.pick(QStringLiteral("グループNo.%1 終了位置"), QStringLiteral("Group No.%1 END"));
    const auto group = [&](CellReader& cells, int g) {
        return cells.next(start.arg(g), table[g][0]) && cells.next(end.arg(g), table[g][1]);
    };
    if (!readNumberedRecords(ctx, path, layout, st.GrpFileError, why, group)) return false;
    st.GrpFileData = table;
    st.GrpFileName = QFileInfo(path).fileName();
    return true;
}

bool ReadSmFile(AppContext& ctx, const QString& path, FileReadFailure* why) {
    MacroState& st = ctx.sm;
    SmTable table = st.SmFileData; // macros the file does not carry stay
    const NumberedLayout layout{
        .kind = QStringLiteral("SM"),
        .refusal = ctx.pick(QStringLiteral("DI-D6用のＳＭデータファイルではありません。データファイルの読み込みを中止します。"),
                            QStringLiteral("Not SM Data file for DI-D6. Opening file is canceled.")),
        .sizes = {ctx.pick(QStringLiteral("ステップ数"), QStringLiteral("Steps per macro")),
                  ctx.pick(QStringLiteral("ステップの項目数"), QStringLiteral("Items per step")),
                  ctx.pick(QStringLiteral("マクロ数"), QStringLiteral("Macros"))},
        .countAt = 2,
        .number = QStringLiteral("SM No."),
        .lo = 1,
        .hi = 9,
        .shortfall = ctx.pick(QStringLiteral("（%2マクロのうち%1マクロ）"), QStringLiteral(" (%1 of %2 macros)")),
    };
    // The step as the window labels it: "Step 1" to "Step16".
    const QString command = ctx.pick(QStringLiteral("SM No.%1 Step%2 命令"), QStringLiteral("SM No.%1 Step%2 Command"));
    const QString data = ctx.pick(QStringLiteral("SM No.%1 Step%2 データ"), QStringLiteral("SM No.%1 Step%2 Data"));
    const auto macro = [&](CellReader& cells, int m) {
        for (int step = 0; step <= 15; ++step) {
            const QString label = QStringLiteral("%1").arg(step + 1, 2, 10, QLatin1Char(' '));
            if (!cells.next(command.arg(m).arg(label), table[step][2 * (m - 1)]) ||
                !cells.next(data.arg(m).arg(label), table[step][2 * (m - 1) + 1]))
                return false;
        }
        return true;
    };
    if (!readNumberedRecords(ctx, path, layout, st.SmFileError, why, macro)) return false;
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
