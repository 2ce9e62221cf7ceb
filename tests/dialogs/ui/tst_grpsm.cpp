// The group-data and sequence-macro windows driven through their controls,
// and the main window's commands that open them.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "files/GrpSmFiles.h"
#include "link/ControllerLink.h"
#include "mainwin/ui/frmMain.h"
#include "sim/NewUserState.h"
#include "sim/SimSerialPort.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/InputEvents.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace rer;
using rer::test::GridTestContext;
using rer::test::TestApp;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

template <class W> QList<W*> openWindows() {
    QList<W*> out;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* x = qobject_cast<W*>(t); x && x->isVisible()) out << x;
    return out;
}

template <class W> bool activate(W& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

void clickOption(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

void type(QWidget* box, const QString& keys) {
    box->setFocus();
    QTest::keyClicks(box, keys);
}

} // namespace

class tst_grpsm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mainCommandsOpenTheWindowsModeless_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("isButton");
        QTest::addColumn<bool>("group");
        QTest::newRow("group button") << S("cmdOpenGrpWindow") << true << true;
        QTest::newRow("group menu") << S("mnuShowGroup") << false << true;
        QTest::newRow("macro button") << S("cmdSqMcrWinOpen") << true << false;
        QTest::newRow("macro menu") << S("mnuShowSqMcr") << false << false;
    }
    void mainCommandsOpenTheWindowsModeless() {
        QFETCH(QString, command);
        QFETCH(bool, isButton);
        QFETCH(bool, group);
        GridTestContext t;
        frmMain w(t.ctx);
        w.Show();
        auto run = [&] {
            if (isButton) {
                QVERIFY(w.button(command)->isEnabled());
                QTest::mouseClick(w.button(command), Qt::LeftButton);
            } else {
                QVERIFY(w.menuItem(command)->isEnabled());
                w.menuItem(command)->trigger();
            }
        };
        run();
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!w.button(S("cmdInsertLine"))->isEnabled()); // LineCmd_Muko
        QWidget* win = nullptr;
        if (group) {
            QCOMPARE(openWindows<frmGrp>().size(), 1);
            auto* g = openWindows<frmGrp>().first();
            win = g;
            QCOMPARE(g->pos(), w.pos() + QPoint(33, 33));
            t.ctx.grp.GrpData[5][0] = 77; // kept while the window stays open
            run();
            QCOMPARE(openWindows<frmGrp>().size(), 1);
            QCOMPARE(t.ctx.grp.GrpData[5][0], int16_t(77));
            // Closing asks about the edit; No gives it up.
            QPointer<QWidget> gone(g);
            t.msg.answer(MsgAnswer::No);
            QTest::mouseClick(g->cmdCloseGrpWindow(), Qt::LeftButton);
            QCOMPARE(t.msg.lastText(), S("データが変更されています。閉じる前にファイルに保存しますか？"));
            QTRY_VERIFY(gone.isNull());
            run();
            QCOMPARE(openWindows<frmGrp>().size(), 1);
            QCOMPARE(t.ctx.grp.GrpData[5][0], int16_t(1)); // a new opening starts afresh
            win = openWindows<frmGrp>().first();
        } else {
            QCOMPARE(openWindows<frmSqMcr>().size(), 1);
            auto* m = openWindows<frmSqMcr>().first();
            t.ctx.sm.SmData[0][0] = 3;
            run();
            QCOMPARE(openWindows<frmSqMcr>().size(), 1);
            QCOMPARE(t.ctx.sm.SmData[0][0], int16_t(3));
            QPointer<QWidget> gone(m);
            t.msg.answer(MsgAnswer::No);
            QTest::mouseClick(m->cmdSqMcrWinClose(), Qt::LeftButton);
            QCOMPARE(t.msg.lastText(), S("データが変更されています。閉じる前にファイルに保存しますか？"));
            QTRY_VERIFY(gone.isNull());
            run();
            QCOMPARE(t.ctx.sm.SmData[0][0], int16_t(0));
            win = openWindows<frmSqMcr>().first();
        }
        QVERIFY(win->isVisible());
        QVERIFY(!win->isModal());
        win->close();
    }

    // Through the main window's link to the simulated controller: a read that
    // the window cannot be closed during, and a macro write.
    void transfersThroughTheMainWindow() {
        TestApp t({.language = 2, .mm = false, .actuators = true, .simulator = true});
        sim::SimSerialPort& port = *t.simulator;
        t.set(S("Language"), S("2"));
        frmMain w(t.ctx);
        w.Show();
        for (size_t n = 1; n <= 99; ++n) port.sim.state.groups[n] = {int(n), int(n + 200)};
        w.menuItem(S("mnuShowGroup"))->trigger();
        QCOMPARE(openWindows<frmGrp>().size(), 1);
        QPointer<frmGrp> g = openWindows<frmGrp>().first();
        port.sim.faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0RG05"));
        bool closeRefused = false, buttonsOff = false;
        QTimer::singleShot(100, g, [&] {
            buttonsOff = !g->cmdReadGrp()->isEnabled() && !g->cmdCloseGrpWindow()->isEnabled() &&
                         !g->framHyoujiNo()->isEnabled();
            closeRefused = !g->close();
        });
        QTest::mouseClick(g->cmdReadGrp(), Qt::LeftButton);
        QVERIFY(buttonsOff);
        QVERIFY(closeRefused);
        QVERIFY(!g.isNull());
        QVERIFY(g->isVisible());
        QVERIFY(g->cmdReadGrp()->isEnabled());
        QCOMPARE(g->txtGrpStartNo(32)->text(), S("33"));
        QCOMPARE(g->txtGrpEndNo(32)->text(), S("233"));
        QVERIFY(!t.ctx.link.ct->busy());
        QVERIFY(g->close());

        w.button(S("cmdSqMcrWinOpen"))->click();
        auto* m = openWindows<frmSqMcr>().first();
        t.ctx.sm.SmData[0][4] = 5; // macro 3, TIMER 7
        t.ctx.sm.SmData[0][5] = 7;
        QTest::mouseClick(m->cmdWriteSMtoCt(), Qt::LeftButton);
        QCOMPARE(t.msg.shown.back().text, S("SM Data is transmitted to controller,Yes?"));
        QCOMPARE(port.sim.state.commits, 1);
        QCOMPARE(port.sim.state.macros[3].left(2), QByteArray("57"));
        QVERIFY(m->UpDownSmNo()->isEnabled());

        // A macro read: the buttons are off, the selector stays usable and
        // the window cannot be closed until it ends.
        port.sim.faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0RM5"));
        bool selectorOn = false;
        buttonsOff = closeRefused = false;
        QTimer::singleShot(100, m, [&] {
            buttonsOff = !m->cmdReadSMfromCt()->isEnabled() && !m->cmdSqMcrWinClose()->isEnabled();
            selectorOn = m->UpDownSmNo()->isEnabled();
            closeRefused = !m->close();
        });
        QTest::mouseClick(m->cmdReadSMfromCt(), Qt::LeftButton);
        QCOMPARE(t.msg.shown.back().text, S("Read the SM Data from controller, Ok?"));
        QVERIFY(buttonsOff);
        QVERIFY(selectorOn);
        QVERIFY(closeRefused);
        QVERIFY(m->isVisible());
        QVERIFY(m->cmdReadSMfromCt()->isEnabled());
        QVERIFY(!t.ctx.link.ct->busy());
        QVERIFY(m->close());
    }

    // A new user's first read of the groups and the macros from a fresh
    // simulator goes back by "Write to C/T" as it came.
    void aFreshSimulatorsGroupsAndMacrosGoBackAsRead() {
        for (int16_t language : {int16_t(2), int16_t(1)}) {
            TestApp t({.language = language, .mm = false, .actuators = true, .simulator = true});
            sim::SimSerialPort& port = *t.simulator;
            QString why;
            QVERIFY2(sim::LoadNewUserState(port.sim.state, QStringLiteral(RER_DATA_DIR), &why), qPrintable(why));
            t.set(S("Language"), QString::number(language));
            const auto groups = port.sim.state.groups;
            const auto macros = port.sim.state.macros;
            frmMain w(t.ctx);
            w.Show();
            const size_t shown = t.msg.shown.size();
            const bool jp = language == 1;

            // Read, then write back: the write's question, not a refusal, and
            // the controller commits what it held.
            auto readAndWriteBack = [&](QPushButton* read, QPushButton* write, const QString& question,
                                        const QByteArray& commit) {
                const int commits = port.sim.state.commits;
                QTest::mouseClick(read, Qt::LeftButton);
                QTest::mouseClick(write, Qt::LeftButton);
                QCOMPARE(t.msg.lastText(), question);
                QCOMPARE(port.sim.state.commits, commits + 1);
                QCOMPARE(port.sim.state.commitLog.back(), commit);
            };
            w.menuItem(S("mnuShowGroup"))->trigger();
            QPointer<frmGrp> g = openWindows<frmGrp>().first();
            readAndWriteBack(g->cmdReadGrp(), g->cmdWriteGrp(),
                             jp ? S("グループデータをコントローラへ書き込みますか？") : S("Group Data is transmitted to controller,Yes?"),
                             "0WE3");
            QCOMPARE(g->txtGrpEndNo(0)->text(), S("4"));
            QVERIFY(port.sim.state.groups == groups);
            QVERIFY(g->close());

            w.menuItem(S("mnuShowSqMcr"))->trigger();
            QPointer<frmSqMcr> m = openWindows<frmSqMcr>().first();
            readAndWriteBack(m->cmdReadSMfromCt(), m->cmdWriteSMtoCt(),
                             jp ? S("ｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀをコントローラへ書き込みますか？") : S("SM Data is transmitted to controller,Yes?"),
                             "0WE1");
            QVERIFY(port.sim.state.macros == macros);
            QVERIFY(m->close());
            QCOMPARE(t.msg.shown.size(), shown + 4); // two reads and two writes asked, nothing else
            w.hide();
        }
    }

    void groupCaptions() {
        for (int language : {1, 2}) {
            TestApp t;
            t.ctx.setLanguage(int16_t(language));
            frmGrp g(t.ctx);
            const bool jp = language == 1;
            QCOMPARE(g.windowTitle(), jp ? S("グループ[*]") : S("Group[*]"));
            QCOMPARE(g.lblStartPosi(1)->text(), jp ? S("開始位置") : S("START"));
            QCOMPARE(g.cmdWriteGrp()->text(), jp ? S("ｺﾝﾄﾛｰﾗへ 書き込み") : S("Write to C/T"));
            QCOMPARE(g.cmdGrpCtVerify()->text(), jp ? S("ｺﾝﾄﾛｰﾗと 照合") : S("Verfy C/T"));
            QCOMPARE(g.framHyoujiNo()->title(), jp ? S("表示するｸﾞﾙｰﾌﾟNo") : S("Indicating Range"));
            QCOMPARE(g.optGrpNo(1)->text(), S("No.34 - 66"));
            QCOMPARE(g.lblGrpNo(0)->text(), S(" 1."));
            QCOMPARE(g.lblGrpNo(32)->text(), S("33."));
            QCOMPARE(g.txtGrpStartNo(0)->text(), S("1"));
            QCOMPARE(g.txtGrpEndNo(32)->text(), S("1"));
        }
    }

    void groupRowBoxes() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmGrp g(t.ctx);
        QVERIFY(activate(g));
        QLineEdit* start = g.txtGrpStartNo(4);
        start->clear();
        type(start, S("12a34"));
        QCOMPARE(start->text(), S("123")); // a letter and a fourth digit are ignored
        start->selectAll();
        QTest::keyClicks(start, S("9"));
        QCOMPARE(start->text(), S("9"));
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(g.txtGrpEndNo(4)->hasFocus());
        QCOMPARE(t.ctx.grp.GrpData[5][0], int16_t(9)); // stored when the box lost the focus
        QTest::keyClick(g.txtGrpEndNo(4), Qt::Key_Return);
        QVERIFY(g.txtGrpStartNo(5)->hasFocus());
        // Enter in the last end box wraps to the first row of the page.
        g.txtGrpEndNo(32)->setFocus();
        QTest::keyClick(g.txtGrpEndNo(32), Qt::Key_Enter);
        QVERIFY(g.txtGrpStartNo(0)->hasFocus());
        // A cleared box stores 0, which the next check refuses.
        g.txtGrpStartNo(0)->clear();
        g.txtGrpEndNo(0)->setFocus();
        QCOMPARE(t.ctx.grp.GrpData[1][0], int16_t(0));
        QTest::mouseClick(g.cmdGrpFileSave(), Qt::LeftButton);
        QCOMPARE(t.msg.lastText(), S("Invalid value in some of Group Data.\r\nConfirm the value and try it again."));
        QVERIFY(t.files.saved.empty());
        QVERIFY(g.cmdGrpFileSave()->isEnabled());
        QVERIFY(g.framHyoujiNo()->isEnabled());

        // The third page.
        clickOption(g.optGrpNo(2));
        QCOMPARE(g.lblGrpNo(0)->text(), S("67."));
        QCOMPARE(g.lblGrpNo(32)->text(), S("99."));
        t.ctx.grp.GrpData[99][1] = 250;
        clickOption(g.optGrpNo(0));
        QCOMPARE(g.lblGrpNo(0)->text(), S("1.")); // rewritten without the blank
        QCOMPARE(g.txtGrpStartNo(0)->text(), S("0"));
        clickOption(g.optGrpNo(2));
        QCOMPARE(g.txtGrpEndNo(32)->text(), S("250"));
        type(g.txtGrpStartNo(32), S("\b7"));
        g.txtGrpEndNo(32)->setFocus();
        QCOMPARE(t.ctx.grp.GrpData[99][0], int16_t(7));
    }

    void groupBoxesByKeyboardInputMethodAndPaste() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmGrp g(t.ctx);
        QVERIFY(activate(g));
        // Tab leaves a full box (3 digits), storing its value; Shift+Tab comes back.
        QLineEdit* start = g.txtGrpStartNo(4);
        start->setFocus();
        start->selectAll();
        QTest::keyClicks(start, S("123"));
        QTest::keyClick(start, Qt::Key_Tab);
        QVERIFY(!start->hasFocus());
        QCOMPARE(t.ctx.grp.GrpData[5][0], int16_t(123));
        QWidget* next = QApplication::focusWidget();
        QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(start->hasFocus());
        QTest::keyClick(start, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(!start->hasFocus());
        // Delete in a full box, full-width digits from the input method, a paste.
        start->setFocus();
        start->setCursorPosition(0);
        rer::test::DeleteKey(start);
        QCOMPARE(start->text(), S("23"));
        start->clear();
        rer::test::ImeCommit(start, S("３９９"));
        QCOMPARE(start->text(), S("399"));
        start->clear();
        rer::test::Paste(start, S("12x"));
        QVERIFY(start->text().isEmpty());
        rer::test::Paste(start, S("２５０"));
        QCOMPARE(start->text(), S("250"));
        g.txtGrpEndNo(4)->setFocus();
        QCOMPARE(t.ctx.grp.GrpData[5][0], int16_t(250));
    }

    void groupOpenFileShowsIt() {
        TestApp t;
        t.ctx.setLanguage(2);
        QTemporaryDir dir;
        for (int n = 1; n <= 99; ++n) t.ctx.grp.GrpData[size_t(n)] = {int16_t(n), int16_t(n + 100), 0};
        const QString path = dir.filePath(S("g.grp"));
        QVERIFY(WriteGrpFile(t.ctx, path));
        frmGrp g(t.ctx);
        QVERIFY(activate(g));
        QCOMPARE(g.txtGrpEndNo(10)->text(), S("1"));
        t.files.answer(path);
        QTest::mouseClick(g.cmdGrpFileOpen(), Qt::LeftButton);
        QCOMPARE(g.txtGrpStartNo(10)->text(), S("11"));
        QCOMPARE(g.txtGrpEndNo(10)->text(), S("111"));
        QVERIFY(g.cmdGrpFileOpen()->isEnabled());
        QVERIFY(g.cmdCloseGrpWindow()->isEnabled());
    }

    void macroCaptions() {
        for (int language : {1, 2}) {
            TestApp t;
            t.ctx.setLanguage(int16_t(language));
            frmSqMcr m(t.ctx);
            const bool jp = language == 1;
            QCOMPARE(m.windowTitle(), jp ? S("ｼｰｹﾝｽ・ﾏｸﾛ[*]") : S("Sequence Macro[*]"));
            QCOMPARE(m.cmdWriteSMtoCt()->text(), jp ? S("　ｺﾝﾄﾛｰﾗへ　書き込み") : S("Write to C/T"));
            QCOMPARE(m.cmdSmCTShogo()->text(), jp ? S("  ｺﾝﾄﾛｰﾗと 照合") : S("Verify C/T"));
            QCOMPARE(m.lblSqMacro()->text(), jp ? S("ＳＭ No") : S("SM No"));
            QCOMPARE(m.lblSqMcrStep(0)->text(), S("Step 1"));
            QCOMPARE(m.lblSqMcrStep(15)->text(), S("Step16"));
            QCOMPARE(m.lblSqMacroNo()->text(), S("1"));
            QCOMPARE(m.comboMerei(3)->count(), 7);
            QCOMPARE(m.comboMerei(3)->currentText(), S("0. END"));
            QCOMPARE(m.comboMerei(3)->itemData(6).toInt(), 6);
            QCOMPARE(m.txtSmData(15)->text(), S("0"));
        }
    }

    void macroStepBoxes() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmSqMcr m(t.ctx);
        QVERIFY(activate(m));
        // IN-ON accepts only 1 to 4 and one character.
        m.comboMerei(0)->setFocus();
        m.comboMerei(0)->setCurrentIndex(1);
        QLineEdit* box = m.txtSmData(0);
        box->setFocus(); // the list loses the focus: the command is stored
        QCOMPARE(t.ctx.sm.SmData[0][0], int16_t(1));
        QCOMPARE(t.ctx.sm.SmData[0][1], int16_t(0)); // choosing a command keeps the data
        box->clear();
        QTest::keyClicks(box, S("5a03"));
        QCOMPARE(box->text(), S("3"));
        QTest::keyClicks(box, S("2"));
        QCOMPARE(box->text(), S("3"));
        QCOMPARE(t.ctx.sm.SmData[0][1], int16_t(3));
        // END accepts 0 to 9.
        QLineEdit* box1 = m.txtSmData(1);
        box1->setFocus();
        box1->selectAll();
        QTest::keyClicks(box1, S("9"));
        QCOMPARE(t.ctx.sm.SmData[1][1], int16_t(9));

        // Another macro: edits go to its columns; code 15 shows END.
        t.ctx.sm.SmData[2][2] = 15;
        t.ctx.sm.SmData[2][3] = 15;
        QTest::mouseClick(m.upButton(), Qt::LeftButton);
        QCOMPARE(m.lblSqMacroNo()->text(), S("2"));
        QCOMPARE(m.comboMerei(0)->currentText(), S("0. END"));
        QCOMPARE(m.comboMerei(2)->currentText(), S("0. END"));
        QCOMPARE(m.txtSmData(2)->text(), S("15"));
        QCOMPARE(t.ctx.sm.SmData[2][2], int16_t(15)); // showing stores nothing
        QTest::mouseClick(m.downButton(), Qt::LeftButton);
        QTest::mouseClick(m.downButton(), Qt::LeftButton);
        QCOMPARE(m.lblSqMacroNo()->text(), S("1"));
        QCOMPARE(m.comboMerei(0)->currentText(), S("1. IN-ON"));
        QCOMPARE(m.txtSmData(0)->text(), S("3"));
    }

    void macroBoxesByKeyboardInputMethodAndPaste() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmSqMcr m(t.ctx);
        QVERIFY(activate(m));
        // Tab and Shift+Tab leave every data box, holding a digit or not.
        for (int s = 0; s < 16; ++s) {
            QLineEdit* box = m.txtSmData(s);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Tab);
            QVERIFY2(!box->hasFocus(), qPrintable(box->objectName()));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY2(!box->hasFocus(), qPrintable(box->objectName()));
        }
        // IN-ON takes "1" to "4", also from the input method and the clipboard.
        m.comboMerei(3)->setFocus();
        m.comboMerei(3)->setCurrentIndex(1);
        QLineEdit* box = m.txtSmData(3);
        box->setFocus();
        box->selectAll();
        rer::test::ImeCommit(box, S("５"));
        QCOMPARE(box->text(), S("0"));
        rer::test::ImeCommit(box, S("３"));
        QCOMPARE(box->text(), S("3"));
        QCOMPARE(t.ctx.sm.SmData[3][1], int16_t(3));
        box->selectAll();
        rer::test::Paste(box, S("ab"));
        QCOMPARE(box->text(), S("3"));
        box->selectAll();
        rer::test::Paste(box, S("４"));
        QCOMPARE(t.ctx.sm.SmData[3][1], int16_t(4));
        box->setCursorPosition(0);
        rer::test::DeleteKey(box);
        QVERIFY(box->text().isEmpty());
    }

    void macroWriteRefusedKeepsSelector() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmSqMcr m(t.ctx);
        QVERIFY(activate(m));
        t.ctx.sm.SmData[4][12] = 1; // macro 7, IN-ON with data 0
        QTest::mouseClick(m.cmdWriteSMtoCt(), Qt::LeftButton);
        QCOMPARE(t.msg.lastText(), S("Invalid data in some of SM Data.\r\nConfirm the value and try it again."));
        QVERIFY(m.cmdWriteSMtoCt()->isEnabled());
        QVERIFY(m.UpDownSmNo()->isEnabled());
        QCOMPARE(m.lblSqMacroNo()->text(), S("1"));
    }

    void macroOpenFileShowsIt() {
        TestApp t;
        t.ctx.setLanguage(2);
        QTemporaryDir dir;
        t.ctx.sm.SmData[0][16] = 5; // macro 9, TIMER 4
        t.ctx.sm.SmData[0][17] = 4;
        const QString path = dir.filePath(S("m.smd"));
        QVERIFY(WriteSmFile(t.ctx, path));
        frmSqMcr m(t.ctx);
        QVERIFY(activate(m));
        t.files.answer(path);
        QTest::mouseClick(m.cmdSmFileOpen(), Qt::LeftButton);
        for (int i = 0; i < 8; ++i) QTest::mouseClick(m.upButton(), Qt::LeftButton);
        QCOMPARE(m.lblSqMacroNo()->text(), S("9"));
        QTest::mouseClick(m.upButton(), Qt::LeftButton); // no tenth macro
        QCOMPARE(m.lblSqMacroNo()->text(), S("9"));
        QCOMPARE(m.comboMerei(0)->currentText(), S("5. TIMER"));
        QCOMPARE(m.txtSmData(0)->text(), S("4"));
    }
};

QTEST_MAIN(tst_grpsm)
#include "tst_grpsm.moc"
