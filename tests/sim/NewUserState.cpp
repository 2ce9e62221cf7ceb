#include "sim/NewUserState.h"

#include "app/DeviceSettings.h"
#include "files/StdPrm.h"
#include "link/Transfers.h"
#include "testsupport/TestApp.h"

#include <algorithm>

namespace rer::sim {

bool LoadNewUserState(CtSimState& state, const QString& dataDir, QString* why) {
    // A program of a new user: nothing saved, so the actuator it starts with.
    test::TestApp app({.language = 2, .programDir = dataDir, .doubles = test::Doubles::None});
    AppContext& ctx = app.ctx;
    FakeMessageBoxes& msg = app.msg;
    const auto fail = [&](const QString& text) {
        if (why) *why = text;
        return false;
    };
    if (LoadDeviceSetting(ctx, Product::TwoAxis) != 0)
        return fail(msg.shown.empty() ? QStringLiteral("the actuator catalogue in %1 cannot be read").arg(dataDir)
                                      : msg.lastText());
    auto& axes = ctx.dev.axes(Product::TwoAxis);
    std::array<StdPrmPick, 2> picks;
    for (size_t a = 0; a < 2; ++a) {
        AxisActuator& x = axes[a];
        x.SelSeries = x.Series;
        x.SelSize = x.Size;
        x.SelSpeed = x.Speed;
        x.SelStroke = x.Stroke;
        ctx.dev.SelNewType[a] = ctx.dev.DevNewType[a];
        picks[a] = {x.Size, x.Speed, double(x.Stroke), ctx.dev.DevWithPG[a]};
    }
    ProductParameters& pp = ctx.para.of(Product::TwoAxis);
    if (!ReadStdPrm(ctx, Product::TwoAxis) || pp.StdPrmError) return fail(msg.lastText());
    ParaRecord rec;
    if (!StdPrmToRecord(pp, Product::TwoAxis, picks, rec))
        return fail(QStringLiteral("the factory list has no %1%2-%3").arg(axes[0].Size, axes[0].Speed).arg(axes[0].Stroke));
    std::map<char, QByteArray> blocks;
    for (int i = 0; i < 7; ++i) {
        const LineOrItem line = ParaWriteLine(rec, Product::TwoAxis, i);
        if (line.line.isEmpty()) return fail(QStringLiteral("no factory value for ") + line.badItem);
        blocks[ParaBlockDigit(i)] = line.line.mid(4).toLatin1();
    }

    state.paramBlocks = blocks;
    // A new table: VEL 5, ACC 3, WAY 0, position 0 on both axes; positions
    // 2 to 4 a third, two thirds and the whole of the shorter stroke (the
    // STROKE parameter, in pulses).
    const int top = int(std::min(rec.ParaStroke[0].toNumber(), rec.ParaStroke[1].toNumber()));
    for (int n = 1; n < int(state.positions.size()); ++n) {
        const int posi = n >= 2 && n <= 4 ? top * (n - 1) / 3 : 0;
        state.positions[size_t(n)] = PositionRecord(5, 3, 0, posi, 5, 3, 0, posi, 0, 0, 0);
    }
    // Groups the group window takes back as they are read: group 1 runs the
    // positions 1 to 4, every other group n the position n alone.
    for (int g = 1; g < int(state.groups.size()); ++g) state.groups[size_t(g)] = g == 1 ? std::pair{1, 4} : std::pair{g, g};
    // Macros of END steps with data 0.
    for (int m = 1; m < int(state.macros.size()); ++m) state.macros[size_t(m)] = QByteArray(32, '0');
    return true;
}

} // namespace rer::sim
