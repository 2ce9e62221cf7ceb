#include "files/ParaFile.h"

#include "files/DataCodec.h"
#include "files/FileHeader.h"
#include "files/ParaRows.h"

#include <QFileInfo>

namespace rer {

namespace {

// The file's sections, in order; for k above the last the reader expects
// the last one again.
const ParaGroupDef& SectionAt(double k) {
    return kParaGroups[k < kParaGroupCount - 1 ? int(k) : kParaGroupCount - 1];
}

} // namespace

bool SameValue(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.toNumber() == b.toNumber();
    return a == b;
}

bool WriteParaFile(AppContext& ctx, Product p, const QString& path) {
    ProductParameters& pp = ctx.para.of(p);
    const ParaRecord& rec = pp.rec;
    DataFileWriter w(ctx.opt.LanguageNo);
    w.text(QStringLiteral("VO-D6"));
    w.text(QStringLiteral("PRM"));
    w.endRecord();
    w.integer(kParaGroupCount);
    w.endRecord();
    for (const ParaGroupDef& g : kParaGroups) {
        const int cols = ParaGroupPerAxis(g.id) ? 2 : 1;
        w.text(QString::fromLatin1(g.name));
        w.integer(ParaGroupRows(g.id, p));
        w.integer(cols);
        w.endRecord();
        for (const ParaRowDef& d : kParaRows) {
            if (d.group != g.id || !d.in(p)) continue;
            for (int c = 0; c < cols; ++c) w.value(ParaRecordValue(rec, d.row, c));
            w.endRecord();
        }
    }
    if (!w.commit(path)) {
        pp.ParaFileWriteError = true;
        pp.ParaFileWriteErrorText = w.error();
        return false;
    }
    pp.ParaFileWriteErrorText.clear();
    return true;
}

bool ReadParaFile(AppContext& ctx, Product p, const QString& path, FileReadFailure* why) {
    ProductParameters& pp = ctx.para.of(p);
    DataFileReader r;
    const auto fail = [&](const QString& reason) {
        pp.ParaFileError = true;
        Because(why, reason);
        return false;
    };
    // The reader could not give its next item.
    const auto stop = [&] { return fail(StopReason(ctx, r)); };
    // "12abc" is no number: the window that takes the file refuses it.
    r.setWholeNumbers(true);
    if (!OpenTaggedFile(ctx, r, path, QStringLiteral("PRM"),
                        ctx.pick(QStringLiteral("DI-D6用のパラメータファイルではありません。データファイルの読み込みを中止します。"),
                                 QStringLiteral("Not parameter file for DI-D6. Opening file is canceled.")),
                        why))
        return fail(QString());
    const auto count = r.next();
    if (!count) return stop();

    ParaFileTable table(pp.ParaFileData.size());
    table[0][0] = Value::text(QFileInfo(path).fileName());
    int cursor = 1;
    const double sections = count->toNumber();
    for (double k = 0; k < sections; ++k) {
        const QString expected = QString::fromLatin1(SectionAt(k).name);
        const auto name = r.next();
        if (!name) return stop();
        if (name->toText() != expected)
            return fail(ctx.pick(QStringLiteral("%2 セクションの位置に「%1」があります"),
                                 QStringLiteral("\"%1\" stands where the section %2 belongs"))
                            .arg(name->toText(), expected));
        // The section's row and column counts.
        const auto size = [&](const QString& what, double& out) {
            const auto v = r.next();
            if (!v) return stop();
            if (v->isText()) return fail(CellReason(what, v->toText()));
            out = v->toNumber();
            return true;
        };
        double rows = 0, cols = 0;
        if (!size(ctx.pick(QStringLiteral("%1 の行数"), QStringLiteral("%1 rows")).arg(expected), rows) ||
            !size(ctx.pick(QStringLiteral("%1 の列数"), QStringLiteral("%1 columns")).arg(expected), cols))
            return false;
        for (double i = 0; i < rows; ++i, ++cursor) {
            if (cursor >= int(table.size()))
                return fail(ctx.pick(QStringLiteral("パラメータの行が多すぎます"),
                                     QStringLiteral("more rows than the parameter table holds")));
            for (double c = 0; c < cols; ++c) {
                if (c >= kParaFileCols)
                    return fail(ctx.pick(QStringLiteral("%1 セクションの列が多すぎます"),
                                         QStringLiteral("more columns in the section %1 than the parameter table holds"))
                                    .arg(expected));
                const auto v = r.next();
                if (!v) return stop();
                table[cursor][size_t(c)] = *v;
            }
        }
    }
    if (!EndsWhole(ctx, r, why)) return fail(QString());
    pp.ParaFileData = std::move(table);
    return true;
}

void ClearParaFileTable(AppContext& ctx, Product p) {
    ParaFileTable& t = ctx.para.of(p).ParaFileData;
    for (int r = 0; r <= kParaRowCount; ++r) t[r].fill(Value());
}

void PrmDataCompare(AppContext& ctx, Product p) {
    ProductParameters& pp = ctx.para.of(p);
    pp.ParaDiffFlag = false;
    for (auto& t : pp.ParaDiffText) t.clear();
    const bool two = p == Product::TwoAxis;
    const ParaFileTable& t = pp.ParaFileData;
    auto differs = [&](int row, int axis) {
        return !SameValue(ParaRecordValue(pp.rec, row, axis), t[row][axis]);
    };
    // Per-axis groups: axis 1's rows, then axis 2's; rows the product
    // hides are not compared.
    for (const ParaGroupDef& g : kParaGroups) {
        if (!ParaGroupPerAxis(g.id)) continue;
        QString& text = pp.ParaDiffText[static_cast<size_t>(g.id)];
        const int axes = two ? 2 : 1;
        for (int a = 0; a < axes; ++a) {
            for (const ParaRowDef& d : kParaRows) {
                if (d.group != g.id || !d.shown(p) || !differs(d.row, a)) continue;
                pp.ParaDiffFlag = true;
                if (two)
                    text += ParaRowName(d.row) + QLatin1Char('(') + QString::number(a + 1) + QStringLiteral("),");
                else
                    text += ParaRowName(d.row) + QLatin1Char(',');
            }
        }
    }
    // Common groups: each key carries its own separator, but for the
    // product's last row.
    const int lastRow = ParaLastRow(p);
    for (const ParaRowDef& d : kParaRows) {
        if (d.perAxis() || !d.shown(p) || !differs(d.row, 0)) continue;
        pp.ParaDiffFlag = true;
        QString key = QString::fromLatin1(two && d.verifyTwo ? d.verifyTwo : d.name);
        if (d.row != lastRow) key += QLatin1Char(',');
        pp.ParaDiffText[static_cast<size_t>(d.group)] += key;
    }
}

} // namespace rer
