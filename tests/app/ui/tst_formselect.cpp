#include "app/ui/formSelect.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/AppFixture.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

class FormSelectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preselectsTheRememberedProduct_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("checked");
        QTest::newRow("absent") << QString() << 0;
        QTest::newRow("1") << QStringLiteral("1") << 0;
        QTest::newRow("2") << QStringLiteral("2") << 1;
        QTest::newRow("5") << QStringLiteral("5") << 0; // outside 1 and 2: the default
    }
    void preselectsTheRememberedProduct() {
        QFETCH(QString, stored);
        QFETCH(int, checked);
        TestApp t;
        if (!stored.isNull()) t.set(QStringLiteral("Controller"), stored);
        frmMain main(t.ctx);
        auto* sel = new formSelect(t.ctx, main);
        sel->Form_Load();
        QVERIFY(sel->isVisible());
        QVERIFY(sel->optCTtype(checked)->isChecked());
        QVERIFY(!sel->optCTtype(1 - checked)->isChecked());
        QCOMPARE(sel->windowTitle(), QStringLiteral("Select Type"));
        QCOMPARE(sel->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version ") + QStringLiteral("%1.%2%3").arg(RER_VERSION_MAJOR).arg(RER_VERSION_MINOR).arg(RER_VERSION_PATCH));
        delete sel;
    }

    void okStartsTheChosenProduct_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("language");
        QTest::newRow("two-axis Japanese") << 0 << QStringLiteral("Japan") << QStringLiteral("1");
        QTest::newRow("two-axis English by setting") << 0 << QStringLiteral("Japan") << QStringLiteral("2");
        QTest::newRow("one-axis English by country") << 1 << QStringLiteral("United States") << QStringLiteral("1");
        QTest::newRow("one-axis Japanese") << 1 << QStringLiteral("Japan") << QStringLiteral("1");
    }
    void okStartsTheChosenProduct() {
        QFETCH(int, option);
        QFETCH(QString, country);
        QFETCH(QString, language);
        TestApp t;
        t.sys.country = country;
        t.set(QStringLiteral("Language"), language);
        frmMain main(t.ctx);
        auto* sel = new formSelect(t.ctx, main);
        sel->Form_Load();
        const bool japanese = country == QLatin1String("Japan") && language == QLatin1String("1");
        QCOMPARE(t.ctx.opt.LanguageNo, japanese ? 1 : 2);
        sel->optCTtype(option)->setChecked(true);
        QTest::mouseClick(sel->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!sel->isVisible());
        QVERIFY(main.isVisible());
        const int ct = option == 0 ? 1 : 2;
        QCOMPARE(t.ctx.opt.CtType, ct);
        QCOMPARE(t.get(QStringLiteral("Controller")), QString::number(ct));
        QVERIFY(main.windowTitle().startsWith(ct == 1 ? QStringLiteral("DI-D6 Ver") : QStringLiteral("DE-D3U Ver")));
        QCOMPARE(main.grid(Product::TwoAxis)->isVisibleTo(&main), ct == 1);
        QCOMPARE(main.grid(Product::OneAxis)->isVisibleTo(&main), ct == 2);
        QCOMPARE(main.menu(QStringLiteral("mnuFile"))->title(),
                 japanese ? QStringLiteral("ファイル(&F)") : QStringLiteral("File(&F)"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void exitHelpAndCloseBox() {
        TestApp t;
        frmMain main(t.ctx);
        auto* sel = new formSelect(t.ctx, main);
        QSignalSpy exits(sel, &formSelect::exitRequested);
        sel->Form_Load();
        QTest::mouseClick(sel->findChild<QPushButton*>(QStringLiteral("cmdHelp")), Qt::LeftButton);
        QCOMPARE(t.msg.shown.size(), size_t(1));
        QCOMPARE(t.msg.shown[0].icon, MsgIcon::Question);
        QCOMPARE(t.msg.shown[0].text, QStringLiteral("VO-D6を使用する場合はDI-D6を選択してください。\n\n"
                                                     "KZ-H3Kを使用する場合はDE-D3Uを選択してください。"));
        QCOMPARE(exits.count(), 0);
        sel->close(); // the close box acts as Exit
        QCOMPARE(exits.count(), 1);
        QVERIFY(!main.isVisible());
        QCOMPARE(t.get(QStringLiteral("Controller")), QStringLiteral("<absent>"));

        TestApp e;
        e.sys.country = QStringLiteral("France");
        frmMain main2(e.ctx);
        auto* sel2 = new formSelect(e.ctx, main2);
        QSignalSpy exits2(sel2, &formSelect::exitRequested);
        sel2->Form_Load();
        QTest::mouseClick(sel2->findChild<QPushButton*>(QStringLiteral("cmdHelp")), Qt::LeftButton);
        QCOMPARE(e.msg.lastText(), QStringLiteral("Select DI-D6 or DE-D3U."));
        QTest::mouseClick(sel2->findChild<QPushButton*>(QStringLiteral("cmdExit")), Qt::LeftButton);
        QCOMPARE(exits2.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(FormSelectTest)
#include "tst_formselect.moc"
