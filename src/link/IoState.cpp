#include "link/IoState.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/TextHelpers.h"
#include "link/Transfers.h"

namespace rer {

namespace {
constexpr int kWeights[4] = {8, 4, 2, 1};
}

void IoDigitToBits(QChar c, std::array<bool, 4>& bits) {
    const int v = HexValue(QString(c)).value_or(0);
    for (int b = 0; b < 4; ++b) bits[b] = (v & kWeights[b]) == kWeights[b];
}

QString OutputLine(const LinkState::IoLampTable& out) {
    QString line = QStringLiteral("0WO");
    for (const auto& digit : out) {
        int sum = 0;
        for (int b = 0; b < 4; ++b)
            if (digit[b]) sum += kWeights[b];
        line += HexText(sum, 1);
    }
    return line;
}

int ReadIoState(ControllerLink& link) {
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    LinkState& l = link.state();
    l.CtLine[0].clear();
    l.CtLine[1].clear();
    l.TusinTimeout = 1000;
    for (int k = 0; k < 2; ++k) {
        const int r = link.SendCmdWaitReply(k == 0 ? QStringLiteral("0RI") : QStringLiteral("0RO"), 11, QString());
        if (r == kLinkBusy) return r;
        if (r != 0) {
            link.PortCloseIfFree();
            return 1;
        }
        l.CtLine[k] = l.RecvLine;
    }
    for (int k = 0; k < 2; ++k) {
        auto& table = k == 0 ? l.IoInput : l.IoOutput;
        for (int d = 0; d < 6; ++d) IoDigitToBits(l.CtLine[k][3 + d], table[d]);
    }
    l.IoYomikomiTyu = false;
    return 0;
}

int WriteOutputState(ControllerLink& link) {
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    for (int d = 0; d < 6; ++d)
        for (int b = 0; b < 4; ++b)
            if (l.IoOutputReq[d][b]) {
                l.IoOutput[d][b] = !l.IoOutput[d][b];
                l.IoOutputReq[d][b] = false;
            }
    const QString line = OutputLine(l.IoOutput);
    l.CtLine[0] = line;
    l.TusinTimeout = 5000;
    const int r = link.SendCmdWaitReply(line, 11, QString());
    if (r == kLinkBusy) return r;
    if (r != 0) {
        link.PortCloseIfFree();
        return 1;
    }
    const bool echoed = l.RecvLine.left(9) == line;
    if (!echoed) {
        link.PortCloseIfFree();
        l.TusinError = true;
        ctx.message(ReceivingDataWrongText(ctx));
    }
    l.OutputHenkoAri = false;
    link.PortCloseIfFree();
    return echoed ? 0 : 1;
}

} // namespace rer
