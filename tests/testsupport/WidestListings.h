#pragma once
// The tables of the parameter, group and macro listings filled with the
// widest values of their fields, as when they are printed from a file.
#include "app/AppContext.h"

namespace rer::test {

inline void FillWidestParameters(AppContext& ctx, Product p) {
    auto& table = ctx.para.of(p).ParaFileData;
    for (size_t r = 1; r < table.size(); ++r)
        for (size_t c = 0; c < 2; ++c) table[r][c] = Value::number(r % 2 ? 65535 : -32768);
    table[0][0] = Value::text(QStringLiteral("パラメータ機種A.pmd"));
    ctx.print.PrintFileFlag = true;
}

inline void FillWidestGroups(AppContext& ctx) {
    for (int g = 1; g <= 99; ++g) ctx.grp.GrpFileData[g] = {399, 399, 0};
    ctx.grp.GrpFileName = QStringLiteral("グループ.grp");
    ctx.print.PrintFileFlag = true;
}

inline void FillWidestMacros(AppContext& ctx) {
    for (int s = 0; s < 16; ++s)
        for (int m = 0; m < 9; ++m) {
            ctx.sm.SmFileData[s][2 * m] = int16_t(1 + (s + m) % 6); // every command name
            ctx.sm.SmFileData[s][2 * m + 1] = 15;
        }
    ctx.sm.SmFileName = QStringLiteral("マクロ.smd");
    ctx.print.PrintFileFlag = true;
}

} // namespace rer::test
