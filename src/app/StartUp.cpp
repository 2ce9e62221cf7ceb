#include "app/StartUp.h"

#include "app/AppContext.h"
#include "app/DeviceSettings.h"
#include "app/MainWindowPort.h"
#include "catalogue/Catalogue.h"

namespace rer {

QString GetSystemCountry(AppContext& ctx) {
    QString c = ctx.platform.sys.countryEnglishName();
    const int nul = c.indexOf(QChar(0));
    if (nul >= 0) c.truncate(nul);
    return c;
}

void DecideLanguage(AppContext& ctx) {
    if (GetSystemCountry(ctx) != QLatin1String("Japan")) {
        ctx.opt.NotJapan = true;
        ctx.setLanguage(2);
        return;
    }
    ctx.opt.NotJapan = false;
    ctx.setLanguage(ctx.settings.ranged(OptionSettings::Language));
}

void SelectWindowLoaded(AppContext& ctx) {
    SetHelpFilePath(ctx);
    ctx.opt.PortOccupy = ctx.settings.rangedFlag(OptionSettings::PortOccupy);
    ctx.opt.CtType = ctx.settings.ranged(OptionSettings::Controller);
    LoadMoveTimeout(ctx);
}

QString VersionText() {
    return QStringLiteral("%1.%2%3").arg(RER_VERSION_MAJOR).arg(RER_VERSION_MINOR).arg(RER_VERSION_PATCH);
}

void SetHelpFilePath(AppContext& ctx) {
    const QString name = QStringLiteral("kzw6hlp.chm");
    if (ctx.programDir.endsWith(QLatin1Char('/')))
        ctx.helpFile = ctx.programDir + name;
    else
        ctx.helpFile = ctx.programDir + QLatin1Char('/') + name;
}

void ShowHelpFile(AppContext& ctx, const QString& message) {
    if (!ctx.helpFile.isEmpty() && ctx.platform.help.fileExists(ctx.helpFile) &&
        ctx.platform.help.open(ctx.helpFile))
        return;
    ctx.message(message, MsgButtons::Ok, MsgIcon::Information);
}

void ConfirmProduct(AppContext& ctx, int ctType, MainWindowPort& win) {
    ctx.opt.CtType = static_cast<int16_t>(ctType == 1 ? 1 : 2);
    if (ctx.opt.CtType == 1)
        InitMain(ctx, win);
    else
        W3kInitMain(ctx, win);
    ctx.settings.saveInt(QStringLiteral("Controller"), ctx.opt.CtType);
}

namespace {

void StartProduct(AppContext& ctx, MainWindowPort& win, Product p) {
    ctx.opt.DispMmUnit = ctx.settings.rangedFlag(OptionSettings::DispMmUnit);
    win.Show();
    ctx.opt.LanguageChanged = false;
    ctx.opt.MmRoundUp = ctx.settings.rangedFlag(OptionSettings::MmRoundUp);

    const int status = LoadDeviceSetting(ctx, p);
    if (status != 1) {
        LoadDeviceList(ctx, p, 0);
        ApplyDeviceList(ctx, p);
        if (ctx.opt.DevNotFound) {
            ctx.opt.DevNotFound = false;
            return;
        }
        CulcMaxPulse(ctx, p);
        CalcMaxMm(ctx, p);
        ShowDeviceName(ctx, p, win);
        ShowPulseRate(ctx, p, win);
        win.GridInit(p);
        win.FocusDummy();
        return;
    }
    ctx.message(ctx.pick(QStringLiteral("機種が選択されていません。\r\n再度、機種を選択してください。"),
                         QStringLiteral("Actuator type is not selected.\r\nPlease select autuator type again. ")));
    win.ChangeDevice(p);
    if (p == Product::TwoAxis) win.FocusDummy();
}

} // namespace

void InitMain(AppContext& ctx, MainWindowPort& win) {
    StartProduct(ctx, win, Product::TwoAxis);
}

void W3kInitMain(AppContext& ctx, MainWindowPort& win) {
    StartProduct(ctx, win, Product::OneAxis);
}

} // namespace rer
