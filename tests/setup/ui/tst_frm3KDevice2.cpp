#include "setup/ui/frm3KDevice2.h"

#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/DeviceDialogDriver.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace rer;
using namespace rer::test;

class tst_frm3KDevice2 : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> pf;
    std::unique_ptr<CatalogueApp> app;

    AppContext& ctx() { return app->ctx; }

    std::unique_ptr<frm3KDevice2> open() { return OpenDialog<frm3KDevice2>(ctx()); }

private Q_SLOTS:
    void init() {
        pf = std::make_unique<TestPlatform>();
        app = std::make_unique<CatalogueApp>(*pf, 1);
        // The one-axis committed model: old-type KZ " 39M-200", PG off.
        ctx().dev.DevIsKZ[0] = true;
        ctx().dev.DevNewType[0] = false;
        ctx().dev.DevWithPG[0] = false;
        auto& x = ctx().dev.one[0];
        x.Size = QStringLiteral(" 39");
        x.Speed = QStringLiteral("M");
        x.Stroke = 200;
        x.SelVertical = false;
        x.SelSeries = QStringLiteral("unset");
    }
    void cleanup() {
        app.reset();
        pf.reset();
    }

    void loadShowsTheOneAxisModel() {
        auto d = open();
        QCOMPARE(d->windowTitle(), QStringLiteral("機種選択"));
        QCOMPARE(d->frame(0).framAxis->title(), QStringLiteral("機種設定"));
        QCOMPARE(d->findChildren<QGroupBox*>(QRegularExpression(QStringLiteral("^framAxis"))).size(), 1);
        const auto& f = d->frame(0);
        QVERIFY(f.optNewOrOld[1]->isChecked());
        QCOMPARE(f.optNewOrOld[1]->text(), QStringLiteral("旧型"));
        QCOMPARE(Entries(f.comboDeviceSize), (QStringList{" 28", " 39", " 47", " 67"}));
        QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("M"));
        QCOMPARE(f.comboDeviceStroke->currentText(), QStringLiteral("200"));
        // " 39M-200" of the old-type list: PG selectable (off), LS sensor always.
        QVERIFY(f.chkDevPgUse->isVisible());
        QVERIFY(!f.chkDevPgUse->isChecked());
        QVERIFY(!f.pictureHomeMethod->isEnabled());
        QVERIFY(f.optHomeMethod[1]->isChecked());
    }

    void optionCodesAndOk() {
        auto d = open();
        const auto& f = d->frame(0);
        // " 39T": PG always fitted, pushing only.
        QVERIFY(PickFromList(f.comboDeviceSpeed, QStringLiteral("T")));
        QCOMPARE(Entries(f.comboDeviceStroke), (QStringList{"100", "200"}));
        QVERIFY(f.chkDevPgUse->isHidden());
        QVERIFY(f.chkDevPgUse->isChecked());
        QVERIFY(!f.pictureHomeMethod->isEnabled());
        QVERIFY(f.optHomeMethod[0]->isChecked());
        // The special model " 67R": no PG, LS sensor always.
        TypeAndLeave(f.comboDeviceSize, QStringLiteral(" 67"), f.comboDeviceStroke);
        QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("R"));
        QCOMPARE(f.comboDeviceStroke->currentText(), QStringLiteral("100"));
        QVERIFY(!f.chkDevPgUse->isChecked());
        QVERIFY(f.optHomeMethod[1]->isChecked());

        QTest::mouseClick(d->okButton(), Qt::LeftButton);
        QVERIFY(!d->model().DeviceSelectCancel);
        const auto& x = ctx().dev.one[0];
        QCOMPARE(x.SelSeries, QStringLiteral("KZ"));
        QCOMPARE(x.SelSize, QStringLiteral(" 67"));
        QCOMPARE(x.SelSpeed, QStringLiteral("R"));
        QCOMPARE(int(x.SelStroke), 100);
        QVERIFY(!x.SelWithPG);
        QVERIFY(x.SelVertical);
        QVERIFY(!ctx().dev.SelNewType[0]);
        QCOMPARE(int(x.Lead), 12);
        // The committed model is the opener's business.
        QCOMPARE(x.Size, QStringLiteral(" 39"));
    }

    // A click back on KZ reads the list of the one axis only: without the
    // VT list the click on VT says so once, the click on KZ refills the
    // boxes without a message.
    void aClickBackOnKzNeedsOnlyTheKzList() {
        app->removeFile(QStringLiteral("vtdevice.lst"));
        auto d = open();
        const auto& f = d->frame(0);
        QVERIFY(pf->msg.shown.empty());
        ClickOption(f.optKzSelect[1]);
        QCOMPARE(pf->msg.shown.size(), size_t(1));
        QVERIFY(pf->msg.lastText().startsWith(QStringLiteral("機種のリストファイルがありません。")));
        f.comboDeviceSize->lineEdit()->clear();
        ClickOption(f.optKzSelect[0]);
        QVERIFY2(pf->msg.shown.size() == 1, qPrintable(pf->msg.lastText()));
        QCOMPARE(Entries(f.comboDeviceSize), (QStringList{" 28", " 39", " 47", " 67"}));
        QCOMPARE(f.comboDeviceSize->currentText(), QStringLiteral(" 28"));
        QCOMPARE(Entries(f.comboDeviceSpeed), (QStringList{"L", "H"}));
        QCOMPARE(Entries(f.comboDeviceStroke), (QStringList{"50", "100", "150"}));
    }

    void theCloseBoxActsAsCancel() {
        auto d = open();
        ClickOption(d->frame(0).optNewOrOld[0]);
        QVERIFY(ctx().dev.SelNewType[0]);
        d->close();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(d->model().DeviceSelectCancel);
        QCOMPARE(ctx().dev.one[0].SelSeries, QStringLiteral("unset"));
    }
};

QTEST_MAIN(tst_frm3KDevice2)
#include "tst_frm3KDevice2.moc"
