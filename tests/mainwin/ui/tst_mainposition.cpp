// New, Open, Save, Save As and a controller read through the real main
// window, with the file dialogs answered from a script.
#include "app/StartUp.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/frmMain.h"
#include "sim/SimSerialPort.h"
#include "testsupport/TestApp.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

class MainPositionWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Rows pasted with a number too large for a double in one cell: the
    // write refuses them with the check's list before anything goes to the
    // controller.
    void aPastedNumberTooLargeIsNeverWritten_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::newRow("WAY1") << 1 << 3 << QStringLiteral("1e999");
        QTest::newRow("OUT") << 1 << 10 << QStringLiteral("1e999");
        QTest::newRow("POSI2") << 1 << 8 << QStringLiteral("   1e999");
        QTest::newRow("POSI2 negative") << 1 << 8 << QStringLiteral("-1e999");
        QTest::newRow("one-axis OUT") << 2 << 5 << QStringLiteral("1e999");
    }
    void aPastedNumberTooLargeIsNeverWritten() {
        QFETCH(int, ctType);
        QFETCH(int, col);
        QFETCH(QString, text);
        TestApp t({.language = 2, .ctType = int16_t(ctType), .mm = false, .actuators = true, .simulator = true});
        t.ctx.opt.NotJapan = true;
        frmMain w(t.ctx);
        w.Show();
        t.commitActuators(); // the load forgets the committed models
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const Product p = productOf(ctType);
        PositionGrid& g = t.ctx.grid.of(p);
        QStringList row;
        for (int c = 1; c <= LastColumn(p); ++c) row << g.text(7, c);
        row[col - 1] = text;
        t.clipboard.setText(row.join(QLatin1Char('\t')));

        QTableView* v = w.grid(p);
        const QModelIndex first = v->model()->index(7 - 1, 0);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(first).center());
        w.menuItem(QStringLiteral("mnuEditPaste"))->trigger();
        QCOMPARE(g.text(7, col), text);

        QTimer::singleShot(0, [] {
            if (QWidget* d = QApplication::activeModalWidget())
                if (auto* ok = d->findChild<QPushButton*>(QStringLiteral("cmdSelectPosiOk"))) ok->click();
        });
        t.msg.answer(MsgAnswer::Ok);
        w.button(QStringLiteral("cmdPosiLoad"))->click();
        QCOMPARE(t.msg.lastText(), QStringLiteral("No data or invalid data in some position No. .\r\nConfirm the "
                                                  "Position data indicated below, and tyr it again.\r\n Position No.7,."));
        QVERIFY(!t.msg.anyContains(QStringLiteral("Completed data transmit.")));
        QVERIFY(t.simulator->sim.received.empty());
        QVERIFY(w.button(QStringLiteral("cmdPosiLoad"))->isEnabled());
        t.msg.answer(MsgAnswer::No);
        t.msg.answer(MsgAnswer::Ok);
        w.close();
    }

    void fileCommandsAndAControllerRead() {
        TestApp t({.language = 2, .mm = false, .actuators = true, .simulator = true});
        t.ctx.opt.NotJapan = true;
        sim::SimSerialPort& port = *t.simulator;
        QTemporaryDir dir;
        frmMain w(t.ctx);
        w.Show();
        // A model of the catalogue, so that Open can take it back.
        for (auto& a : t.ctx.dev.two) TestApp::setActuator(a, QStringLiteral(" 28"), QStringLiteral("L"));
        t.ctx.dev.DevIsKZ = {true, true};
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        PositionGrid& g = t.ctx.grid.flgdData;
        QLabel* fileName = w.label(QStringLiteral("lblFileName"));
        for (const char* b : {"cmdPosiFileOpen", "cmdPosiSaveFile", "cmdPosiRead", "cmdPosiLoad", "cmdPosiVerify"})
            QVERIFY2(w.button(QString::fromLatin1(b))->isEnabled(), b);

        // Typed text still in the in-cell editor is saved by Save As.
        QTableView* v = w.grid(Product::TwoAxis);
        const QModelIndex cell = v->model()->index(0, 0);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(cell).center());
        QTest::keyClick(QApplication::focusWidget(), '7');
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("txtEdit"))->isVisible());
        const QString path = dir.filePath(QStringLiteral("a.kzd"));
        t.files.answer(path);
        w.button(QStringLiteral("cmdPosiSaveFile"))->click();
        QCOMPARE(t.msg.lastText(), QStringLiteral("Write Data to the file,Yes?"));
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(g.text(1, 1), QStringLiteral("7"));
        QCOMPARE(fileName->text(), QStringLiteral("a"));
        QVERIFY(g.Tag.isEmpty());
        QVERIFY(w.button(QStringLiteral("cmdPosiRead"))->isEnabled());

        // New asks first, then shows the defaults.
        g.setText(2, 1, QStringLiteral("9"));
        g.Tag = kDataChange;
        t.msg.answer(MsgAnswer::No);
        w.menuItem(QStringLiteral("mnuFileNew"))->trigger();
        QCOMPARE(t.msg.lastText(), QStringLiteral("Data have been changed.Save the data into the file?"));
        QCOMPARE(g.text(1, 1), QStringLiteral("5"));
        QCOMPARE(fileName->text(), QStringLiteral("New "));
        QCOMPARE(v->model()->index(0, 0).data().toString(), QStringLiteral("5"));

        // Open from the toolbar: no unsaved edits, no question.
        const size_t shown = t.msg.shown.size();
        t.files.answer(path);
        w.toolButton(2)->trigger();
        QCOMPARE(t.msg.shown.size(), shown);
        QCOMPARE(g.text(1, 1), QStringLiteral("7"));
        QCOMPARE(v->model()->index(0, 0).data().toString(), QStringLiteral("7"));
        QCOMPARE(fileName->text(), QStringLiteral("a"));
        QCOMPARE(w.label(QStringLiteral("lblDeviceType1"))->text(), QStringLiteral("KZ- 28L-100"));

        // Save writes beside the file without a dialog.
        g.setText(3, 1, QStringLiteral("8"));
        const size_t dialogs = t.files.saved.size();
        w.menuItem(QStringLiteral("mnuFileSave"))->trigger();
        QCOMPARE(t.files.saved.size(), dialogs);
        QVERIFY(QFile(path).open(QIODevice::ReadOnly));

        // Read from the controller.
        for (auto& rec : port.sim.state.positions) rec = sim::PositionRecord(1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0);
        port.sim.state.positions[1] = sim::PositionRecord(4, 2, 1, 100, 3, 1, 0, 50, 0, 1, 2);
        t.msg.answer(MsgAnswer::No); // do not save first
        t.msg.answer(MsgAnswer::Ok);
        w.button(QStringLiteral("cmdPosiRead"))->click();
        QCOMPARE(g.text(1, 1), QStringLiteral("4"));
        QCOMPARE(g.text(1, 4), QStringLiteral("    100"));
        QCOMPARE(fileName->text(), QStringLiteral("Inside of C/T"));
        QVERIFY(w.button(QStringLiteral("cmdPosiRead"))->isEnabled());
        QVERIFY(w.menuItem(QStringLiteral("mnuFileSave"))->isEnabled());

        // Save now asks for a name.
        t.files.answer(std::nullopt);
        w.menuItem(QStringLiteral("mnuFileSave"))->trigger();
        QCOMPARE(t.files.saved.back().fileName, QStringLiteral("kzdata1.kzd"));
        QVERIFY(t.ctx.main.HozonCancel);

        t.msg.answer(MsgAnswer::Ok);
        w.close();
    }

    // The one-axis product opens the file it saved with the list files of
    // its one axis only: the second model such a file names (" 39T-100" of
    // the old-type list) is not looked up, whether the old-type list lacks
    // it or is missing altogether.
    void oneAxisOpenNeedsOnlyItsOwnAxisList() {
        for (int16_t language : {int16_t(2), int16_t(1)}) {
            for (bool missing : {false, true}) {
                const QByteArray what = QByteArray(missing ? "no kzdevice.lst" : "no 39T-100") + ", language " +
                                        QByteArray::number(language);
                TestApp t({.language = language, .ctType = 2, .folder = rer::test::AppOptions::Folder::OwnCopy});
                t.set(QStringLiteral("Language"), QString::number(language));
                QTemporaryDir dir;
                frmMain w(t.ctx);
                W3kInitMain(t.ctx, w);
                QVERIFY2(t.msg.shown.empty(), what.constData());
                PositionGrid& g = t.ctx.grid.flgdDataW3k;

                const QString path = dir.filePath(QStringLiteral("own.kzd"));
                t.files.answer(path);
                w.button(QStringLiteral("cmdPosiSaveFile"))->click();
                QFile saved(path);
                QVERIFY2(saved.open(QIODevice::ReadOnly), what.constData());
                QVERIFY2(saved.readAll().contains("\"KZ- 39T-100\""), what.constData());

                if (missing)
                    t.removeFile(QStringLiteral("kzdevice.lst"));
                else
                    t.writeFile(QStringLiteral("kzdevice.lst"),
                                {QStringLiteral("2"), QStringLiteral("\" 28L-100\",6,400,1,1"),
                                 QStringLiteral("\" 39T-200\",4,400,2,0")});
                g.setText(1, 1, QStringLiteral("9"));
                w.label(QStringLiteral("lblFileName"))->setText(QString());
                const size_t shown = t.msg.shown.size();
                t.files.answer(path);
                w.menuItem(QStringLiteral("mnuFileOpen"))->trigger();
                QVERIFY2(t.msg.shown.size() == shown, qPrintable(t.msg.lastText() + QStringLiteral(" / ") + what));
                QCOMPARE(g.text(1, 1), QStringLiteral("5"));
                QCOMPARE(w.label(QStringLiteral("lblFileName"))->text(), QStringLiteral("own"));
                QCOMPARE(w.label(QStringLiteral("lblDeviceTypeW3k0"))->text(), QStringLiteral("KZ- 28L-100"));
                QCOMPARE(int(t.ctx.dev.one[0].Lead), 6);
                w.hide();
            }
        }
    }
};

QTEST_MAIN(MainPositionWindow)
#include "tst_mainposition.moc"
