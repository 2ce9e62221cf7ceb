// The parameter windows of both products and the stroke calculator as
// windows, and the main window's command that opens them.
#include "app/StartUp.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frmDevice.h"
#include "setup/ui/frmParameta2.h"

#include "setup/ui/DeviceDialog.h"
#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/InputEvents.h"
#include "testsupport/ParamFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace rer;
using namespace rer::test;

class tst_frmParameta2 : public QObject {
    Q_OBJECT

    struct App : TestApp {
        explicit App(int16_t language = 2) : TestApp({.language = language, .doubles = Doubles::None}) {}
        FrameRecorder frame;
    };

    static bool showActive(QWidget& w) {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }

    // The text boxes a product's window uses, by row and member.
    static std::vector<std::pair<int, int>> usedBoxes(Product p) {
        std::vector<std::pair<int, int>> out;
        for (int row = 1; row <= ParaLastRow(p); ++row)
            for (int m = 0; m < 2; ++m)
                if (ParaSpec(row, p).kind == ParaCtl::Text && ParaRowShown(row, m, p) && !(p == Product::OneAxis && row == kSeqRow))
                    out.emplace_back(row, m);
        return out;
    }

    // The committed actuator of both axes: new-type KZ " 28L-100", which may
    // have a PG (code 1), chosen without one.
    static void commitWithoutPg(AppContext& ctx) {
        for (int a = 0; a < 2; ++a) {
            ctx.dev.DevIsKZ[a] = true;
            ctx.dev.DevNewType[a] = true;
            ctx.dev.DevWithPG[a] = false;
            auto& x = ctx.dev.two[a];
            x.Size = QStringLiteral(" 28");
            x.Speed = QStringLiteral("L");
            x.Stroke = 100;
        }
    }

    // A parameter window of a main window, each at its own place on the screen.
    struct WindowOfMain {
        explicit WindowOfMain(App& a) : w(a.ctx, &a.frame, &main) {
            main.setGeometry(100, 80, 300, 200);
            w.move(520, 400);
            main.show();
        }
        // Where the windows it opens belong: 500 twips from the main window's corner.
        QPoint besideMain() const { return main.pos() + QPoint(33, 33); }
        QWidget main;
        frmParameta2 w;
    };

    // Opens the window's calculator, runs `act` on it when it is active, and
    // closes it if `act` left it open (also after a failed check).
    void runCalculator(frmParameta2& w, std::function<void(frmDevice*)> act) {
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<frmDevice*>(QApplication::activeModalWidget());
            QVERIFY(d);
            if (QTest::qWaitFor([d] { return d->isActiveWindow(); })) act(d);
            if (d->isVisible()) d->reject();
        });
        w.button(QStringLiteral("cmdCalculate"))->click();
    }

    // Shows the window active with its special parameters unlocked, so that
    // every box it uses takes input.
    static bool showUnlocked(App& a, frmParameta2& w) {
        if (!showActive(w)) return false;
        a.pf.msg.answer(MsgAnswer::Yes);
        w.chkTokuParaChange()->click();
        return w.box(kPgTimerRow)->isEnabled();
    }

    static bool locked(QWidget* w) {
        return !w->isEnabled() && w->palette().color(QPalette::Base) == QColor(0xE0, 0xE0, 0xE0);
    }

private Q_SLOTS:
    void loadsInEitherLanguage() {
        {
            App a(2);
            frmParameta2 w(a.ctx, &a.frame);
            QCOMPARE(w.windowTitle(), QStringLiteral("PARAMETER[*]")); // the mark shows only after an edit
            QVERIFY(!w.isWindowModified());
            QCOMPARE(w.frame(QStringLiteral("framEtcPara"))->title(), QStringLiteral("Etc PARAMETER"));
            QCOMPARE(w.SSTabPrm()->tabText(0), QStringLiteral("FILE "));
            QCOMPARE(w.SSTabPrm()->currentIndex(), 1);
            QCOMPARE(w.button(QStringLiteral("cmdParaRead"))->text(), QStringLiteral("Read from C/T"));
            QCOMPARE(w.button(QStringLiteral("cmdCalculate"))->text(), QStringLiteral("calc"));
            for (int m = 0; m < 2; ++m) {
                QComboBox* type = w.combo(21, m);
                QCOMPARE(type->count(), 5);
                QCOMPARE(type->itemText(3), QStringLiteral("3. QRT"));
                for (int i = 0; i < 5; ++i) QCOMPARE(type->itemData(i).toInt(), i);
                QCOMPARE(type->currentIndex(), -1);
                QVERIFY(w.box(1, m)->text().isEmpty());
            }
            QCOMPARE(w.combo(30)->itemText(1), QStringLiteral("1. 2AXIS-Enable"));
            QVERIFY(w.optOverRideUmu(0)->isChecked());
            QVERIFY(w.combo(35) == nullptr);
        }
        App a(1);
        frmParameta2 w(a.ctx, &a.frame);
        QCOMPARE(w.windowTitle(), QStringLiteral("パラメータ[*]"));
        QCOMPARE(w.SSTabPrm()->tabText(0), QStringLiteral("ファイル"));
        QCOMPARE(w.button(QStringLiteral("cmdConpareFile"))->text(), QStringLiteral(" ファイルと 照合"));
        QCOMPARE(w.combo(31)->itemText(0), QStringLiteral("0. 自動原点復帰 無効"));
        QCOMPARE(w.combo(31)->itemData(1).toInt(), 1);
        QCOMPARE(w.optOverRideUmu(1)->text(), QStringLiteral("有効"));
    }

    // Every row of the description has its controls in the window, under
    // its name, in its group's frame, beside its label, with its items and
    // its rules; nothing else stands in the frames.
    void everyDescribedRowHasItsControls() {
        for (Product p : {Product::TwoAxis, Product::OneAxis})
            for (int16_t language : {1, 2}) {
                App a(language);
                frmParameta2 w(a.ctx, &a.frame, nullptr, p);
                QVERIFY(showUnlocked(a, w));
                const bool two = p == Product::TwoAxis;
                QSet<QString> described;
                for (const ParaRowDef& d : kParaRows) {
                    const QString name = QString::fromLatin1(d.box);
                    const QByteArray what = QStringLiteral("%1 %2 %3").arg(two ? "two-axis" : "one-axis").arg(d.name).arg(language).toUtf8();
                    if (!d.in(p)) {
                        QVERIFY2(w.findChildren<QWidget*>(QRegularExpression(QStringLiteral("^") + name)).isEmpty(), what);
                        continue;
                    }
                    QGroupBox* frame = w.frame(QString::fromLatin1(ParaGroupOf(d.group).frame));
                    QVERIFY2(frame, what);
                    bool labelled = false;
                    for (QLabel* l : frame->findChildren<QLabel*>())
                        labelled = labelled || (l->text() == QString::fromLatin1(d.labelIn(p)) && l->isHidden() == !d.shown(p));
                    QVERIFY2(labelled, what);

                    const ParaCtl ctl = d.input.ctl;
                    const int members = ctl == ParaCtl::Option ? 2 : d.perAxis() ? 2 : 1;
                    for (int m = 0; m < members; ++m) {
                        const QString n = ctl == ParaCtl::Option ? name + QString::number(m)
                                          : d.perAxis()          ? QStringLiteral("%1_%2").arg(name).arg(m)
                                                                 : name;
                        described.insert(n);
                        QWidget* c = frame->findChild<QWidget*>(n, Qt::FindDirectChildrenOnly);
                        QVERIFY2(c, what + " " + n.toUtf8());
                        const bool inUse = d.shown(p) && (m == 0 || two || ctl == ParaCtl::Option);
                        QVERIFY2(c->isHidden() == !inUse && c->isEnabled() == inUse, what + " " + n.toUtf8());
                        const ParaChoices& ch = d.input.choices;
                        if (ctl == ParaCtl::Text) {
                            auto* b = qobject_cast<QLineEdit*>(c);
                            QVERIFY2(b && b == w.box(d.row, m), what);
                            if (!inUse) continue;
                            // Its length, then Enter to the row the description names.
                            b->setFocus();
                            b->clear();
                            QTest::keyClicks(b, QString(d.input.maxChars + 1, u'1'));
                            QVERIFY2(b->text().size() == d.input.maxChars, what);
                            QTest::keyClick(b, Qt::Key_Return);
                            const bool toOtherMember = two && m == 0 && d.perAxis();
                            const int to = toOtherMember ? d.row : ParaRowNamed(d.enterIn(p));
                            QWidget* target = w.box(to, toOtherMember ? 1 : 0);
                            if (!target) target = w.combo(to, 0);
                            QVERIFY2(target && QApplication::focusWidget() == target, what);
                        } else if (ctl == ParaCtl::Combo) {
                            auto* cb = qobject_cast<QComboBox*>(c);
                            QVERIFY2(cb && cb == w.combo(d.row, m), what);
                            QCOMPARE(cb->count(), inUse ? ch.count() : 0);
                            for (int i = 0; i < cb->count(); ++i) {
                                const char* item = language == 1 ? ch.jp[size_t(i)] : ch.en[size_t(i)];
                                QCOMPARE(cb->itemText(i), QString::fromUtf8(item));
                                QCOMPARE(cb->itemData(i).toInt(), i);
                            }
                        } else {
                            auto* rb = qobject_cast<QRadioButton*>(c);
                            QVERIFY2(rb && rb == w.optOverRideUmu(m), what);
                            QCOMPARE(rb->text(), QString::fromUtf8(language == 1 ? ch.jp[size_t(m)] : ch.en[size_t(m)]));
                        }
                    }
                }
                for (const char* frameName : {"framHomePara", "frmVelPara", "framAxisPara", "framPgPara", "framEtcPara",
                                              "framTokusyuPara"})
                    for (QWidget* c : w.frame(QString::fromLatin1(frameName))->findChildren<QWidget*>())
                        if (qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) || qobject_cast<QRadioButton*>(c))
                            QVERIFY2(described.contains(c->objectName()), qPrintable(c->objectName()));
                // The special parameters lock again, all of them.
                w.chkTokuParaChange()->click();
                for (const ParaRowDef& d : kParaRows)
                    if (d.special && d.in(p)) {
                        QWidget* c = d.input.ctl == ParaCtl::Option ? static_cast<QWidget*>(w.optOverRideUmu(0))
                                     : w.box(d.row) ? static_cast<QWidget*>(w.box(d.row))
                                                    : w.combo(d.row);
                        QVERIFY2(!c->isEnabled(), d.name);
                    }
            }
    }

    void specialParameterLock() {
        App a;
        frmParameta2 w(a.ctx, &a.frame);
        const QList<QWidget*> sp = {w.box(29), w.combo(30), w.combo(31), w.box(33), w.box(34)};
        for (QWidget* c : sp) QVERIFY(locked(c));
        QVERIFY(!w.optOverRideUmu(0)->isEnabled());

        a.pf.msg.answer(MsgAnswer::No);
        w.chkTokuParaChange()->click();
        QVERIFY(!w.chkTokuParaChange()->isChecked());
        for (QWidget* c : sp) QVERIFY(locked(c));
        QCOMPARE(a.pf.msg.shown.size(), size_t(1));

        a.pf.msg.answer(MsgAnswer::Yes);
        w.chkTokuParaChange()->click();
        for (QWidget* c : sp) QVERIFY(c->isEnabled());
        QVERIFY(w.optOverRideUmu(1)->isEnabled());

        // Unchecking locks again without a question; shown values stay.
        w.box(33)->setText(QStringLiteral("50"));
        w.chkTokuParaChange()->click();
        for (QWidget* c : sp) QVERIFY(locked(c));
        QCOMPARE(a.pf.msg.shown.size(), size_t(2));
        QCOMPARE(w.box(33)->text(), QStringLiteral("50"));
    }

    void displayAndTakeInThroughTheControls() {
        App a;
        frmParameta2 w(a.ctx, &a.frame);
        a.ctx.para.two.rec = ValidParaRecord(Product::TwoAxis, 4);
        a.ctx.para.two.rec.ParaOrEnable = 1;
        w.ParametaHyoji();
        QCOMPARE(w.box(33)->text(), QString::number(a.ctx.para.two.rec.ParaOverride));
        QCOMPARE(w.combo(21, 1)->currentIndex(), int(a.ctx.para.two.rec.ParaType[1]));
        QVERIFY(w.optOverRideUmu(1)->isChecked());
        ParaRecord before = a.ctx.para.two.rec;
        a.ctx.para.two.rec = ParaRecord();
        w.TorikomiParametaValue();
        for (int row = 1; row <= 34; ++row)
            for (int axis = 0; axis < (row <= 23 ? 2 : 1); ++axis)
                QCOMPARE(ParaRecordValue(a.ctx.para.two.rec, row, axis).toNumber(),
                         ParaRecordValue(before, row, axis).toNumber());
        // The frame's lock covers the ten buttons, not the check box.
        w.SetCommandButtonsEnabled(false);
        QVERIFY(!w.button(QStringLiteral("cmdCalculate"))->isEnabled());
        QVERIFY(!w.button(QStringLiteral("cmdIniPrm"))->isEnabled());
        QVERIFY(w.chkTokuParaChange()->isEnabled());
        w.SetCommandButtonsEnabled(true);
        QVERIFY(w.button(QStringLiteral("cmdParaRead"))->isEnabled());
    }

    void keyFilterEnterAndFocusLoss() {
        App a;
        frmParameta2 w(a.ctx, &a.frame);
        QVERIFY(showActive(w));
        QLineEdit* offset = w.box(1, 0);
        offset->setFocus();
        QTest::keyClicks(offset, QStringLiteral("12a-. 3456"));
        QCOMPARE(offset->text(), QStringLiteral("12345")); // letters dropped, sixth digit too
        QTest::keyClick(offset, Qt::Key_Backspace);
        QCOMPARE(offset->text(), QStringLiteral("1234"));
        QTest::keyClick(offset, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(1, 1));
        QCOMPARE(offset->text(), QStringLiteral("1234"));
        QTest::keyClick(w.box(1, 1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(2, 0));
        // Tab runs row by row, axis 1 before axis 2.
        QTest::keyClick(w.box(2, 0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.box(2, 1));

        // VEL1 with 61: Enter moves on, the box left is emptied.
        QLineEdit* vel1 = w.box(7, 0);
        vel1->setFocus();
        QTest::keyClicks(vel1, QStringLiteral("61"));
        QTest::keyClick(vel1, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w.box(7, 1));
        QVERIFY(vel1->text().isEmpty());
        // PULSE is never changed on leaving; SM TIMER goes to OFFSET while locked.
        w.box(19, 0)->setFocus();
        QTest::keyClicks(w.box(19, 0), QStringLiteral("0"));
        w.box(28)->setFocus();
        QCOMPARE(w.box(19, 0)->text(), QStringLiteral("0"));
        QTest::keyClicks(w.box(28), QStringLiteral("5"));
        QTest::keyClick(w.box(28), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(1, 0));
        a.pf.msg.answer(MsgAnswer::Yes);
        w.chkTokuParaChange()->click();
        w.box(28)->setFocus();
        QTest::keyClick(w.box(28), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(29));
    }

    // A key a box drops beeps once, so that "1.5" typed into OFFSET cannot
    // silently become 15: the point, a letter, the keypad's decimal key (a
    // comma on a German keyboard), a digit past the full box, a paste that
    // is no number. What the box takes is silent.
    void droppedKeysAreHeard() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            App a;
            frmParameta2 w(a.ctx, &a.frame, nullptr, p);
            QVERIFY(showUnlocked(a, w));
            int& beeps = a.beeper.count;
            QLineEdit* offset = w.box(1, 0);
            offset->setFocus();
            QTest::keyClick(offset, '1');
            QCOMPARE(beeps, 0);
            QTest::keyClick(offset, '.');
            QCOMPARE(beeps, 1);
            QTest::keyClick(offset, '5');
            QCOMPARE(offset->text(), QStringLiteral("15"));
            QCOMPARE(beeps, 1);
            KeypadDecimalKey(offset);
            QCOMPARE(offset->text(), QStringLiteral("15"));
            QCOMPARE(beeps, 2);
            QTest::keyClicks(offset, QStringLiteral("678"));
            QCOMPARE(offset->text(), QStringLiteral("15678"));
            QCOMPARE(beeps, 2);
            QTest::keyClick(offset, '9'); // the full box
            QCOMPARE(beeps, 3);
            BackspaceKey(offset);
            QTest::keyClick(offset, Qt::Key_Tab);
            QCOMPARE(beeps, 3);
            offset->setFocus(); // the empty box left beeps by its own range rule
            offset->selectAll();
            const int before = beeps;
            Paste(offset, QStringLiteral("1.5"));
            QCOMPARE(offset->text(), QStringLiteral("1567"));
            QCOMPARE(beeps, before + 1);
            // Every box the window uses: a letter is dropped and heard.
            for (const auto& [row, m] : usedBoxes(p)) {
                QLineEdit* b = w.box(row, m);
                b->setFocus();
                b->clear();
                const int before = beeps;
                QTest::keyClick(b, 'a');
                QVERIFY2(b->text().isEmpty(), qPrintable(b->objectName()));
                QVERIFY2(beeps == before + 1, qPrintable(b->objectName()));
            }
        }
    }

    void deleteAndBackspaceInEveryBox() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            App a;
            frmParameta2 w(a.ctx, &a.frame, nullptr, p);
            QVERIFY(showUnlocked(a, w));
            for (const auto& [row, m] : usedBoxes(p)) {
                QLineEdit* b = w.box(row, m);
                QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
                b->setFocus();
                b->setText(QStringLiteral("12"));
                b->setCursorPosition(0);
                DeleteKey(b); // the X server's Delete: text U+007F
                QCOMPARE(b->text(), QStringLiteral("2"));
                b->end(false);
                BackspaceKey(b);
                QVERIFY2(b->text().isEmpty(), qPrintable(b->objectName()));
            }
        }
    }

    void inputMethodAndPasteTakePlainDigitsOnly() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            App a;
            frmParameta2 w(a.ctx, &a.frame, nullptr, p);
            QVERIFY(showUnlocked(a, w));
            // Full-width digits from the input method or the clipboard are the
            // plain digits, never a text that reads as 0.
            QLineEdit* stroke = w.box(17, 0);
            stroke->setFocus();
            ImeCommit(stroke, QStringLiteral("１２３"));
            QCOMPARE(stroke->text(), QStringLiteral("123"));
            QLineEdit* pg = w.box(kPgTimerRow);
            pg->setFocus();
            Paste(pg, QStringLiteral("１０"));
            QCOMPARE(pg->text(), QStringLiteral("10"));
            QLineEdit* over = w.box(33);
            over->setFocus();
            ImeCommit(over, QStringLiteral("１００"));
            QCOMPARE(over->text(), QStringLiteral("100"));
            QLineEdit* ls = w.box(34);
            ls->setFocus();
            Paste(ls, QStringLiteral("３０"));
            QCOMPARE(ls->text(), QStringLiteral("30"));
            if (p == Product::TwoAxis) {
                QLineEdit* seq = w.box(kSeqRow, 1);
                seq->setFocus();
                ImeCommit(seq, QStringLiteral("７"));
                QCOMPARE(seq->text(), QStringLiteral("7"));
            }
            // Anything but digits is refused whole; a long paste is cut to the box.
            QLineEdit* offset = w.box(1, 0);
            offset->setFocus();
            ImeCommit(offset, QStringLiteral("あ"));
            QVERIFY(offset->text().isEmpty());
            Paste(offset, QStringLiteral("12ab"));
            QVERIFY(offset->text().isEmpty());
            Paste(offset, QStringLiteral("-5"));
            QVERIFY(offset->text().isEmpty());
            Paste(offset, QStringLiteral("1234567"));
            QCOMPARE(offset->text(), QStringLiteral("12345"));
            ImeCommit(offset, QStringLiteral("６"));
            QCOMPARE(offset->text(), QStringLiteral("12345")); // a full box

            w.TorikomiParametaValue();
            const ParaRecord& rec = a.ctx.para.of(p).rec;
            QCOMPARE(rec.ParaStroke[0].toNumber(), 123.0);
            QCOMPARE(int(rec.ParaPgTimer), 10);
            QCOMPARE(int(rec.ParaOverride), 100);
            QCOMPARE(int(rec.ParaLsTimer), 30);
            for (const auto& [row, m] : usedBoxes(p))
                QVERIFY(w.box(row, m)->inputMethodHints() & Qt::ImhDigitsOnly);
            // Tab and Shift+Tab leave a full box.
            QTest::keyClick(offset, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != offset);
            offset->setFocus();
            QTest::keyClick(offset, Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY(QApplication::focusWidget() != offset);
        }
    }

    void oneAxisWindow() {
        App a;
        frm3KParameta2 w(a.ctx, &a.frame);
        QCOMPARE(w.objectName(), QStringLiteral("frm3KParameta2"));
        QCOMPARE(w.product(), Product::OneAxis);
        for (int row : {1, 7, 17, 19, 23}) {
            QVERIFY(!w.box(row, 1)->isEnabled());
            QVERIFY(w.box(row, 1)->isHidden());
        }
        QVERIFY(w.combo(21, 1)->count() == 0);
        QVERIFY(w.box(6, 0)->isHidden() && !w.box(6, 0)->isEnabled());
        QVERIFY(w.combo(30)->isHidden() && !w.combo(30)->isEnabled());
        QVERIFY(locked(w.combo(35)));
        QCOMPARE(w.combo(35)->itemText(1), QStringLiteral("1. Enable"));

        a.pf.msg.answer(MsgAnswer::Yes);
        w.chkTokuParaChange()->click();
        QVERIFY(w.combo(35)->isEnabled());
        QVERIFY(!w.combo(30)->isEnabled()); // never unlocked here

        // Display shows axis 1 and BCD ENABLE; the take-in gives 0 for what is not shown.
        a.ctx.para.one.rec = ValidParaRecord(Product::OneAxis, 2);
        a.ctx.para.one.rec.ParaBcdEnable = 1;
        a.ctx.para.one.rec.ParaOneAxis = 1;
        w.W3kParametaHyoji();
        QCOMPARE(w.combo(35)->currentIndex(), 1);
        QVERIFY(w.box(1, 1)->text().isEmpty());
        w.TorikomiParametaValue();
        QCOMPARE(int(a.ctx.para.one.rec.ParaOneAxis), 0);
        QCOMPARE(int(a.ctx.para.one.rec.ParaBcdEnable), 1);
        QCOMPARE(int(a.ctx.para.one.rec.ParaVel1[1]), 0);

        QVERIFY(showActive(w));
        w.box(5)->setFocus();
        QTest::keyClicks(w.box(5), QStringLiteral("10"));
        QTest::keyClick(w.box(5), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.box(7, 0)); // past the hidden SEQ box
        // Tab visits only the controls in use: never an axis-2 or hidden control.
        w.box(23)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.combo(24));
        w.box(1)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.box(2));
    }

    void strokeCalculatorIntoTheWindow() {
        App a;
        frmParameta2 w(a.ctx, &a.frame);
        QVERIFY(showActive(w));
        bool sawInvalidity = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<frmDevice*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Calculation"));
            d->cmdCulStrokePulse->click();
            sawInvalidity = d->lblStrokePulse->text() == QStringLiteral("Invalidity");
            d->cmdInputStroke->click(); // stays open
            QVERIFY(d->isVisible());
            d->txtStrokeTyo->setFocus();
            QTest::keyClicks(d->txtStrokeTyo, QStringLiteral("1000"));
            QCOMPARE(d->txtStrokeTyo->text(), QStringLiteral("100"));
            QTest::keyClick(d->txtStrokeTyo, Qt::Key_Return);
            QTest::keyClicks(d->txtRido, QStringLiteral("6"));
            d->optInputSaki[1]->setChecked(true);
            d->cmdCulStrokePulse->click();
            QCOMPARE(d->lblStrokePulse->text(), QStringLiteral("6667"));
            d->cmdInputStroke->click();
        });
        w.button(QStringLiteral("cmdCalculate"))->click();
        QVERIFY(sawInvalidity);
        QCOMPARE(w.box(17, 1)->text(), QStringLiteral("6667"));
        QVERIFY(w.box(17, 0)->text().isEmpty());
    }

    void calculatorByKeys() {
        App a;
        frmParameta2 w(a.ctx, &a.frame);
        QVERIFY(showActive(w));
        QString result;
        runCalculator(w, [&](frmDevice* d) {
            // Enter moves from box to box; on the focused Calculate and Input
            // buttons it presses them.
            d->txtStrokeTyo->setFocus();
            QTest::keyClicks(d->txtStrokeTyo, QStringLiteral("50"));
            QTest::keyClick(d->txtStrokeTyo, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d->txtRido);
            QTest::keyClicks(d->txtRido, QStringLiteral("12"));
            QTest::keyClick(d->txtRido, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d->cmdCulStrokePulse);
            QTest::keyClick(d->cmdCulStrokePulse, Qt::Key_Return);
            result = d->lblStrokePulse->text();
            QCOMPARE(result, QStringLiteral("1667")); // 50 / 12 x 400 = 1666.7
            // Delete (text U+007F) in both boxes; the input method's digits.
            d->txtStrokeTyo->setFocus();
            d->txtStrokeTyo->setCursorPosition(0);
            DeleteKey(d->txtStrokeTyo);
            QCOMPARE(d->txtStrokeTyo->text(), QStringLiteral("0"));
            d->txtRido->setFocus();
            d->txtRido->setCursorPosition(0);
            DeleteKey(d->txtRido);
            QCOMPARE(d->txtRido->text(), QStringLiteral("2"));
            d->txtStrokeTyo->setFocus();
            d->txtStrokeTyo->selectAll();
            ImeCommit(d->txtStrokeTyo, QStringLiteral("ｘ"));
            QCOMPARE(d->txtStrokeTyo->text(), QStringLiteral("0"));
            ImeCommit(d->txtStrokeTyo, QStringLiteral("１００"));
            QCOMPARE(d->txtStrokeTyo->text(), QStringLiteral("100"));
            d->txtRido->setFocus();
            d->txtRido->selectAll();
            Paste(d->txtRido, QStringLiteral("６"));
            QCOMPARE(d->txtRido->text(), QStringLiteral("6"));
            d->cmdCulStrokePulse->setFocus();
            QTest::keyClick(d->cmdCulStrokePulse, Qt::Key_Enter);
            QCOMPARE(d->lblStrokePulse->text(), QStringLiteral("6667"));
            d->cmdInputStroke->setFocus();
            QTest::keyClick(d->cmdInputStroke, Qt::Key_Return);
        });
        QCOMPARE(w.box(17, 0)->text(), QStringLiteral("6667"));
    }

    // "50.5" typed into the stroke box: the point is dropped with a beep at
    // once, so the user sees 505 before the result; the result comes from
    // what the box shows. Both calculators; the keypad's decimal key too.
    void calculatorHearsADroppedPoint() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            App a;
            frmParameta2 w(a.ctx, &a.frame, nullptr, p);
            QVERIFY(showActive(w));
            QString result, shown;
            std::vector<int> beeps;
            runCalculator(w, [&](frmDevice* d) {
                d->txtStrokeTyo->setFocus();
                for (QChar c : QStringLiteral("50.5")) {
                    QTest::keyClick(d->txtStrokeTyo, c.toLatin1());
                    beeps.push_back(a.beeper.count);
                }
                shown = d->txtStrokeTyo->text();
                d->txtRido->setFocus();
                QTest::keyClick(d->txtRido, '6');
                KeypadDecimalKey(d->txtRido);
                beeps.push_back(a.beeper.count);
                d->cmdCulStrokePulse->click();
                result = d->lblStrokePulse->text();
            });
            QCOMPARE(beeps, (std::vector<int>{0, 0, 1, 1, 2}));
            QCOMPARE(shown, QStringLiteral("505"));
            QCOMPARE(result, QStringLiteral("33667")); // 505 / 6 x 400
        }
    }

    void calculatorBesideTheMainWindow() {
        App a;
        WindowOfMain m(a);
        QVERIFY(showActive(m.w));
        QPoint placed;
        runCalculator(m.w, [&](frmDevice* d) { placed = d->pos(); });
        QCOMPARE(placed, m.besideMain());
    }

    void factoryValuesOfAnActuatorWithPg() {
        App a;
        commitWithoutPg(a.ctx);
        WindowOfMain m(a);
        frmParameta2& w = m.w;
        QVERIFY(showActive(w));
        QPoint placed;
        bool pgUsable = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<DeviceDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            placed = d->pos();
            QCheckBox* pg = d->frame(0).chkDevPgUse;
            pgUsable = pg->isVisible() && pg->isEnabled() && !pg->isChecked();
            QTest::mouseClick(pg, Qt::LeftButton, {}, QPoint(8, pg->height() / 2));
            d->okButton()->click(); // closes it whatever the checks found
        });
        w.button(QStringLiteral("cmdIniPrm"))->click();
        QVERIFY(pgUsable); // as a click on KZ leaves it
        // FUNCTION and ALM from the PG column of the common list: "2. Detect+Revice".
        QCOMPARE(w.combo(22, 0)->currentIndex(), 2);
        QCOMPARE(w.combo(22, 1)->currentIndex(), 0);
        QCOMPARE(w.box(17, 0)->text(), QStringLiteral("6667"));
        // The main window's actuator is not changed by the pick.
        QVERIFY(!a.ctx.dev.DevWithPG[0]);
        // Placed against the main window, not the parameter window.
        QCOMPARE(placed, m.besideMain());
    }

    // "Initial Parameter" of the one-axis product reads the list of the
    // series chosen for its one axis and the common list, nothing of a
    // second axis: without the VT list a KZ actuator still gets its values.
    void oneAxisFactoryValuesNeedOnlyTheListOfItsSeries() {
        for (int16_t language : {int16_t(2), int16_t(1)}) {
            TestPlatform pf;
            CatalogueApp app(pf, language);
            pf.set(QStringLiteral("Language"), QString::number(language));
            app.ctx.opt.CtType = 2;
            frmMain w(app.ctx);
            W3kInitMain(app.ctx, w);
            QVERIFY(pf.msg.shown.empty());
            app.removeFile(QStringLiteral("w6vtstpr.lst"));
            w.runCommand(QStringLiteral("OpenParaWindow"));
            frmParameta2* win = w.findChild<frmParameta2*>();
            QVERIFY(win);
            QVERIFY(showActive(*win));
            QVERIFY(win->box(17, 0)->text() != QStringLiteral("6667"));
            bool oneAxisDialog = false;
            QTimer::singleShot(0, this, [&] {
                auto* d = qobject_cast<DeviceDialog*>(QApplication::activeModalWidget());
                QVERIFY(d);
                oneAxisDialog = d->model().product() == Product::OneAxis;
                d->okButton()->click();
            });
            win->button(QStringLiteral("cmdIniPrm"))->click();
            QVERIFY(oneAxisDialog);
            QVERIFY2(pf.msg.shown.empty(), qPrintable(pf.msg.lastText()));
            // " 28L-100" of the new-type list.
            QCOMPARE(win->box(17, 0)->text(), QStringLiteral("6667"));
            win->close();
            w.hide();
        }
    }

    void mainWindowOpensTheWindowOfTheProduct() {
        for (int ctType : {1, 2}) {
            TestPlatform pf;
            CatalogueApp app(pf);
            pf.sys.country = QStringLiteral("United Kingdom");
            DecideLanguage(app.ctx);
            app.ctx.opt.CtType = int16_t(ctType);
            frmMain w(app.ctx);
            if (ctType == 1) InitMain(app.ctx, w);
            else W3kInitMain(app.ctx, w);
            QVERIFY(w.button(QStringLiteral("cmdParaHyoji"))->isEnabled());
            w.runCommand(QStringLiteral("OpenParaWindow"));
            frmParameta2* win = w.findChild<frmParameta2*>();
            QVERIFY(win);
            QVERIFY(win->isVisible());
            QCOMPARE(win->product(), ctType == 1 ? Product::TwoAxis : Product::OneAxis);
            QCOMPARE(win->objectName(), ctType == 1 ? QStringLiteral("frmParameta2") : QStringLiteral("frm3KParameta2"));
            // Opening again shows the same window.
            w.runCommand(QStringLiteral("OpenParaWindow"));
            QCOMPARE(w.findChildren<frmParameta2*>().size(), 1);
            // A command of the window runs in the main window's frame.
            app.ctx.platform.fileDialogs = nullptr;
            win->button(QStringLiteral("cmdReadParaFile"))->click();
            QVERIFY(w.button(QStringLiteral("cmdParaHyoji"))->isEnabled());
            win->close();
        }
    }
};

QTEST_MAIN(tst_frmParameta2)
#include "tst_frmParameta2.moc"
