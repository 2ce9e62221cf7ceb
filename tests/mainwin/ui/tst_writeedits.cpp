// An edit typed into a window while its write to the controller runs is
// still an edit after the write: the title keeps its mark and closing the
// window asks. The real windows over the simulated controller on a
// pseudo-terminal, through the real serial port.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/InputEvents.h"
#include "testsupport/PtyWindowWorld.h"

#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace rer;
using namespace rer::test;
using sim::CtSim;
using sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

using World = PtyWindowWorld;

// Types into a box as the user does: its text replaced, then the box left
// (as a click elsewhere leaves it: the window that holds it need not be the
// active one while the progress window is up).
void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QFocusEvent left(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(box, &left);
}

// Closing the window asks about the edits; Cancel keeps it and them.
void closingAsks(World& x, QWidget& w) {
    x.t.msg.clear();
    x.t.msg.answer(MsgAnswer::Cancel);
    QVERIFY(!w.close());
    QCOMPARE(MessageTexts(x.t.msg), QStringList{kEditsCloseQuestion});
    QVERIFY(w.isVisible());
    QVERIFY(w.isWindowModified());
    x.t.msg.answer(MsgAnswer::No);
    QVERIFY(w.close());
}

} // namespace

class tst_writeedits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // PUSH of axis 1 typed after the second block went out: the controller
    // keeps what the write sent, the window keeps the edit as an edit.
    void parameters_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void parameters() {
        QFETCH(int, ctType);
        World x(ctType);
        QVERIFY(x.started);
        x.w->button(S("cmdParaHyoji"))->click();
        QPointer<frmParameta2> para = x.window<frmParameta2>();
        QVERIFY(para && ShowActive(*para));
        QTest::mouseClick(para->button(S("cmdParaRead")), Qt::LeftButton);
        QVERIFY(!para->isWindowModified());
        QLineEdit* push = para->box(ParaRowNamed("PUSH"), 0);
        const QString sentPush = push->text();
        QVERIFY(sentPush != S("123"));
        x.t.msg.clear();

        x.fault(SimFault(SimFault::Delay, 200, "00B", "0WD2"));
        When typing([&] { return x.count("0WD") >= 2; }, [&] { typeInto(push, S("123")); });
        x.t.msg.answer(MsgAnswer::Yes);
        QTest::mouseClick(para->button(S("cmdParaWrite")), Qt::LeftButton);

        QVERIFY(typing.done);
        QCOMPARE(x.t.msg.lastText(), S("Completed writing parameters. "));
        QCOMPARE(x.count("0WE2"), 1);
        // The controller holds what the write sent.
        const QByteArray block = x.pty.withSim([](CtSim& s) { return s.state.paramBlocks['0']; });
        QCOMPARE(block.mid(4, 2).toInt(nullptr, 16), sentPush.toInt());
        QCOMPARE(push->text(), S("123"));
        QVERIFY(para->isWindowModified());
        closingAsks(x, *para);
    }

    // The end of group 5, or the data of step 1 of macro 1, typed after the
    // second line of the write went out.
    void groupsAndMacros_data() {
        QTest::addColumn<bool>("group");
        QTest::newRow("group 5 END 7") << true;
        QTest::newRow("macro 1 step 1 data 7") << false;
    }
    void groupsAndMacros() {
        QFETCH(bool, group);
        World x;
        QVERIFY(x.started);
        x.w->button(S(group ? "cmdOpenGrpWindow" : "cmdSqMcrWinOpen"))->click();
        QPointer<GrpSmWindow> w;
        QLineEdit* box = nullptr;
        QPushButton* write = nullptr;
        if (group) {
            frmGrp* g = x.window<frmGrp>();
            w = g;
            box = g ? g->txtGrpEndNo(4) : nullptr;
            write = g ? g->cmdWriteGrp() : nullptr;
        } else {
            frmSqMcr* m = x.window<frmSqMcr>();
            w = m;
            box = m ? m->txtSmData(0) : nullptr;
            write = m ? m->cmdWriteSMtoCt() : nullptr;
        }
        QVERIFY(w && ShowActive(*w));
        QVERIFY(!w->isWindowModified());

        const char* line = group ? "0WG" : "0WM";
        x.fault(SimFault(SimFault::Delay, 200, "00B", group ? "0WG03" : "0WM3"));
        When typing([&] { return x.count(line) >= 2; }, [&] { typeInto(box, S("7")); });
        x.t.msg.answer(MsgAnswer::Yes);
        QTest::mouseClick(write, Qt::LeftButton);

        QVERIFY(typing.done);
        QCOMPARE(x.count(group ? "0WE3" : "0WE1"), 1);
        // The controller holds what the write sent; the table and the box the edit.
        if (group) {
            QCOMPARE(x.pty.withSim([](CtSim& s) { return s.state.groups[5]; }), std::make_pair(1, 1));
            QCOMPARE(x.t.ctx.grp.GrpData[5][1], int16_t(7));
        } else {
            QCOMPARE(x.pty.withSim([](CtSim& s) { return s.state.macros[1]; }).left(2), QByteArray("00"));
            QCOMPARE(x.t.ctx.sm.SmData[0][1], int16_t(7));
        }
        QCOMPARE(box->text(), S("7"));
        QVERIFY(w->isWindowModified());
        closingAsks(x, *w);
    }
};

QTEST_MAIN(tst_writeedits)
#include "tst_writeedits.moc"
