#include "dialogs/ShogoResult.h"

#include "app/AppContext.h"

#include <algorithm>

namespace rer {

std::vector<ShogoRow> ShogoResultRows(const AppContext& ctx, Product p) {
    const int items = p == Product::TwoAxis ? 11 : 6;
    const auto& table = ctx.pos.of(p).PosiShogoKekka;
    const int from = std::max<int>(1, ctx.pos.PosiRangeStart);
    const int to = std::min<int>(kPosiRows - 1, ctx.pos.PosiRangeEnd);
    std::vector<ShogoRow> rows;
    for (int r = from; r <= to; ++r) {
        if (!table[r][11]) continue;
        ShogoRow row;
        row.posiNo = r;
        for (int j = 0; j < items; ++j) row.differs.push_back(table[r][j]);
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList ShogoHeaders(int languageNo, Product p) {
    const bool jp = languageNo == 1;
    const QString vel = jp ? QStringLiteral("速度") : QStringLiteral("VEL");
    const QString acc = jp ? QStringLiteral("加速") : QStringLiteral("ACC");
    const QString way = jp ? QStringLiteral("方法") : QStringLiteral("WAY");
    const QString posi = jp ? QStringLiteral("位置") : QStringLiteral("Posi");
    QStringList h{QStringLiteral("No."), vel, acc, way, posi};
    if (p == Product::TwoAxis)
        h << vel << acc << way << posi << (jp ? QStringLiteral("補間") : QStringLiteral("ITPL"));
    h << QStringLiteral("OUT") << QStringLiteral("S/M");
    return h;
}

} // namespace rer
