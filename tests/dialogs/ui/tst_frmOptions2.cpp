// The options dialog as a user drives it: captions, typing into the number
// boxes, the tab checks, OK, Cancel, Close and the close box.
#include "dialogs/ui/frmOptions2.h"
#include "testsupport/GridTestContext.h"

#include "link/PortDevice.h"
#include "mainwin/MainFrame.h"
#include "mainwin/PositionEditor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>
#include <QClipboard>
#include <QtTest>
#include <memory>

using namespace rer;
using rer::test::GridTestContext;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The dialog shown and active, as the main window opens it.
std::unique_ptr<frmOptions2> open(GridTestContext& t) {
    auto d = std::make_unique<frmOptions2>(t.ctx);
    d->show();
    d->activateWindow();
    if (!QTest::qWaitForWindowActive(d.get())) qWarning("the dialog did not become active");
    return d;
}

// Replaces a box's text by typed keys.
void retype(QLineEdit* e, const QString& keys) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, keys);
}

void clickOption(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

} // namespace

class tst_frmOptions2 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsByLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // title, tab 0, tab 6, Cancel, Close, port label, Japanese option
        QTest::newRow("English") << 2
                                 << QStringList{S("Options"), S("RS-232C"), S("Teaching"), S("Cancel"), S("Close"),
                                                S("RS-232C PORT : COM"), S("JAPANESE")};
        QTest::newRow("Japanese") << 1
                                  << QStringList{S("ｵﾌﾟｼｮﾝ"), S("通信ポート"), S("ﾃｨｰﾁﾝｸﾞ"), S("ｷｬﾝｾﾙ"), S("閉じる"),
                                                 S("通信ポート設定：　COM"), S("日本語JAPANESE")};
    }
    void captionsByLanguage() {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        GridTestContext t(1, language);
        frmOptions2 d(t.ctx);
        QCOMPARE(d.windowTitle(), texts[0]);
        QCOMPARE(d.SSTabOption()->count(), 7);
        QCOMPARE(d.SSTabOption()->tabText(0), texts[1]);
        QCOMPARE(d.SSTabOption()->tabText(6), texts[2]);
        QCOMPARE(d.cmdCancel()->text(), texts[3]);
        QCOMPARE(d.cmdApply()->text(), texts[4]);
        QCOMPARE(d.findChild<QLabel*>(S("lblPortNo"))->text(), texts[5]);
        QCOMPARE(d.optLanguege(0)->text(), texts[6]);
        QCOMPARE(d.cmdOK()->text(), S("OK"));
        QCOMPARE(d.optCT(0)->text(), S("VO-D6"));
        QCOMPARE(d.optCT(1)->text(), S("KZ-H3K"));
        QVERIFY(!d.optSutiSyori(0)->toolTip().isEmpty());
    }

    // Outside Japan the greyed Japanese option tells why when the pointer
    // rests on it; in Japan it is open and says nothing.
    void greyedJapaneseSaysWhy_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("notJapan");
        QTest::addColumn<QString>("tip");
        QTest::newRow("English, outside Japan")
            << 2 << true
            << S("Japanese can be chosen only under a Japanese system locale\n(for example LANG=ja_JP.UTF-8); "
                 "under any other locale the program runs in English.");
        QTest::newRow("Japanese, outside Japan")
            << 1 << true
            << S("日本語は、システムのロケールが日本（例: LANG=ja_JP.UTF-8）のときに選べます。\n"
                 "ほかのロケールでは英語で動作します。");
        QTest::newRow("in Japan") << 1 << false << QString();
    }
    void greyedJapaneseSaysWhy() {
        QFETCH(int, language);
        QFETCH(bool, notJapan);
        QFETCH(QString, tip);
        GridTestContext t(1, language);
        t.ctx.opt.NotJapan = notJapan;
        auto d = open(t);
        d->SSTabOption()->setCurrentIndex(3);
        QRadioButton* jp = d->optLanguege(0);
        QCOMPARE(jp->isEnabled(), !notJapan);
        QToolTip::hideText();
        const QPoint at = jp->rect().center();
        QHelpEvent hover(QEvent::ToolTip, at, jp->mapToGlobal(at));
        QApplication::sendEvent(jp, &hover);
        if (tip.isEmpty()) {
            QVERIFY(!QToolTip::isVisible());
        } else {
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), tip);
        }
        QToolTip::hideText();
    }

    void controlsShowTheSharedValues() {
        GridTestContext t(2, 2, true);
        t.ctx.opt.NotJapan = true;
        t.ctx.opt.PortNo = 3;
        t.ctx.opt.MoveTimeout = 90;
        t.set(S("AccOf100Pls"), S("1"));
        frmOptions2 d(t.ctx);
        QCOMPARE(d.txtPortNo()->text(), S("3"));
        QCOMPARE(d.UpDown2()->value(), 3);
        QCOMPARE(d.OldPortNo, 3);
        QVERIFY(d.optHyojiKirikae(1)->isChecked());
        QVERIFY(d.optSutiSyori(0)->isChecked());
        QVERIFY(d.optCT(1)->isChecked());
        QVERIFY(d.optLanguege(1)->isChecked());
        QVERIFY(!d.optLanguege(0)->isEnabled()); // outside Japan
        QCOMPARE(d.txtMoveTimeout()->text(), S("90"));
        QCOMPARE(d.txtJogVel()->text(), S("20"));
        QVERIFY(d.optJogAcc(0)->isChecked());
        QVERIFY(d.optJogAcc2(1)->isChecked());
        QCOMPARE(d.optJogAcc2(0)->text(), S("1"));
    }

    void portBoxAndUpDown() {
        GridTestContext t;
        auto d = open(t);
        QLineEdit* port = d->txtPortNo();
        retype(port, S("5"));
        QCOMPARE(port->text(), QString()); // 5 cannot be typed
        QCOMPARE(t.beeper.count, 1);       // and the user hears it
        QTest::keyClicks(port, S("2"));
        QCOMPARE(port->text(), S("2"));
        QTest::keyClicks(port, S("3"));
        QCOMPARE(port->text(), S("2")); // one digit
        port->selectAll();
        QTest::keyClicks(port, S("1"));
        QCOMPARE(port->text(), S("2")); // also with the text selected
        QCOMPARE(t.beeper.count, 3);
        // Ports 5 to 9 through the up-down control.
        for (int i = 0; i < 4; ++i) d->UpDown2()->stepUp();
        QCOMPARE(port->text(), S("6"));
        // The box takes no Enter: the dialog's OK answers it.
        QTest::keyClick(port, Qt::Key_Return);
        QCOMPARE(port->text(), S("6"));
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(t.ctx.opt.PortNo, 6);
    }

    // What reaches a box without a key (the context menu's Paste) obeys the
    // same digits and lengths.
    void pasteFollowsTheBoxRules() {
        GridTestContext t;
        auto d = open(t);
        struct Case {
            QLineEdit* box;
            const char* pasted;
            const char* kept;
            bool beep; // the box kept less than was pasted
        };
        const Case cases[] = {
            {d->txtPortNo(), "x", "", true},      {d->txtPortNo(), "7", "", true},
            {d->txtPortNo(), "２", "2", false},   {d->txtJogVel(), "1a", "", true},
            {d->txtJogVel(), "１２", "12", false}, {d->txtJogVel(), "123", "12", true},
            {d->txtMoveTimeout(), "-5", "", true}, {d->txtMoveTimeout(), "4567", "456", true},
        };
        for (const Case& c : cases) {
            c.box->clear();
            QGuiApplication::clipboard()->setText(S(c.pasted));
            const int before = t.beeper.count;
            c.box->paste();
            QCOMPARE(c.box->text(), S(c.kept));
            QCOMPARE(t.beeper.count, before + (c.beep ? 1 : 0));
        }
    }

    // Beside the number, the device it opens: the variable's device, the
    // n-th port the system reports, or none; it follows the number.
    void theDeviceOfThePortNumber() {
        GridTestContext t(1, 2);
        t.ctx.opt.PortNo = 7;
        const auto ports = SystemSerialPorts();
        qputenv("RER6O250_COM7", "/tmp/ctsim-com7");
        qunsetenv("RER6O250_COM9");
        auto d = open(t);
        QCOMPARE(d->lblPortDevice()->text(), S("/tmp/ctsim-com7  (RER6O250_COM7)"));
        d->UpDown2()->stepUp();
        d->UpDown2()->stepUp();
        QCOMPARE(d->txtPortNo()->text(), S("9"));
        if (ports.size() < 9)
            QCOMPARE(d->lblPortDevice()->text(), S("(no serial port)"));
        else
            QVERIFY(d->lblPortDevice()->text().startsWith(ports[8].systemLocation));
        retype(d->txtPortNo(), S("1"));
        QCOMPARE(d->lblPortDevice()->text(), ports.empty() ? S("(no serial port)") : PortDeviceCaption(t.ctx, 1, ports));
        QVERIFY(d->lblPortDevice()->isVisible());
        qunsetenv("RER6O250_COM7");
    }

    // A settings file whose "PortNo" lies outside 1 to 9 (written by hand)
    // is taken as port 1, the default: the box shows 1 and the device it
    // opens, never a number with an empty caption.
    void aPortNumberOutsideTheListIsTakenAsTheDefault_data() {
        QTest::addColumn<int>("portNo");
        QTest::addColumn<int>("language");
        QTest::newRow("12") << 12 << 2;
        QTest::newRow("10") << 10 << 2;
        QTest::newRow("0") << 0 << 2;
        QTest::newRow("12 Japanese") << 12 << 1;
    }
    void aPortNumberOutsideTheListIsTakenAsTheDefault() {
        QFETCH(int, portNo);
        QFETCH(int, language);
        GridTestContext t(1, int16_t(language));
        t.set(S("PortNo"), QString::number(portNo));
        LoadMainSettings(t.ctx);
        t.ctx.setLanguage(int16_t(language));
        QCOMPARE(int(t.ctx.opt.PortNo), 1);
        qputenv("RER6O250_COM1", "/tmp/ctsim-default");
        auto d = open(t);
        QCOMPARE(d->txtPortNo()->text(), S("1"));
        QCOMPARE(d->lblPortDevice()->text(), S("/tmp/ctsim-default  (RER6O250_COM1)"));
        qunsetenv("RER6O250_COM1");
    }

    // A number that opens no device says so, also one outside 1 to 9 that
    // reaches the caption some other way.
    void aNumberThatOpensNoDeviceSaysSo() {
        GridTestContext t;
        const std::vector<SerialPortDescription> none;
        for (int n : {0, 9, 10, 12}) {
            const QByteArray variable = SerialPortVariable(n).toLatin1();
            if (n < 1 || n > 9) qputenv(variable.constData(), "/tmp/ctsim-outside");
            QCOMPARE(PortDeviceCaption(t.ctx, n, none), S("(no serial port)"));
            qunsetenv(variable.constData());
        }
    }

    void numberBoxesAndEnter() {
        GridTestContext t;
        auto d = open(t);
        d->SSTabOption()->setCurrentIndex(6);
        retype(d->txtJogVel(), S("1a23"));
        QCOMPARE(d->txtJogVel()->text(), S("12"));
        QTest::keyClick(d->txtJogVel(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->optJogAcc(2)));
        d->SSTabOption()->setCurrentIndex(5);
        retype(d->txtMoveTimeout(), S("4.567"));
        QCOMPARE(d->txtMoveTimeout()->text(), S("456"));
        QCOMPARE(t.beeper.count, 4); // "a" and "3" above, "." and "7" here: each dropped key once
        QTest::keyClick(d->txtMoveTimeout(), Qt::Key_Backspace);
        QCOMPARE(d->txtMoveTimeout()->text(), S("45"));
        QTest::keyClick(d->txtMoveTimeout(), Qt::Key_Enter);
        QCOMPARE(t.beeper.count, 4);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->txtDummy()));
        QVERIFY(d->isVisible());
        QVERIFY(t.msg.shown.empty());
    }

    void leavingATabChecksItsBox() {
        GridTestContext t;
        auto d = open(t);
        QTabWidget* tabs = d->SSTabOption();
        tabs->setCurrentIndex(6);
        retype(d->txtJogVel(), S("61"));
        tabs->setCurrentIndex(0);
        QCOMPARE(t.msg.lastText(), S("The value at the VEL is invalid."));
        QCOMPARE(tabs->currentIndex(), 6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->txtJogVel()));
        QCOMPARE(d->txtJogVel()->selectedText(), S("61"));
        QTest::keyClicks(d->txtJogVel(), S("60"));
        tabs->setCurrentIndex(5);
        QCOMPARE(tabs->currentIndex(), 5);
        QCOMPARE(t.msg.shown.size(), size_t(1));

        retype(d->txtMoveTimeout(), S("0"));
        tabs->setCurrentIndex(6);
        QCOMPARE(t.msg.lastText(), S("The value at the Communication Timeout is invalid."));
        QCOMPARE(tabs->currentIndex(), 5);
        QCOMPARE(d->txtMoveTimeout()->selectedText(), S("0"));
        // Leaving other tabs checks nothing.
        QTest::keyClicks(d->txtMoveTimeout(), S("30"));
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(2);
        QCOMPARE(t.msg.shown.size(), size_t(2));
    }

    void okWithAnInvalidBoxStaysOpen() {
        GridTestContext t;
        auto d = open(t);
        d->txtJogVel()->setText(S("0"));
        clickOption(d->optSutiSyori(1));
        const int saves = t.store.saveCount;
        QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(d->SSTabOption()->currentIndex(), 6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->txtJogVel()));
        QCOMPARE(t.msg.shown.size(), size_t(1)); // the check's message only
        QCOMPARE(t.store.saveCount, saves);
        QVERIFY(t.ctx.opt.MmRoundUp);

        QTest::keyClicks(d->txtJogVel(), S("15"));
        d->txtMoveTimeout()->setText(S("1000"));
        QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
        QCOMPARE(d->SSTabOption()->currentIndex(), 5);
        QCOMPARE(d->txtMoveTimeout()->selectedText(), S("1000"));
        QCOMPARE(t.msg.shown.size(), size_t(2));

        QTest::keyClicks(d->txtMoveTimeout(), S("3"));
        QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->isVisible());
        QCOMPARE(t.ctx.teach.VelOf100Pls, 15);
        QCOMPARE(t.ctx.opt.MoveTimeout, 5.0f);
        QVERIFY(!t.ctx.opt.MmRoundUp);
        QCOMPARE(t.get(S("MmRoundUp")), S("0"));
    }

    void okAppliesTheChoices() {
        GridTestContext t(1, 1);
        auto d = open(t);
        clickOption(d->optLanguege(1));
        clickOption(d->optCT(1));
        QTest::mouseClick(d->chkPortOccupy(), Qt::LeftButton, {}, QPoint(8, d->chkPortOccupy()->height() / 2));
        clickOption(d->optJogAcc(1));
        clickOption(d->optJogAcc2(0));
        QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(t.ctx.opt.LanguageChanged);
        QVERIFY(t.ctx.opt.CtTypeChanged);
        QVERIFY(t.ctx.opt.PortOccupy);
        QCOMPARE(t.ctx.teach.AccOf100Pls, 2);
        QCOMPARE(t.ctx.teach.AccOf100Pls2, 1);
        QCOMPARE(t.ctx.opt.LanguageNo, 1);
        QCOMPARE(t.ctx.opt.CtType, 1);
    }

    void cancelCloseAndCloseBoxStoreNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Close") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("Escape") << 3;
    }
    void cancelCloseAndCloseBoxStoreNothing() {
        QFETCH(int, how);
        GridTestContext t(1, 2, false);
        SetUpPositionGrid(t.ctx, Product::TwoAxis);
        t.clipboard.setText(S("rows"));
        const ProgramOptions before = t.ctx.opt;
        const TeachSettings teachBefore = t.ctx.teach;
        auto d = open(t);
        const int saves = t.store.saveCount;
        const auto grid = t.ctx.grid.flgdData.snapshot();
        // Every tab edited.
        d->UpDown2()->stepUp();
        QTest::mouseClick(d->chkPortOccupy(), Qt::LeftButton, {}, QPoint(8, d->chkPortOccupy()->height() / 2));
        clickOption(d->optSutiSyori(1));
        clickOption(d->optHyojiKirikae(1));
        clickOption(d->optLanguege(0));
        clickOption(d->optCT(1));
        retype(d->txtMoveTimeout(), S("300"));
        retype(d->txtJogVel(), S("45"));
        clickOption(d->optJogAcc(0));
        clickOption(d->optJogAcc2(0));
        const OptionsForm edited = d->formValues();
        QVERIFY(edited.chkPortOccupy && edited.optSutiSyori == 1 && edited.optHyojiKirikae == 1 &&
                edited.optLanguege == 0 && edited.optCT == 1 && edited.optJogAcc == 0 && edited.optJogAcc2 == 0);
        QCOMPARE(edited.txtPortNo, S("2"));
        switch (how) {
        case 0: QTest::mouseClick(d->cmdCancel(), Qt::LeftButton); break;
        case 1: QTest::mouseClick(d->cmdApply(), Qt::LeftButton); break;
        case 2: d->close(); break;
        default: QTest::keyClick(d.get(), Qt::Key_Escape); break;
        }
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(t.store.saveCount, saves);
        QCOMPARE(t.ctx.opt.PortNo, before.PortNo);
        QCOMPARE(t.ctx.opt.PortOccupy, before.PortOccupy);
        QCOMPARE(t.ctx.opt.MmRoundUp, before.MmRoundUp);
        QCOMPARE(t.ctx.opt.DispMmUnit, before.DispMmUnit);
        QCOMPARE(t.ctx.opt.LanguageChanged, false);
        QCOMPARE(t.ctx.opt.CtTypeChanged, false);
        QCOMPARE(t.ctx.opt.MoveTimeout, before.MoveTimeout);
        QCOMPARE(t.ctx.teach.VelOf100Pls, teachBefore.VelOf100Pls);
        QCOMPARE(t.ctx.teach.AccOf100Pls, teachBefore.AccOf100Pls);
        QCOMPARE(t.ctx.teach.AccOf100Pls2, teachBefore.AccOf100Pls2);
        QVERIFY(t.ctx.grid.flgdData.snapshot() == grid);
        QCOMPARE(t.clipboard.text(), S("rows"));
        QVERIFY(t.msg.shown.empty());
    }
};

QTEST_MAIN(tst_frmOptions2)
#include "tst_frmOptions2.moc"
