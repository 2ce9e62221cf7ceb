#include "mainwin/ControllerCommands.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"

namespace rer {

namespace {

QString commError(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("通信エラー！\r\nリセットボタンを押して反応がないときは、一度電源をOFFにし電源を再投入してください。"),
                    QStringLiteral("Communication error!\r\nIf not activated when reset switch on,\r\n"
                                   "Turn off the power once and turn on again."));
}

// The raw exchange's time-out: the port is released and the user told.
void rawTimeout(ControllerLink& link) {
    link.PortCloseIfFree();
    link.ctx().message(link.TimeoutMessage().replace(QStringLiteral("\r\n\r\n"), QStringLiteral("\r\n")));
    link.state().TusinTimeoutFlag = false;
}

// Shows the error reply just received.
void showErrorReply(ControllerLink& link) {
    link.state().CtErrorReply = link.state().RecvLine;
    link.ShowCtErrorInfo();
}

// Asks before a mode change, then opens the port and puts the controller in
// communication mode. 1 when the user said No or the link failed (its
// message shown, TusinError cleared); the caller holds the controller.
int confirmModeChange(ControllerLink& link, const QString& jp, const QString& en) {
    AppContext& ctx = link.ctx();
    if (ctx.message(ctx.pick(jp, en), MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) return 1;
    if (link.PortCheckOpen() != 0) {
        link.PortCloseIfFree();
        link.state().TusinError = false;
        return 1;
    }
    if (const int r = link.CtCommModeOn(); r != 0) {
        if (r == kLinkBusy) return r;
        link.PortCloseIfFree();
        link.state().TusinError = false;
        return 1;
    }
    return 0;
}

// What a raw exchange's outcome is as a result: 0 a line came, else 1, or
// kLinkBusy when refused.
int rawResult(ControllerLink::RawOutcome o) {
    if (o == ControllerLink::RawOutcome::Refused) return kLinkBusy;
    return o == ControllerLink::RawOutcome::Line ? 0 : 1;
}

} // namespace

int CtResetProc(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    // Refused as a whole: not even the port is opened.
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (link.PortCheckOpen() != 0) return 1;
    const auto outcome = link.RawExchange(QStringLiteral("0AR"), 1000);
    if (outcome == ControllerLink::RawOutcome::Timeout) rawTimeout(link);
    if (outcome != ControllerLink::RawOutcome::Line) return rawResult(outcome);
    if (l.RecvLine.startsWith(QLatin1String("0%%"))) {
        showErrorReply(link);
        link.PortCloseIfFree();
        ctx.message(ctx.pick(QStringLiteral("エラー発生！"), QStringLiteral("An error occurs!")));
        return 1;
    }
    if (l.RecvLine.startsWith(QLatin1String("0AR"))) {
        link.display().setAlarmLamp(false);
        link.display().setErrorComment(QStringLiteral("No Error"));
        link.display().setAlarmNo(QString());
    }
    link.CtCommModeOn();
    l.TusinError = false;
    return 0;
}

int GaibuModeChange(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (const int r = confirmModeChange(link, QStringLiteral("コントローラーの動作モードを「外部起動モード」に変更します。\r\nよろしいですか？"),
                                        QStringLiteral("Chage to [External start mode],yes?"));
        r != 0)
        return r;
    l.TusinError = false;
    const auto outcome = link.RawExchange(QStringLiteral("0CM0"), 5000);
    if (outcome == ControllerLink::RawOutcome::Timeout) rawTimeout(link);
    if (outcome != ControllerLink::RawOutcome::Line) return rawResult(outcome);
    if (l.RecvLine.startsWith(QLatin1String("0CM0"))) {
        link.display().setAlarmLamp(false);
        link.PortCloseIfFree();
        ctx.message(ctx.pick(QStringLiteral("外部起動モードに変更されました。"), QStringLiteral("Chaged to [External start mode].")));
        return 0;
    }
    l.TusinError = true;
    if (l.RecvLine.startsWith(QLatin1String("0%%"))) showErrorReply(link);
    link.PortCloseIfFree();
    ctx.message(commError(ctx));
    return 1;
}

int TranceferModeChange(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (const int r = confirmModeChange(link, QStringLiteral("コントローラーの動作モードを「通信モード」に変更します。\r\nよろしいですか？"),
                                        QStringLiteral("Change to [Communication mode],Yes?"));
        r != 0)
        return r;
    link.PortCloseIfFree();
    ctx.message(ctx.pick(QStringLiteral("通信モードに変更されました。"), QStringLiteral("Changed [Communication mode].")));
    return 0;
}

int GetVersionNo(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    l.TusinTimeout = 5000;
    const int r = link.SendCmdWaitReply(QStringLiteral("0RV"), 11, QString());
    if (r == kLinkBusy) return r;
    if (r == 0) {
        l.CtVersion = l.RecvLine.mid(3, 3);
        link.display().setStatusPanel(1, ctx.res(499) + l.CtVersion);
        link.PortCloseIfFree();
        return 0;
    }
    link.display().setStatusPanel(1, ctx.res(498));
    if (l.RecvLine.startsWith(QLatin1String("0%%")) && link.port().isOpen()) {
        l.TusinTimeout = 5000;
        link.SendCmdWaitReply(QStringLiteral("0%C"), 16, QString());
    }
    link.PortCloseIfFree();
    return 1;
}

int CtVersionHyoji(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (link.PortCheckOpen() != 0) return 1;
    if (const int r = link.CtCommModeOn(); r != 0) {
        if (r == kLinkBusy) return r;
        link.PortCloseIfFree();
        return 1;
    }
    const int r = GetVersionNo(link);
    if (r == kLinkBusy) return r;
    if (r == 0) {
        ctx.message(ctx.res(601) + ctx.link.CtVersion + ctx.res(602));
        link.PortCloseIfFree();
        return 0;
    }
    ctx.message(ctx.res(600));
    return 1;
}

void ErrorCheck2(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    const QString reply = ctx.link.CtErrorReply;
    const QString code = reply.left(5);
    link.display().setAlarmNo(reply.mid(3, 2));
    link.display().setAlarmLamp(true);
    struct Entry {
        const char* code;
        const char* en;
        const char* jp;
    };
    static const Entry table[] = {
        {"0%%00", "No Error", "No Error"},
        {"0%%01", "Communication command error", "通信コマンドエラー"},
        {"0%%02", "Invalid value in communication data", "通信データの数値不適当"},
        {"0%%03", "Communication data length error", "通信データ長エラー"},
        {"0%%04", "EEPROM reading error", "EEPROM読み取りエラー"},
        {"0%%05", "EEPROM writing error", "EEPROM書き込みエラー"},
        {"0%%06", "Invalid data for VEL command", "速度指令データ不適当"},
        {"0%%07", "Invalid data for ACC command", "加速度指令データ不適当"},
        {"0%%08", "Value of moving command exceeds the allowance", "移動指令値が許容長さを越えています"},
        {"0%%09", "Sensor activated at stopping point", "停止位置でセンサが作動"},
        {"0%%0A", "Output pulse can not match", "掃出パルス数不一致"},
        {"0%%0B", "Unable to detect the home sensor", "原点センサが確認できません"},
        {"0%%0E", "Commnnication fault", "通信ができません"},
    };
    for (const Entry& e : table) {
        if (code == QLatin1String(e.code)) {
            link.display().setErrorComment(ctx.pick(QString::fromUtf8(e.jp), QString::fromUtf8(e.en)));
            return;
        }
    }
}

} // namespace rer
