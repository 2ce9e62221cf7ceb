#include "link/Transfers.h"

#include "app/AppContext.h"
#include "files/ParaFile.h"
#include "files/ParaRows.h"
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"
#include "link/TextHelpers.h"
#include "link/TransferProgress.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace rer {

namespace {

using LineBuffer = std::array<QString, 400>;

// ---- Parameter block layouts

// One field of a parameter block: first character (from 1), width, row of
// the parameter table.
struct BlockField {
    int at;
    int width;
    int row;
};

constexpr int kParaLines = 7;
constexpr int kParaLineLength = 36;

// The fields of line index 0..6 that the product has, by their place on
// the line.
std::vector<BlockField> BlockLayout(int index, Product p) {
    std::vector<BlockField> fields;
    for (const ParaRowDef& d : kParaRows) {
        if (!d.in(p)) continue;
        for (int axis = 0; axis < (d.perAxis() ? 2 : 1); ++axis)
            if (d.wireLine(axis) == index) fields.push_back({d.wire.at, d.wire.width, d.row});
    }
    std::sort(fields.begin(), fields.end(), [](const BlockField& a, const BlockField& b) { return a.at < b.at; });
    return fields;
}

// Table column (and record element) of a line index.
int BlockAxis(int index) { return index >= 3 && index <= 5 ? 1 : 0; }

LineBuffer& LinesOf(LinkState& l, Product p) { return p == Product::TwoAxis ? l.CtLine : l.W3kCtLine; }

// The whole number a value holds, halves to even; none when it has no number.
std::optional<double> WholeNumberOf(const Value& v) {
    if (v.isEmpty()) return std::nullopt;
    if (v.isText() && !HasLeadingNumber(v.toText())) return std::nullopt;
    const double n = std::nearbyint(v.toNumber());
    if (!std::isfinite(n)) return std::nullopt;
    return n;
}

bool IsUpperHex(QStringView s) {
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F'))) return false;
    }
    return true;
}

// ---- Messages

QString ReadingText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("コントローラからデータを読み込んでいます…"),
                    QStringLiteral("Reading data from the controller..."));
}

QString SendingText(const AppContext& ctx, bool dots) {
    return ctx.pick(QStringLiteral("データをコントローラへ転送しています"),
                    dots ? QStringLiteral("Sending data to the controller...")
                         : QStringLiteral("Sending data to the controller."));
}

// A value that cannot go on the line: nothing is sent.
int RefuseValue(AppContext& ctx, const LineOrItem& bad) {
    ctx.link.TusinError = true;
    ctx.message(ctx.pick(QStringLiteral("コントローラへ送信できない値があります。\r\n"),
                         QStringLiteral("A value cannot be sent to the controller.\r\n")) +
                bad.badItem + QStringLiteral(" = ") + bad.badValue);
    return 1;
}

// Builds lines 0..count-1 of a write into the buffer, each checked before
// any is kept. On a refusal the elements are emptied: no older lines stay
// there to be sent for this table.
int BuildWriteLines(AppContext& ctx, LineBuffer& buf, int count, const std::function<LineOrItem(int)>& make) {
    std::vector<QString> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        LineOrItem r = make(i);
        if (r.line.isEmpty()) {
            std::fill_n(buf.begin(), count, QString());
            return RefuseValue(ctx, r);
        }
        lines.push_back(std::move(r.line));
    }
    std::move(lines.begin(), lines.end(), buf.begin());
    return 0;
}

using Progress = TransferProgress;

// ---- The two halves of every transfer

struct ReadPlan {
    LineBuffer& buf;
    int count;
    QString command;
    std::function<QString(int)> data;   // request data of line i
    int replyLength;
    int timeout;
    int barMax;
    int barOffset;                      // bar value after line i: i + barOffset
};

// A reply that is not the answer to its request (block, group or macro
// number after the echo), or whose fields cannot be decoded: the read fails,
// nothing is kept.
int RefuseReply(ControllerLink& link) {
    link.state().TusinError = true;
    link.ctx().message(ReceivingDataWrongText(link.ctx()));
    return 1;
}

// Sends the requests and keeps the replies in buf[0..count-1]. 1 after a
// failed exchange or a reply to another request (one that came after its
// time-out): port closed when free, progress window unloaded.
int ExchangeReads(ControllerLink& link, const ReadPlan& plan) {
    LinkState& l = link.state();
    for (int i = 0; i < plan.count; ++i) plan.buf[static_cast<size_t>(i)].clear();
    Progress bar(link, plan.barMax, ReadingText(link.ctx()));
    for (int i = 0; i < plan.count; ++i) {
        l.TusinTimeout = plan.timeout;
        const QString data = plan.data(i);
        const int r = link.SendCmdWaitReply(plan.command, plan.replyLength, data);
        if (r == kLinkBusy) return r;
        const bool failed = r != 0;
        if (failed || !RepliesTo(l.RecvLine, plan.command, data)) {
            link.PortCloseIfFree();
            bar.Unload();
            return failed ? 1 : RefuseReply(link);
        }
        plan.buf[static_cast<size_t>(i)] = l.RecvLine;
        bar.setValue(i + plan.barOffset);
    }
    bar.Unload();
    link.PortCloseIfFree();
    return 0;
}

struct WritePlan {
    LineBuffer& buf;
    int count;
    int replyLength;     // of a line; the commit's is 6
    QChar commitDigit;
    int timeout;
    bool dots;           // "Sending data to the controller..." or "...controller."
};

// The bad-echo path: nothing more is sent, no commit.
void BadEcho(ControllerLink& link) {
    link.PortCloseIfFree();
    RefuseReply(link);
}

// Sends buf[0..count-1], each echoed whole, then "0WE" + the digit.
int SendWrites(ControllerLink& link, const WritePlan& plan) {
    LinkState& l = link.state();
    Progress bar(link, plan.count + 1, SendingText(link.ctx(), plan.dots));
    l.TusinTimeout = plan.timeout;
    for (int k = 0; k <= plan.count; ++k) {
        const bool commit = k == plan.count;
        const QString line = commit ? QStringLiteral("0WE") + plan.commitDigit : plan.buf[static_cast<size_t>(k)];
        const int result = commit ? link.SendCmdWaitReply(QStringLiteral("0WE"), 6, QString(plan.commitDigit))
                                  : link.SendCmdWaitReply(line, plan.replyLength, QString());
        if (result == kLinkBusy) return result;
        if (result != 0) {
            link.PortCloseIfFree();
            bar.Unload();
            return 1;
        }
        if (l.RecvLine.left(line.size()) != line) {
            BadEcho(link);
            bar.Unload();
            link.PortCloseIfFree();
            return 1;
        }
        bar.setValue(k + 1);
    }
    bar.Unload();
    link.PortCloseIfFree();
    return 0;
}

} // namespace

bool RepliesTo(const QString& reply, const QString& command, const QString& data) {
    return reply.startsWith(command) && QStringView(reply).mid(command.size(), data.size()) == data;
}

QString ReceivingDataWrongText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("通信データエラー！\r\n通信データのデータに異常が検出されました"),
                    QStringLiteral("Communication error occurs!\r\nReceiving data is wrong!"));
}

// ---- Parameters

char ParaBlockDigit(int index) {
    static constexpr char kDigits[kParaLines] = {'0', '1', '2', '4', '5', '6', '8'};
    return index >= 0 && index < kParaLines ? kDigits[index] : '?';
}

LineOrItem ParaWriteLine(const ParaRecord& rec, Product p, int index) {
    LineOrItem r;
    const int axis = BlockAxis(index);
    QString line = QStringLiteral("0WD") + QLatin1Char(ParaBlockDigit(index)) + QString(32, QLatin1Char('0'));
    for (const BlockField& f : BlockLayout(index, p)) {
        const Value v = ParaRecordValue(rec, f.row, axis);
        const std::optional<double> n = WholeNumberOf(v);
        const std::optional<int32_t> field = n ? ParaWireNumber(*ParaRowAt(f.row), *n) : std::nullopt;
        if (!field) {
            r.badItem = ParaItemName(f.row, axis);
            r.badValue = v.toText();
            return r;
        }
        line.replace(f.at - 1, f.width, HexText(*field, f.width));
    }
    r.line = line;
    return r;
}

int MakeParaWriteLines(AppContext& ctx, Product p) {
    const ParaRecord& rec = ctx.para.of(p).rec;
    return BuildWriteLines(ctx, LinesOf(ctx.link, p), kParaLines,
                           [&rec, p](int i) { return ParaWriteLine(rec, p, i); });
}

int WriteParaToCt(ControllerLink& link, Product p) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    LinkState& l = link.state();
    LineBuffer& buf = LinesOf(l, p);
    // Only seven whole write lines of this record go out: lines refused by
    // MakeParaWriteLines (already told) or of another transfer are not sent.
    bool anyLine = false, allLines = true;
    for (int i = 0; i < kParaLines; ++i) {
        const QString& line = buf[static_cast<size_t>(i)];
        anyLine = anyLine || !line.isEmpty();
        allLines = allLines && line.size() == kParaLineLength &&
                   line.startsWith(QStringLiteral("0WD") + QLatin1Char(ParaBlockDigit(i))) &&
                   IsUpperHex(QStringView(line).mid(4));
    }
    if (!allLines) {
        l.TusinError = true;
        if (anyLine)
            ctx.message(ctx.pick(QStringLiteral("送信データに異常があります。"),
                                 QStringLiteral("The data to send is wrong.")));
        return 1;
    }
    const bool one = p == Product::OneAxis;
    return SendWrites(link, WritePlan{buf, kParaLines, 38, QLatin1Char('2'), one ? 5000 : 1000, false});
}

int W3kWriteParaToCt(ControllerLink& link) {
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (MakeParaWriteLines(link.ctx(), Product::OneAxis) == 1) return 1;
    return WriteParaToCt(link, Product::OneAxis);
}

int ReadParaFromCt(ControllerLink& link, Product p) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    LineBuffer& buf = LinesOf(ctx.link, p);
    const ReadPlan plan{buf, kParaLines, QStringLiteral("0RD"),
                        [](int i) { return QString(QLatin1Char(ParaBlockDigit(i))); },
                        38, 1000, kParaLines, 0};
    if (const int r = ExchangeReads(link, plan); r != 0) return r;

    // Decoded into a fresh table: a bad field leaves the parameters as they were.
    ParaFileTable fresh(ctx.para.of(p).ParaFileData.size());
    for (int i = 0; i < kParaLines; ++i) {
        const QString& reply = buf[static_cast<size_t>(i)];
        const auto col = static_cast<size_t>(BlockAxis(i));
        for (const BlockField& f : BlockLayout(i, p)) {
            const QString digits = reply.mid(f.at - 1, f.width);
            const std::optional<int> v = digits.size() == f.width ? HexValue(digits) : std::nullopt;
            if (!v) return RefuseReply(link);
            fresh[static_cast<size_t>(f.row)][col] = Value::number(*v);
        }
    }
    ctx.para.of(p).ParaFileData = std::move(fresh);
    return 0;
}

// ---- Group data

LineOrItem GrpWriteLine(int group, int start, int end) {
    LineOrItem r;
    const int values[2] = {start, end};
    for (int k = 0; k < 2; ++k) {
        if (values[k] < 0 || values[k] > 0xFFF) {
            r.badItem = QStringLiteral("GROUP%1 %2").arg(group).arg(k == 0 ? "START" : "END");
            r.badValue = QString::number(values[k]);
            return r;
        }
    }
    r.line = QStringLiteral("0WG") + HexText(group, 2) + HexText(start, 3) + HexText(end, 3);
    return r;
}

int WriteGrpDataToCt(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = link.state();
    const GrpTable& grp = ctx.grp.GrpData;
    const auto line = [&grp](int i) {
        const auto& g = grp[static_cast<size_t>(i + 1)];
        return GrpWriteLine(i + 1, g[0], g[1]);
    };
    // The line buffer is the running job's: taken before it is filled.
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (BuildWriteLines(ctx, l.CtLine, 99, line) == 1) return 1;
    return SendWrites(link, WritePlan{l.CtLine, 99, 13, QLatin1Char('3'), 5000, true});
}

int ReadGrpDataFromCt(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    LinkState& l = link.state();
    const ReadPlan plan{l.CtLine, 99, QStringLiteral("0RG"), [](int i) { return HexText(i + 1, 2); },
                        13, 5000, 98, 0};
    if (const int r = ExchangeReads(link, plan); r != 0) return r;

    GrpTable fresh = ctx.grp.GrpFileData; // the error marks stay
    for (int i = 0; i < 99; ++i) {
        const QString& reply = l.CtLine[static_cast<size_t>(i)];
        if (reply.size() < 11) return RefuseReply(link);
        const std::optional<int> start = HexValue(reply.mid(5, 3));
        const std::optional<int> end = HexValue(reply.mid(8, 3));
        if (!start || !end) return RefuseReply(link);
        fresh[static_cast<size_t>(i + 1)][0] = static_cast<int16_t>(*start);
        fresh[static_cast<size_t>(i + 1)][1] = static_cast<int16_t>(*end);
    }
    ctx.grp.GrpFileData = fresh;
    return 0;
}

// ---- Sequence macros

LineOrItem SmWriteLine(const SmTable& sm, int macro) {
    LineOrItem r;
    QString line = QStringLiteral("0WM") + QString::number(macro);
    const auto col = static_cast<size_t>(2 * (macro - 1));
    for (size_t s = 0; s < 16; ++s) {
        for (size_t k = 0; k < 2; ++k) {
            const int v = sm[s][col + k];
            if (v < 0 || v > 15) {
                r.badItem = QStringLiteral("SM%1 STEP%2 %3").arg(macro).arg(s + 1).arg(k == 0 ? "CMD" : "DATA");
                r.badValue = QString::number(v);
                return r;
            }
            line += HexText(v, 1);
        }
    }
    r.line = line;
    return r;
}

int WriteSmDataToCt(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    LinkState& l = link.state();
    const SmTable& sm = ctx.sm.SmData;
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    if (BuildWriteLines(ctx, l.CtLine, 9, [&sm](int i) { return SmWriteLine(sm, i + 1); }) == 1) return 1;
    return SendWrites(link, WritePlan{l.CtLine, 9, 38, QLatin1Char('1'), 1000, true});
}

int ReadSmDataFromCt(ControllerLink& link) {
    AppContext& ctx = link.ctx();
    ControllerJob job(&link, nullptr);
    if (!job) return kLinkBusy;
    LinkState& l = link.state();
    const ReadPlan plan{l.CtLine, 9, QStringLiteral("0RM"), [](int i) { return QString::number(i + 1); },
                        38, 1000, 9, 1};
    if (const int r = ExchangeReads(link, plan); r != 0) return r;

    SmTable fresh = ctx.sm.SmFileData; // step 16 and column 18 stay
    for (size_t i = 0; i < 9; ++i) {
        const QString& reply = l.CtLine[i];
        for (size_t s = 0; s < 16; ++s) {
            for (size_t k = 0; k < 2; ++k) {
                const std::optional<int> v = HexValue(reply.mid(static_cast<qsizetype>(4 + 2 * s + k), 1));
                if (!v) return RefuseReply(link);
                fresh[s][2 * i + k] = static_cast<int16_t>(*v);
            }
        }
    }
    ctx.sm.SmFileData = fresh;
    return 0;
}

} // namespace rer
