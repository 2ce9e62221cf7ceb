#include "link/HomeMove.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"
#include "link/TextHelpers.h"

namespace rer {

namespace {

int homeReturn(ControllerLink& link, int32_t linkCheckTimeout) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    // Refused before anything changes: the running job's port, time-out and
    // home flag stay as they are.
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    l.TusinTimeout = linkCheckTimeout;
    if (const int r = link.SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("000")); r != 0) {
        if (r == kLinkBusy) return r;
        link.PortCloseIfFree();
        return 1;
    }
    if (l.RecvLine.startsWith(QLatin1String("0MP000"))) {
        ctx.opt.HomeDone = true;
        link.display().setHomeLamp(true);
    }
    l.TusinTimeout = 5000;
    if (const int r = link.SendCmdWaitReply(QStringLiteral("0RO"), 11, QString()); r != 0) return r;
    link.display().setHomeLamp(true);
    const QChar out = l.RecvLine.size() > 8 ? l.RecvLine[8] : QChar();
    if (MoveDisplay* m = link.moveDisplay()) {
        if (out >= QLatin1Char('0') && out <= QLatin1Char('3')) {
            const int v = out.unicode() - u'0';
            m->setOutLamp(1, (v & 1) != 0);
            m->setOutLamp(2, (v & 2) != 0);
        }
        m->setKanryoNo(QStringLiteral("H0"));
    }
    return 0;
}

} // namespace

int HomeReturnMove(ControllerLink& link) { return homeReturn(link, 30000); }

int HomeReturnMoveNoTimeout(ControllerLink& link) { return homeReturn(link, 0); }

int ReadHomeState(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    ctx.opt.HomeDone = false;
    l.TusinTimeout = 5000;
    if (const int r = link.SendCmdWaitReply(QStringLiteral("0RH"), 6, QString()); r != 0) {
        if (r == kLinkBusy) return r;
        link.PortCloseIfFree();
        return -1;
    }
    const QString c = l.RecvLine.mid(3, 1);
    if (c == QLatin1String("1")) {
        ctx.opt.HomeDone = true;
        link.display().setHomeLamp(true);
        return 1;
    }
    if (c == QLatin1String("0")) link.display().setHomeLamp(false);
    return 0;
}

int MovePosiNo(ControllerLink& link, int posiNo) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (posiNo < 0 || posiNo > 399) {
        ctx.link.TusinError = true;
        ctx.message(ctx.pick(QStringLiteral("ポジションNoは0～399で指定してください。"),
                             QStringLiteral("The position number must be 0 to 399.")));
        return 1;
    }
    ctx.link.TusinTimeout = 5000;
    const int r = link.SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, HexText(posiNo, 3));
    return r == 0 || r == kLinkBusy ? r : 1;
}

} // namespace rer
