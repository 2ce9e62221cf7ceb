#include "link/CtError.h"
#include "mainwin/ControllerCommands.h"
#include "testsupport/LinkFixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {
struct CommandsTest : ::testing::Test {
    LinkWorld w;
    void SetUp() override { Get_ErrorList(w.ctx); }
};
const QString kTimeoutShort = QStringLiteral(
    "Communication timeout error!\r\nCheck the followings;\r\n 1.Power ON for controller?\r\n"
    " 2.Communication cables are connected?");
} // namespace

TEST_F(CommandsTest, ResetClearsTheAlarmAndEntersCommunicationMode) {
    w.display.alarm = true;
    w.sim().faults.push_back(SimFault(SimFault::Split, 5));
    CtResetProc(*w.link);
    EXPECT_FALSE(w.display.alarm);
    EXPECT_EQ(w.display.comment, QStringLiteral("No Error"));
    EXPECT_EQ(w.display.alarmNo, QString());
    ASSERT_EQ(w.sim().received.size(), 2u);
    EXPECT_EQ(w.sim().received[0], QByteArray("0AR"));
    EXPECT_EQ(w.sim().received[1], QByteArray("0CM1"));
    EXPECT_TRUE(w.sim().state.commMode);
    EXPECT_TRUE(w.msg.shown.empty());
}

TEST_F(CommandsTest, ResetErrorReply) {
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B"));
    CtResetProc(*w.link);
    EXPECT_TRUE(w.display.alarm);
    EXPECT_EQ(w.display.comment, QStringLiteral("Unable to detect the home sensor"));
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("An error occurs!"));
    EXPECT_EQ(w.sim().received.size(), 1u) << "no communication mode after an error";
}

TEST_F(CommandsTest, ResetOtherReplyStillEntersCommunicationMode) {
    w.sim().addCommand("0AR", [](sim::CtSim&, const QByteArray&) { return QByteArray("0XY"); });
    CtResetProc(*w.link);
    // The line names no reset: taken once the time is up, the reset's own
    // answer may still come, and the line is made clean first.
    EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0AR", "0RH", "0CM1"}));
    EXPECT_TRUE(w.msg.shown.empty());
}

TEST_F(CommandsTest, ResetTimeoutAfterOneSecond) {
    w.sim().silent = true;
    QElapsedTimer t;
    t.start();
    CtResetProc(*w.link);
    EXPECT_GE(t.elapsed(), 950);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), kTimeoutShort);
    EXPECT_FALSE(w.l().TusinTimeoutFlag);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(CommandsTest, ModeChangesAskFirst) {
    w.msg.answer(MsgAnswer::No);
    GaibuModeChange(*w.link);
    w.msg.answer(MsgAnswer::No);
    TranceferModeChange(*w.link);
    EXPECT_TRUE(w.sim().received.empty());
    EXPECT_TRUE(w.simPort().written.isEmpty());
}

TEST_F(CommandsTest, ExternalStartMode) {
    GaibuModeChange(*w.link);
    ASSERT_EQ(w.sim().received.size(), 2u);
    EXPECT_EQ(w.sim().received[0], QByteArray("0CM1"));
    EXPECT_EQ(w.sim().received[1], QByteArray("0CM0"));
    EXPECT_FALSE(w.sim().state.commMode);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Chaged to [External start mode]."));
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_FALSE(w.link->timerTimeout().isActive());
}

TEST_F(CommandsTest, ExternalStartModeFailures) {
    // Error reply to "0CM0".
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "001", "0CM0"));
    GaibuModeChange(*w.link);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(w.display.alarm);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error!\r\nIf not activated when reset switch on,\r\n"
                                               "Turn off the power once and turn on again."));
    // The communication-mode command fails first: its message only.
    w.msg.clear();
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "001", "0CM1"));
    GaibuModeChange(*w.link);
    EXPECT_EQ(w.msg.shown.size(), 2u);  // the question and the transaction's message
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(CommandsTest, CommunicationMode) {
    TranceferModeChange(*w.link);
    EXPECT_EQ(w.sim().received, std::vector<QByteArray>{"0CM1"});
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Changed [Communication mode]."));
    w.msg.clear();
    w.simPort().refuseOpen = true;
    TranceferModeChange(*w.link);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Failed port open."));
    EXPECT_EQ(w.msg.shown.size(), 2u);
    EXPECT_FALSE(w.l().TusinError);
}

TEST_F(CommandsTest, VersionShownInMessageAndStatusBar) {
    CtVersionHyoji(*w.link);
    EXPECT_EQ(w.l().CtVersion, QStringLiteral("1A3"));
    EXPECT_EQ(w.display.panels[1], QStringLiteral("The version of this C/T is 1A3"));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Version of the controller is 1A3."));
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(CommandsTest, VersionErrorReplyIsFollowedByOneClearLine) {
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "001", "0RV"));
    CtVersionHyoji(*w.link);
    EXPECT_EQ(w.display.panels[1], QStringLiteral("No version information"));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Failed to get version information of controller."));
    ASSERT_EQ(w.sim().received.size(), 3u);
    EXPECT_EQ(w.sim().received[2], QByteArray("0%C"));
}

TEST_F(CommandsTest, ErrorCheck2Table) {
    struct Case {
        const char* reply;
        const char* no;
        const char* text;  // nullptr: the label keeps its text
    } cases[] = {
        {"0%%0B\r\n", "0B", "Unable to detect the home sensor"},
        {"0%%0E\r\n", "0E", "Commnnication fault"},
        {"0%%00\r\n", "00", "No Error"},
        {"0%%0C\r\n", "0C", nullptr},
    };
    for (const Case& c : cases) {
        w.display.comment = QStringLiteral("before");
        w.l().CtErrorReply = QString::fromLatin1(c.reply);
        ErrorCheck2(*w.link);
        EXPECT_TRUE(w.display.alarm);
        EXPECT_EQ(w.display.alarmNo, QString::fromLatin1(c.no));
        EXPECT_EQ(w.display.comment, c.text ? QString::fromLatin1(c.text) : QStringLiteral("before")) << c.reply;
    }
    w.ctx.setLanguage(1);
    w.l().CtErrorReply = QStringLiteral("0%%0A\r\n");
    ErrorCheck2(*w.link);
    EXPECT_EQ(w.display.comment, QStringLiteral("掃出パルス数不一致"));
}
