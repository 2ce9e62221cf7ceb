// The about box: its texts by product and language, the system-information
// button and OK.
#include "app/StartUp.h"
#include "dialogs/About.h"
#include "dialogs/ui/frmAbout.h"
#include "testsupport/AppFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("title2");
        QTest::addColumn<QString>("caption");
        QTest::newRow("two-axis English") << 1 << 2 << S("DI-D6") << S("(KZ 2AXES PC-Software)")
                                          << S("DI-D6 Version Information...");
        QTest::newRow("one-axis English") << 2 << 2 << S("DE-D3U") << S("(KZ 1AXIS PC-Software)")
                                          << S("DE-D3U Version Information...");
        QTest::newRow("one-axis Japanese") << 2 << 1 << S("DE-D3U") << S("(KZ 1AXIS PC-Software)")
                                           << S("DE-D3U ﾊﾞｰｼﾞｮﾝ情報...");
    }
    void texts() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, title2);
        QFETCH(QString, caption);
        TestApp t;
        t.ctx.opt.CtType = int16_t(ctType);
        t.ctx.setLanguage(int16_t(language));
        FakeSysInfoTools tools;
        frmAbout d(t.ctx, tools);
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(d.label(S("lblTitle"))->text(), title);
        QCOMPARE(d.label(S("lblTitle2"))->text(), title2);
        QCOMPARE(d.label(S("lblVersion"))->text(), S("Version ") + VersionText());
        QVERIFY(d.label(S("lblDescription"))->text().contains(language == 1 ? S("位置ﾃﾞｰﾀ") : S("PC Software")));
        QVERIFY(d.label(S("lblDisclaimer"))->text().contains(language == 1 ? S("Norvikのホームページ") : title));
        QVERIFY(!d.label(S("lblHpAddress"))->text().isEmpty());
        QVERIFY(!d.label(S("picIcon"))->pixmap().isNull());
        QCOMPARE(d.cmdSysInfo()->text(), S("ｼｽﾃﾑ情報(&S)..."));
    }

    void systemInformation() {
        TestApp t;
        t.ctx.setLanguage(2);
        FakeSysInfoTools tools;
        frmAbout d(t.ctx, tools);
        d.show();
        QTest::mouseClick(d.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(t.msg.lastText(), S("You can't look system information,now."));
        QVERIFY(d.isVisible()); // the box stays open

        tools.folder = S("/usr/bin");
        tools.fileName = S("kinfocenter");
        tools.existing << S("/usr/bin/kinfocenter");
        QTest::mouseClick(d.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(tools.started, QStringList{S("/usr/bin/kinfocenter")});
        QCOMPARE(t.msg.shown.size(), size_t(1));
        QVERIFY(d.isVisible());

        QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
