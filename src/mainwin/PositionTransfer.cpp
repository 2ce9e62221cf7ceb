#include "app/AppContext.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/PosiFile.h"
#include "link/ControllerLink.h"
#include "link/TextHelpers.h"
#include "link/TransferProgress.h"
#include "link/Transfers.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"

#include <cmath>
#include <vector>

namespace rer {

namespace {

constexpr int kFieldWidths[11] = {1, 1, 1, 5, 1, 1, 1, 5, 1, 1, 1};
constexpr int kWriteLineLength = 25;

std::array<QString, 400>& LinesOf(AppContext& ctx, Product p) {
    return p == Product::TwoAxis ? ctx.link.CtLine : ctx.link.W3kCtLine;
}

void CommitPending(AppContext& ctx) {
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
}

QString PositionSeparator() { return QStringLiteral("、"); }

// Builds the write lines of the range into the line buffer. Positions whose
// fields cannot go on the line are listed in `bad`; then nothing is kept.
bool BuildWriteLines(AppContext& ctx, Product p, QString& bad) {
    auto& buf = LinesOf(ctx, p);
    const auto& ng = ctx.pos.of(p).PosiNgRow;
    const QString sep = ctx.opt.LanguageNo == 1 ? QStringLiteral("、") : QStringLiteral(",");
    std::vector<std::pair<int, QString>> lines;
    for (int r = ctx.pos.PosiRangeStart; r <= ctx.pos.PosiRangeEnd; ++r) {
        if (ng[size_t(r - 1)]) continue;
        const std::optional<QString> line = PosiWriteLine(ctx, p, r);
        if (line)
            lines.emplace_back(r, *line);
        else
            bad += QString::number(r) + sep;
    }
    if (!bad.isEmpty()) return false;
    for (auto& [r, line] : lines) buf[size_t(r - 1)] = std::move(line);
    return true;
}

void RefuseInvalidPositions(AppContext& ctx, const QString& list) {
    ctx.message(ctx.pick(QStringLiteral("データがないか、不正なデータが含まれている箇所があります。\r\n"
                                        "以下に示す位置Noのデータを確認してから再度行って下さい。\r\n"
                                        "ポジションNo,") + list,
                         QStringLiteral("No data or invalid data in some position No. .\r\n"
                                        "Confirm the Position data indicated below, and tyr it again.\r\n"
                                        " Position No.") + list + QStringLiteral(".")));
}

// PosiKakikomimaeParaCheck / W3kPosiKakikomimaeParaCheck: reads the STROKE
// parameter of both axes and refuses positions 1 to 399 beyond them (in
// pulses, whatever the display unit). 0 go on with the port open, 1 stop.
int SoftLimitCheck(AppContext& ctx, ControllerLink& link, TransferProgress& bar, Product p) {
    LinkState& l = ctx.link;
    bar.setMaximum(2);
    bar.setSetumei(ctx.pick(QStringLiteral("通信チェック実行中"), QStringLiteral("Communication checking...")));
    auto stop = [&] {
        bar.Unload();
        link.PortCloseIfFree();
        return 1;
    };
    if (link.PortCheckOpen() != 0) return stop();
    if (const int r = link.CtCommModeOn(); r != 0) return r == kLinkBusy ? 1 : stop();
    if (l.TusinError) {
        l.TusinError = false;
        return stop();
    }
    auto& limits = p == Product::TwoAxis ? ctx.posJob.StrokeSoftLimit : ctx.posJob.W3kStrokeSoftLimit;
    for (int k = 0; k < 2; ++k) {
        l.TusinTimeout = 5000;
        if (link.SendCmdWaitReply(QStringLiteral("0RD"), 38, k == 0 ? QStringLiteral("0") : QStringLiteral("4")) != 0)
            return stop();
        const std::optional<int> v = HexValue(l.RecvLine.mid(18, 6));
        if (!v || l.RecvLine.mid(18, 6).size() != 6) {
            l.TusinError = true;
            ctx.message(ReceivingDataWrongText(ctx));
            return stop();
        }
        limits[size_t(k)] = *v;
        bar.setValue(k + 1);
    }

    // Every position of the table, whatever the range to write: in pulses,
    // from the table for the range the check has just taken in, from the
    // grid for the positions outside it.
    const PositionGrid& g = ctx.grid.of(p);
    const auto& data = ctx.pos.of(p).PosiData;
    const auto& ng = ctx.pos.of(p).PosiNgRow;
    const auto& axis = ctx.dev.axes(p);
    const int axes = AxesOf(p);
    auto pulses = [&](int r, int a) {
        if (r >= ctx.pos.PosiRangeStart && r <= ctx.pos.PosiRangeEnd)
            return data[size_t(r)][size_t(a == 0 ? 3 : 7)].toNumber();
        const double shown = LeadingNumber(g.text(r, a == 0 ? 4 : 8).trimmed());
        return ctx.opt.DispMmUnit ? MmToPls(shown, axis[size_t(a)].Lead, axis[size_t(a)].PPR) : shown;
    };
    QString list;
    for (int r = 1; r <= 399; ++r) {
        if (ng[size_t(r - 1)]) continue;
        bool over = false;
        for (int a = 0; a < axes; ++a)
            over = over || RoundDecimal(pulses(r, a), 0, HalfRule::ToEven) > double(limits[size_t(a)]);
        if (over) list += QString::number(r) + PositionSeparator();
    }
    if (list.isEmpty()) return 0;
    ctx.message(ctx.pick(QStringLiteral("以下に示す位置データの値が、パラメーター（ストローク長）を超えています。\r\n"
                                        "値を確認し､再度実行してください｡\r\n<位置No.") + list + QStringLiteral(">"),
                         QStringLiteral("Some position data exceed the soft limit in the Parameter(Stroke).\r\n"
                                        "Confirm the position data indicated bellow, and try it again.\r\n"
                                        " <Position No. ") + list + QStringLiteral(">")));
    return stop();
}

// WritePosidataToCt / W3kWritePosidataToCt: the lines of the range, each
// echoed whole. True when every line went out and came back.
bool WriteLines(AppContext& ctx, ControllerLink& link, TransferProgress& bar, Product p) {
    LinkState& l = ctx.link;
    const auto& buf = LinesOf(ctx, p);
    const auto& ng = ctx.pos.of(p).PosiNgRow;
    const int start = ctx.pos.PosiRangeStart, end = ctx.pos.PosiRangeEnd;
    bar.setMaximum(end - start + 1);
    bar.setSetumei(ctx.pick(QStringLiteral("データをコントローラへ転送しています"),
                            QStringLiteral("Sending Data to the controller...")));
    l.TusinError = false;
    l.TusinTimeout = 5000;
    int handled = 0;
    for (int r = start; r <= end; ++r) {
        if (!ng[size_t(r - 1)]) {
            const QString& line = buf[size_t(r - 1)];
            if (link.SendCmdWaitReply(line, 27, QString()) != 0) {
                l.TusinError = true; // also after a stop
                link.PortCloseIfFree();
                bar.Unload();
                return false;
            }
            if (l.RecvLine.left(kWriteLineLength) != line) {
                link.PortCloseIfFree();
                bar.Unload();
                l.TusinError = true;
                ctx.message(ctx.pick(QStringLiteral("通信データエラー！\r\n通信データのデータに異常が検出されました"),
                                     QStringLiteral("Communication error occurs!\r\ntransmit data is wrong")));
                return false;
            }
        }
        bar.setValue(++handled);
    }
    bar.Unload();
    link.PortCloseIfFree();
    return true;
}

} // namespace

std::optional<QString> PosiWriteLine(const AppContext& ctx, Product p, int n) {
    if (n < 1 || n > 399) return std::nullopt;
    const auto& row = ctx.pos.of(p).PosiData[size_t(n)];
    QString line = QStringLiteral("0WP") + HexText(n, 3);
    for (int c = 0; c <= 10; ++c) {
        const Value& v = row[size_t(c)];
        if (v.isEmpty() || (v.isText() && !HasLeadingNumber(v.toText()))) return std::nullopt;
        const double x = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
        const int w = kFieldWidths[c];
        if (!std::isfinite(x) || x < 0 || x > std::pow(16.0, w) - 1) return std::nullopt;
        line += HexText(int32_t(x), w);
    }
    return line;
}

bool PosidataLoadtoCtProc(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p) {
    // The write holds the controller from its first question: refused, it
    // asks nothing.
    ControllerJob job(&link, nullptr);
    if (!job) return false;
    CommitPending(ctx);
    host.SelectRange();
    if (ctx.pos.SelectPosiCancel) {
        ctx.pos.SelectPosiCancel = false;
        return false;
    }
    if (ctx.pos.PosiRangeEnd == 399 && ctx.grid.of(p).Rows() != kPosiRows) {
        ctx.message(ctx.pick(QStringLiteral("位置ﾃﾞｰﾀの行がNo.399までありません。\r\n"
                                            "行数が399になるよう行を挿入してから実行して下さい。"),
                             QStringLiteral("There are not 399 rows in the grid.\r\n"
                                            "Try again after inserting lines to 399.")));
        return false;
    }
    PosiDataCheck(ctx, p);
    if (ctx.main.PosiDataCheckError) return false;
    QString bad;
    if (!BuildWriteLines(ctx, p, bad)) {
        RefuseInvalidPositions(ctx, bad);
        return false;
    }
    if (ctx.message(ctx.pick(QStringLiteral("データをコントローラーに転送します。よろしいですか？"),
                             QStringLiteral("Data is transmitted to controller,Yes?")),
                    MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;

    TransferProgress bar(link, 2, QString());
    if (SoftLimitCheck(ctx, link, bar, p) != 0) return false;
    if (!WriteLines(ctx, link, bar, p)) return false;
    ctx.message(ctx.pick(QStringLiteral("データの転送が終了しました"), QStringLiteral("Completed data transmit.")));
    return true;
}

void PosidataLoadtoCt(AppContext& ctx, ControllerLink& link, PositionHost& host) {
    ControllerJob job(&link, nullptr);
    if (!job) return;
    host.CommandsOff();
    PosidataLoadtoCtProc(ctx, link, host, ctx.opt.product());
    host.CommandsOn();
    host.window().FocusDummy();
}

// ---- Read

int ReadPosidataFromCt(ControllerLink& link, Product p) {
    AppContext& ctx = link.ctx();
    LinkState& l = ctx.link;
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    auto& buf = LinesOf(ctx, p);
    const int start = std::max<int>(ctx.pos.PosiRangeStart, 1);
    const int end = std::min<int>(ctx.pos.PosiRangeEnd, 399);
    TransferProgress bar(link, end - start + 2,
                         ctx.pick(QStringLiteral("コントローラからデータを読み込んでいます…"),
                                  QStringLiteral("Reading data from controller...")));
    auto refuse = [&] {
        l.TusinError = true;
        ctx.message(ReceivingDataWrongText(ctx));
        return 1;
    };
    int k = 0;
    for (int n = start; n <= end; ++n) {
        l.TusinTimeout = 5000;
        const QString number = HexText(n, 3);
        const bool failed = link.SendCmdWaitReply(QStringLiteral("0RP"), 27, number) != 0;
        if (failed || !RepliesTo(l.RecvLine, QStringLiteral("0RP"), number)) {
            // A reply to another position came after its time-out.
            link.PortCloseIfFree();
            bar.Unload();
            return failed ? 1 : refuse();
        }
        buf[size_t(n - 1)] = l.RecvLine;
        bar.setValue(k++);
    }
    bar.Unload();
    link.PortCloseIfFree();

    // Decoded into a scratch table: the received table changes only when
    // every field of every reply is hexadecimal.
    PosiFileTable fresh = ctx.pos.of(p).PosiFileData;
    for (int n = start; n <= end; ++n) {
        const QString& reply = buf[size_t(n - 1)];
        if (reply.size() < kWriteLineLength) return refuse();
        auto& row = fresh[size_t(n)];
        int at = 6;
        for (int c = 0; c <= 10; ++c) {
            const int w = kFieldWidths[c];
            const std::optional<int> v = HexValue(reply.mid(at, w));
            if (!v) return refuse();
            row[size_t(c + 1)] = Value::number(*v);
            at += w;
        }
    }
    ctx.pos.of(p).PosiFileData = std::move(fresh);
    return 0;
}

bool IsPosiDataExist(AppContext& ctx, Product p) {
    bool any = false;
    const auto& data = ctx.pos.of(p).PosiData;
    for (int r = 1; r < kPosiRows && !any; ++r)
        for (int c = 0; c <= 10 && !any; ++c) any = !data[size_t(r)][size_t(c)].isEmpty();
    ctx.main.DataAriFlg = any;
    return any;
}

bool PosidataGetfromCtProc(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p) {
    ControllerJob job(&link, nullptr);
    if (!job) return false;
    CommitPending(ctx);
    ctx.main.DataAriFlg = false;
    // Edits typed since the last check are data too.
    if (IsPosiDataExist(ctx, p) || ctx.grid.of(p).Tag == kDataChange) {
        const MsgAnswer a = ctx.message(ctx.pick(QStringLiteral("データを読み込む前に、現在編集中のデータを保存しますか？"),
                                                 QStringLiteral("Save the editing data before reading data?")),
                                        MsgButtons::YesNoCancel, MsgIcon::Question);
        if (a == MsgAnswer::Cancel) return false;
        if (a == MsgAnswer::Yes && !PosiSaveAsCmd(ctx, host)) return false;
    }
    if (ctx.message(ctx.pick(QStringLiteral("コントローラからデータを読み込みますか？"),
                             QStringLiteral("Read the data from controller, OK?")),
                    MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    ctx.pos.PosiRangeStart = 1;
    ctx.pos.PosiRangeEnd = 399;
    if (ReadPosidataFromCt(link, p) != 0) return false;
    PosiFileToEdit(ctx, p);
    PosiTblPlsToMm(ctx, p);
    KzDataHyoji(ctx, p);
    ctx.main.TitleOfShowFile = ctx.pick(QStringLiteral("ｺﾝﾄﾛｰﾗ内ﾃﾞｰﾀ"), QStringLiteral("Inside of C/T"));
    ctx.posJob.ShownFilePath.clear();
    host.SetFileLabel(ctx.main.TitleOfShowFile);
    link.PortCloseIfFree();
    return true;
}

void PosidataGetfromCt(AppContext& ctx, ControllerLink& link, PositionHost& host) {
    ControllerJob job(&link, nullptr);
    if (!job) return;
    host.CommandsOff();
    PosidataGetfromCtProc(ctx, link, host, ctx.opt.product());
    host.CommandsOn();
    host.window().FocusDummy();
}

} // namespace rer
