#pragma once
// A recorder of the progress window and sample tables, for the multi-line
// transfer tests.
#include "files/GrpSmTables.h"
#include "files/ParaFile.h"
#include "files/ParaRows.h"
#include "files/ParaTables.h"
#include "link/LinkDisplay.h"

#include <QStringList>
#include <vector>

namespace rer::test {

struct ProgressRecorder : ProgressView {
    int max = -1;
    std::vector<int> values;
    QString setumei;
    int shows = 0;
    int unloads = 0;
    bool visible = false;

    void setMaximum(int m) override { max = m; }
    void setValue(int v) override { values.push_back(v); }
    void setSetumei(const QString& t) override { setumei = t; }
    void Show() override { ++shows; visible = true; }
    void Unload() override { ++unloads; visible = false; }
    int last() const { return values.empty() ? -1 : values.back(); }
};

// A parameter record whose every field holds its own value, each within its
// field on the wire.
inline ParaRecord SampleParaRecord(Product p) {
    ParaRecord rec;
    const int last = ParaLastRow(p);
    for (int axis = 0; axis < 2; ++axis) {
        for (int row = 1; row <= last; ++row) {
            double v = (row * 13 + axis * 7) % 250 + 1;
            if (row == 1) v = 500 + axis;              // OFFSET, 4 wide
            if (row == 17) v = 262143 - axis;          // STROKE, 6 wide
            if (row == 19) v = 0x1234 + axis;          // PULSE, 4 wide
            if (row == 23) v = 0xBEEF + axis;          // ALM, 4 wide
            if (row == 35) v = 1;                      // BCD ENABLE
            SetParaRecordValue(rec, row, axis, Value::number(v));
        }
    }
    return rec;
}

// Groups whose start and end are different for every group.
inline GrpTable SampleGroups() {
    GrpTable g{};
    for (int n = 1; n <= 99; ++n) {
        g[static_cast<size_t>(n)][0] = static_cast<int16_t>(n * 3 + 1);
        g[static_cast<size_t>(n)][1] = static_cast<int16_t>(399 - n);
    }
    return g;
}

inline SmTable SampleMacros() {
    SmTable sm{};
    for (size_t s = 0; s < 16; ++s)
        for (size_t c = 0; c < 18; ++c) sm[s][c] = static_cast<int16_t>((s * 5 + c * 3) % 16);
    return sm;
}

} // namespace rer::test
