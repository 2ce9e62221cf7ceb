// The group-data and sequence-macro windows never drop the user's edits
// without asking; nor does the main window when it ends with them open. The
// real windows, typed into and clicked, against the simulated controller.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "files/GrpSmFiles.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/GrpSmFixture.h"
#include "testsupport/InputEvents.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace rer;
using namespace rer::test;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }


// What a test needs of either window: the box it types into, the commands.
struct Window {
    QPointer<GrpSmWindow> w;
    QLineEdit* box = nullptr; // group 5's end, or the data of step 1 of macro 1
    QPushButton* open = nullptr;
    QPushButton* read = nullptr;
    QPushButton* close = nullptr;
};

} // namespace

class tst_grpsmedits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Close (its button and the close box), open and read after an edit
    // typed into the window: the question, and what each answer does. Yes
    // saves first and goes on only when the save went through.
    void editsAreNeverDroppedWithoutAsking_data() {
        QTest::addColumn<bool>("group");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        for (bool group : {true, false})
            for (const char* command : {"Close", "close box", "open", "read"})
                for (const char* answer : kEditsAnswers)
                    QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(group ? "group" : "macro", command, answer)))
                        << group << S(command) << S(answer);
    }
    void editsAreNeverDroppedWithoutAsking() {
        QFETCH(bool, group);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        GrpSmWorld t;
        // The controller's and a file's data: group 5 ends at 205 / 105;
        // step 1 of macro 1 is TIMER 3 / TIMER 4.
        for (size_t n = 1; n <= 99; ++n) t.sim().state.groups[n] = {int(n), int(n + 200)};
        t.sim().state.macros[1] = "53" + QByteArray(30, '0');
        for (size_t n = 1; n <= 99; ++n) t.ctx.grp.GrpData[n] = {int16_t(n), int16_t(n + 100), 0};
        t.ctx.sm.SmData[0][0] = 5;
        t.ctx.sm.SmData[0][1] = 4;
        const QString other = t.tmp(group ? S("other.grp") : S("other.smd"));
        QVERIFY(group ? WriteGrpFile(t.ctx, other) : WriteSmFile(t.ctx, other));
        const QString saved = t.tmp(group ? S("saved.grp") : S("saved.smd"));

        Window x;
        if (group) {
            auto* g = new frmGrp(t.ctx);
            x = {g, g->txtGrpEndNo(4), g->cmdGrpFileOpen(), g->cmdReadGrp(), g->cmdCloseGrpWindow()};
        } else {
            auto* m = new frmSqMcr(t.ctx);
            x = {m, m->txtSmData(0), m->cmdSmFileOpen(), m->cmdReadSMfromCt(), m->cmdSqMcrWinClose()};
        }
        QVERIFY(ShowActive(*x.w));
        QVERIFY(!x.w->isWindowModified());
        x.box->setFocus();
        x.box->selectAll();
        QTest::keyClicks(x.box, S("7")); // group 5 from 1 to 7; END with data 7
        QApplication::processEvents();

        if (command == S("read")) t.msg.answer(MsgAnswer::Ok); // the read's own question first
        const bool goesOn = AnswerEditsQuestion(t.msg, t.files, answer, saved);
        const size_t received = t.sim().received.size();
        bool closed = false;
        if (command == S("Close")) {
            QTest::mouseClick(x.close, Qt::LeftButton);
            closed = x.w.isNull() || !x.w->isVisible();
        } else if (command == S("close box")) {
            closed = x.w->close(); // the edit is still in its box, which has the focus
        } else if (command == S("open")) {
            t.files.answer(other);
            QTest::mouseClick(x.open, Qt::LeftButton);
        } else {
            QTest::mouseClick(x.read, Qt::LeftButton);
        }

        const size_t first = command == S("read") ? 1 : 0;
        QVERIFY(t.msg.shown.size() > first);
        const auto& question = t.msg.shown.at(first);
        QCOMPARE(question.text, command == S("read") ? kEditsReadQuestion : command == S("open") ? kEditsReplaceQuestion : kEditsCloseQuestion);
        QCOMPARE(question.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(question.icon, MsgIcon::Question);
        if (answer == S("Yes, saved")) {
            GrpSmWorld back;
            QVERIFY(group ? ReadGrpFile(back.ctx, saved) : ReadSmFile(back.ctx, saved));
            QCOMPARE(group ? back.ctx.grp.GrpFileData[5][1] : back.ctx.sm.SmFileData[0][1], int16_t(7));
        } else {
            QVERIFY(!QFile::exists(saved));
        }
        const bool closing = command == S("Close") || command == S("close box");
        QCOMPARE(closed, closing && goesOn);
        QCOMPARE(t.sim().received.size() > received, command == S("read") && goesOn);
        QCOMPARE(t.files.opened.size(), size_t(command == S("open") && goesOn ? 1 : 0));
        if (closing && goesOn) {
            QTRY_VERIFY(x.w.isNull()); // deleted when closed
            return;
        }
        QVERIFY(x.w->isVisible());
        QVERIFY(x.open->isEnabled() && x.close->isEnabled());
        if (!goesOn) {
            QCOMPARE(x.box->text(), S("7"));
            QCOMPARE(group ? t.ctx.grp.GrpData[5][1] : t.ctx.sm.SmData[0][1], int16_t(7));
            QVERIFY(x.w->isWindowModified());
        } else {
            QCOMPARE(x.box->text(), command == S("open") ? (group ? S("105") : S("4")) : (group ? S("205") : S("3")));
            QVERIFY(!x.w->isWindowModified());
        }
        delete x.w;
    }

    // Ending the program asks each window that holds edits first; Cancel
    // there keeps the program and every window as it was. (In Japanese: the
    // main window's language setting is absent.)
    void theMainWindowAsksItsEditorWindowsFirst() {
        const QString kCloseJp = S("データが変更されています。閉じる前にファイルに保存しますか？");
        GridTestContext t;
        frmMain w(t.ctx);
        w.Show();
        QSignalSpy ended(&w, &frmMain::programEnded);
        w.runCommand(S("cmdOpenGrpWindow"));
        auto* g = w.findChild<frmGrp*>();
        QVERIFY(g && ShowActive(*g));
        g->txtGrpEndNo(0)->setFocus();
        g->txtGrpEndNo(0)->selectAll();
        QTest::keyClicks(g->txtGrpEndNo(0), S("9"));
        QTest::keyClick(g->txtGrpEndNo(0), Qt::Key_Tab);
        QVERIFY(g->isWindowModified());
        w.runCommand(S("OpenParaWindow"));
        auto* p = w.findChild<frmParameta2*>();
        QVERIFY(p && p->isVisible());
        w.runCommand(S("cmdSqMcrWinOpen")); // nothing edited: closes without a question
        QVERIFY(w.findChild<frmSqMcr*>());
        QTest::keyClicks(p->box(2, 0), S("5"));
        QVERIFY(p->isWindowModified());

        t.msg.answer(MsgAnswer::Cancel);
        QVERIFY(!w.close());
        QCOMPARE(t.msg.shown.size(), size_t(1));
        QCOMPARE(t.msg.lastText(), kCloseJp);
        QVERIFY(w.isVisible() && g->isVisible() && p->isVisible());
        QCOMPARE(t.ctx.grp.GrpData[1][1], int16_t(9));
        QCOMPARE(p->box(2, 0)->text(), S("5"));
        QCOMPARE(ended.count(), 0);

        // No to both windows, then the main window's own question.
        t.msg.answer(MsgAnswer::No);
        t.msg.answer(MsgAnswer::No);
        t.msg.answer(MsgAnswer::Ok);
        QVERIFY(w.close());
        QCOMPARE(t.msg.shown.size(), size_t(4));
        QCOMPARE(t.msg.shown[1].text, kCloseJp);
        QCOMPARE(t.msg.shown[2].text, kCloseJp);
        QCOMPARE(t.msg.lastText(), S("DI-D6 を終了します。"));
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(tst_grpsmedits)
#include "tst_grpsmedits.moc"
