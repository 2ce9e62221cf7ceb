#include "files/ParaFile.h"

#include "files/DataCodec.h"
#include "files/FileHeader.h"
#include "files/Decimal.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace rer {

namespace {

enum class FieldKind { Any, Int16, Int32 };

struct AxisField {
    const char* name;
    FieldKind kind;
    std::array<Value, 2> ParaRecord::*any;
    std::array<int16_t, 2> ParaRecord::*i16;
    std::array<int32_t, 2> ParaRecord::*i32;
};

constexpr AxisField A(const char* n, std::array<Value, 2> ParaRecord::*m) { return {n, FieldKind::Any, m, nullptr, nullptr}; }
constexpr AxisField I(const char* n, std::array<int16_t, 2> ParaRecord::*m) { return {n, FieldKind::Int16, nullptr, m, nullptr}; }
constexpr AxisField L(const char* n, std::array<int32_t, 2> ParaRecord::*m) { return {n, FieldKind::Int32, nullptr, nullptr, m}; }

// Rows 1..23.
const AxisField kAxisFields[] = {
    A("OFFSET", &ParaRecord::ParaHomeOffset), I("PUSH", &ParaRecord::ParaHomePush),
    I("VEL", &ParaRecord::ParaHomeVel), I("OFSVEL", &ParaRecord::ParaHomeOfsVel),
    I("PUSHVEL", &ParaRecord::ParaHomePushVel), I("SEQ", &ParaRecord::ParaHomeSeq),
    I("VEL1", &ParaRecord::ParaVel1), I("VEL2", &ParaRecord::ParaVel2), I("VEL3", &ParaRecord::ParaVel3),
    I("VEL4", &ParaRecord::ParaVel4), I("VEL5", &ParaRecord::ParaVel5), I("VEL6", &ParaRecord::ParaVel6),
    I("VEL7", &ParaRecord::ParaVel7), I("VEL8", &ParaRecord::ParaVel8), I("VEL9", &ParaRecord::ParaVel9),
    I("JOGVEL", &ParaRecord::ParaJogVel),
    A("STROKE", &ParaRecord::ParaStroke), I("LEAD", &ParaRecord::ParaLead), L("PULSE", &ParaRecord::ParaPulse),
    I("AUTODRIVE", &ParaRecord::ParaAutoDrive), I("TYPE", &ParaRecord::ParaType),
    I("FUNCTION", &ParaRecord::ParaPgFunction), A("ALM", &ParaRecord::ParaPgAlm),
};

struct CommonField {
    const char* name;
    int16_t ParaRecord::*field;
};

// Rows 24..35.
const CommonField kCommonFields[] = {
    {"HOME OUT", &ParaRecord::ParaHomeOut},   {"ALM CODE", &ParaRecord::ParaAlmCode},
    {"GRP ENABLE", &ParaRecord::ParaGrpEnable}, {"SM TIMEOUT", &ParaRecord::ParaSmTimeout},
    {"SM TIMER", &ParaRecord::ParaSmTimer},   {"PG TIMER", &ParaRecord::ParaPgTimer},
    {"1AXIS", &ParaRecord::ParaOneAxis},      {"AUTO HOME", &ParaRecord::ParaAutoHome},
    {"O-R ENABLE", &ParaRecord::ParaOrEnable}, {"OVERRIDE", &ParaRecord::ParaOverride},
    {"LS TIMER", &ParaRecord::ParaLsTimer},   {"BCD ENABLE", &ParaRecord::ParaBcdEnable},
};

template <typename T>
T wholeNumber(const Value& v) {
    double d = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
    if (!std::isfinite(d)) d = 0;
    d = std::clamp(d, double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max()));
    return static_cast<T>(d);
}

struct Section {
    const char* name;
    int rows;
    int cols;
};

Section sectionsOf(Product p, int k) {
    static const Section s[] = {{"HOME", 6, 2}, {"VEL", 10, 2}, {"AXIS", 5, 2},
                                {"PG", 2, 2},   {"ETC", 5, 1},  {"SPECIAL", 6, 1}};
    Section r = s[k];
    if (k == 5 && p == Product::OneAxis) r.rows = 7;
    return r;
}

} // namespace

Value ParaRecordValue(const ParaRecord& rec, int row, int axis) {
    if (axis < 0 || axis > 1) axis = 0;
    if (row >= ParaRow::FirstAxisRow && row <= ParaRow::LastAxisRow) {
        const AxisField& f = kAxisFields[row - ParaRow::FirstAxisRow];
        switch (f.kind) {
        case FieldKind::Any: return (rec.*f.any)[axis];
        case FieldKind::Int16: return Value::number((rec.*f.i16)[axis]);
        case FieldKind::Int32: return Value::number((rec.*f.i32)[axis]);
        }
    }
    if (row >= ParaRow::FirstCommonRow && row <= ParaRow::BcdEnable)
        return Value::number(rec.*kCommonFields[row - ParaRow::FirstCommonRow].field);
    return Value();
}

void SetParaRecordValue(ParaRecord& rec, int row, int axis, const Value& v) {
    if (axis < 0 || axis > 1) return;
    if (row >= ParaRow::FirstAxisRow && row <= ParaRow::LastAxisRow) {
        const AxisField& f = kAxisFields[row - ParaRow::FirstAxisRow];
        switch (f.kind) {
        case FieldKind::Any: (rec.*f.any)[axis] = v; break;
        case FieldKind::Int16: (rec.*f.i16)[axis] = wholeNumber<int16_t>(v); break;
        case FieldKind::Int32: (rec.*f.i32)[axis] = wholeNumber<int32_t>(v); break;
        }
    } else if (row >= ParaRow::FirstCommonRow && row <= ParaRow::BcdEnable) {
        rec.*kCommonFields[row - ParaRow::FirstCommonRow].field = wholeNumber<int16_t>(v);
    }
}

QString ParaRowName(int row) {
    if (row >= ParaRow::FirstAxisRow && row <= ParaRow::LastAxisRow)
        return QString::fromLatin1(kAxisFields[row - ParaRow::FirstAxisRow].name);
    if (row >= ParaRow::FirstCommonRow && row <= ParaRow::BcdEnable)
        return QString::fromLatin1(kCommonFields[row - ParaRow::FirstCommonRow].name);
    return QString();
}

bool SameValue(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) return a.toNumber() == b.toNumber();
    return a == b;
}

bool WriteParaFile(AppContext& ctx, Product p, const QString& path) {
    ProductParameters& pp = ctx.para.of(p);
    const ParaRecord& rec = pp.rec;
    DataFileWriter w;
    w.text(QStringLiteral("VO-D6"));
    w.text(QStringLiteral("PRM"));
    w.endRecord();
    w.integer(6);
    w.endRecord();
    int row = 1;
    for (int k = 0; k < 6; ++k) {
        const Section s = sectionsOf(p, k);
        w.text(QString::fromLatin1(s.name));
        w.integer(s.rows);
        w.integer(s.cols);
        w.endRecord();
        for (int r = 0; r < s.rows; ++r, ++row) {
            for (int c = 0; c < s.cols; ++c) w.value(ParaRecordValue(rec, row, c));
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

bool ReadParaFile(AppContext& ctx, Product p, const QString& path) {
    ProductParameters& pp = ctx.para.of(p);
    auto fail = [&] {
        pp.ParaFileError = true;
        return false;
    };
    DataFileReader r;
    if (!OpenTaggedFile(ctx, r, path, QStringLiteral("PRM"),
                        ctx.pick(QStringLiteral("DI-D6用のパラメータファイルではありません。データファイルの読み込みを中止します。"),
                                 QStringLiteral("Not parameter file for DI-D6. Opening file is canceled."))))
        return fail();
    const auto count = r.next();
    if (!count) return fail();

    ParaFileTable table(pp.ParaFileData.size());
    table[0][0] = Value::text(QFileInfo(path).fileName());
    static const char* const names[] = {"HOME", "VEL", "AXIS", "PG", "ETC", "SPECIAL"};
    int cursor = 1;
    const double sections = count->toNumber();
    for (double k = 0; k < sections; ++k) {
        const QString expected = QString::fromLatin1(names[k < 5 ? int(k) : 5]);
        QString name;
        double rows = 0, cols = 0;
        if (!r.nextText(name) || name != expected) return fail();
        if (!r.nextNumber(rows) || !r.nextNumber(cols)) return fail();
        for (double i = 0; i < rows; ++i, ++cursor) {
            if (cursor >= int(table.size())) return fail();
            for (double c = 0; c < cols; ++c) {
                if (c >= kParaFileCols) return fail();
                const auto v = r.next();
                if (!v) return fail();
                table[cursor][size_t(c)] = *v;
            }
        }
    }
    pp.ParaFileData = std::move(table);
    return true;
}

void ClearParaFileTable(AppContext& ctx, Product p) {
    ParaFileTable& t = ctx.para.of(p).ParaFileData;
    for (int r = 0; r <= ParaRow::BcdEnable; ++r) t[r].fill(Value());
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
    struct Group { int first, last; };
    const Group groups[] = {{1, 6}, {7, 16}, {17, 21}, {22, 23}};
    for (int g = 0; g < 4; ++g) {
        const int axes = two ? 2 : 1;
        for (int a = 0; a < axes; ++a) {
            for (int row = groups[g].first; row <= groups[g].last; ++row) {
                if (!two && row == 6) continue; // SEQ is not compared on one axis
                if (!differs(row, a)) continue;
                pp.ParaDiffFlag = true;
                if (two)
                    pp.ParaDiffText[g] += ParaRowName(row) + QLatin1Char('(') + QString::number(a + 1) + QStringLiteral("),");
                else
                    pp.ParaDiffText[g] += ParaRowName(row) + QLatin1Char(',');
            }
        }
    }
    // ETC and SPECIAL: each key carries its own separator.
    const int lastRow = two ? ParaRow::LastCommonRow : ParaRow::BcdEnable;
    for (int row = ParaRow::FirstCommonRow; row <= lastRow; ++row) {
        if (!two && row == 30) continue; // 1AXIS is not compared on one axis
        if (!differs(row, 0)) continue;
        pp.ParaDiffFlag = true;
        QString key = ParaRowName(row);
        if (two && row == 33) key = QStringLiteral("OVERIDE");
        if (row != lastRow) key += QLatin1Char(',');
        pp.ParaDiffText[row <= 28 ? 4 : 5] += key;
    }
}

} // namespace rer
