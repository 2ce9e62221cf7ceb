#include "motion/Teaching.h"

#include "app/AppContext.h"
#include "app/DeviceSettings.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/Value.h"
#include "link/ControllerLink.h"
#include "link/HomeMove.h"
#include "link/TextHelpers.h"
#include "mainwin/PositionEditor.h"


namespace rer {

namespace {
constexpr uint32_t kSelectedRow = 0xFFFFC0; // light yellow
constexpr int kMainPosiCol[2] = {4, 8};

// The text in 7 characters, right-aligned; as it is when longer.
QString Pad7(const QString& t) { return PadRight(t, 7).value_or(t); }
} // namespace

QString PulseFeedRecord(const AxisFeed& a1, const AxisFeed& a2) {
    QString r;
    for (const AxisFeed* a : {&a1, &a2})
        r += HexText(a->vel, 2) + HexText(a->acc, 1) + (a->move ? QStringLiteral("1") : QStringLiteral("0")) +
             HexText(a->target, 5);
    return r + QStringLiteral("000");
}

AxisFeed StepTarget(int32_t p, int32_t max, int m, bool forward) {
    AxisFeed f;
    f.move = true;
    if (m == 1) {
        if (forward) {
            if (p >= max) {
                f.move = false;
                f.target = 0;
            } else {
                f.target = p + 1;
            }
        } else {
            f.target = p <= 1 ? 0 : p - 1;
        }
    } else if (forward) {
        f.target = max - p > m ? p + m : max;
    } else {
        f.target = p <= m ? 0 : p - m;
    }
    return f;
}

QString PositionReadOut(int32_t pulses, bool mm, int lead, int ppr) {
    if (!mm) return QString::number(pulses);
    // Rounded as the grid rounds the same position.
    return PositionText(PlsToMm(double(pulses), lead, ppr), true);
}

JogTeach::JogTeach(AppContext& ctx, Product p, TeachView& view)
    : ctx_(ctx), product_(p), view_(view), list_(400, p == Product::TwoAxis ? 3 : 2) {}

ControllerLink* JogTeach::link() const { return ctx_.link.ct; }

// A command of the window that talks to the controller: counted while it
// runs, so that the window does not close under it.
class JogTeach::Command {
public:
    explicit Command(JogTeach& t) : t_(t) {
        if (++t_.running_ == 1) t_.view_.runningChanged();
    }
    ~Command() {
        if (--t_.running_ == 0) t_.view_.runningChanged();
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    JogTeach& t_;
};
PositionGrid& JogTeach::mainGrid() const { return ctx_.grid.of(product_); }

QString JogTeach::listHeader(int axis) const {
    const bool mm = ctx_.opt.DispMmUnit;
    if (axis == 0)
        return mm ? ctx_.pick(QStringLiteral("1軸(mm)"), QStringLiteral("Axis1(mm)"))
                  : ctx_.pick(QStringLiteral("1軸(ﾊﾟﾙｽ)"), QStringLiteral("Axis1(PLS)"));
    return mm ? ctx_.pick(QStringLiteral("2軸(mm)"), QStringLiteral("Axis2(mm)"))
              : ctx_.pick(QStringLiteral("2軸(ﾊﾟﾙｽ)"), QStringLiteral("Axis2(PLS)"));
}

QString JogTeach::readOutTitle() const {
    return ctx_.opt.DispMmUnit ? ctx_.pick(QStringLiteral("現在値(mm)"), QStringLiteral("Present Position(mm)"))
                               : ctx_.pick(QStringLiteral("現在値(ﾊﾟﾙｽ)"), QStringLiteral("Present Position(PLS)"));
}

void JogTeach::Form_Load() {
    // Text still in the main grid's editor belongs to the table first.
    if (ctx_.grid.commitPendingEdit) ctx_.grid.commitPendingEdit();
    PositionGrid& g = mainGrid();
    {
        PositionGrid::Hidden hide(list_);
        list_.setRowHeight(0, 300);
        for (int r = 1; r < 400; ++r) {
            list_.setRowHeight(r, 250);
            list_.setText(r, 0, QString::number(r));
            for (int a = 0; a < axes(); ++a) list_.setText(r, 1 + a, g.text(r, kMainPosiCol[a]));
        }
        list_.setColWidth(0, 400);
        for (int c = 0; c < list_.Cols(); ++c) {
            if (c > 0) list_.setColWidth(c, 1000);
            list_.setColAlignment(c, PositionGrid::Align::Centre);
        }
        list_.setText(0, 0, QStringLiteral("No."));
        for (int a = 0; a < axes(); ++a) list_.setText(0, 1 + a, listHeader(a));
        colourRows(1);
        list_.setCurrent(1, 1);
    }
    view_.setPosiNoText(QStringLiteral("1"));
    view_.setJogControlsEnabled(false);
    view_.setStartEnabled(true);
    Tuusintyuu = false;
    JogChange = false;
    LoadTeachSetting(ctx_);
}

void JogTeach::colourRows(int selected) {
    for (int r = 1; r < 400; ++r)
        for (int c = 1; c < list_.Cols(); ++c)
            list_.setCellBackColor(r, c, r == selected ? kSelectedRow : PositionGrid::kWindowColour);
}

int JogTeach::ReadDispPOS() {
    ControllerLink* l = link();
    if (!l) return 1;
    ControllerJob job(l, this);
    if (!job) return kLinkBusy;
    ctx_.link.TusinTimeout = 5000;
    if (const int r = l->SendCmdWaitReply(QStringLiteral("0RC"), 15, QString()); r != 0) return r;
    const QString& line = ctx_.link.RecvLine;
    DispPOS[0] = HexValue(line.mid(3, 5)).value_or(0);
    DispPOS[1] = HexValue(line.mid(8, 5)).value_or(0);
    for (int a = 0; a < axes(); ++a) {
        const AxisActuator& act = ctx_.dev.axes(product_)[size_t(a)];
        view_.setPosiText(a, PositionReadOut(DispPOS[size_t(a)], ctx_.opt.DispMmUnit, act.Lead, act.PPR));
    }
    return 0;
}

int JogTeach::ReadMaxstrokePls() {
    ControllerLink* l = link();
    if (!l) return 1;
    ControllerJob job(l, this);
    if (!job) return kLinkBusy;
    for (int a = 0; a < axes(); ++a) {
        ctx_.link.TusinTimeout = 1000;
        if (const int r =
                l->SendCmdWaitReply(QStringLiteral("0RD"), 38, a == 0 ? QStringLiteral("0") : QStringLiteral("4"));
            r != 0)
            return r;
        MaxPOS[size_t(a)] = HexValue(ctx_.link.RecvLine.mid(18, 6)).value_or(0);
    }
    return 0;
}

void JogTeach::cmdJOGST_Click() {
    ControllerLink* l = link();
    ControllerJob job(l, this);
    if (!job) return; // another job holds the controller
    Command cmd(*this);
    view_.setStartEnabled(false);
    bool ok = false;
    if (l) {
        const int home = ReadHomeState(*l);
        ok = (home == 1 || (home == 0 && MovePosiNo(*l, 0) == 0)) && ReadDispPOS() == 0 && ReadMaxstrokePls() == 0;
    }
    if (!ok) {
        view_.setStartEnabled(true);
        if (l) l->PortCloseIfFree();
        return;
    }
    view_.setJogControlsEnabled(true);
    Tuusintyuu = false;
    view_.focusDummy();
}

void JogTeach::cmdJOG_MouseDown(int index, bool leftButton) {
    if (!leftButton) {
        view_.focusDummy();
        return;
    }
    ControllerLink* l = link();
    if (Tuusintyuu || !l || index < 0 || index >= 2 * axes()) return;
    ControllerJob job(l, this);
    if (!job) return;
    Command cmd(*this);
    std::array<AxisFeed, 2> feed{};
    Tuusintyuu = true;
    pressing_ = true;
    releasedInPress_ = false;
    ReadDispPOS();
    const JogMode mode = view_.mode();
    const int axis = index / 2;
    const bool forward = index % 2 == 0;
    QString line;
    int replyLength;
    if (mode == JogMode::Jog) {
        JogFLG = true;
        static const char* const kJog[4] = {"0JR1100", "0JR1200", "0JR0011", "0JR0012"};
        line = QString::fromLatin1(kJog[index]);
        replyLength = 9;
    } else {
        const int m = mode == JogMode::Pulse1 ? 1 : mode == JogMode::Pulse10 ? 10 : 100;
        const TeachSettings& t = ctx_.teach;
        const bool special = IsSpecialModel(ctx_.dev.axes(product_)[size_t(axis)]);
        AxisFeed f = StepTarget(DispPOS[size_t(axis)], MaxPOS[size_t(axis)], m, forward);
        f.vel = m == 1 ? t.VelOf1Pls : m == 10 ? t.VelOf10Pls : t.VelOf100Pls;
        if (special) f.acc = m == 1 ? t.AccOf1Pls2 : m == 10 ? t.AccOf10Pls2 : t.AccOf100Pls2;
        else f.acc = m == 1 ? t.AccOf1Pls : m == 10 ? t.AccOf10Pls : t.AccOf100Pls;
        feed[size_t(axis)] = f;
        line = QStringLiteral("0MV") + PulseFeedRecord(feed[0], feed[1]);
        replyLength = 26;
    }
    ctx_.link.TusinTimeout = 5000;
    // The line holds only hexadecimal digits: a field that overflowed ("X")
    // is never sent.
    if (!line.contains(QLatin1Char('X'))) l->SendCmdWaitReply(line, replyLength, QString());
    if (JogFLG) {
        JogTyuFLG = true;
        // The jog holds the controller until its stop.
        jogHold_.emplace(l, this);
        // Released while the press was under way: the watchdog stops the jog.
        if (releasedInPress_) JogTometeFLG = true;
    } else {
        ReadDispPOS();
    }
    pressing_ = false;
    Tuusintyuu = false;
    view_.focusDummy();
}

void JogTeach::cmdJOG_MouseUp(int index, bool leftButton) {
    (void)index;
    if (!leftButton) return;
    if (pressing_) releasedInPress_ = true;
    if (JogFLG && !JogTyuFLG) JogTometeFLG = true;
    // Released while the read-out tick reads: the tick stops the jog.
    if (readingOut_) JogTometeFLG = true;
    if (!Tuusintyuu && view_.mode() == JogMode::Jog && link()) sendStop(releaseStopMs());
}

void JogTeach::sendStop(int timeoutMs) {
    ControllerLink* l = link();
    ControllerJob job(l, this);
    if (!l || !job) return;
    Command cmd(*this);
    Tuusintyuu = true;
    ctx_.link.TusinTimeout = timeoutMs;
    l->SendCmdWaitReply(QStringLiteral("0SP"), 5, QString());
    JogTyuFLG = false;
    JogTometeFLG = false;
    JogFLG = false;
    jogHold_.reset();
    ReadDispPOS();
    Tuusintyuu = false;
}

void JogTeach::TimerBosoKansi_Timer() {
    if (!JogTometeFLG || Tuusintyuu || !link()) return;
    sendStop(5000);
}

void JogTeach::JogReadOut_Timer() {
    if (!JogTyuFLG || JogTometeFLG || Tuusintyuu || !link()) return;
    Command cmd(*this);
    Tuusintyuu = true;
    readingOut_ = true;
    const int r = ReadDispPOS();
    readingOut_ = false;
    Tuusintyuu = false;
    // Let go while the read waited, or the controller did not tell where
    // the axis is: the jog stops now.
    if (JogTometeFLG || r != 0) sendStop(releaseStopMs());
}

void JogTeach::EndWait() {
    if (ControllerLink* l = link()) l->StopWait(this);
}

void JogTeach::StopJog() {
    if (jogging() && !Tuusintyuu) sendStop(5000);
}

void JogTeach::cmdJOGend_Click() {
    // A press that is running finishes first: its exchange keeps the port.
    if (running()) return;
    view_.setJogControlsEnabled(false);
    view_.setStartEnabled(true);
    closePortIfFree();
}

void JogTeach::closePortIfFree() {
    // The port of another window's job is that job's.
    ControllerLink* l = link();
    ControllerJob job(l, this, false);
    if (l && job) l->PortCloseIfFree();
}

void JogTeach::flgdJOGPosi_Click(int row) {
    if (row < 1 || row > 399) return;
    view_.setPosiNoText(QString::number(row));
    PositionGrid::Hidden hide(list_);
    colourRows(row);
    list_.setCurrent(row, 1);
    view_.focusDummy();
}

void JogTeach::cmdJOGWrite_Click() {
    const double v = RoundDecimal(LeadingNumber(view_.posiNoText()), 0, HalfRule::ToEven);
    if (!(v >= 1 && v <= 399)) return;
    const int row = int(v);
    list_.setRow(row);
    for (int a = 0; a < axes(); ++a) {
        if (product_ == Product::TwoAxis && !view_.axisTicked(a)) continue;
        list_.setText(row, 1 + a, Pad7(view_.posiText(a).trimmed()));
        JogChange = true;
    }
    view_.focusDummy();
}

bool JogTeach::Form_QueryUnload() {
    if (!JogChange) return true;
    const MsgAnswer a = ctx_.message(
        ctx_.pick(QStringLiteral("ﾃｨｰﾁﾝｸﾞしたﾃﾞｰﾀをﾒｲﾝ画面のﾃﾞｰﾀに反映しますか？"),
                  QStringLiteral("Do you want to adopt the teaching data in the chart of the main screen?")),
        MsgButtons::YesNoCancel, MsgIcon::Question);
    if (a == MsgAnswer::Cancel) return false;
    if (a == MsgAnswer::Yes) {
        PositionGrid& g = mainGrid();
        bool changed = false;
        {
            PositionGrid::Hidden hideMain(g);
            PositionGrid::Hidden hideList(list_);
            for (int r = 1; r < 400; ++r) {
                g.setText(r, 0, QString::number(r));
                for (int a = 0; a < axes(); ++a) {
                    const QString& t = list_.text(r, 1 + a);
                    if (g.text(r, kMainPosiCol[a]) != t) changed = true;
                    g.setText(r, kMainPosiCol[a], t);
                }
            }
        }
        // Adopted positions are unsaved edits of the table.
        if (changed) g.Tag = kDataChange;
    }
    return true;
}

void JogTeach::Form_Unload() {
    jogHold_.reset();
    closePortIfFree();
}

} // namespace rer
