// The start-up and the actuator change through the real main window and the
// real actuator dialogs, with the shipped catalogues.

#include "app/StartUp.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frm3KDevice2.h"
#include "setup/ui/frmDevice2.h"

#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/DeviceDialogDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace rer;
using namespace rer::test;

class tst_MainActuator : public QObject {
    Q_OBJECT

    // Runs `drive` on the actuator dialog once it is up.
    void whenDialogOpens(std::function<void(DeviceDialog&)> drive) {
        QTimer::singleShot(0, this, [drive] {
            auto* d = qobject_cast<DeviceDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            drive(*d);
        });
    }

    // A program run on an English system, as the start-up window leaves it.
    static void englishStart(TestPlatform& pf, CatalogueApp& app, int ctType) {
        pf.sys.country = QStringLiteral("United Kingdom");
        DecideLanguage(app.ctx);
        app.ctx.opt.CtType = int16_t(ctType);
    }

    static QString label(frmMain& w, const char* name) {
        return w.label(QString::fromLatin1(name))->text();
    }

private Q_SLOTS:
    void firstStartChangeAndNextStart() {
        TestPlatform pf;
        {
            CatalogueApp app(pf);
            englishStart(pf, app, 1);
            frmMain w(app.ctx);
            InitMain(app.ctx, w);
            QVERIFY(w.isVisible());
            QVERIFY(pf.msg.shown.empty());
            QCOMPARE(label(w, "lblDeviceType0"), QStringLiteral("KZ- 28L-100"));
            QCOMPARE(label(w, "lblDeviceType1"), QStringLiteral("KZ- 28L-100"));
            QCOMPARE(w.statusPanel(2)->text(), QStringLiteral("<1>1mm = 66.667Pulse / 1Pulse= 0.015mm"));
            QCOMPARE(w.statusPanel(3)->text(), QStringLiteral("<2>1mm = 66.667Pulse / 1Pulse= 0.015mm"));
            QPushButton* change = w.button(QStringLiteral("cmdChangeDev"));
            QVERIFY(change->isEnabled());

            // The change: axis 1 to the special model, stroke 200.
            bool buttonOffMeanwhile = false;
            whenDialogOpens([&](DeviceDialog& d) {
                buttonOffMeanwhile = !change->isEnabled();
                const auto& f = d.frame(0);
                QVERIFY(PickFromList(f.comboDeviceSize, QStringLiteral(" 67")));
                QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("R"));
                QVERIFY(PickFromList(f.comboDeviceStroke, QStringLiteral("200")));
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
            QTest::mouseClick(change, Qt::LeftButton);
            QVERIFY(buttonOffMeanwhile);
            QVERIFY(change->isEnabled());
            // Positions are shown in mm: the warning, and nothing else.
            QCOMPARE(pf.msg.shown.size(), size_t(1));
            QCOMPARE(pf.msg.shown[0].icon, MsgIcon::Exclamation);
            QCOMPARE(label(w, "lblDeviceType0"), QStringLiteral("KZ- 67R-200"));
            QCOMPARE(w.statusPanel(2)->text(), QStringLiteral("<1>1mm = 16Pulse / 1Pulse= 0.063mm"));
            QCOMPARE(int(app.ctx.dev.two[0].MaxPulse), 3200);
            QCOMPARE(app.ctx.settings.text(QStringLiteral("DevSize1"), QString()), QStringLiteral(" 67"));

            // Cancel changes nothing.
            whenDialogOpens([](DeviceDialog& d) { d.close(); });
            w.runCommand(QStringLiteral("cmdChangeDev"));
            QCOMPARE(label(w, "lblDeviceType0"), QStringLiteral("KZ- 67R-200"));
            w.hide();
        }
        // The next start loads the choice.
        pf.msg.clear();
        CatalogueApp app(pf);
        englishStart(pf, app, 1);
        frmMain w(app.ctx);
        InitMain(app.ctx, w);
        QVERIFY(pf.msg.shown.empty());
        QCOMPARE(label(w, "lblDeviceType0"), QStringLiteral("KZ- 67R-200"));
        QCOMPARE(label(w, "lblDeviceType1"), QStringLiteral("KZ- 28L-100"));
        w.hide();
    }

    void oneAxisStartAndChange() {
        TestPlatform pf;
        CatalogueApp app(pf);
        englishStart(pf, app, 2);
        frmMain w(app.ctx);
        W3kInitMain(app.ctx, w);
        QCOMPARE(label(w, "lblDeviceTypeW3k0"), QStringLiteral("KZ- 28L-100"));
        QCOMPARE(w.statusPanel(2)->text(), QStringLiteral("<1>1mm = 66.667Pulse / 1Pulse= 0.015mm"));
        QCOMPARE(w.statusPanel(3)->text(), QString());
        QPushButton* change = w.button(QStringLiteral("cmdChangeDevW3k"));
        QVERIFY(change->isEnabled());
        app.ctx.opt.DispMmUnit = false;
        whenDialogOpens([](DeviceDialog& d) {
            QVERIFY(qobject_cast<frm3KDevice2*>(&d));
            QVERIFY(PickFromList(d.frame(0).comboDeviceSpeed, QStringLiteral("H")));
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        });
        QTest::mouseClick(change, Qt::LeftButton);
        QVERIFY(pf.msg.shown.empty());
        QCOMPARE(label(w, "lblDeviceTypeW3k0"), QStringLiteral("KZ- 28H-100"));
        QCOMPARE(w.statusPanel(2)->text(), QStringLiteral("<1>1mm = 33.333Pulse / 1Pulse= 0.03mm"));
        QCOMPARE(app.ctx.settings.text(QStringLiteral("W3KDevSpeed1"), QString()), QStringLiteral("H"));
        w.hide();
    }

    void aRemovedCatalogueStopsTheStartWithTheWindowOpen() {
        TestPlatform pf;
        CatalogueApp app(pf);
        englishStart(pf, app, 1);
        app.removeFile(QStringLiteral("nkzdevice.lst"));
        frmMain w(app.ctx);
        InitMain(app.ctx, w);
        QVERIFY(w.isVisible());
        QVERIFY(!pf.msg.shown.empty());
        QCOMPARE(pf.msg.shown[0].text, QStringLiteral("No device list file."));
        QCOMPARE(label(w, "lblDeviceType0"), QString());
        QCOMPARE(w.statusPanel(2)->text(), QString());
        QVERIFY(w.button(QStringLiteral("cmdChangeDev"))->isEnabled());
        w.hide();
    }
};

QTEST_MAIN(tst_MainActuator)
#include "tst_MainActuator.moc"
