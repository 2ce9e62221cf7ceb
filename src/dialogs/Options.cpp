#include "dialogs/Options.h"

#include "app/AppContext.h"
#include "app/DeviceSettings.h"
#include "files/Decimal.h"
#include "files/PosiFile.h"
#include "files/Value.h"
#include "link/ControllerLink.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionCommands.h"

#include <algorithm>
#include <charconv>

namespace rer {

namespace {

// The leading number of a box, rounded to a whole number (halves to even).
double wholeNumber(const QString& text) {
    return RoundDecimal(LeadingNumber(text), 0, HalfRule::ToEven);
}

// The move time-out as the box shows it: the shortest text of the single-
// precision value, without an exponent ("60", "7.5").
QString floatText(float v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (r.ec != std::errc()) return ShortestText(double(v));
    return QString::fromLatin1(buf, r.ptr - buf);
}

int rangeCheck(AppContext& ctx, const QString& text, const SettingRange& range, const QString& jp,
               const QString& en) {
    if (!range.allows(LeadingNumber(text))) {
        ctx.message(ctx.pick(jp, en));
        return 1;
    }
    return 0;
}

// The main window's serial port is closed when it is open; the next job
// opens the new port.
void closePort(AppContext& ctx) {
    if (ctx.link.ct)
        ctx.link.ct->PortClose();
    else if (ctx.platform.serial && ctx.platform.serial->isOpen())
        ctx.platform.serial->close();
}

// The language and the product in force as the option buttons stand for
// them: 1 Japanese / two-axis, 2 anything else.
int16_t languageInForce(const ProgramOptions& o) { return o.LanguageNo == 1 ? 1 : 2; }
int16_t ctTypeInForce(const ProgramOptions& o) { return o.CtType == 1 ? 1 : 2; }

} // namespace

OptionsForm LoadOptionsForm(AppContext& ctx, int16_t& oldPortNo) {
    ProgramOptions& o = ctx.opt;
    Settings& s = ctx.settings;
    OptionsForm f;

    f.txtPortNo = QString::number(s.keptOrStored(OptionSettings::PortNo, o.PortNo));
    oldPortNo = o.PortNo;

    if (o.LanguageNo != 1 && o.LanguageNo != 2) ctx.setLanguage(s.ranged(OptionSettings::Language));
    if (o.NotJapan) {
        f.optLanguege = 1;
        f.japaneseEnabled = false;
    } else {
        f.optLanguege = o.LanguageNo == 1 ? 0 : 1;
    }

    f.optHyojiKirikae = o.DispMmUnit ? 1 : 0;
    f.optSutiSyori = o.MmRoundUp ? 0 : 1;
    f.optCT = o.CtType == 1 ? 0 : 1;
    f.chkPortOccupy = o.PortOccupy;
    f.txtMoveTimeout = floatText(o.MoveTimeout);

    LoadTeachSetting(ctx);
    TeachSettings& t = ctx.teach;
    f.txtJogVel = QString::number(s.keptOrStored(OptionSettings::VelOf100Pls, t.VelOf100Pls));
    t.AccOf100Pls = s.keptOrStored(OptionSettings::AccOf100Pls, t.AccOf100Pls);
    f.optJogAcc = t.AccOf100Pls - 1;
    t.AccOf100Pls2 = s.keptOrStored(OptionSettings::AccOf100Pls2, t.AccOf100Pls2);
    f.optJogAcc2 = t.AccOf100Pls2 - 1;
    return f;
}

int JogVelCheck(AppContext& ctx, const QString& txtJogVel) {
    return rangeCheck(ctx, txtJogVel, OptionSettings::VelOf100Pls, QStringLiteral("速度の値が不正です｡"),
                      QStringLiteral("The value at the VEL is invalid."));
}

int MoveTimeoutCheck(AppContext& ctx, const QString& txtMoveTimeout) {
    return rangeCheck(ctx, txtMoveTimeout, OptionSettings::MoveTimeout, QStringLiteral("通信ﾀｲﾑｱｳﾄの値が不正です｡"),
                      QStringLiteral("The value at the Communication Timeout is invalid."));
}

bool ChangeDisplayUnit(AppContext& ctx, bool mm) {
    const Product p = ctx.opt.product();
    ctx.pos.PosiRangeStart = 1;
    ctx.pos.PosiRangeEnd = 399;
    // Text pending in the in-cell editor is in the old unit: it goes into
    // its cell before the check.
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
    PosiDataCheck(ctx, p);
    bool changed = false;
    if (ctx.main.PosiDataCheckError) {
        ctx.message(ctx.pick(QStringLiteral("表示単位の設定は、ｴﾗｰにより変更されませんでした。\r\n"
                                            "再度変更してみてください。"),
                             QStringLiteral("Unit was not chage because of error.\r\nPlease retry it again.")));
    } else {
        if (mm)
            PosiTblPlsToMm(ctx, p);
        else
            PosiTblMmToPls(ctx, p);
        ctx.opt.DispMmUnit = mm;
        ctx.settings.saveFlag(QStringLiteral("DispMmUnit"), mm);
        KzDataHyoji(ctx, p);
        ChangeDispUnitHeaders(ctx, p);
        changed = true;
    }
    // Rows copied before hold positions in the old unit.
    ctx.platform.clipboard.setText(QString());
    return changed;
}

OptionsOk ApplyOptions(AppContext& ctx, const OptionsForm& f, int16_t oldPortNo) {
    if (JogVelCheck(ctx, f.txtJogVel) != 0) return OptionsOk::JogVelInvalid;
    if (MoveTimeoutCheck(ctx, f.txtMoveTimeout) != 0) return OptionsOk::MoveTimeoutInvalid;

    ProgramOptions& o = ctx.opt;
    Settings& s = ctx.settings;

    const double port = wholeNumber(f.txtPortNo);
    o.PortNo = OptionSettings::PortNo.allows(port) ? int16_t(port) : s.ranged(OptionSettings::PortNo);
    if (o.PortNo != oldPortNo) closePort(ctx);

    o.LanguageChanged = (f.optLanguege == 0 ? 1 : 2) != languageInForce(o);

    const bool mm = f.optHyojiKirikae == 1;
    if (f.optHyojiKirikae >= 0 && mm != o.DispMmUnit) ChangeDisplayUnit(ctx, mm);

    o.MmRoundUp = f.optSutiSyori == 0;
    s.saveFlag(QStringLiteral("MmRoundUp"), o.MmRoundUp);

    o.CtTypeChanged = (f.optCT == 0 ? 1 : 2) != ctTypeInForce(o);

    o.PortOccupy = f.chkPortOccupy;
    s.saveFlag(QStringLiteral("PortOccupy"), o.PortOccupy);

    // For this run only.
    o.MoveTimeout = std::max(float(LeadingNumber(f.txtMoveTimeout)), 5.0f);

    TeachSettings& t = ctx.teach;
    t.VelOf100Pls = t.VelOf10Pls = t.VelOf1Pls = int16_t(wholeNumber(f.txtJogVel));
    s.saveInt(QStringLiteral("VelOf100Pls"), t.VelOf100Pls);
    if (f.optJogAcc >= 0 && f.optJogAcc <= 2) t.AccOf100Pls = t.AccOf10Pls = t.AccOf1Pls = int16_t(f.optJogAcc + 1);
    s.saveInt(QStringLiteral("AccOf100Pls"), t.AccOf100Pls);
    if (f.optJogAcc2 >= 0 && f.optJogAcc2 <= 1)
        t.AccOf100Pls2 = t.AccOf10Pls2 = t.AccOf1Pls2 = int16_t(f.optJogAcc2 + 1);
    s.saveInt(QStringLiteral("AccOf100Pls2"), t.AccOf100Pls2);
    return OptionsOk::Applied;
}

KeyVerdict OptionsKeyPress(OptionBox box, int keyAscii, qsizetype textLength, bool hasSelection) {
    if (keyAscii == 13) return box == OptionBox::PortNo ? KeyVerdict::Drop : KeyVerdict::DropAndMoveOn;
    const int lastDigit = box == OptionBox::PortNo ? '3' : '9';
    const bool digit = keyAscii >= '0' && keyAscii <= lastDigit;
    if (!digit && keyAscii != 8 && keyAscii != 9) return KeyVerdict::Drop;
    const int max = box == OptionBox::PortNo ? 1 : box == OptionBox::JogVel ? 2 : 3;
    // The port box is full whatever is selected; the others only when
    // nothing is selected.
    const bool full = textLength >= max && (box == OptionBox::PortNo || !hasSelection);
    if (full && keyAscii != 8) return KeyVerdict::Drop;
    return KeyVerdict::Accept;
}

BoxRule OptionsBoxRule(OptionBox box) {
    switch (box) {
    case OptionBox::PortNo: return BoxRule{1, true, u'0', u'3', true};
    case OptionBox::JogVel: return DigitBox(2);
    case OptionBox::MoveTimeout: return DigitBox(3);
    }
    return DigitBox(0);
}

void ShowRestartNotices(AppContext& ctx) {
    const QString name = ctx.opt.CtType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U");
    const QString jp = QStringLiteral("\r\n%1を一度終了させてから、もう一度起動してください。").arg(name);
    const QString en = QStringLiteral("\r\nfinish %1 and restart %1 again.").arg(name);
    if (ctx.opt.LanguageChanged)
        ctx.message(ctx.pick(QStringLiteral("使用言語の設定が変更されています。") + jp,
                             QStringLiteral("Language Setting has been changed.") + en));
    if (ctx.opt.CtTypeChanged)
        ctx.message(ctx.pick(QStringLiteral("使用ｺﾝﾄﾛｰﾗの設定が変更されています。") + jp,
                             QStringLiteral("Controller Setting has been changed.") + en));
}

} // namespace rer
