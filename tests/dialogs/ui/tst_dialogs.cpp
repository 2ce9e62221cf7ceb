#include "dialogs/ShogoResult.h"
#include "dialogs/ui/frmDataShogo.h"
#include "dialogs/ui/frmPrintSelect.h"
#include "dialogs/ui/frmSelectPosiNo.h"
#include "testsupport/AppFixture.h"
#include "testsupport/InputEvents.h"

#include <QCheckBox>
#include <QDir>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

class DialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rangeDialog() {
        TestApp t;
        t.ctx.pos.PosiRangeStart = 7;
        t.ctx.pos.PosiRangeEnd = 9;
        {   // OK right after opening: all positions.
            frmSelectPosiNo d(t.ctx);
            QCOMPARE(d.windowTitle(), QStringLiteral("データNoの設定"));
            QVERIFY(!d.sldrStartPosiNo()->isEnabled());
            d.cmdSelectPosiOk_Click();
            QCOMPARE(t.ctx.pos.PosiRangeStart, 1);
            QCOMPARE(t.ctx.pos.PosiRangeEnd, 399);
            QVERIFY(!t.ctx.pos.SelectPosiCancel);
        }
        {   // A range without moving anything: 1 to 100.
            frmSelectPosiNo d(t.ctx);
            d.optSelectPosiNo(1)->setChecked(true);
            QVERIFY(d.sldrStartPosiNo()->isEnabled());
            d.cmdSelectPosiOk_Click();
            QCOMPARE(t.ctx.pos.PosiRangeStart, 1);
            QCOMPARE(t.ctx.pos.PosiRangeEnd, 100);
        }
        {   // The end follows the start up, the start follows the end down.
            frmSelectPosiNo d(t.ctx);
            d.optSelectPosiNo(1)->setChecked(true);
            d.sldrStartPosiNo()->setValue(250);
            QCOMPARE(d.endNo(), 250);
            QCOMPARE(d.sldrEndPosiNo()->value(), 250);
            d.sldrEndPosiNo()->setValue(5);
            QCOMPARE(d.startNo(), 5);
            d.UpDownStartPosiNo()->setValue(20);
            QCOMPARE(d.startNo(), 20);
            QCOMPARE(d.endNo(), 20);
            d.UpDownEndPosiNo()->setValue(30);
            d.cmdSelectPosiOk_Click();
            QCOMPARE(t.ctx.pos.PosiRangeStart, 20);
            QCOMPARE(t.ctx.pos.PosiRangeEnd, 30);
        }
        {   // Cancel and the close box keep the range and set the flag.
            for (int how = 0; how < 2; ++how) {
                frmSelectPosiNo d(t.ctx);
                d.show();
                d.optSelectPosiNo(1)->setChecked(true);
                d.sldrStartPosiNo()->setValue(50);
                if (how == 0) d.cmdSelectPosiCancel_Click(); else d.close();
                QVERIFY(t.ctx.pos.SelectPosiCancel);
                QCOMPARE(t.ctx.pos.PosiRangeStart, 20);
                QCOMPARE(t.ctx.pos.PosiRangeEnd, 30);
            }
        }
    }

    void verificationChoiceAndResult() {
        TestApp t;
        t.ctx.setLanguage(2);
        for (int button = 0; button < 3; ++button) {
            frmDataShogo d(t.ctx);
            QCOMPARE(d.windowTitle(), QStringLiteral("Select Position Data to reference"));
            const char* names[] = {"cmdFileDataShogo", "cmdCtDataShogo", "cmdCancelOfShogo"};
            d.findChild<QPushButton*>(QString::fromLatin1(names[button]))->click();
            QCOMPARE(d.Select_Shogo, button == 0 ? 1 : button == 1 ? 2 : 0);
        }

        // Range 10 to 20, positions 12 and 17 differ; 17 only in ITPL.
        auto& k = t.ctx.pos.two.PosiShogoKekka;
        k[12][0] = k[12][3] = k[12][11] = true;
        k[17][8] = k[17][11] = true;
        k[25][11] = true; // outside the range
        t.ctx.pos.PosiRangeStart = 10;
        t.ctx.pos.PosiRangeEnd = 20;
        t.ctx.pos.PosiShogoNgCount = 2;
        frmSyogoKekka r(t.ctx, Product::TwoAxis);
        QTableWidget* g = r.flgdSyogoKekka();
        QCOMPARE(g->rowCount(), 3);
        QCOMPARE(g->columnCount(), 12);
        QCOMPARE(g->item(0, 9)->text(), QStringLiteral("ITPL"));
        QCOMPARE(g->item(1, 0)->text(), QStringLiteral("12"));
        QCOMPARE(g->item(2, 0)->text(), QStringLiteral("17"));
        QCOMPARE(g->item(1, 1)->text(), QStringLiteral("X"));
        QCOMPARE(g->item(1, 4)->text(), QStringLiteral("X"));
        QCOMPARE(g->item(1, 2)->text(), QStringLiteral("O"));
        for (int c = 1; c <= 11; ++c)
            QCOMPARE(g->item(2, c)->text(), c == 9 ? QStringLiteral("X") : QStringLiteral("O"));
        QCOMPARE(g->item(2, 9)->background().color(), QColor(255, 128, 128));

        t.ctx.setLanguage(1);
        t.ctx.pos.one.PosiShogoKekka[15][5] = t.ctx.pos.one.PosiShogoKekka[15][11] = true;
        frmSyogoKekka r1(t.ctx, Product::OneAxis);
        QCOMPARE(r1.objectName(), QStringLiteral("frm3KSyogo"));
        QCOMPARE(r1.flgdSyogoKekka()->columnCount(), 7);
        QCOMPARE(r1.flgdSyogoKekka()->item(0, 1)->text(), QStringLiteral("速度"));
        QCOMPARE(r1.flgdSyogoKekka()->item(0, 6)->text(), QStringLiteral("S/M"));
        QCOMPARE(r1.flgdSyogoKekka()->item(1, 6)->text(), QStringLiteral("X"));
    }

    void printSelectionOffersTheSavedParameterFiles() {
        for (int16_t language : {int16_t(2), int16_t(1)}) {
            TestApp t;
            t.ctx.setLanguage(language);
            frmPrintSelect d(t.ctx);
            d.chkPrintPara()->click();
            d.optPrintPara(1)->setChecked(true);
            t.files.answer(QStringLiteral("/data/para/kzw6prm1.pmd"));
            d.cmdSelectParaFile_Click();
            QCOMPARE(d.PrintParaFileName, QStringLiteral("/data/para/kzw6prm1.pmd"));
            // The filter the dialog opens with lists what the parameter windows
            // save (*.pmd) and the older *.pmt files.
            const QString first = ToQtFilter(t.files.opened.back().filter).split(QStringLiteral(";;")).first();
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\(([^()]*)\\)$")).match(first);
            QVERIFY2(m.hasMatch(), qPrintable(first));
            const QStringList patterns = m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QVERIFY2(QDir::match(patterns, QStringLiteral("kzw6prm1.pmd")), qPrintable(first));
            QVERIFY2(QDir::match(patterns, QStringLiteral("old.pmt")), qPrintable(first));
            QVERIFY(!QDir::match(patterns, QStringLiteral("line1.kzd")));
            QCOMPARE(t.files.opened.back().defaultExt, QStringLiteral("pmd"));
        }
    }

    void printSelectionRangeBoxesByInputMethodAndPaste() {
        TestApp t;
        t.ctx.setLanguage(2);
        frmPrintSelect d(t.ctx);
        d.show();
        QApplication::setActiveWindow(&d);
        QLineEdit* s = d.txtPrintStartPosi();
        s->setFocus();
        s->clear();
        rer::test::ImeCommit(s, QStringLiteral("１２"));
        QCOMPARE(s->text(), QStringLiteral("12"));
        rer::test::Paste(s, QStringLiteral("a"));
        QCOMPARE(s->text(), QStringLiteral("12"));
        s->setCursorPosition(0);
        rer::test::DeleteKey(s);
        QCOMPARE(s->text(), QStringLiteral("2"));
        QTest::keyClick(s, Qt::Key_Tab);
        QVERIFY(d.txtPrintEndPosi()->hasFocus() || !s->hasFocus());
        d.reject();
    }

    void printSelection() {
        TestApp t;
        t.ctx.setLanguage(2);
        {   // Grid, whole range by default.
            frmPrintSelect d(t.ctx);
            QCOMPARE(d.windowTitle(), QStringLiteral("Print Setting"));
            QVERIFY(!d.lblPrintPosiName()->isEnabled());
            d.chkPrintGyokanS()->setChecked(true);
            d.cmdPrintSet_Click();
            QVERIFY(d.GridPosiPrint);
            QVERIFY(!d.FilePosiPrint);
            QVERIFY(!d.PrintCancel);
            QCOMPARE(t.ctx.print.PrintPosiFrom, 1);
            QCOMPARE(t.ctx.print.PrintPosiTo, 399);
            QVERIFY(t.ctx.print.PrintNarrow);
        }
        {   // File chosen but not browsed: refused, the dialog stays.
            frmPrintSelect d(t.ctx);
            d.show();
            d.optPrintPosi(1)->setChecked(true);
            QVERIFY(d.lblPrintPosiName()->isEnabled());
            d.cmdPrintSet_Click();
            QVERIFY(d.isVisible());
            QCOMPARE(t.msg.lastText(), QStringLiteral("Invalid file name. Confirm file name and print it again."));
            QVERIFY(!d.FilePosiPrint);
            // Browse cancelled changes nothing; a chosen file is taken.
            d.cmdSelectPosiFile_Click();
            QCOMPARE(d.lblPrintPosiName()->text(), QStringLiteral("Position Data(xxxx.kzd)"));
            t.files.answer(QStringLiteral("/data/pos/line1.kzd"));
            d.cmdSelectPosiFile_Click();
            QCOMPARE(t.files.opened.back().filter,
                     QStringLiteral("Position Data(*.kzd)|*.kzd|Position Data(*.vtd)|*.vtd|All files(*.*)|*.*"));
            QVERIFY(t.files.opened.back().mustExist);
            QCOMPARE(t.files.opened.back().kind, FileKind::Position);
            QCOMPARE(d.lblPrintPosiName()->text(), QStringLiteral("line1.kzd"));
            d.cmdPrintSet_Click();
            QVERIFY(d.FilePosiPrint);
            QCOMPARE(d.PrintPosiFileName, QStringLiteral("/data/pos/line1.kzd"));
            // The parameter file's Browse: of the parameter kind, starting
            // where the last file of any kind lay while none of its own was
            // chosen.
            t.files.answer(std::nullopt);
            d.cmdSelectParaFile_Click();
            QCOMPARE(t.files.opened.back().kind, FileKind::Parameter);
            QCOMPARE(t.files.opened.back().folder, QStringLiteral("/data/pos"));
        }
        {   // Parameters from the controller never print.
            frmPrintSelect d(t.ctx);
            d.chkPrintPara()->click();
            QVERIFY(d.optPrintPara(0)->isEnabled());
            d.cmdPrintSet_Click();
            QVERIFY(!d.CtrlParaPrint);
            QVERIFY(d.GridPosiPrint);
        }
        {   // Neither section: OK is disabled.
            frmPrintSelect d(t.ctx);
            d.chkPrintPosi()->click();
            QVERIFY(!d.cmdPrintSet()->isEnabled());
            d.chkPrintPara()->click();
            QVERIFY(d.cmdPrintSet()->isEnabled());
        }
        {   // Range boxes: digits only, three at most; leaving a bad value empties it with a beep.
            frmPrintSelect d(t.ctx);
            d.show();
            QApplication::setActiveWindow(&d);
            QLineEdit* s = d.txtPrintStartPosi();
            QLineEdit* e = d.txtPrintEndPosi();
            s->setFocus();
            s->clear();
            const int heard = t.beeper.count;
            QTest::keyClicks(s, QStringLiteral("0a5x"));
            QCOMPARE(s->text(), QStringLiteral("05"));
            QTest::keyClicks(s, QStringLiteral("99"));
            QCOMPARE(s->text(), QStringLiteral("059"));
            QCOMPARE(t.beeper.count, heard + 3); // "a", "x" and the fourth digit, each dropped with a beep
            s->setText(QStringLiteral("0"));
            e->setFocus();
            QCOMPARE(s->text(), QString());
            QCOMPARE(d.beeps, 1);
            s->setFocus();
            s->setText(QStringLiteral("500"));
            e->setFocus();
            QCOMPARE(d.beeps, 3); // outside 1..399 and above the end
            s->setFocus();
            QTest::keyClick(s, Qt::Key_Return);
            QVERIFY(e->hasFocus());
            // OK with an emptied or wrong box beeps, focuses it and stays open.
            int beeps = d.beeps;
            d.cmdPrintSet_Click();
            QCOMPARE(d.beeps, ++beeps);
            QVERIFY(s->hasFocus());
            QVERIFY(d.isVisible());
            QCOMPARE(t.ctx.print.PrintPosiFrom, 1);
            s->setText(QStringLiteral("5"));
            e->setText(QStringLiteral("400"));
            d.cmdPrintSet_Click();
            QCOMPARE(d.beeps, ++beeps);
            QVERIFY(e->hasFocus());
            QVERIFY(d.isVisible());
            e->setText(QStringLiteral("9"));
            d.cmdPrintSet_Click();
            QVERIFY(!d.isVisible());
            QCOMPARE(t.ctx.print.PrintPosiFrom, 5);
            QCOMPARE(t.ctx.print.PrintPosiTo, 9);
        }
        {   // The close box cancels.
            frmPrintSelect d(t.ctx);
            d.show();
            d.close();
            QVERIFY(d.PrintCancel);
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
