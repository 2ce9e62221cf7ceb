#include "mainwin/ActuatorChange.h"

#include "app/AppContext.h"
#include "app/DeviceSettings.h"
#include "app/MainWindowPort.h"
#include "catalogue/Catalogue.h"
#include "setup/ActuatorDialogs.h"

namespace rer {

namespace {

// The committed actuator of a product, to put back when a change does not
// complete.
struct CommittedActuator {
    std::array<bool, 2> isKZ, newType, withPG;
    std::array<AxisActuator, 2> axes;

    explicit CommittedActuator(const AppContext& ctx, Product p)
        : isKZ(ctx.dev.DevIsKZ), newType(ctx.dev.DevNewType), withPG(ctx.dev.DevWithPG),
          axes(ctx.dev.axes(p)) {}

    void restore(AppContext& ctx, Product p) const {
        ctx.dev.DevIsKZ = isKZ;
        ctx.dev.DevNewType = newType;
        ctx.dev.DevWithPG = withPG;
        auto& now = ctx.dev.axes(p);
        for (size_t a = 0; a < now.size(); ++a) {
            now[a].Series = axes[a].Series;
            now[a].Size = axes[a].Size;
            now[a].Speed = axes[a].Speed;
            now[a].Stroke = axes[a].Stroke;
            now[a].Lead = axes[a].Lead;
            now[a].PPR = axes[a].PPR;
            now[a].MmPerPulse = axes[a].MmPerPulse;
        }
    }
};

// Commits the dialog's choice of one axis; false when the axis cannot take it.
bool commitAxis(AppContext& ctx, Product p, int a) {
    AxisActuator& x = ctx.dev.axes(p)[a];
    if (x.SelSeries != QLatin1String("KZ") && x.SelSeries != QLatin1String("VT")) return false;
    const bool newType = ctx.dev.SelNewType[a];
    if (CheckDevCode(x.SelSize, x.SelSpeed, x.SelStroke) != 0) return false;
    if (CheckDevListFile(ctx, newType, x.SelSeries, x.SelSize, x.SelSpeed, x.SelStroke) != 0)
        return false;
    ctx.dev.DevIsKZ[a] = x.SelSeries == QLatin1String("KZ");
    ctx.dev.DevNewType[a] = newType;
    x.Series = x.SelSeries;
    x.Size = x.SelSize;
    x.Speed = x.SelSpeed;
    x.Stroke = x.SelStroke;
    // The one-axis product keeps its PG flag in the shared table.
    if (p == Product::OneAxis) ctx.dev.DevWithPG[a] = x.SelWithPG;
    return true;
}

} // namespace

void ChangeActuator(AppContext& ctx, Product p, MainWindowPort& win, ActuatorChangeHost& host,
                    ActuatorDialogs& dialogs) {
    host.LineCmd_Muko();
    win.FocusDummy();
    host.SetChangeButtonEnabled(p, false);
    struct Reenable {
        AppContext& ctx;
        ActuatorChangeHost& host;
        Product p;
        ~Reenable() {
            ctx.opt.DevNotFound = false;
            host.SetChangeButtonEnabled(p, true);
        }
    } reenable{ctx, host, p};

    if (ctx.opt.DispMmUnit)
        ctx.message(ctx.pick(QStringLiteral("位置をmm表示している際に機種変更を行うと、ﾊﾟﾙｽﾃﾞｰﾀが変更されます。\r\n"
                                            "位置(mm)をもとにﾊﾟﾙｽ数を再計算しますので、ﾊﾟﾙｽﾃﾞｰﾀが変更されますので、ご注意下さい。"),
                             QStringLiteral("PULSE DATA will be changed when actuator type is changed during the "
                                            "position is indicated with willimeter. Please be careful that PULSE DATA "
                                            "will be changed because the number of the pulse is calculated based on "
                                            "the position indicated with millimeter.")),
                    MsgButtons::Ok, MsgIcon::Exclamation);

    // The dialog's lookup sets the lead of each model it finds; nothing of
    // the committed actuator may change unless the whole change completes.
    const CommittedActuator before(ctx, p);
    if (dialogs.Run(p, false)) {            // cancelled
        before.restore(ctx, p);
        return;
    }
    if (ctx.opt.DevNotFound) {              // the dialog's lookup failed and said so
        before.restore(ctx, p);
        return;
    }
    bool anyCommitted = false;
    for (int a = 0; a < AxesOf(p); ++a)
        if (commitAxis(ctx, p, a)) anyCommitted = true;
    if (!anyCommitted) {
        ctx.message(ctx.pick(QStringLiteral("機種が選択されていません。\r\n正しい機種情報を表示するには機種を選択して下さい"),
                             QStringLiteral("Actuator type is not selected.\r\n"
                                            "Select Actuator type to indicate device information correctly.")),
                    MsgButtons::Ok, MsgIcon::Information);
        before.restore(ctx, p);
        return;
    }
    ApplyDeviceList(ctx, p);
    if (ctx.opt.DevNotFound) {
        // Nothing of the choice is kept or saved.
        before.restore(ctx, p);
        return;
    }
    SaveDeviceSetting(ctx, p);
    CulcMaxPulse(ctx, p);
    CalcMaxMm(ctx, p);
    ShowDeviceName(ctx, p, win);
    ShowPulseRate(ctx, p, win);
}

} // namespace rer
