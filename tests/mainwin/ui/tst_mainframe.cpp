#include "app/StartUp.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/AppFixture.h"
#include "testsupport/LinkFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QLayout>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

namespace {

// Commands the families act on, registered so that only the families decide.
const char* const kAllCommands[] = {
    "FileNew", "FileOpen", "FileSave", "FileSaveAs", "PosiRead", "PosiWrite", "PosiVerify",
    "PosiVerifyFile", "PosiVerifyCt", "PageSetup", "Print", "InsertLine", "DeleteLine", "Copy",
    "Paste", "cmdOpenIoWin", "cmdOpenMoveWin", "cmdOpenGrpWindow", "cmdSqMcrWinOpen",
    "OpenParaWindow", "OpenJogWindow", "cmdReset", "mnuShowCtversion", "mnuModeTrancefer",
    "mnuModeGaibu"};

void registerAll(frmMain& w, QStringList* ran = nullptr) {
    for (const char* c : kAllCommands) {
        const QString name = QString::fromLatin1(c);
        w.registerCommand(name, [ran, name] { if (ran) *ran << name; });
    }
}

// A main window of the product in the language, as the product choice
// leaves it.
struct ChosenMain {
    ChosenMain(int ctType, int language) : w((speak(t, language), t.ctx)) { ConfirmProduct(t.ctx, ctType, w); }
    TestApp t;
    frmMain w;

private:
    static void speak(TestApp& app, int language) {
        app.set(QStringLiteral("Language"), QString::number(language));
        DecideLanguage(app.ctx);
    }
};

const char* const kButtons[] = {"cmdPosiFileOpen", "cmdPosiSaveFile", "cmdPosiLoad", "cmdPosiRead",
                                "cmdPosiVerify", "cmdOpenIoWin", "cmdOpenMoveWin", "cmdOpenGrpWindow",
                                "cmdSqMcrWinOpen", "cmdParaHyoji", "cmdJogTeach", "cmdReset"};

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsEitherProductInEitherLanguage_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("two-axis Japanese") << 1 << 1;
        QTest::newRow("two-axis English") << 1 << 2;
        QTest::newRow("one-axis Japanese") << 2 << 1;
        QTest::newRow("one-axis English") << 2 << 2;
    }
    void loadsEitherProductInEitherLanguage() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        ChosenMain m(ctType, language);
        TestApp& t = m.t;
        frmMain& w = m.w;
        const bool jp = language == 1;
        QVERIFY(w.isVisible());
        QVERIFY(w.windowTitle().startsWith(ctType == 1 ? QStringLiteral("DI-D6 Ver") : QStringLiteral("DE-D3U Ver")));
        QCOMPARE(w.grid(Product::TwoAxis)->isVisibleTo(&w), ctType == 1);
        QCOMPARE(w.grid(Product::OneAxis)->isVisibleTo(&w), ctType == 2);
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("pictureW6Device"))->isVisibleTo(&w), ctType == 1);
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("pictureW3kDevice"))->isVisibleTo(&w), ctType == 2);
        QCOMPARE(w.label(QStringLiteral("lblShowDev"))->text(), jp ? QStringLiteral("使用機種") : QStringLiteral("Type of KZ"));
        QCOMPARE(w.menu(QStringLiteral("mnuFileShogo"))->title(), jp ? QStringLiteral("データ照合") : QStringLiteral("Verfy Position"));
        QCOMPARE(w.menuItem(QStringLiteral("mnuModeTrancefer"))->text(),
                 jp ? QStringLiteral("通信ﾓｰﾄﾞ(&T)") : QStringLiteral("Communication Mode(&C)"));
        QVERIFY(w.label(QStringLiteral("lblJotai"))->toolTip().contains(jp ? QStringLiteral("赤ランプ") : QStringLiteral("White")));
        QCOMPARE(w.label(QStringLiteral("lblFileName"))->text(), jp ? QStringLiteral("新規作成") : QStringLiteral("New Data"));
        QCOMPARE(w.toolButton(2)->toolTip(), jp ? QStringLiteral("開く") : QStringLiteral("Open Position Data file"));
        QCOMPARE(w.toolButton(4), nullptr);
        QCOMPARE(w.menuItem(QStringLiteral("mnuHelpContents"))->isVisible(), jp);
        QCOMPARE(w.menuItem(QStringLiteral("mnuEditCopy"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(w.menuItem(QStringLiteral("mnuEditPaste"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
        QCOMPARE(w.menuItem(QStringLiteral("mnuFileNew"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(w.label(QStringLiteral("lblJotai"))->text(), QStringLiteral("RS-232C"));
        QCOMPARE(w.label(QStringLiteral("lblError"))->text(), QStringLiteral("ALARM"));
        QVERIFY(!w.statusPanel(4)->text().isEmpty());
        QVERIFY(!w.statusPanel(5)->text().isEmpty());
        QVERIFY(!t.ctx.opt.HomeDone);
        // The line and clipboard commands start disabled.
        registerAll(w);
        QVERIFY(!w.button(QStringLiteral("cmdInsertLine"))->isEnabled());
        QVERIFY(!w.toolButton(11)->isEnabled());
        QVERIFY(!w.menuItem(QStringLiteral("mnuEditCopy"))->isEnabled());
        QVERIFY(w.button(QStringLiteral("cmdPosiFileOpen"))->isEnabled());
    }

    // The clock, the last panel of the status bar, keeps from the window's
    // right edge the room each panel keeps from the next, at every width.
    void theClockKeepsTheRoomOfThePanels_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("two-axis English") << 1 << 2;
        QTest::newRow("one-axis Japanese") << 2 << 1;
    }
    void theClockKeepsTheRoomOfThePanels() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        ChosenMain m(ctType, language);
        frmMain& w = m.w;
        QStatusBar* bar = w.statusBar();
        for (int width : {w.minimumWidth(), w.minimumWidth() + 37, w.width()}) {
            w.resize(width, w.height());
            QTest::qWait(10);
            bar->layout()->activate();
            const QRect date = w.statusPanel(4)->geometry();
            const QRect clock = w.statusPanel(5)->geometry();
            const int between = clock.left() - date.right() - 1;
            QVERIFY(between > 0);
            QVERIFY2(bar->width() - clock.right() - 1 >= between,
                     qPrintable(QStringLiteral("width %1: the clock ends at %2 of %3")
                                    .arg(width).arg(clock.right()).arg(bar->width())));
            // The clock's text is whole.
            QVERIFY(clock.width() >= w.statusPanel(5)->fontMetrics().horizontalAdvance(w.statusPanel(5)->text()));
        }
    }

    void commandsNotYetBuiltStayDisabled() {
        TestApp t;
        frmMain w(t.ctx);
        w.Show();
        w.CMDBTN_Yuko();
        w.ToolBar_Yuko();
        w.Menyu_Yuko();
        w.LineCmd_Yuko();
        for (const char* b : kButtons) {
            QPushButton* button = w.button(QString::fromLatin1(b));
            QCOMPARE(button->isEnabled(), w.hasCommand(w.commandOf(button)));
        }
        for (int pos : {1, 2, 3, 5, 7, 8, 9}) {
            QAction* a = w.toolButton(pos);
            QCOMPARE(a->isEnabled(), w.hasCommand(w.commandOf(a)));
        }
        QVERIFY(w.menuItem(QStringLiteral("mnuFileExit"))->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuViewToolBar"))->isEnabled());
        // Registering a command makes its controls usable at once.
        w.registerCommand(QStringLiteral("FileNew"), [] {});
        QCOMPARE(w.commandOf(w.toolButton(1)), QStringLiteral("FileNew"));
        QVERIFY(w.toolButton(1)->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuFileNew"))->isEnabled());
    }

    void enableAndDisableFamilies() {
        TestApp t;
        frmMain w(t.ctx);
        w.Show();
        registerAll(w);

        // Frames nest: the buttons come back when the outer frame ends.
        w.CMDBTN_Muko();
        w.CMDBTN_Muko();
        for (const char* b : kButtons) QVERIFY2(!w.button(QString::fromLatin1(b))->isEnabled(), b);
        w.CMDBTN_Yuko();
        for (const char* b : kButtons) QVERIFY2(!w.button(QString::fromLatin1(b))->isEnabled(), b);
        w.CMDBTN_Yuko();
        for (const char* b : kButtons) QVERIFY2(w.button(QString::fromLatin1(b))->isEnabled(), b);
        // An end without a start ends nothing.
        w.CMDBTN_Yuko();
        w.CMDBTN_Muko();
        QVERIFY(!w.button(QStringLiteral("cmdPosiRead"))->isEnabled());
        w.CMDBTN_Yuko();
        // The line commands wait for a grid.
        QVERIFY(!w.button(QStringLiteral("cmdInsertLine"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("cmdDeleteLine"))->isEnabled());
        w.LineCmd_Yuko();
        QVERIFY(w.button(QStringLiteral("cmdInsertLine"))->isEnabled());
        QVERIFY(w.button(QStringLiteral("cmdChangeDev"))->isEnabled() == w.hasCommand(QStringLiteral("cmdChangeDev")));

        w.Menyu_Muko();
        QVERIFY(!w.menuItem(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(!w.menuItem(QStringLiteral("mnuView"))->isEnabled());
        QVERIFY(!w.menuItem(QStringLiteral("mnuEditGyoInsert"))->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuFileExit"))->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuHelpAbout"))->isEnabled() == w.hasCommand(QStringLiteral("mnuHelpAbout")));
        w.Menyu_Yuko();
        QVERIFY(w.menuItem(QStringLiteral("mnuEdit"))->isEnabled());
        QVERIFY(!w.menuItem(QStringLiteral("mnuEditGyoInsert"))->isEnabled());
        QVERIFY(!w.menuItem(QStringLiteral("mnuEditGyoDelete"))->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuEditCopy"))->isEnabled()); // left on by LineCmd_Yuko above

        // The end of a toolbar frame restores what its start found: Copy and
        // Paste, off by the command's LineCmd_Muko, stay off.
        w.LineCmd_Muko();
        w.ToolBar_Muko();
        QVERIFY(!w.toolButton(1)->isEnabled());
        w.ToolBar_Yuko();
        QVERIFY(w.toolButton(1)->isEnabled());
        QVERIFY(!w.toolButton(11)->isEnabled());
        QVERIFY(!w.toolButton(12)->isEnabled());
        w.LineCmd_Yuko();
        QVERIFY(w.toolButton(11)->isEnabled());
        QVERIFY(w.toolButton(12)->isEnabled());

        // A motion run's CTModeChange frame outlasts a Menyu frame inside it.
        QAction* mode = w.menuItem(QStringLiteral("mnuModeChange"));
        w.CTModeChange_Muko();
        QVERIFY(!mode->isEnabled());
        w.Menyu_Muko();
        w.Menyu_Yuko();
        QVERIFY(!mode->isEnabled());
        w.CTModeChange_Yuko();
        QVERIFY(mode->isEnabled());

        // A busy controller switches off what would start a job, and every
        // control comes back as it was.
        w.CMDBTN_Muko();
        w.setControllerBusy(true);
        for (const char* n : {"mnuFileGetfromCt", "mnuFileLoadtoCt", "mnuFileShogoCt", "mnuShowState", "mnuTeaching",
                              "mnuShowCtversion", "mnuModeChange", "mnuViewOption"})
            QVERIFY2(!w.menuItem(QString::fromLatin1(n))->isEnabled(), n);
        for (int pos : {7, 8, 9}) QVERIFY(!w.toolButton(pos)->isEnabled());
        QVERIFY(w.toolButton(1)->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuFileOpen"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("cmdChangeDev"))->isEnabled());
        w.setControllerBusy(false);
        for (int pos : {7, 8, 9}) QVERIFY(w.toolButton(pos)->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuShowCtversion"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("cmdPosiRead"))->isEnabled()); // its frame still runs
        w.CMDBTN_Yuko();
        QVERIFY(w.button(QStringLiteral("cmdPosiRead"))->isEnabled());
    }

    void toolbarDispatchAndToggles() {
        TestApp t;
        frmMain w(t.ctx);
        w.Show();
        QStringList ran;
        registerAll(w, &ran);
        w.ToolBar_Yuko();
        w.toolButton(9)->trigger();
        w.tbToolBar_ButtonClick(QStringLiteral("Paste"));
        w.tbToolBar_ButtonClick(QStringLiteral("Unknown"));
        QCOMPARE(ran, (QStringList{QStringLiteral("PosiVerify"), QStringLiteral("Paste")}));
        ran.clear();
        w.menuItem(QStringLiteral("mnuFileShogoFile"))->trigger();
        w.menuItem(QStringLiteral("mnuFileShogoCt"))->trigger();
        QCOMPARE(ran, (QStringList{QStringLiteral("PosiVerifyFile"), QStringLiteral("PosiVerifyCt")}));

        QTest::qWait(10);
        const int h0 = w.height();
        QAction* tb = w.menuItem(QStringLiteral("mnuViewToolBar"));
        QAction* sb = w.menuItem(QStringLiteral("mnuViewStatusBar"));
        for (int round = 0; round < 2; ++round) {
            tb->trigger();
            QVERIFY(!w.toolBar()->isVisible());
            QVERIFY(!tb->isChecked());
            QVERIFY(w.findChild<QLabel*>(QStringLiteral("pictureLogo2"))->isVisible());
            tb->trigger();
            QVERIFY(w.toolBar()->isVisible());
            QVERIFY(tb->isChecked());
            QVERIFY(!w.findChild<QLabel*>(QStringLiteral("pictureLogo2"))->isVisible());
            sb->trigger();
            QVERIFY(!sb->isChecked());
            sb->trigger();
            QVERIFY(sb->isChecked());
        }
        QCOMPARE(w.height(), h0);
    }

    void closeAsksAndStoresTheSettings() {
        TestApp t;
        t.set(QStringLiteral("Language"), QStringLiteral("2"));
        t.ctx.opt.CtType = 2;
        frmMain w(t.ctx);
        w.Show();
        QSignalSpy ended(&w, &frmMain::programEnded);

        t.msg.answer(MsgAnswer::Cancel);
        w.mnuFileExit_Click();
        QVERIFY(w.isVisible());
        QVERIFY(t.ctx.main.SyuryoCancel);
        QCOMPARE(t.msg.lastText(), QStringLiteral("Finish DI-D6."));
        QCOMPARE(ended.count(), 0);
        QCOMPARE(t.get(QStringLiteral("PortNo")), QStringLiteral("<absent>"));

        // A controller job that waits keeps the window open.
        {
            sim::SimSerialPort port;
            rer::test::DisplayRecorder display;
            ControllerLink link(t.ctx, port, display);
            ControllerJob job(&link, nullptr);
            w.close();
            QVERIFY(w.isVisible());
            QCOMPARE(ended.count(), 0);
        }

        // An unsaved edit whose Save As dialog is cancelled: Yes keeps the
        // window open.
        t.ctx.grid.of(Product::OneAxis).Tag = QStringLiteral("DataChange");
        const size_t before = t.msg.shown.size();
        t.msg.answer(MsgAnswer::Yes);
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(t.msg.shown.size() >= before + 2);
        QCOMPARE(t.msg.shown[before].text, QStringLiteral("Data have been changed. Save the data into the file before finish?"));
        QCOMPARE(t.files.saved.size(), size_t(1));
        QVERIFY(!t.ctx.main.HozonCancel);

        t.msg.answer(MsgAnswer::No);
        t.ctx.opt.LanguageChanged = true;
        t.ctx.opt.PortNo = 2;
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(t.get(QStringLiteral("PortNo")), QStringLiteral("2"));
        QCOMPARE(t.get(QStringLiteral("Language")), QStringLiteral("1"));
        QCOMPARE(t.get(QStringLiteral("Controller")), QStringLiteral("<absent>"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
