// What the user pastes or types into the position grid reaches the
// controller as the grid shows it, or is refused before anything is sent.
// The real main window over the simulated controller on a pseudo-terminal,
// through the real serial port, in both products; every test program runs
// under the C locale, a comma-decimal one and the Japanese one.
#include "mainwin/PositionEditor.h"
#include "testsupport/InputEvents.h"
#include "testsupport/PtyWindowWorld.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace rer;
using namespace rer::test;
using sim::CtSim;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The main window of product ct in millimetres, over a controller whose
// stroke takes every position of the actuator.
struct World : PtyWindowWorld {
    explicit World(int ct) : PtyWindowWorld(ct) {
        t.ctx.opt.DispMmUnit = true;
        SetUpPositionGrid(t.ctx, product());
        pty.withSim([ct](CtSim& s) {
            for (char b : ct == 1 ? QByteArray("04") : QByteArray("0")) s.state.paramBlocks[b].replace(14, 6, "0FFFFF");
        });
        w->activateWindow();
        active = QTest::qWaitForWindowActive(w.get());
    }
    bool active = false;
    Product product() const { return t.ctx.opt.product(); }
    PositionGrid& grid() { return t.ctx.grid.of(product()); }
    QTableView* view() { return w->grid(product()); }
    QLineEdit* editor() { return w->findChild<QLineEdit*>(S("txtEdit")); }
    // A click on the cell of the active window (a dialog closed leaves no
    // window active under the offscreen platform).
    void clickCell(int r, int c) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const QModelIndex i = view()->model()->index(r - 1, c - 1);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(i).center());
    }
    // Rows from r on, each the row's own cells with POSI1 replaced.
    void pastePositions(int r, const QStringList& posi1) {
        QStringList lines;
        for (int k = 0; k < posi1.size(); ++k) {
            QStringList cells;
            for (int c = 1; c <= LastColumn(product()); ++c) cells << grid().text(r + k, c);
            cells[3] = posi1[k];
            lines << cells.join(QLatin1Char('\t'));
        }
        t.clipboard.setText(lines.join(S("\r\n")));
        clickCell(r, 1);
        w->menuItem(S("mnuEditPaste"))->trigger();
    }
    // The job of the button, its dialogs answered: the verification choice
    // by `choice`, the range with OK, a result window closed.
    void run(const char* button, const char* choice = nullptr) {
        When choose([] { return ModalNamed(S("frmDataShogo")) != nullptr; }, [choice] {
            ModalNamed(S("frmDataShogo"))->findChild<QPushButton*>(S(choice))->click();
        });
        When range([] { return ModalNamed(S("frmSelectPosiNo")) != nullptr; }, [] {
            ModalNamed(S("frmSelectPosiNo"))->findChild<QPushButton*>(S("cmdSelectPosiOk"))->click();
        });
        When result([] { return ModalNamed(S("frmSyogoKekka")) || ModalNamed(S("frm3KSyogo")); },
                    [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
        w->button(S(button))->click();
    }
    void write() { run("cmdPosiLoad"); }
    QByteArray pulsesAt(int n) {
        return pty.withSim([n](CtSim& s) { return s.state.positions[size_t(n)].mid(3, 5); });
    }
    bool anyVerifyOk() { return t.msg.anyContains(S("Result of Verify : OK")); }
};

QByteArray Hex5(int pulses) { return QByteArray::number(pulses, 16).toUpper().rightJustified(5, '0'); }

} // namespace

class tst_typedandpasted : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void products_data() {
        QTest::addColumn<int>("ct");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }

    // A spreadsheet under a comma locale copies "44,44"; a unit or letters
    // come along. Pasted into POSI1 of positions 7 to 10, the grid shows them
    // as they are. The table the controller and a file hold is what their
    // leading numbers would give (44, 12, 0, 7 mm), so that a reading by
    // the leading number would find nothing to tell: Write sends nothing and
    // names each cell, neither verification says OK, the grid keeps the
    // texts for the user to mend.
    void pastedTextsThatAreNoNumbersAreNeverTaken_data() { products_data(); }
    void pastedTextsThatAreNoNumbersAreNeverTaken() {
        QFETCH(int, ct);
        World x(ct);
        QVERIFY(x.started && x.active);
        const QStringList pasted = {S("44,44"), S("12,5"), S("abc"), S("7 mm")};
        const QStringList leading = {S("44"), S("12"), S("0"), S("7")};
        for (int k = 0; k < 4; ++k) x.grid().setText(7 + k, 4, leading[k]);
        x.write();
        QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
        QCOMPARE(x.pulsesAt(7), Hex5(2933)); // 44 mm
        QTemporaryDir dir;
        const QString file = dir.filePath(S("leading.kzd"));
        x.t.files.answer(file);
        x.w->button(S("cmdPosiSaveFile"))->click();
        QVERIFY(QFileInfo::exists(file));

        x.pastePositions(7, pasted);
        for (int k = 0; k < 4; ++k) QCOMPARE(x.grid().text(7 + k, 4), pasted[k]);
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        x.t.msg.clear();
        x.write();
        QVERIFY(x.received().empty());
        QVERIFY(!x.t.msg.anyContains(S("Completed data transmit.")));
        const QString told = x.t.msg.lastText();
        QVERIFY2(told.contains(S(" Position No.7,8,9,10,.")), qPrintable(told));
        const QString column = ct == 1 ? S("POSI1") : S("POSI");
        for (int k = 0; k < 4; ++k)
            QVERIFY2(told.contains(S("Position No.%1 %2: \"%3\" is not a number.").arg(7 + k).arg(column, pasted[k])),
                     qPrintable(told));

        x.t.msg.clear();
        x.run("cmdPosiVerify", "cmdCtDataShogo");
        QVERIFY(x.received().empty());
        QVERIFY2(!x.anyVerifyOk(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.t.msg.lastText(), told);

        x.t.msg.clear();
        x.t.files.answer(file);
        x.run("cmdPosiVerify", "cmdFileDataShogo");
        QVERIFY2(!x.anyVerifyOk(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.t.msg.lastText(), told);

        for (int k = 0; k < 4; ++k) QCOMPARE(x.grid().text(7 + k, 4), pasted[k]);
        QCOMPARE(x.pulsesAt(8), Hex5(800)); // the controller keeps what it had
    }

    // A wholly numeric paste, blanks around it, is written as the grid shows
    // it: the pulses nearest 50, 60.5 and 12.5 mm.
    void pastedNumbersAreWrittenAsShown_data() { products_data(); }
    void pastedNumbersAreWrittenAsShown() {
        QFETCH(int, ct);
        World x(ct);
        QVERIFY(x.started && x.active);
        const QStringList pasted = {S("50"), S("60.5"), S("  12.5 ")};
        x.pastePositions(11, pasted);
        QCOMPARE(x.grid().text(11, 4), S("50")); // as pasted, until the check
        x.write();
        QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
        QCOMPARE(x.pulsesAt(11), Hex5(3333));
        QCOMPARE(x.pulsesAt(12), Hex5(4033));
        QCOMPARE(x.pulsesAt(13), Hex5(833));
        QCOMPARE(x.t.beeper.count, 0);
    }

    // Typed "33,33": the cell takes 33 mm and shows it, with one beep, and
    // the controller gets the 33 mm the cell shows. The keypad's decimal key
    // of a German keyboard types "." into a position cell, as it does when
    // it starts the entry: 12.5 mm and 0.5 mm go out.
    void typedEntries_data() { products_data(); }
    void typedEntries() {
        QFETCH(int, ct);
        World x(ct);
        QVERIFY(x.started && x.active);
        const auto type = [&x](int r, const std::function<void()>& keys) {
            x.clickCell(r, 4);
            keys();
            QVERIFY(x.editor()->isVisible());
            QTest::keyClick(x.editor(), Qt::Key_Return);
        };
        type(9, [&x] {
            QTest::keyClick(x.view(), '3');
            QTest::keyClicks(x.editor(), S("3,33"));
            QCOMPARE(x.t.beeper.count, 0);
        });
        QCOMPARE(x.grid().text(9, 4), S(" 33.000"));
        QCOMPARE(x.t.beeper.count, 1);

        type(10, [&x] {
            QTest::keyClicks(x.view(), S("1"));
            QTest::keyClick(x.editor(), '2');
            KeypadDecimalKey(x.editor());
            QTest::keyClick(x.editor(), '5');
            QCOMPARE(x.editor()->text(), S("12.5"));
        });
        QCOMPARE(x.grid().text(10, 4), S(" 12.495"));
        type(11, [&x] {
            KeypadDecimalKey(x.view());
            QCOMPARE(x.editor()->text(), S("."));
            QTest::keyClick(x.editor(), '5');
        });
        QCOMPARE(x.grid().text(11, 4), S("  0.495"));
        QCOMPARE(x.t.beeper.count, 1);

        x.write();
        QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
        QCOMPARE(x.pulsesAt(9), Hex5(2200));
        QCOMPARE(x.pulsesAt(10), Hex5(833));
        QCOMPARE(x.pulsesAt(11), Hex5(33));
    }
};

QTEST_MAIN(tst_typedandpasted)
#include "tst_typedandpasted.moc"
