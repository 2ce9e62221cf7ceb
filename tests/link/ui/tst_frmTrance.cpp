#include "link/ui/frmTrance.h"
#include "testsupport/TestApp.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

using namespace rer;

class tst_frmTrance : public QObject {
    Q_OBJECT

    struct World : test::TestApp {
        World() : TestApp({.doubles = test::Doubles::None}) {}
    };

private Q_SLOTS:
    void captionsByLanguageAndProduct() {
        struct Case {
            int16_t lang, ct;
            const char* caption;
            const char* label;
        } cases[] = {
            {2, 2, "DE-D3U Communicating,now...", "Sending data to the controller..."},
            {2, 1, "DI-D6 Communicating,now...", "Sending data to the controller..."},
            {1, 1, "DI-D6 ただいま通信中・・・", "データをコントローラへ転送しています"},
            {1, 2, "DE-D3U ただいま通信中・・・", "データをコントローラへ転送しています"},
        };
        for (const Case& c : cases) {
            World x;
            x.ctx.setLanguage(c.lang);
            x.ctx.opt.CtType = c.ct;
            QWidget main;
            main.move(100, 100);
            frmTrance t(x.ctx, &main);
            t.Show();
            QCOMPARE(t.windowTitle(), QString::fromUtf8(c.caption));
            QCOMPARE(t.lblSetumei()->text(), QString::fromUtf8(c.label));
            t.Unload();
        }
    }

    void closeBoxDoesNothingUnloadCloses() {
        World x;
        QWidget main;
        frmTrance t(x.ctx, &main);
        t.setMaximum(7);
        t.setSetumei(QStringLiteral("Reading data from the controller..."));
        t.Show();
        t.setValue(3);
        QCOMPARE(t.prgBar1()->maximum(), 7);
        QCOMPARE(t.prgBar1()->value(), 3);
        QCOMPARE(t.lblSetumei()->text(), QStringLiteral("Reading data from the controller..."));
        QVERIFY(!t.close());
        QVERIFY(t.isVisible());
        t.Unload();
        QVERIFY(!t.isVisible());
        // Shown again, it loads afresh.
        t.Show();
        QCOMPARE(t.prgBar1()->value(), 0);
        t.Unload();
    }
};

QTEST_MAIN(tst_frmTrance)
#include "tst_frmTrance.moc"
