#include "link/CtError.h"
#include "testsupport/LinkFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

const QString kTimeoutEn = QStringLiteral(
    "Communication timeout error!\r\n\r\nCheck the followings;\r\n\r\n 1.Power ON for controller?\r\n\r\n"
    " 2.Communication cables are connected?");

struct TransactionTest : ::testing::Test {
    LinkWorld w;
    void SetUp() override {
        Get_ErrorList(w.ctx);
        w.l().TusinTimeout = 200;
    }
    int send(const char* cmd, int len, const char* data = "") {
        return w.link->SendCmdWaitReply(QString::fromLatin1(cmd), len, QString::fromLatin1(data));
    }
    std::vector<QByteArray> requests() { return w.sim().received; }
};

} // namespace

TEST_F(TransactionTest, GoodReplyClearsTheAlarmDisplay) {
    w.display.alarm = true;
    w.l().TusinError = true;
    ASSERT_EQ(send("0CM", 6, "1"), 0);
    EXPECT_EQ(w.l().RecvLine, QStringLiteral("0CM1\r\n"));
    EXPECT_EQ(w.simPort().written, QByteArray("0CM1\r\n"));
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_FALSE(w.display.alarm);
    EXPECT_EQ(w.display.comment, QStringLiteral("No Error"));
    EXPECT_EQ(w.display.alarmNo, QString());
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_TRUE(w.port->isOpen());
    EXPECT_FALSE(w.link->timerTimeout().isActive());
    EXPECT_FALSE(w.link->busy());
}

TEST_F(TransactionTest, ReplyInPiecesIsJoined) {
    w.sim().faults.push_back(SimFault(SimFault::Split, 10));
    ASSERT_EQ(send("0RO", 11), 0);
    EXPECT_EQ(w.l().RecvLine, QStringLiteral("0RO000000\r\n"));
    EXPECT_TRUE(w.l().RecvBuf.isEmpty());
}

// Wrong echo and wrong length: one link check, then the failure. A wrong
// echo is a line that names another request: taken only at the time-out, so
// the request's own answer may still come, and the link check first makes
// the line clean.
TEST_F(TransactionTest, BadEchoOrLengthSendsOneLinkCheck) {
    struct Case {
        SimFault::Kind fault;
        QString message;
    } cases[] = {
        {SimFault::Corrupt, QStringLiteral("Communication error occurs!")},
        {SimFault::Shorten, QStringLiteral("Communication data length error occurs!\r\n\r\nLength of data is wrong.")},
        {SimFault::Lengthen, QStringLiteral("Communication data length error occurs!\r\n\r\nLength of data is wrong.")},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        Get_ErrorList(x.ctx);
        x.l().TusinTimeout = 200;
        x.sim().faults.push_back(SimFault(c.fault));
        EXPECT_EQ(x.link->SendCmdWaitReply(QStringLiteral("0RI"), 11, QString()), 1);
        if (c.fault == SimFault::Corrupt)
            EXPECT_EQ(x.sim().received, (std::vector<QByteArray>{"0RI", "0RH", "0CM0"}));
        else
            EXPECT_EQ(x.sim().received, (std::vector<QByteArray>{"0RI", "0CM0"}));
        ASSERT_EQ(x.msg.shown.size(), 1u);
        EXPECT_EQ(x.msg.shown[0].text, c.message);
        EXPECT_EQ(x.msg.shown[0].icon, MsgIcon::None);
        EXPECT_TRUE(x.l().TusinError);
        EXPECT_FALSE(x.port->isOpen()) << "closed when the port is not kept open";
    }
}

TEST_F(TransactionTest, LinkCheckAnsweredWithAnErrorShowsTheControllerError) {
    w.sim().faults.push_back(SimFault(SimFault::Shorten));
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "01B"));
    EXPECT_EQ(send("0RH", 6), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Communication error occurs!\r\n\r\n[Unable to detect the home sensor]"));
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(w.display.alarm);
    EXPECT_EQ(w.display.alarmNo, QStringLiteral("1B"));
    EXPECT_TRUE(w.port->isOpen());
}

TEST_F(TransactionTest, LinkCheckUnansweredIsACommunicationError) {
    w.sim().faults.push_back(SimFault(SimFault::Corrupt));
    w.sim().faults.push_back(SimFault(SimFault::Drop));
    EXPECT_EQ(send("0RH", 6), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error occurs!"));
    EXPECT_FALSE(w.link->timerTimeout().isActive());
}

TEST_F(TransactionTest, ErrorReplyIsShownOnceWithTheExclamationIcon) {
    w.display.home = true;
    w.display.out1 = true;
    // Any length: the three leading characters make it an error reply.
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "0130000000"));
    EXPECT_EQ(send("0RP", 27, "001"), 1);
    EXPECT_EQ(w.sim().received.size(), 1u) << "no link check after an error reply";
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Communication error occurs!\r\n\r\n[Communication data length error]"));
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(w.display.alarmNo, QStringLiteral("13"));
    EXPECT_FALSE(w.display.home);
    EXPECT_FALSE(w.display.out1);
    EXPECT_TRUE(w.l().CtErrorReply.startsWith(QStringLiteral("0%%013")));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.msg.shown.size(), 1u) << "the poller does not show it a second time";
}

TEST_F(TransactionTest, TimeoutAfterTheCallersLimit) {
    w.sim().silent = true;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_GE(t.elapsed(), 190);
    EXPECT_LT(t.elapsed(), 4000);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_FALSE(w.link->timerTimeout().isActive());
    // The port closes at once; the answer stays owed, and the line unclean,
    // until a clean-up has passed.
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_EQ(w.link->owedRequests(), QStringList{QStringLiteral("0RH")});
    EXPECT_FALSE(w.link->lineClean());
    w.sim().silent = false;
    w.sim().received.clear();
    EXPECT_EQ(send("0RP", 27, "001"), 0);
    EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0RI", "0RP001"})) << "the clean-up names none owed";
    EXPECT_TRUE(w.link->owedRequests().isEmpty());
    EXPECT_TRUE(w.link->lineClean());
}

TEST_F(TransactionTest, PortKeptOpenWhenOccupied) {
    w.ctx.opt.PortOccupy = true;
    w.sim().silent = true;
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_TRUE(w.port->isOpen());
    w.sim().silent = false;
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_EQ(w.simPort().opens, 1);
}

TEST_F(TransactionTest, StopEndsTheWaitSilently) {
    w.sim().silent = true;
    w.l().TusinTimeout = 0;
    QTimer::singleShot(30, [&] { w.link->Stop(); });
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_FALSE(w.l().TusinStop);
    EXPECT_FALSE(w.l().TusinError);
}

TEST_F(TransactionTest, StopFlagSetDirectlyIsSeen) {
    w.sim().silent = true;
    w.l().TusinTimeout = 0;
    QTimer::singleShot(30, [&] { w.l().TusinStop = true; });
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_FALSE(w.l().TusinStop);
}

TEST_F(TransactionTest, NoLimitWhenTheTimeoutIsZero) {
    w.l().TusinTimeout = 0;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 300));
    bool armed = true;
    QTimer::singleShot(100, [&] { armed = w.link->timerTimeout().isActive(); });
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_FALSE(armed);
}

TEST_F(TransactionTest, PortThatWillNotOpen) {
    w.simPort().refuseOpen = true;
    EXPECT_EQ(send("0RH", 6), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Failed port open."));
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(w.simPort().written.isEmpty());
}

TEST_F(TransactionTest, PortNumberOutOfRangeIsReadAgain) {
    for (int16_t bad : {0, 10}) {
        w.ctx.opt.PortNo = bad;
        w.port->close();
        EXPECT_EQ(w.link->PortCheckOpen(), 0);
        EXPECT_EQ(w.ctx.opt.PortNo, 1);
        EXPECT_EQ(w.simPort().lastPortNo, 1);
    }
    w.store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("PortNo"), QStringLiteral("3"));
    w.ctx.opt.PortNo = 0;
    w.port->close();
    EXPECT_EQ(w.link->PortCheckOpen(), 0);
    EXPECT_EQ(w.simPort().lastPortNo, 3);
    // A stored number outside 1 to 9, written by hand, is COM1, the default.
    for (const char* stored : {"12", "0", "-1"}) {
        w.store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("PortNo"),
                     QString::fromLatin1(stored));
        w.ctx.opt.PortNo = 0;
        w.port->close();
        EXPECT_EQ(w.link->PortCheckOpen(), 0) << stored;
        EXPECT_EQ(w.ctx.opt.PortNo, 1) << stored;
        EXPECT_EQ(w.simPort().lastPortNo, 1) << stored;
    }
    EXPECT_TRUE(w.msg.shown.empty());
}

TEST_F(TransactionTest, CablePulledMidExchangeGivesOneMessage) {
    w.ctx.opt.PortOccupy = true;
    w.l().TusinTimeout = 5000;
    w.sim().faults.push_back(SimFault(SimFault::Vanish));
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_LT(t.elapsed(), 3000) << "the failure ends the wait at once";
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_FALSE(w.display.portLamp);
    // The next job meets a port that will not open, and says so once.
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_EQ(w.msg.shown.size(), 2u);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Failed port open."));
}

TEST_F(TransactionTest, SecondExchangeWhileOneWaitsIsRefused) {
    w.sim().faults.push_back(SimFault(SimFault::Delay, 100));
    int inner = -1;
    QTimer::singleShot(20, [&] { inner = send("0RI", 11); });
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_EQ(inner, kLinkBusy) << "refused as busy, not failed";
    EXPECT_EQ(w.sim().received.size(), 1u);
    EXPECT_EQ(w.l().RecvLine, QStringLiteral("0RH0\r\n"));
    EXPECT_TRUE(w.msg.shown.empty());
}

// One owner of the controller: a job of one window shuts out every other
// request until it ends, its own steps join it, and a request from inside one
// of its waits (a timer, a click) is refused.
TEST_F(TransactionTest, OneJobHoldsTheControllerAtATime) {
    std::vector<bool> announced;
    QObject::connect(w.link.get(), &ControllerLink::busyChanged, [&](bool b) { announced.push_back(b); });
    int motion = 0, params = 0;
    {
        ControllerJob run(w.link.get(), &motion);
        ASSERT_TRUE(run);
        EXPECT_TRUE(w.link->busy());
        EXPECT_FALSE(ControllerJob(w.link.get(), &params)) << "another window's job";
        EXPECT_TRUE(ControllerJob(w.link.get(), &motion)) << "the job's own next step";
        EXPECT_TRUE(ControllerJob(w.link.get(), nullptr)) << "an exchange of the job";
        EXPECT_EQ(send("0RH", 6), 0);

        // Inside the job's wait only events run: all of them are refused.
        bool sameOwner = true, inner = true;
        int exchange = -1;
        int calls = 0;
        w.link->WaitWhile([&] {
            if (++calls == 2) { // the first call only asks whether to wait at all
                sameOwner = bool(ControllerJob(w.link.get(), &motion));
                inner = bool(ControllerJob(w.link.get(), nullptr));
                exchange = send("0RI", 11);
            }
            return calls < 4;
        });
        EXPECT_FALSE(sameOwner);
        EXPECT_FALSE(inner);
        EXPECT_EQ(exchange, kLinkBusy);
    }
    EXPECT_FALSE(w.link->busy());
    EXPECT_EQ(announced, (std::vector<bool>{true, false}));
    EXPECT_EQ(requests(), std::vector<QByteArray>{"0RH"}) << "the refused exchange sent nothing";
    EXPECT_TRUE(w.msg.shown.empty());

    // A quiet job (the I/O monitor's tick) refuses others but announces nothing.
    {
        ControllerJob tick(w.link.get(), &params, false);
        EXPECT_TRUE(tick);
        EXPECT_FALSE(ControllerJob(w.link.get(), &motion));
    }
    EXPECT_EQ(announced.size(), 2u);
}

// A job that starts while a message box of something else is up still runs
// its own steps.
TEST_F(TransactionTest, AJobBegunUnderAnOpenBoxRunsItsSteps) {
    int owner = 0;
    w.l().nestedWaits = 1; // a box of another window is up
    {
        ControllerJob job(w.link.get(), &owner);
        ASSERT_TRUE(job);
        EXPECT_EQ(send("0RH", 6), 0);
    }
    w.l().nestedWaits = 0;
}

TEST_F(TransactionTest, LeftoverInputDoesNotSpoilTheNextExchange) {
    ASSERT_TRUE(w.port->open(1));
    w.simPort().inject("0RP001");  // a reply cut short
    QCoreApplication::processEvents();
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_EQ(w.l().RecvLine, QStringLiteral("0RH0\r\n"));
}

TEST_F(TransactionTest, FieldThatDidNotFitIsNeverSent) {
    EXPECT_EQ(send("0MP", 27, "X"), 1);
    EXPECT_TRUE(w.simPort().written.isEmpty());
    EXPECT_EQ(w.msg.shown.size(), 1u);
    EXPECT_TRUE(w.l().TusinError);
}

TEST_F(TransactionTest, UnaskedErrorReportIsShown) {
    ASSERT_TRUE(w.port->open(1));
    w.simPort().inject("0%%005\r\n");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.display.alarm);
    EXPECT_EQ(w.display.comment, QStringLiteral("EEPROM writing error"));
}

// ---- The move transaction

TEST_F(TransactionTest, MoveTimeoutClosesThePortWhateverTheOption) {
    w.ctx.opt.PortOccupy = true;
    w.ctx.opt.MoveTimeout = 2;
    w.sys.seconds = 86398;  // the move runs over midnight
    w.sim().silent = true;
    QTimer::singleShot(150, [&] { w.sys.seconds = 4; });
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("000")), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(w.l().MoveEnd);
    // Closed at once, also while the move's answer is owed.
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_EQ(w.link->owedRequests(), QStringList{QStringLiteral("0MP000")});
    EXPECT_TRUE(WaitFor([&] { return !w.link->timerMyTimer().isActive(); }, 500));
}

TEST_F(TransactionTest, MoveErrorReplyAndStop) {
    // An error report to a move, or to the link check after a move's bad
    // reply, fails the move but leaves TusinError clear; a command's sets it.
    w.sim().state.homeDone = true;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B"));
    w.l().TusinError = true;
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005")), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w.l().TusinError);

    w.msg.clear();
    w.sim().faults.push_back(SimFault(SimFault::Shorten));
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B"));
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005")), 1);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::None);
    EXPECT_FALSE(w.l().TusinError);

    w.msg.clear();
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B"));
    EXPECT_EQ(w.link->SendCmdWaitReply(QStringLiteral("0RH"), 6, QString()), 1);
    EXPECT_TRUE(w.l().TusinError);
    w.l().TusinError = false;

    w.msg.clear();
    w.sim().silent = true;
    QTimer::singleShot(30, [&] { w.link->Stop(); });
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005")), 1);
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_FALSE(w.l().TusinStop);
}

TEST_F(TransactionTest, MoveLinkCheckIsBoundByTheReplyTimeout) {
    w.sim().state.homeDone = true;
    w.sim().faults.push_back(SimFault(SimFault::Shorten));
    w.sim().faults.push_back(SimFault(SimFault::Drop));
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005")), 1);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication data length error occurs!\r\n\r\nLength of data is wrong."));
    EXPECT_TRUE(w.l().TusinError);
}

// ---- Waits that something else holds up, and waits given up

namespace {

// A box kept up over a waiting exchange: a nested event loop of ms, as a
// modal box's exec() runs one, opened from inside the wait.
void HoldUpSoon(int ms, const std::function<void()>& meanwhile = {}) {
    QTimer::singleShot(5, [ms, meanwhile] {
        QEventLoop box;
        QTimer::singleShot(ms, &box, &QEventLoop::quit);
        if (meanwhile) QTimer::singleShot(ms / 2, meanwhile);
        box.exec();
    });
}

} // namespace

// The reply comes while the box is up; the time-out (or the move clock)
// falls due before the box closes. The reply is the answer: every kind of
// exchange ends with it, nothing is told, nothing more is sent.
TEST_F(TransactionTest, ABoxKeptUpPastTheTimeoutDoesNotFailAReplyThatCame) {
    struct Case {
        const char* name;
        std::function<int(LinkWorld&)> run;
        QByteArray request;
    };
    const Case cases[] = {
        {"command", [](LinkWorld& x) { return x.link->SendCmdWaitReply(QStringLiteral("0RH"), 6, QString()); }, "0RH"},
        {"move",
         [](LinkWorld& x) {
             // The move clock runs past its limit while the box is up.
             HoldUpSoon(400, [&x] { x.sys.seconds += 100; });
             return x.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005"));
         },
         "0MP005"},
        {"raw",
         [](LinkWorld& x) {
             if (x.link->PortCheckOpen() != 0) return 1;
             return x.link->RawExchange(QStringLiteral("0AR"), 200) == ControllerLink::RawOutcome::Line ? 0 : 1;
         },
         "0AR"},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        Get_ErrorList(x.ctx);
        x.l().TusinTimeout = 200;
        x.ctx.opt.MoveTimeout = 5;
        x.sim().state.homeDone = true;
        if (QByteArray(c.name) != "move") HoldUpSoon(400);
        EXPECT_EQ(c.run(x), 0) << c.name;
        EXPECT_TRUE(x.msg.shown.empty()) << c.name << ": " << x.msg.lastText().toStdString();
        EXPECT_FALSE(x.l().TusinError) << c.name;
        EXPECT_EQ(x.sim().received, std::vector<QByteArray>{c.request}) << c.name;
        EXPECT_TRUE(x.port->isOpen()) << c.name;
        EXPECT_FALSE(x.link->timerTimeout().isActive()) << c.name;
    }
}

// No reply in time, the box still up: the time-out still holds.
TEST_F(TransactionTest, ABoxKeptUpOverASilentControllerStillTimesOut) {
    w.sim().silent = true;
    HoldUpSoon(400);
    EXPECT_EQ(send("0RH", 6), 1);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_TRUE(w.l().TusinError);
}

// A wait given up by a stop or a time-out leaves its request's answer on
// its way. The next request, sent at once, never takes it: the home-state
// read first makes the line clean, then the request gets its own answer,
// sends no link check and succeeds.
TEST_F(TransactionTest, AnAnswerGivenUpIsNeverTheNextRequestsAnswer) {
    struct Case {
        const char* name;
        bool stop;           // given up by a stop, else by the time-out
        QByteArray first;    // the request given up (command, data)
        int firstLength;
        QByteArray next;
        int nextLength;
    };
    const Case cases[] = {
        {"move stopped, then another command", true, "0MP005", 27, "0RH", 6},
        {"read timed out, then the next position", false, "0RP001", 27, "0RP002", 27},
        {"read timed out, then the same again", false, "0RI", 11, "0RI", 11},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        Get_ErrorList(x.ctx);
        x.l().TusinTimeout = 200;
        x.ctx.opt.PortOccupy = true;
        x.sim().state.homeDone = true;
        // The answer given up comes while the next request waits, and the
        // next answer while the one after it waits.
        for (int ms : {350, 400, 500}) x.sim().faults.push_back(SimFault(SimFault::Delay, ms));
        if (c.stop) QTimer::singleShot(50, [&x] { x.link->Stop(); });
        const auto send = [&x](const QByteArray& line, int len, bool move = false) {
            const QString cmd = QString::fromLatin1(line.left(3)), data = QString::fromLatin1(line.mid(3));
            return move ? x.link->SendMoveCmdWaitReply(cmd, len, data) : x.link->SendCmdWaitReply(cmd, len, data);
        };
        EXPECT_EQ(send(c.first, c.firstLength, c.first.startsWith("0MP")), 1) << c.name;
        x.msg.clear();
        x.l().TusinTimeout = 1000;
        EXPECT_EQ(send(c.next, c.nextLength), 0) << c.name << ": " << x.msg.lastText().toStdString();
        EXPECT_TRUE(x.l().RecvLine.startsWith(QString::fromLatin1(c.next))) << c.name;
        EXPECT_TRUE(x.msg.shown.empty()) << c.name;
        // The answer given up (or, for the same request, the second of the
        // two answers) comes before this one's or after it: never taken.
        EXPECT_EQ(send("0RO", 11), 0) << c.name << ": " << x.msg.lastText().toStdString();
        EXPECT_EQ(x.l().RecvLine.left(3), QStringLiteral("0RO")) << c.name;
        EXPECT_EQ(x.sim().received, (std::vector<QByteArray>{c.first, "0RH", c.next, "0RO"})) << c.name;
        EXPECT_TRUE(x.msg.shown.empty()) << c.name;
    }
}

// ---- What a request names, and the answers still owed

TEST(RequestNameTest, TheCommandAndWhatItNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"0RD4", "0RD4"},     {"0WD0123", "0WD0"},   {"0MP002", "0MP002"},   {"0MM18F", "0MM18F"},
        {"0MG05", "0MG05"},   {"0RG0A", "0RG0A"},    {"0WG0A001002", "0WG0A"}, {"0RM3", "0RM3"},
        {"0WM3000", "0WM3"},  {"0WE2", "0WE2"},      {"0CM1", "0CM1"},       {"0CM0", "0CM0"},
        {"0RP001", "0RP001"}, {"0WP001ABC", "0WP001"}, {"0JR1100", "0JR1100"}, {"0RI", "0RI"},
        {"0RO", "0RO"},       {"0WO000001", "0WO"},  {"0RH", "0RH"},         {"0MV0123", "0MV"},
        {"0AR", "0AR"},
    };
    for (const auto& [line, name] : cases)
        EXPECT_EQ(RequestName(QString::fromLatin1(line)), QString::fromLatin1(name)) << line;
}

// A line that names another request of the same command, or repeats an
// answer already taken, comes while a request waits: it is not the answer;
// the request takes its own. Should its own never come, the stray line is
// the answer with a wrong echo once the time is up, and the link check
// first makes the line clean (the request's own answer may still come).
TEST_F(TransactionTest, ALineNamingAnotherRequestIsNeverTheAnswer) {
    struct Case {
        const char* request;   // command and data
        int length;
        QByteArray stray;      // comes 20 ms after the request, without CR LF
    };
    const Case cases[] = {
        {"0RD4", 38, "0RD0" + QByteArray(32, '7')},
        {"0MP002", 27, "0MP006" + sim::PositionRecord(1, 1, 0, 6, 1, 1, 0, 6, 0, 0, 0)},
        {"0CM1", 6, "0CM0"},
        {"0RG05", 13, "0RG06006007"},
        {"0RM3", 38, "0RM4" + QByteArray(32, '0')},
    };
    for (const Case& c : cases) {
        const QByteArray req(c.request);
        const QString cmd = QString::fromLatin1(req.left(3)), data = QString::fromLatin1(req.mid(3));
        const bool move = req.startsWith("0MP");
        for (bool ownAnswer : {true, false}) {
            LinkWorld x;
            Get_ErrorList(x.ctx);
            x.l().TusinTimeout = 300;
            x.ctx.opt.MoveTimeout = 1;
            x.sim().state.homeDone = true;
            if (ownAnswer) x.sim().faults.push_back(SimFault(SimFault::Delay, 120));
            else x.sim().faults.push_back(SimFault(SimFault::Drop));
            const QByteArray stray = c.stray + "\r\n";
            // Timers of this case only (the move clock runs on the system's clock).
            QTimer inject, clock;
            QObject::connect(&inject, &QTimer::timeout, [&x, stray] { x.simPort().inject(stray); });
            QObject::connect(&clock, &QTimer::timeout, [&x] { x.sys.seconds += 10; });
            inject.setSingleShot(true);
            inject.start(20);
            clock.setSingleShot(true);
            clock.start(400);
            const int r = move ? x.link->SendMoveCmdWaitReply(cmd, c.length, data)
                               : x.link->SendCmdWaitReply(cmd, c.length, data);
            if (ownAnswer) {
                EXPECT_EQ(r, 0) << c.request << ": " << x.msg.lastText().toStdString();
                EXPECT_TRUE(x.l().RecvLine.startsWith(QString::fromLatin1(req))) << c.request;
                EXPECT_TRUE(x.msg.shown.empty()) << c.request;
                EXPECT_EQ(x.sim().received, std::vector<QByteArray>{req}) << c.request;
            } else {
                EXPECT_EQ(r, 1) << c.request;
                EXPECT_EQ(x.msg.lastText(), QStringLiteral("Communication error occurs!")) << c.request;
                EXPECT_EQ(x.sim().received, (std::vector<QByteArray>{req, "0RH", "0CM0"})) << c.request;
            }
        }
    }
}

// A copy of the answer just taken comes again while the next request, of
// another command, waits: dropped, not a wrong echo.
TEST_F(TransactionTest, ACopyOfAnAnswerIsDropped) {
    w.sim().faults.push_back(SimFault(SimFault::Double, 60));
    w.sim().faults.push_back(SimFault(SimFault::Delay, 200));
    ASSERT_EQ(send("0RH", 6), 0);
    w.l().TusinTimeout = 1000;
    EXPECT_EQ(send("0RI", 11), 0) << w.msg.lastText().toStdString();
    EXPECT_EQ(w.l().RecvLine, QStringLiteral("0RI000000\r\n"));
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0RH", "0RI"}));
}

// The controller carries out one request at a time. A request of 1 s given
// up is answered 700 ms late; the next request, with a time-out of 400 ms,
// goes out once the clean-up has waited for that answer: its time runs from
// then, so it succeeds. Meanwhile the user is told that the program waits.
TEST_F(TransactionTest, TheNextRequestsTimeRunsFromWhenNothingIsOwed) {
    w.ctx.opt.PortOccupy = true;
    w.l().TusinTimeout = 1000;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 700));
    QTimer::singleShot(50, [&] { w.link->Stop(); });
    EXPECT_EQ(send("0RD2", 38), 1);
    EXPECT_EQ(w.link->owedRequests(), QStringList{QStringLiteral("0RD2")});
    EXPECT_EQ(w.display.owedWaits, 0);
    w.l().TusinTimeout = 400;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(send("0RD0", 38), 0) << w.msg.lastText().toStdString();
    EXPECT_GE(t.elapsed(), 550);
    EXPECT_TRUE(w.l().RecvLine.startsWith(QStringLiteral("0RD0")));
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_EQ(w.display.owedWaits, 1);
    EXPECT_FALSE(w.display.owedWait);
    EXPECT_TRUE(w.link->owedRequests().isEmpty());
    // Nothing owed: the next request waits for nothing.
    EXPECT_EQ(send("0RH", 6), 0);
    EXPECT_EQ(w.display.owedWaits, 1);
}

// The waiting for what is owed ends with the stop buttons at once: the
// request never went out, the clean-up's read is owed too.
TEST_F(TransactionTest, AStopEndsTheWaitForWhatIsOwed) {
    w.ctx.opt.PortOccupy = true;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 3000));
    QTimer::singleShot(30, [&] { w.link->Stop(); });
    EXPECT_EQ(send("0RD2", 38), 1);
    QTimer::singleShot(100, [&] { w.link->Stop(); });
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(send("0RD0", 38), 1);
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_FALSE(w.display.owedWait);
    EXPECT_EQ(w.link->owedRequests(), (QStringList{QStringLiteral("0RD2"), QStringLiteral("0RH")}));
    EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0RD2", "0RH"}));
}

// An error report that answers a request given up comes while the next
// request waits for it: shown once on the main window; the request gets its
// own answer.
TEST_F(TransactionTest, AnOwedErrorReportIsShownOnce) {
    w.ctx.opt.PortOccupy = true;
    w.sim().state.homeDone = true;
    w.sim().faults.push_back(SimFault(SimFault::Error, 300, "019"));
    QTimer::singleShot(30, [&] { w.link->Stop(); });
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("001")), 1);
    w.l().TusinTimeout = 1000;
    w.display.alarmCalls = 0;
    bool shown = false;
    QString comment;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 200));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!shown && w.display.alarm) {
            shown = true;
            comment = w.display.comment;
        }
    });
    poll.start(5);
    EXPECT_EQ(send("0RH", 6), 0) << w.msg.lastText().toStdString();
    EXPECT_TRUE(shown);
    EXPECT_EQ(comment, QStringLiteral("Sensor activated at stopping point"));
    EXPECT_TRUE(w.msg.shown.empty());
    // Lit once by the report, put out once by the good answer.
    EXPECT_EQ(w.display.alarmCalls, 2);
}

// A move that outlives the move time-out has a fault: its answer is waited
// for five seconds more at most, not a move time-out more. The next request
// of a controller still busy with it fails with the time-out once the
// clean-up's read has had its own time too.
TEST_F(TransactionTest, AMoveTimedOutIsOwedFiveSecondsAtMost) {
    w.ctx.opt.MoveTimeout = 60;
    w.sim().state.homeDone = true;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 30000));
    QTimer clock;
    clock.setSingleShot(true);
    QObject::connect(&clock, &QTimer::timeout, [&] { w.sys.seconds += 61; });
    clock.start(150);
    EXPECT_EQ(w.link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("001")), 1);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_EQ(w.link->owedRequests(), QStringList{QStringLiteral("0MP001")});
    EXPECT_FALSE(w.port->isOpen());
    w.msg.clear();
    w.l().TusinTimeout = 1000;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(send("0RI", 11), 1);
    EXPECT_GE(t.elapsed(), 5800);
    EXPECT_LT(t.elapsed(), 8000);
    EXPECT_EQ(w.msg.lastText(), kTimeoutEn);
    EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0MP001", "0RH"}));
}
