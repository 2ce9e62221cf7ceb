// Every dialog of the program from the keyboard: Enter answers with its OK
// (a focused button answers for itself; a box whose Enter moves the focus on
// keeps its rule), Escape with its Cancel, and every stop of the Tab chain
// shows where the focus is, in the dialogs and the other windows.
#include "app/ui/WindowText.h"
#include "app/ui/formSelect.h"
#include "dialogs/About.h"
#include "dialogs/ui/frmAbout.h"
#include "dialogs/ui/frmDataShogo.h"
#include "dialogs/ui/frmOptions2.h"
#include "dialogs/ui/frmPrintSelect.h"
#include "dialogs/ui/frmSelectPosiNo.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "platform/ui/QtPageSetup.h"
#include "setup/ui/frm3KDevice2.h"
#include "setup/ui/frmDevice.h"
#include "setup/ui/frmDevice2.h"
#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/MotionWorld.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace rer;
using namespace rer::test;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// One program run behind the dialogs: the shipped lists, a main window for
// the product choice to start.
struct Run {
    explicit Run(int16_t language) : t({.language = language, .folder = AppOptions::Folder::OwnCopy}) {
        t.commitActuators();
        main = std::make_unique<frmMain>(t.ctx);
    }
    ~Run() {
        t.msg.answer(MsgAnswer::No);
        main->close();
    }
    TestApp t;
    FakeSysInfoTools tools;
    QPrinter printer;
    std::unique_ptr<frmMain> main;
};

// What the keys did to one opening of a dialog.
struct Outcome {
    QStringList clicked; // the push buttons that answered, by name or text
    bool cancelled = false;
};

QString nameOf(const QWidget* w) {
    if (!w) return QStringLiteral("(none)");
    if (!w->objectName().isEmpty()) return w->objectName();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    return QString::fromLatin1(w->metaObject()->className());
}

// A dialog as the program opens it, with its OK and the boxes whose Enter
// moves the focus on by their own rule.
struct DialogCase {
    const char* name;
    std::function<QWidget*(Run&)> open; // shown and active; owned by the caller
    QString ok;                         // the OK button: empty when the dialog has none
    std::map<QString, QString> enterMovesOn;
    int variant = -1; // the tab shown, or another way of opening it
};

void waitActive(QWidget* w) {
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) qWarning("the dialog did not become active");
}

template <class D> QWidget* shown(D* d) {
    waitActive(d);
    return d;
}

// An actuator dialog loaded as its opener loads it.
template <class D> QWidget* loaded(Run& r) {
    auto* d = new D(r.t.ctx);
    d->Form_Load();
    return shown(d);
}

std::vector<DialogCase> cases() {
    std::vector<DialogCase> c;
    c.push_back({"product choice",
                 [](Run& r) -> QWidget* {
                     auto* d = new formSelect(r.t.ctx, *r.main);
                     d->Form_Load();
                     waitActive(d);
                     return d;
                 },
                 S("cmdOK"),
                 {}});
    for (bool files : {false, true})
        c.push_back({"print setting",
                     [files](Run& r) -> QWidget* {
                         auto* d = new frmPrintSelect(r.t.ctx);
                         if (files) { // both sections on, from files: every control in the chain
                             d->chkPrintPara()->click();
                             d->optPrintPosi(1)->setChecked(true);
                             d->optPrintPara(1)->setChecked(true);
                         }
                         return shown(d);
                     },
                     S("cmdPrintSet"),
                     {{S("txtPrintStartPosi"), S("txtPrintEndPosi")}, {S("txtPrintEndPosi"), S("txtPrintStartPosi")}},
                     files ? 1 : 0});
    // Options, on each of its tabs; the VEL and time-out boxes move the
    // focus on with Enter by their own rule.
    for (int tab = 0; tab < 7; ++tab)
        c.push_back({"options", [tab](Run& r) -> QWidget* {
                         auto* d = new frmOptions2(r.t.ctx);
                         d->SSTabOption()->setCurrentIndex(tab);
                         return shown(d);
                     },
                     S("cmdOK"),
                     {{S("txtJogVel"), S("optJogAcc2")}, {S("txtMoveTimeout"), S("txtDummy")}}, tab});
    c.push_back({"position range", [](Run& r) -> QWidget* { return shown(new frmSelectPosiNo(r.t.ctx)); },
                 S("cmdSelectPosiOk"),
                 {}});
    c.push_back({"verification choice", [](Run& r) -> QWidget* { return shown(new frmDataShogo(r.t.ctx)); }, QString(), {}});
    c.push_back({"verification result",
                 [](Run& r) -> QWidget* { return shown(new frmSyogoKekka(r.t.ctx, Product::TwoAxis)); },
                 S("cmdCloseSyogokekka"),
                 {}});
    c.push_back({"about", [](Run& r) -> QWidget* { return shown(new frmAbout(r.t.ctx, r.tools)); }, S("cmdOK"), {}});
    c.push_back({"actuators, two axes", loaded<frmDevice2>, S("cmdDeviceSet"), {}});
    c.push_back({"actuator, one axis", loaded<frm3KDevice2>, S("cmdDeviceSet"), {}});
    for (Product p : {Product::TwoAxis, Product::OneAxis})
        c.push_back({p == Product::TwoAxis ? "stroke calculator, two axes" : "stroke calculator, one axis",
                     [p](Run& r) -> QWidget* { return shown(new frmDevice(r.t.ctx, p)); },
                     S("cmdInputStroke"),
                     {{S("txtStrokeTyo"), S("txtRido")}, {S("txtRido"), S("cmdCulStrokePulse")}}});
    c.push_back({"printer set-up",
                 [](Run& r) -> QWidget* { return shown(new QtPageSetupDialog(r.printer, r.t.ctx.opt.LanguageNo)); },
                 S("OK"),
                 {}});
    return c;
}

// Watches the buttons and the end of one opening.
struct Watch {
    explicit Watch(QWidget* d) {
        for (QPushButton* b : d->findChildren<QPushButton*>())
            QObject::connect(b, &QPushButton::clicked, d, [this, b] { out.clicked << nameOf(b); });
        if (auto* dlg = qobject_cast<QDialog*>(d))
            QObject::connect(dlg, &QDialog::rejected, dlg, [this] { out.cancelled = true; });
        // The product choice's Cancel is Exit.
        if (auto* sel = qobject_cast<formSelect*>(d))
            QObject::connect(sel, &formSelect::exitRequested, sel, [this] { out.cancelled = true; });
    }
    Outcome out;
};

// Where a key goes: the focus widget of the window, or the window itself.
QWidget* keyTarget(QWidget* d) {
    QWidget* f = QApplication::focusWidget();
    return f && f->window() == d->window() ? f : d;
}

// The stops of the Tab chain, from the focus the window opens with.
QList<QWidget*> tabStops(QWidget* d) {
    QList<QWidget*> stops;
    QWidget* first = keyTarget(d);
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(keyTarget(d), Qt::Key_Tab);
        QWidget* f = keyTarget(d);
        if (f == d || stops.contains(f)) break;
        stops << f;
        if (f == first) break;
    }
    return stops;
}

// The stops of the window's Tab chain that look the same with the focus as
// without it; names receives every stop.
QStringList invisibleStops(QWidget* window, QStringList& names) {
    QStringList problems;
    for (QWidget* w : tabStops(window)) {
        names << nameOf(w);
        w->setFocus(Qt::TabFocusReason);
        const QImage focused = w->grab().toImage();
        w->clearFocus();
        const QImage unfocused = w->grab().toImage();
        if (focused == unfocused)
            problems << QStringLiteral("Tab stop %1 (%2, %3x%4) shows no focus")
                            .arg(nameOf(w), QString::fromLatin1(w->metaObject()->className()))
                            .arg(w->width())
                            .arg(w->height());
    }
    return problems;
}

void tabTo(QWidget* d, int k) {
    for (int i = 0; i <= k; ++i) QTest::keyClick(keyTarget(d), Qt::Key_Tab);
}

} // namespace

class tst_dialogkeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The windows' style of the run.
    void initTestCase() { ApplyWindowStyle(); }

    void everyDialogFromTheKeyboard_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("language");
        const auto all = cases();
        for (int16_t language : {int16_t(2), int16_t(1)})
            for (size_t i = 0; i < all.size(); ++i)
                QTest::newRow(QStringLiteral("%1%2, %3")
                                  .arg(QString::fromLatin1(all[i].name),
                                       all[i].variant < 0 ? QString() : QStringLiteral(" %1").arg(all[i].variant),
                                       language == 1 ? S("Japanese") : S("English"))
                                  .toUtf8()
                                  .constData())
                    << int(i) << int(language);
    }

    void everyDialogFromTheKeyboard() {
        QFETCH(int, index);
        QFETCH(int, language);
        const DialogCase c = cases()[size_t(index)];
        QStringList problems;

        // The Tab chain, and what each stop looks like with and without the focus.
        QStringList names;
        int stops = 0;
        {
            Run r{int16_t(language)};
            std::unique_ptr<QWidget> d(c.open(r));
            problems << invisibleStops(d.get(), names);
            stops = int(names.size());
        }
        QVERIFY2(stops > 0, c.name);

        // Enter and Escape at every stop.
        for (int k = 0; k < stops; ++k) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
                Run r{int16_t(language)};
                QWidget* raw = c.open(r);
                QPointer<QWidget> d(raw);
                Watch watch(raw);
                tabTo(raw, k);
                QWidget* at = keyTarget(raw);
                const QString here = nameOf(at);
                QTest::keyClick(at, key);
                const Outcome& o = watch.out;
                if (key == Qt::Key_Escape) {
                    if (!o.cancelled)
                        problems << QStringLiteral("Escape at %1 did not cancel (clicked: %2)").arg(here, o.clicked.join(','));
                } else if (qobject_cast<QPushButton*>(at)) {
                    if (o.clicked.value(0) != here)
                        problems << QStringLiteral("Enter on button %1 clicked %2").arg(here, o.clicked.join(','));
                } else if (c.enterMovesOn.count(here)) {
                    if (!o.clicked.isEmpty() || nameOf(QApplication::focusWidget()) != c.enterMovesOn.at(here))
                        problems << QStringLiteral("Enter in %1 went to %2 (clicked: %3)")
                                        .arg(here, nameOf(QApplication::focusWidget()), o.clicked.join(','));
                } else if (c.ok.isEmpty() || o.clicked.value(0) != c.ok) {
                    problems << QStringLiteral("Enter at %1 clicked %2, not %3").arg(here, o.clicked.join(','), c.ok);
                }
                QApplication::processEvents();
                if (d) {
                    if (QWidget* m = QApplication::activeModalWidget(); m && m != d) m->close();
                    delete d.data();
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(S("Tab chain: ") + names.join(S(", ")) + S("\n") + problems.join(S("\n"))));
    }

    // The windows that are no dialogs show their focus at every Tab stop too.
    void windowsShowTheirFocus_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("two-axis English") << 1 << 2;
        QTest::newRow("one-axis Japanese") << 2 << 1;
    }
    void windowsShowTheirFocus() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        MotionWorld x(ctType, language);
        x.sim().state.homeDone = true;
        QStringList problems, names;
        x.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(x.w.get()));
        problems << invisibleStops(x.w.get(), names);

        auto modal = [&](const char* button) {
            QTimer::singleShot(0, [&] {
                QWidget* d = QApplication::activeModalWidget();
                if (!d) return;
                names << QStringLiteral("|") + d->objectName() + QStringLiteral(":");
                QApplication::setActiveWindow(d);
                // The teaching window started: every control of it in use.
                if (auto* jog = qobject_cast<frmJOG*>(d)) QTest::mouseClick(jog->cmdJOGST(), Qt::LeftButton);
                if (QTest::qWaitForWindowActive(d)) problems << invisibleStops(d, names);
                x.t.msg.script = {MsgAnswer::No};
                d->close();
            });
            x.w->button(QString::fromLatin1(button))->click();
        };
        modal("cmdJogTeach");
        modal("cmdOpenIoWin");

        x.w->button(S("cmdOpenMoveWin"))->click();
        auto* move = x.w->findChild<frmMove*>();
        QVERIFY(move);
        move->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(move));
        problems << invisibleStops(move, names);
        move->close();
        QVERIFY2(problems.isEmpty(), qPrintable(names.join(S(", ")) + S("\n") + problems.join(S("\n"))));
    }
};

QTEST_MAIN(tst_dialogkeys)
#include "tst_dialogkeys.moc"
