// The main window's link commands against the simulated controller.
#include "link/ControllerLink.h"
#include "mainwin/ui/frmMain.h"
#include "sim/PtySim.h"
#include "sim/SimSerialPort.h"
#include "testsupport/TestApp.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace rer;
using rer::sim::SimFault;

class tst_MainLink : public QObject {
    Q_OBJECT

    // The main window on the simulated controller in process, or on a given port.
    struct World : test::TestApp {
        sim::SimSerialPort& port = *simulator;
        std::unique_ptr<frmMain> w;
        explicit World(SerialPort* serial = nullptr, int16_t language = 2)
            : TestApp({.language = language, .doubles = test::Doubles::None, .simulator = true, .serial = serial}) {
            sys.country = language == 1 ? QStringLiteral("Japan") : QStringLiteral("United States");
            ctx.opt.NotJapan = language != 1;
            set(QStringLiteral("Language"), QString::number(language));
            w = std::make_unique<frmMain>(ctx);
            w->Show();
        }
        QLabel* label(const char* n) { return w->label(QString::fromLatin1(n)); }
    };

private Q_SLOTS:
    void commandsAreBuiltAndTheErrorListLoaded() {
        World x;
        QVERIFY(x.w->button(QStringLiteral("cmdReset"))->isEnabled());
        for (const char* n : {"mnuModeTrancefer", "mnuModeGaibu", "mnuShowCtversion"})
            QVERIFY2(x.w->menuItem(QString::fromLatin1(n))->isEnabled(), n);
        QCOMPARE(x.ctx.link.ErrListCount, int16_t(26));
        QVERIFY(x.msg.shown.empty());
        QVERIFY(x.ctx.link.ct);
    }

    void resetClearsTheAlarmAndLocksTheMenusMeanwhile() {
        World x;
        x.label("imgAlarmLed")->setVisible(true);
        x.port.sim.faults.push_back(SimFault(SimFault::Delay, 100, "00B", "0AR"));
        bool menusOff = false, resetOff = false;
        QTimer::singleShot(40, [&] {
            menusOff = !x.w->menuItem(QStringLiteral("mnuShowCtversion"))->isEnabled();
            resetOff = !x.w->button(QStringLiteral("cmdReset"))->isEnabled();
        });
        x.w->button(QStringLiteral("cmdReset"))->click();
        QVERIFY(menusOff);
        QVERIFY(resetOff);
        QVERIFY(x.w->menuItem(QStringLiteral("mnuShowCtversion"))->isEnabled());
        QVERIFY(x.w->button(QStringLiteral("cmdReset"))->isEnabled());
        QVERIFY(x.label("imgAlarmLed")->isHidden());
        QCOMPARE(x.label("lblErrorComment")->text(), QStringLiteral("No Error"));
        QVERIFY(!x.port.isOpen());
        QVERIFY(x.msg.shown.empty());
    }

    void resetErrorShowsTheControllerError() {
        World x;
        x.port.sim.faults.push_back(SimFault(SimFault::Error, 0, "10B"));
        x.w->button(QStringLiteral("cmdReset"))->click();
        QVERIFY(!x.label("imgAlarmLed")->isHidden());
        QCOMPARE(x.label("lblAlarmNo")->text(), QStringLiteral("2B"));
        QCOMPARE(x.label("lblErrorComment")->text(), QStringLiteral("Unable to detect the home sensor"));
        QCOMPARE(x.msg.lastText(), QStringLiteral("An error occurs!"));
    }

    // The shipped Japanese list words every error in Japanese, the codes
    // without an error (10 and 20) too.
    void japaneseErrorListInTheMainWindow() {
        const struct {
            const char* code;
            const char* alarmNo;
            const char* text;
        } cases[] = {{"010", "10", "エラーなし"}, {"110", "20", "エラーなし"}, {"00B", "1B", "原点センサが確認できません"}};
        for (const auto& c : cases) {
            World x(nullptr, 1);
            QCOMPARE(x.ctx.link.ErrListCount, int16_t(26));
            x.port.sim.faults.push_back(SimFault(SimFault::Error, 0, c.code));
            x.w->button(QStringLiteral("cmdReset"))->click();
            QCOMPARE(x.label("lblAlarmNo")->text(), QString::fromLatin1(c.alarmNo));
            QCOMPARE(x.label("lblErrorComment")->text(), QString::fromUtf8(c.text));
            QCOMPARE(x.msg.lastText(), QStringLiteral("エラー発生！"));
        }
    }

    void versionGoesToTheStatusBar() {
        World x;
        x.w->menuItem(QStringLiteral("mnuShowCtversion"))->trigger();
        QCOMPARE(x.w->statusPanel(1)->text(), QStringLiteral("The version of this C/T is 1A3"));
        QCOMPARE(x.msg.lastText(), QStringLiteral("Version of the controller is 1A3."));
        QVERIFY(x.w->menuItem(QStringLiteral("mnuModeChange"))->isEnabled());
    }

    void modeCommands() {
        World x;
        x.w->menuItem(QStringLiteral("mnuModeGaibu"))->trigger();
        QCOMPARE(x.msg.lastText(), QStringLiteral("Chaged to [External start mode]."));
        QVERIFY(!x.port.sim.state.commMode);
        x.w->menuItem(QStringLiteral("mnuModeTrancefer"))->trigger();
        QCOMPARE(x.msg.lastText(), QStringLiteral("Changed [Communication mode]."));
        QVERIFY(x.port.sim.state.commMode);
        QVERIFY(x.w->button(QStringLiteral("cmdPosiFileOpen")) == nullptr ||
                x.w->button(QStringLiteral("cmdReset"))->isEnabled());
    }

    void portLampFollowsThePort() {
        World x;
        x.ctx.opt.PortOccupy = true;
        x.w->menuItem(QStringLiteral("mnuModeTrancefer"))->trigger();
        QVERIFY(x.port.isOpen());
        QVERIFY(!x.label("imgPortGreen")->isHidden());
        x.port.pull();
        QVERIFY(!x.port.isOpen());
        QVERIFY(x.label("imgPortGreen")->isHidden());
    }

    // The program's own path: the real serial port on the simulator's
    // pseudo-terminal, as with ctsim.
    void realPortResetModeVersionAndPulledCable() {
        sim::PtySim pty;
        pty.usePrivateLink();
        QVERIFY(pty.start());
        qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
        QtSerialPort serial;
        World x(&serial);
        x.label("imgAlarmLed")->setVisible(true);
        x.w->button(QStringLiteral("cmdReset"))->click();
        QVERIFY(x.label("imgAlarmLed")->isHidden());
        x.w->menuItem(QStringLiteral("mnuModeGaibu"))->trigger();
        QCOMPARE(x.msg.lastText(), QStringLiteral("Chaged to [External start mode]."));
        x.w->menuItem(QStringLiteral("mnuShowCtversion"))->trigger();
        QCOMPARE(x.w->statusPanel(1)->text(), QStringLiteral("The version of this C/T is 1A3"));
        QCOMPARE(x.msg.shown.size(), size_t(3)); // the question, the mode, the version

        // Silent controller: the time-out message after about one second.
        pty.withSim([](sim::CtSim& s) { s.silent = true; });
        QElapsedTimer t;
        t.start();
        x.w->menuItem(QStringLiteral("mnuModeTrancefer"))->trigger();
        QVERIFY(t.elapsed() >= 950 && t.elapsed() < 4000);
        QVERIFY(x.msg.lastText().startsWith(QStringLiteral("Communication timeout error!")));
        QVERIFY(x.w->menuItem(QStringLiteral("mnuModeChange"))->isEnabled());
        // The port closes once the answer given up is no longer owed.
        QTRY_VERIFY_WITH_TIMEOUT(!serial.isOpen(), 3000);

        // Cable pulled: one clear message, and the window stays usable.
        pty.pull();
        const size_t before = x.msg.shown.size();
        x.w->button(QStringLiteral("cmdReset"))->click();
        QCOMPARE(x.msg.shown.size(), before + 1);
        // The device is gone, and its path with it.
        QVERIFY2(x.msg.lastText().startsWith(QStringLiteral("Failed port open.\r\nCOM1 (") + pty.openPath()),
                 qPrintable(x.msg.lastText()));
        QVERIFY(x.w->button(QStringLiteral("cmdReset"))->isEnabled());
        qunsetenv("RER6O250_COM1");
    }

    void unloadClosesThePort() {
        World x;
        x.ctx.opt.PortOccupy = true;
        x.w->menuItem(QStringLiteral("mnuModeTrancefer"))->trigger();
        QVERIFY(x.port.isOpen());
        x.msg.answer(MsgAnswer::Ok);
        x.w->close();
        QVERIFY(!x.port.isOpen());
    }
};

QTEST_MAIN(tst_MainLink)
#include "tst_MainLink.moc"
