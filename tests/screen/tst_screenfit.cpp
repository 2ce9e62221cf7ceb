// Every window of both products, in both languages, opens with its whole
// frame inside the available area of its screen. The windows open on a
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
#include <QDir>
#include <QHash>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

using namespace rer;
using rer::test::TestApp;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The size each window asks for when it is shown, before anything fits it
// to its screen.
class OwnSizes : public QObject {
public:
    OwnSizes() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            sizes[o->objectName()] = static_cast<QWidget*>(o)->size();
        return false;
    }
    QHash<QString, QSize> sizes;
};

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
        QWindow* handle = w->windowHandle();
        (void)QTest::qWaitFor([handle] { return !handle->frameMargins().isNull(); }, 3000);
        QRect last;
        for (int still = 0, i = 0; still < 3 && i < 50; ++i) {
            still = handle->frameGeometry() == last ? still + 1 : 0;
            last = handle->frameGeometry();
            QTest::qWait(100);
        }
        const QRect frame = handle->frameGeometry();
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

    // With RER_SHOT_DIR set, the whole screen as it shows the window.
    static void shoot(QScreen& screen, const QString& name) {
        const QString dir = qEnvironmentVariable("RER_SHOT_DIR");
        if (dir.isEmpty()) return;
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        screen.grabWindow(0).save(QDir(dir).filePath(tag + QLatin1Char('-') + name + QStringLiteral(".png")));
    }
};

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

    void everyWindowOpensInsideTheScreen_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("two-axis Japanese") << 1 << 1;
        QTest::newRow("two-axis English") << 1 << 2;
        QTest::newRow("one-axis Japanese") << 2 << 1;
        QTest::newRow("one-axis English") << 2 << 2;
    }
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
};

QTEST_MAIN(tst_screenfit)
#include "tst_screenfit.moc"
