// Every window of both products, in both languages, opens with its whole
// frame inside the available area of its screen, and where its content
// scrolls, what the user works on stays in sight. The windows open on a
// real X server with a window manager that frames them (tests/screen/on-xvfb
// starts both), at the screen size and scale the run is given.
//
// With RER_SHOT_DIR set, the screen is also saved there as a picture with
// each window up.
#include "app/ui/WindowText.h"
#include "app/ui/formSelect.h"
#include "dialogs/ui/frmDataShogo.h"
#include "link/ui/frmTrance.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/QtPageSetup.h"
#include "testsupport/TestApp.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace rer;
using rer::test::TestApp;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The widgets Tab goes through in `window`, in the order it takes them.
QList<QWidget*> TabRing(QWidget* window) {
    QList<QWidget*> ring;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window)) ring << w;
    return ring;
}

QString Names(const QList<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* w : widgets)
        names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return names.join(QLatin1Char(' '));
}

// The size each window asks for when it is shown, and the order its Tab
// takes, before anything fits it to its screen.
class OwnSizes : public QObject {
public:
    OwnSizes() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
            sizes[o->objectName()] = static_cast<QWidget*>(o)->size();
            tabRings[static_cast<QWidget*>(o)] = TabRing(static_cast<QWidget*>(o));
        }
        return false;
    }
    QHash<QString, QSize> sizes;
    QHash<QWidget*, QList<QWidget*>> tabRings;
};

// Waits until the window manager has framed `w` and the window stands
// still; its frame as the window system reports it then.
QRect SettledFrame(QWidget* w) {
    QWindow* handle = w->windowHandle();
    (void)QTest::qWaitFor([handle] { return !handle->frameMargins().isNull(); }, 3000);
    QRect last;
    for (int still = 0, i = 0; still < 3 && i < 50; ++i) {
        still = handle->frameGeometry() == last ? still + 1 : 0;
        last = handle->frameGeometry();
        QTest::qWait(100);
    }
    return handle->frameGeometry();
}

// Where a window's content scrolls, the scroll area that shows it.
QScrollArea* ScrollAreaOf(QWidget* window) {
    return window->findChild<QScrollArea*>(S("screenFitScroll"), Qt::FindDirectChildrenOnly);
}

// The rectangle `r` of `w` is wholly in sight: inside `w` and inside each
// widget around it up to its window (a table's viewport, the viewport of a
// scroll area that shows part of the window's content).
bool InSight(const QWidget* w, QRect r) {
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (!w->isVisible() || !w->rect().contains(r)) return false;
        r.translate(w->pos());
    }
    return w && w->rect().contains(r);
}

// Where `w` stands in its window, for a message.
QString Where(const QWidget* w, const QRect& r) {
    const QPoint at = w->mapTo(w->window(), r.topLeft());
    QString shown;
    if (QScrollArea* area = ScrollAreaOf(w->window()))
        shown = QStringLiteral(", the window shows %1,%2 %3x%4 of its content")
                    .arg(area->horizontalScrollBar()->value()).arg(area->verticalScrollBar()->value())
                    .arg(area->viewport()->width()).arg(area->viewport()->height());
    return QStringLiteral("%1 at %2,%3 %4x%5 in a window of %6x%7%8")
        .arg(w->objectName()).arg(at.x()).arg(at.y()).arg(r.width()).arg(r.height())
        .arg(w->window()->width()).arg(w->window()->height()).arg(shown);
}

// The scroll bars of a window whose content scrolls, where they take away
// what the window could show: a bar across a side whose content, less the
// margins around it, would fit what the window shows along that side.
QString NeedlessBars(QWidget* window) {
    QScrollArea* area = ScrollAreaOf(window);
    if (!area || !area->widget()) return {};
    QWidget* content = area->widget();
    const QMargins margins = content->layout() ? content->layout()->contentsMargins() : QMargins();
    const QSize least = content->minimumSizeHint().expandedTo(content->minimumSize()).shrunkBy(margins);
    const QSize shown = area->viewport()->size();
    QStringList needless;
    if (area->verticalScrollBar()->isVisible() && least.height() <= shown.height())
        needless << QStringLiteral("a vertical bar for content %1 high in %2").arg(least.height()).arg(shown.height());
    if (area->horizontalScrollBar()->isVisible() && least.width() <= shown.width())
        needless << QStringLiteral("a horizontal bar for content %1 wide in %2").arg(least.width()).arg(shown.width());
    return needless.join(S(", "));
}

// The windows that opened outside their screen's available area, or did not
// open at all. On a large screen (RER_SCREEN_LARGE set), also those that
// opened smaller than they ask for.
class FitChecker {
public:
    // Waits until `w` is shown and its window manager has framed and placed
    // it, then notes it when its frame leaves the available area.
    void check(QWidget* w, const QString& name) {
        if (!w) {
            misfits << name + S(": did not open");
            return;
        }
        if (!QTest::qWaitForWindowExposed(w, 5000)) {
            misfits << name + S(": not shown");
            return;
        }
        // The window manager's framing and placing come in events of their
        // own; then the window stands still. The frame is the one the
        // window system reports now.
        const QRect frame = SettledFrame(w);
        QWindow* handle = w->windowHandle();
        const QRect area = handle->screen()->availableGeometry();
        shoot(*handle->screen(), name);
        const QSize own = ownSizes.sizes.value(w->objectName());
        if (handle->frameMargins().isNull())
            misfits << name + S(": no frame (no window manager?)");
        else if (qEnvironmentVariableIsSet("RER_SCREEN_LARGE") &&
                 (w->width() < own.width() || w->height() < own.height()))
            misfits << QStringLiteral("%1: opened %2x%3, smaller than its own %4x%5")
                           .arg(name)
                           .arg(w->width()).arg(w->height()).arg(own.width()).arg(own.height());
        else if (!area.contains(frame))
            misfits << QStringLiteral("%1: frame %2,%3 %4x%5 outside the available %6,%7 %8x%9")
                           .arg(name)
                           .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                           .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
        // Content that scrolls is the same content: Tab takes it in its own
        // order, and nothing the user cannot see is a stop of its own.
        // (Widgets that were switched on or off meanwhile aside.)
        const QList<QWidget*> ring = TabRing(w), ownRing = ownSizes.tabRings.value(w);
        const auto common = [](const QList<QWidget*>& a, const QList<QWidget*>& b) {
            QList<QWidget*> c;
            for (QWidget* x : a)
                if (b.contains(x)) c << x;
            return c;
        };
        if (std::any_of(ring.begin(), ring.end(), [](const QWidget* x) { return qobject_cast<const QScrollArea*>(x); }) ||
            common(ring, ownRing) != common(ownRing, ring))
            misfits << QStringLiteral("%1: Tab goes %2, not %3").arg(name, Names(ring), Names(ownRing));
        if (const QString bars = NeedlessBars(w); !bars.isEmpty())
            misfits << QStringLiteral("%1: scrolls with %2").arg(name, bars);
        // A window opened twice (by two windows) has its own size each time.
        const auto before = opened_.constFind(name);
        if (before != opened_.constEnd() && *before != w->size())
            misfits << QStringLiteral("%1: opened %2x%3, before %4x%5")
                           .arg(name)
                           .arg(w->width()).arg(w->height()).arg(before->width()).arg(before->height());
        opened_.insert(name, w->size());
    }

    // Runs `open`, which shows the modal window named `name` and waits in its
    // event loop; checks that window once it is up and closes it.
    void checkModal(const QString& name, const std::function<void()>& open) {
        bool up = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* m = QApplication::activeModalWidget();
            if (up || !m || m->objectName() != name) return;
            up = true;
            poll.stop();
            check(m, name);
            if (auto* d = qobject_cast<QDialog*>(m))
                d->reject();
            else
                m->close();
        });
        poll.start(10);
        open();
        if (!up) misfits << name + S(": did not open");
    }

    // Checks the window named `name` that `open` shows beside the main
    // window, and closes it.
    void checkModeless(frmMain& main, const QString& name, const std::function<void()>& open) {
        open();
        QPointer<QWidget> w = main.findChild<QWidget*>(name);
        check(w, name);
        if (w) w->close();
    }

    QStringList misfits;

private:
    OwnSizes ownSizes;
    QHash<QString, QSize> opened_;

    // With RER_SHOT_DIR set, the whole screen as it shows the window.
    static void shoot(QScreen& screen, const QString& name) {
        const QString dir = qEnvironmentVariable("RER_SHOT_DIR");
        if (dir.isEmpty()) return;
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        screen.grabWindow(0).save(QDir(dir).filePath(tag + QLatin1Char('-') + name + QStringLiteral(".png")));
    }
};

// Lets the windows take in what a key or a command started: the program's
// own follow-ups run as queued calls.
void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The rows of a test that runs in both products and both languages.
void ProductsAndLanguages() {
    QTest::addColumn<int>("ctType");
    QTest::addColumn<int>("language");
    QTest::newRow("two-axis Japanese") << 1 << 1;
    QTest::newRow("two-axis English") << 1 << 2;
    QTest::newRow("one-axis Japanese") << 2 << 1;
    QTest::newRow("one-axis English") << 2 << 2;
}

// The program started as a user starts it: the product choice, then its OK
// brings up the main window.
struct Program {
    Program(int ctType, int language)
        : t({.language = int16_t(language), .ctType = int16_t(ctType), .simulator = true}) {
        t.set(QStringLiteral("Language"), QString::number(language));
        t.set(QStringLiteral("Controller"), QString::number(ctType));
        main = std::make_unique<frmMain>(t.ctx);
        auto* select = new formSelect(t.ctx, *main);
        select->Form_Load();
        (void)QTest::qWaitForWindowExposed(select, 5000);
        select->findChild<QPushButton*>(S("cmdOK"))->click();
    }
    ~Program() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) t.ctx.grid.of(p).Tag.clear();
        t.msg.script.clear();
        main->close();
    }
    // Waits until `w` is up, framed, standing still and active.
    static bool up(QWidget* w) {
        if (!w || !QTest::qWaitForWindowExposed(w, 5000)) return false;
        SettledFrame(w);
        w->activateWindow();
        return QTest::qWaitForWindowActive(w, 5000);
    }
    bool two() const { return t.ctx.opt.CtType == 1; }

    TestApp t;
    std::unique_ptr<frmMain> main;
};

// Runs xdotool, as a user's move or resize of a window through the window
// manager: with the window's id and positions or sizes in the screen's own
// pixels.
bool Xdotool(const QStringList& args) {
    QProcess p;
    p.start(S("xdotool"), args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

int ScreenPixels(const QWidget& w, int logical) {
    return qRound(logical * w.windowHandle()->devicePixelRatio());
}

// Waits until the frame of `w` is no longer `before`, and stands still.
QRect FrameAfter(QWidget* w, const QRect& before) {
    (void)QTest::qWaitFor([&] { return w->windowHandle()->frameGeometry() != before; }, 3000);
    return SettledFrame(w);
}

} // namespace

class tst_screenfit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), S("xcb"));
        ApplyWindowStyle();
        const QScreen* s = QGuiApplication::primaryScreen();
        qInfo("screen %dx%d at scale %s, available %dx%d", s->geometry().width(), s->geometry().height(),
              qgetenv("QT_SCALE_FACTOR").constData(), s->availableGeometry().width(),
              s->availableGeometry().height());
    }

    void everyWindowOpensInsideTheScreen_data() { ProductsAndLanguages(); }
    void everyWindowOpensInsideTheScreen() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        const bool two = ctType == 1;
        TestApp t({.language = int16_t(language), .ctType = int16_t(ctType), .simulator = true});
        t.set(QStringLiteral("Language"), QString::number(language));
        t.set(QStringLiteral("Controller"), QString::number(ctType));
        FitChecker fit;
        frmMain main(t.ctx);

        // The product choice; its OK brings the main window up.
        auto* select = new formSelect(t.ctx, main);
        select->Form_Load();
        fit.check(select, S("formSelect"));
        select->findChild<QPushButton*>(S("cmdOK"))->click();
        fit.check(&main, S("frmMain"));
        QCOMPARE(t.ctx.opt.LanguageNo, int16_t(language));

        // The main window's commands and the windows they open.
        const QString actuators = two ? S("frmDevice2") : S("frm3KDevice2");
        auto run = [&main](const char* command) { return [&main, command] { main.runCommand(S(command)); }; };
        fit.checkModal(actuators, run(two ? "cmdChangeDev" : "cmdChangeDevW3k"));

        // The parameter window and the dialogs it opens.
        const QString para = two ? S("frmParameta2") : S("frm3KParameta2");
        main.runCommand(S("OpenParaWindow"));
        QPointer<QWidget> paraWindow = main.findChild<QWidget*>(para);
        fit.check(paraWindow, para);
        if (paraWindow) {
            auto click = [&paraWindow](const char* button) {
                return [&paraWindow, button] {
                    if (auto* b = paraWindow->findChild<QPushButton*>(S(button))) b->click();
                };
            };
            fit.checkModal(two ? S("frmDevice") : S("frm3KDevice"), click("cmdCalculate"));
            fit.checkModal(actuators, click("cmdIniPrm"));
            paraWindow->close();
        }

        fit.checkModeless(main, S("frmGrp"), run("cmdOpenGrpWindow"));
        fit.checkModeless(main, S("frmSqMcr"), run("cmdSqMcrWinOpen"));
        fit.checkModeless(main, S("frmMove"), run("cmdOpenMoveWin"));
        fit.checkModal(two ? S("frmJOG") : S("frmW3kJOG"), run("OpenJogWindow"));
        fit.checkModal(S("frmIOCheck"), run("cmdOpenIoWin"));
        fit.checkModal(S("frmOptions2"), run("mnuViewOption"));
        fit.checkModal(S("frmAbout"), run("mnuHelpAbout"));
        fit.checkModal(S("frmPrintSelect"), run("Print"));
        fit.checkModal(S("frmSelectPosiNo"), run("PosiWrite"));
        fit.checkModal(S("frmDataShogo"), run("PosiVerify"));
        fit.checkModal(two ? S("frmSyogoKekka") : S("frm3KSyogo"), [&] {
            frmSyogoKekka result(t.ctx, t.ctx.opt.product(), &main);
            result.exec();
        });
        fit.checkModal(S("PageSetup"), [&] {
            QPrinter printer;
            QtPageSetupDialog setup(printer, t.ctx.opt.LanguageNo, &main);
            setup.exec();
        });
        {
            frmTrance progress(t.ctx, &main);
            progress.Show();
            fit.check(&progress, S("frmTrance"));
            progress.Unload();
        }

        QVERIFY2(fit.misfits.isEmpty(), qPrintable(fit.misfits.join(QLatin1Char('\n'))));
        for (Product p : {Product::TwoAxis, Product::OneAxis}) t.ctx.grid.of(p).Tag.clear();
        t.msg.script.clear();
        main.close();
    }

    // Down from position 1 to 399 with the keyboard: the current cell stays
    // in sight, and so does the editor a typed digit opens on each cell, also
    // where the main window's content scrolls.
    void theGridKeepsTheCurrentCellInSight_data() { ProductsAndLanguages(); }
    void theGridKeepsTheCurrentCellInSight() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        Program p(ctType, language);
        frmMain& main = *p.main;
        QVERIFY(Program::up(&main));
        auto* grid = main.findChild<QTableView*>(p.two() ? S("flgdData") : S("flgdDataW3k"));
        auto* editor = main.findChild<QLineEdit*>(S("txtEdit"));
        QVERIFY(grid && editor);
        grid->setFocus();
        Settle();
        QCOMPARE(grid->currentIndex().row(), 0);
        // The hidden focus target, which takes the focus before a command
        // opens another window, is nothing to bring into sight.
        if (QScrollArea* area = ScrollAreaOf(&main)) {
            area->verticalScrollBar()->setValue(0);
            Settle();
            const QPoint shown(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
            main.FocusDummy();
            Settle();
            QCOMPARE(QPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()), shown);
            grid->setFocus();
            Settle();
        }
        const int column = grid->currentIndex().column();
        for (int row = 1;; ++row) {
            const QModelIndex cell = grid->currentIndex();
            QCOMPARE(cell.row(), row - 1);
            QCOMPARE(cell.column(), column);
            QVERIFY2(InSight(grid->viewport(), grid->visualRect(cell)),
                     qPrintable(QStringLiteral("position %1: the current cell, ").arg(row) +
                                Where(grid->viewport(), grid->visualRect(cell))));
            QTest::keyClick(grid, Qt::Key_5);
            Settle();
            QVERIFY2(editor->isVisible() && editor->hasFocus(), qPrintable(QString::number(row)));
            QVERIFY2(InSight(editor, editor->rect()),
                     qPrintable(QStringLiteral("position %1: the editor, ").arg(row) + Where(editor, editor->rect())));
            QTest::keyClick(editor, Qt::Key_Escape);
            Settle();
            QVERIFY(grid->hasFocus());
            if (row == 399) break;
            QTest::keyClick(grid, Qt::Key_Down);
            Settle();
        }
    }

    // Enter moves the focus along each chain of boxes of a parameter window,
    // from a box the program gave the focus to a combo: every box it comes
    // to is in sight, also where the window's content scrolls.
    void theEnterChainsKeepTheFocusInSight_data() { ProductsAndLanguages(); }
    void theEnterChainsKeepTheFocusInSight() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        Program p(ctType, language);
        QVERIFY(Program::up(p.main.get()));
        p.main->runCommand(S("OpenParaWindow"));
        QPointer<QWidget> para = p.main->findChild<QWidget*>(p.two() ? S("frmParameta2") : S("frm3KParameta2"));
        QVERIFY(Program::up(para));
        for (const char* start : {"txtHomeOffset_0", "txtPgAlarm_0", "txtSmTimeoutTimer"}) {
            auto* box = para->findChild<QLineEdit*>(S(start));
            QVERIFY2(box, start);
            if (!box->isVisible()) continue;
            box->setFocus();
            Settle();
            QStringList chain;
            for (int step = 0; step < 80; ++step) {
                QWidget* f = QApplication::focusWidget();
                QVERIFY2(f && f->window() == para, start);
                chain << f->objectName();
                QVERIFY2(InSight(f, f->rect()), qPrintable(chain.join(S(" > ")) + S(": ") + Where(f, f->rect())));
                if (qobject_cast<QComboBox*>(f)) break;
                QTest::keyClick(f, Qt::Key_Return);
                Settle();
            }
            QVERIFY2(qobject_cast<QComboBox*>(QApplication::focusWidget()), qPrintable(chain.join(S(" > "))));
        }
        para->close();
    }

    // The user moves the main window half past the screen's right edge; it
    // stays there when the user resizes it and when a bar is hidden or shown.
    void aWindowStaysWhereTheUserPutIt_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void aWindowStaysWhereTheUserPutIt() {
        QFETCH(int, ctType);
        Program p(ctType, 2);
        frmMain& main = *p.main;
        QVERIFY(Program::up(&main));
        // The window manager's placing is over.
        QTest::qWait(2500);
        const QRect area = main.screen()->availableGeometry();
        const QString id = QString::number(main.winId());
        QRect frame = main.windowHandle()->frameGeometry();
        // Half past the right edge, the title bar at the top of the area
        // (the window manager puts the window there, not its frame).
        const QPoint to(area.right() - frame.width() / 2, area.top() + main.windowHandle()->frameMargins().top());
        QVERIFY(Xdotool({S("windowmove"), S("--sync"), id, QString::number(ScreenPixels(main, to.x())),
                         QString::number(ScreenPixels(main, to.y()))}));
        frame = FrameAfter(&main, frame);
        const QPoint placed = frame.topLeft();
        QVERIFY2(frame.right() > area.right(), qPrintable(QStringLiteral("moved to %1,%2").arg(placed.x()).arg(placed.y())));
        const auto stays = [&](const char* after) {
            const QRect now = SettledFrame(&main);
            return now.topLeft() == placed
                       ? QString()
                       : QStringLiteral("after %1 the window moved from %2,%3 to %4,%5")
                             .arg(S(after)).arg(placed.x()).arg(placed.y()).arg(now.x()).arg(now.y());
        };
        QVERIFY(Xdotool({S("windowsize"), S("--sync"), id, QString::number(ScreenPixels(main, main.width() - 40)),
                         QString::number(ScreenPixels(main, main.height() - 40))}));
        (void)FrameAfter(&main, frame);
        QString moved = stays("the user's resize");
        QVERIFY2(moved.isEmpty(), qPrintable(moved));
        for (const char* command : {"ViewStatusBar", "ViewStatusBar", "ViewToolBar", "ViewToolBar"}) {
            main.runCommand(S(command));
            QTest::qWait(300);
            moved = stays(command);
            QVERIFY2(moved.isEmpty(), qPrintable(moved));
        }
    }

    // View > Tool bar and View > Status bar, hidden and shown again: the
    // window gives back exactly the height the bar took, as it opened and
    // at its smallest height.
    void theBarsGiveBackTheHeightTheyTook_data() { ProductsAndLanguages(); }
    void theBarsGiveBackTheHeightTheyTook() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        Program p(ctType, language);
        frmMain& main = *p.main;
        QVERIFY(Program::up(&main));
        for (const bool smallest : {false, true}) {
            if (smallest) {
                main.resize(main.width(), 1);
                QTest::qWait(300);
            }
            for (const char* command : {"ViewToolBar", "ViewStatusBar"}) {
                QWidget* bar = command == QLatin1String("ViewToolBar") ? static_cast<QWidget*>(main.toolBar())
                                                                       : main.statusBar();
                const int height = main.height();
                const int barHeight = bar->height();
                const QString where = QStringLiteral("%1%2: ").arg(S(command), smallest ? S(" at the smallest height") : QString());
                main.runCommand(S(command));
                QTest::qWait(300);
                QVERIFY(!bar->isVisible());
                // At a scale that is no whole number, the window system
                // rounds the height asked for to its own pixels.
                const qreal scale = main.devicePixelRatioF();
                const int slack = qFuzzyCompare(scale, std::round(scale)) ? 0 : 1;
                QVERIFY2(std::abs(main.height() - (height - barHeight)) <= slack,
                         qPrintable(where + QStringLiteral("%1 high with the bar of %2, %3 without")
                                                .arg(height).arg(barHeight).arg(main.height())));
                main.runCommand(S(command));
                QTest::qWait(300);
                QVERIFY(bar->isVisible());
                QVERIFY2(main.height() == height,
                         qPrintable(where + QStringLiteral("%1 high before, %2 after").arg(height).arg(main.height())));
            }
        }
    }
};

QTEST_MAIN(tst_screenfit)
#include "tst_screenfit.moc"
