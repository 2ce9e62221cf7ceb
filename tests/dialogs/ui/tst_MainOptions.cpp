// The main window's option and about commands through the real windows: the
// restart notices in both products and languages, what the window stores at
// exit, and a unit change of the grid in use.
#include "dialogs/ui/frmAbout.h"
#include "dialogs/ui/frmOptions2.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/GridTestContext.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace rer;
using rer::test::GridTestContext;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// A shown, active main window of one product and language, with an actuator
// committed on every axis.
struct Window {
    Window(int ctType, int language, bool mm = false) : t(ctType, language, mm), w(t.ctx) {
        t.set(S("Language"), QString::number(language));
        w.Show();
        t.commitActuators();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) qWarning("window not active");
        p = productOf(ctType);
    }
    ~Window() {
        if (!w.isVisible()) return;
        t.ctx.grid.of(p).Tag.clear();
        t.msg.script.clear();
        w.close();
    }
    void click(int r, int c) {
        QTableView* v = w.grid(p);
        const QModelIndex idx = v->model()->index(r - 1, c - 1);
        v->scrollTo(idx);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(idx).center());
    }

    GridTestContext t;
    frmMain w;
    Product p;
};

void clickOption(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

} // namespace

class tst_MainOptions : public QObject {
    Q_OBJECT

    // Runs `drive` on the modal dialog of type D once it is up.
    template <class D> void whenDialogOpens(std::function<void(D&)> drive) {
        QTimer::singleShot(0, this, [drive] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            QVERIFY(d);
            drive(*d);
        });
    }

private Q_SLOTS:
    void noticesAndWhatTheExitStores_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("languageNotice");
        QTest::addColumn<QString>("controllerNotice");
        QTest::newRow("two-axis English")
            << 1 << 2 << S("Language Setting has been changed.\r\nfinish DI-D6 and restart DI-D6 again.")
            << S("Controller Setting has been changed.\r\nfinish DI-D6 and restart DI-D6 again.");
        QTest::newRow("one-axis English")
            << 2 << 2 << S("Language Setting has been changed.\r\nfinish DE-D3U and restart DE-D3U again.")
            << S("Controller Setting has been changed.\r\nfinish DE-D3U and restart DE-D3U again.");
        QTest::newRow("two-axis Japanese")
            << 1 << 1 << S("使用言語の設定が変更されています。\r\nDI-D6を一度終了させてから、もう一度起動してください。")
            << S("使用ｺﾝﾄﾛｰﾗの設定が変更されています。\r\nDI-D6を一度終了させてから、もう一度起動してください。");
        QTest::newRow("one-axis Japanese")
            << 2 << 1 << S("使用言語の設定が変更されています。\r\nDE-D3Uを一度終了させてから、もう一度起動してください。")
            << S("使用ｺﾝﾄﾛｰﾗの設定が変更されています。\r\nDE-D3Uを一度終了させてから、もう一度起動してください。");
    }
    void noticesAndWhatTheExitStores() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        QFETCH(QString, languageNotice);
        QFETCH(QString, controllerNotice);
        Window win(ctType, language);
        QAction* item = win.w.menuItem(S("mnuViewOption"));
        QVERIFY(item->isEnabled());
        const QString caption = item->text();

        // The line commands are on (a grid cell was clicked) until the command.
        win.click(3, 2);
        QVERIFY(win.w.menuItem(S("mnuEditCopy"))->isEnabled());
        bool lineCommandsOff = false;
        whenDialogOpens<frmOptions2>([&](frmOptions2& d) {
            lineCommandsOff = !win.w.menuItem(S("mnuEditCopy"))->isEnabled() &&
                              !win.w.button(S("cmdInsertLine"))->isEnabled();
            clickOption(d.optLanguege(language == 1 ? 1 : 0));
            clickOption(d.optCT(ctType == 1 ? 1 : 0));
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        item->trigger();
        QVERIFY(lineCommandsOff);
        QCOMPARE(win.t.msg.shown.size(), size_t(2));
        QCOMPARE(win.t.msg.shown[0].text, languageNotice);
        QCOMPARE(win.t.msg.shown[1].text, controllerNotice);
        for (const auto& m : win.t.msg.shown) {
            QCOMPARE(m.buttons, MsgButtons::Ok);
            QCOMPARE(m.icon, MsgIcon::None);
            QCOMPARE(m.title, S("RER6O250"));
        }
        // The running window keeps its language and product.
        QCOMPARE(item->text(), caption);
        QCOMPARE(win.t.ctx.opt.LanguageNo, language);
        QVERIFY(win.w.grid(win.p)->isVisible());

        // Cancel: the flags stand, so the notices come again.
        win.t.msg.clear();
        whenDialogOpens<frmOptions2>([](frmOptions2& d) { QTest::mouseClick(d.cmdCancel(), Qt::LeftButton); });
        item->trigger();
        QCOMPARE(win.t.msg.shown.size(), size_t(2));

        // Exit stores the other language and the other product.
        win.t.msg.clear();
        win.w.close();
        QVERIFY(!win.w.isVisible());
        QCOMPARE(win.t.get(S("Language")), QString::number(language == 1 ? 2 : 1));
        QCOMPARE(win.t.get(S("Controller")), QString::number(ctType == 1 ? 2 : 1));
    }

    void choosingBackLeavesTheSettingsAsTheyWere() {
        Window win(1, 2);
        QAction* item = win.w.menuItem(S("mnuViewOption"));
        whenDialogOpens<frmOptions2>([](frmOptions2& d) {
            clickOption(d.optLanguege(0));
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        item->trigger();
        QCOMPARE(win.t.msg.shown.size(), size_t(1));
        win.t.msg.clear();
        whenDialogOpens<frmOptions2>([](frmOptions2& d) {
            QVERIFY(d.optLanguege(1)->isChecked()); // the language in force
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        item->trigger();
        QVERIFY(win.t.msg.shown.empty());
        win.w.close();
        QCOMPARE(win.t.get(S("Language")), S("2"));
        QCOMPARE(win.t.get(S("Controller")), S("<absent>"));
    }

    void unitChangeRedrawsTheGridInUse_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void unitChangeRedrawsTheGridInUse() {
        QFETCH(int, ctType);
        Window win(ctType, 2, true);
        QTableView* v = win.w.grid(win.p);
        QCOMPARE(v->model()->headerData(3, Qt::Horizontal).toString(), S("Posi(mm)"));
        // Typed in mm and left pending in the in-cell editor.
        win.click(2, 4);
        for (QChar ch : S("20.01")) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        auto* editor = win.w.findChild<QLineEdit*>(S("txtEdit"));
        QVERIFY(editor->isVisible());
        whenDialogOpens<frmOptions2>([](frmOptions2& d) {
            QVERIFY(d.optHyojiKirikae(1)->isChecked());
            clickOption(d.optHyojiKirikae(0));
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        win.w.menuItem(S("mnuViewOption"))->trigger();
        QVERIFY(win.t.msg.shown.empty());
        QVERIFY(!editor->isVisible());
        QVERIFY(!win.t.ctx.opt.DispMmUnit);
        QCOMPARE(win.t.get(S("DispMmUnit")), S("0"));
        QCOMPARE(v->model()->index(1, 3).data().toString(), S("   1334"));
        QCOMPARE(v->model()->index(0, 3).data().toString(), S("      0"));
        QCOMPARE(v->model()->headerData(3, Qt::Horizontal).toString(), S("Posi(Pls)"));

        // And back: the same table in mm.
        whenDialogOpens<frmOptions2>([](frmOptions2& d) {
            clickOption(d.optHyojiKirikae(1));
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        win.w.menuItem(S("mnuViewOption"))->trigger();
        QCOMPARE(v->model()->index(1, 3).data().toString(), S(" 20.010"));
        QCOMPARE(v->model()->headerData(3, Qt::Horizontal).toString(), S("Posi(mm)"));
    }

    void aboutBox_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::newRow("two-axis Japanese") << 1 << 1 << S("DI-D6 ﾊﾞｰｼﾞｮﾝ情報...");
        QTest::newRow("one-axis English") << 2 << 2 << S("DE-D3U Version Information...");
    }
    void aboutBox() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        QFETCH(QString, caption);
        Window win(ctType, language);
        QAction* item = win.w.menuItem(S("mnuHelpAbout"));
        QVERIFY(item->isEnabled());
        win.click(3, 2);
        QString title;
        bool lineCommandsOff = false;
        whenDialogOpens<frmAbout>([&](frmAbout& d) {
            title = d.windowTitle();
            lineCommandsOff = !win.w.menuItem(S("mnuEditPaste"))->isEnabled();
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        item->trigger();
        QCOMPARE(title, caption);
        QVERIFY(lineCommandsOff);
        QVERIFY(win.t.msg.shown.empty());
    }
};

QTEST_MAIN(tst_MainOptions)
#include "tst_MainOptions.moc"
