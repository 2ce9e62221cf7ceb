#include "setup/ui/QtActuatorDialogs.h"
#include "setup/ui/frm3KDevice2.h"
#include "setup/ui/frmDevice2.h"

#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/DeviceDialogDriver.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace rer;
using namespace rer::test;

class tst_frmDevice2 : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> pf;
    std::unique_ptr<CatalogueApp> app;

    AppContext& ctx() { return app->ctx; }

    // The first-start model on both axes: new-type KZ " 28L-100", PG on, LS homing.
    void commitDefault() {
        for (int a = 0; a < 2; ++a) {
            ctx().dev.DevIsKZ[a] = true;
            ctx().dev.DevNewType[a] = true;
            ctx().dev.DevWithPG[a] = true;
            auto& x = ctx().dev.two[a];
            x.Size = QStringLiteral(" 28");
            x.Speed = QStringLiteral("L");
            x.Stroke = 100;
            x.SelVertical = true;
            x.SelSeries = QStringLiteral("unset");
        }
    }

    std::unique_ptr<frmDevice2> open() { return OpenDialog<frmDevice2>(ctx()); }

private Q_SLOTS:
    void init() {
        pf = std::make_unique<TestPlatform>();
        app = std::make_unique<CatalogueApp>(*pf);
        commitDefault();
    }
    void cleanup() {
        app.reset();
        pf.reset();
    }

    void loadShowsTheCommittedModels() {
        auto d = open();
        QCOMPARE(d->windowTitle(), QStringLiteral("Select Device"));
        const auto& f = d->frame(0);
        QCOMPARE(f.framAxis->title(), QStringLiteral("1AXIS DEVICE"));
        QCOMPARE(d->frame(1).framAxis->title(), QStringLiteral("2AXIS DEVICE"));
        QVERIFY(f.optKzSelect[0]->isChecked());
        QVERIFY(f.optNewOrOld[0]->isChecked());
        QVERIFY(f.framNewOrOld->isEnabled());
        QCOMPARE(Entries(f.comboDeviceSize), (QStringList{" 28", " 39", " 67", "E35"}));
        QCOMPARE(f.comboDeviceSize->currentText(), QStringLiteral(" 28"));
        QCOMPARE(Entries(f.comboDeviceSpeed), (QStringList{"L", "H", "T"}));
        QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("L"));
        QCOMPARE(Entries(f.comboDeviceStroke), (QStringList{"50", "100", "150", "200"}));
        QCOMPARE(f.comboDeviceStroke->currentText(), QStringLiteral("100"));
        QCOMPARE(f.comboDeviceStroke->itemData(3).toInt(), 3);
        // " 28L-100": PG selectable and on, LS sensor homing always.
        QVERIFY(f.chkDevPgUse->isVisible());
        QVERIFY(f.chkDevPgUse->isChecked());
        QVERIFY(!f.pictureHomeMethod->isEnabled());
        QVERIFY(f.optHomeMethod[1]->isChecked());
        QCOMPARE(f.chkDevVsiyou->text(), QStringLiteral("V-TYPE"));
        QVERIFY(pf->msg.shown.empty());
    }

    void optionCodesDriveThePgBoxAndTheHomeMethod() {
        auto d = open();
        const auto& f = d->frame(1);
        // " 39T-100": PG always fitted, home method selectable (LS preset).
        TypeAndLeave(f.comboDeviceSize, QStringLiteral(" 39"), f.comboDeviceStroke);
        QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("T"));
        QVERIFY(f.chkDevPgUse->isHidden());
        QVERIFY(f.chkDevPgUse->isChecked());
        QVERIFY(f.pictureHomeMethod->isEnabled());
        QVERIFY(f.optHomeMethod[1]->isChecked());
        ClickOption(f.optHomeMethod[0]);
        QVERIFY(f.optHomeMethod[0]->isChecked());
        // " 39H-100": neither PG nor LS sensor.
        QVERIFY(PickFromList(f.comboDeviceSpeed, QStringLiteral("H")));
        QVERIFY(f.chkDevPgUse->isHidden());
        QVERIFY(!f.chkDevPgUse->isChecked());
        QVERIFY(!f.pictureHomeMethod->isEnabled());
        QVERIFY(f.optHomeMethod[0]->isChecked());
        // " 39M-100": PG selectable (shown with the committed tick), home selectable.
        QVERIFY(PickFromList(f.comboDeviceSpeed, QStringLiteral("M")));
        QVERIFY(f.chkDevPgUse->isVisible());
        QVERIFY(f.chkDevPgUse->isChecked());
        QVERIFY(f.pictureHomeMethod->isEnabled());
        QTest::mouseClick(f.chkDevPgUse, Qt::LeftButton, {}, QPoint(5, f.chkDevPgUse->height() / 2));
        QVERIFY(!f.chkDevPgUse->isChecked());

        QTest::mouseClick(d->okButton(), Qt::LeftButton);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->model().DeviceSelectCancel);
        const auto& x = ctx().dev.two[1];
        QCOMPARE(x.SelSeries, QStringLiteral("KZ"));
        QCOMPARE(x.SelSize, QStringLiteral(" 39"));
        QCOMPARE(x.SelSpeed, QStringLiteral("M"));
        QCOMPARE(int(x.SelStroke), 100);
        QVERIFY(!ctx().dev.DevWithPG[1]);
        QVERIFY(x.SelVertical);
        QCOMPARE(int(x.Lead), 8);
        QVERIFY(!ctx().opt.DevNotFound);
    }

    void switchingToVtLocksTypeAndPg() {
        auto d = open();
        const auto& f = d->frame(0);
        ClickOption(f.optKzSelect[1]);
        QVERIFY(f.optKzSelect[1]->isChecked());
        QVERIFY(!f.framNewOrOld->isEnabled());
        QVERIFY(!f.optNewOrOld[0]->isEnabled());
        QVERIFY(!f.chkDevPgUse->isEnabled());
        QVERIFY(!ctx().dev.SelNewType[0]);
        QCOMPARE(Entries(f.comboDeviceSize), (QStringList{" 20", " 30", "R47"}));
        QCOMPARE(f.comboDeviceSize->currentText(), QStringLiteral(" 20"));
        // Old type on axis 2 reads the old-type list.
        ClickOption(d->frame(1).optNewOrOld[1]);
        QCOMPARE(Entries(d->frame(1).comboDeviceSize), (QStringList{" 28", " 39", " 47", " 67"}));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
        QCOMPARE(ctx().dev.two[0].SelSeries, QStringLiteral("VT"));
        QVERIFY(!ctx().dev.DevWithPG[0]);
        QVERIFY(!ctx().dev.two[0].SelVertical);
        QVERIFY(!ctx().dev.SelNewType[1]);
    }

    void cancelAndTheCloseBoxHandTheCancelFlag() {
        for (int how = 0; how < 3; ++how) {
            auto d = open();
            ClickOption(d->frame(0).optKzSelect[1]);
            if (how == 0)
                QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
            else if (how == 1)
                d->close();
            else
                QTest::keyClick(d.get(), Qt::Key_Escape);
            QVERIFY(!d->isVisible());
            QCOMPARE(d->result(), int(QDialog::Rejected));
            QVERIFY(d->model().DeviceSelectCancel);
            QCOMPARE(ctx().dev.two[0].SelSeries, QStringLiteral("unset"));
            QVERIFY(ctx().dev.DevWithPG[0]);
        }
    }

    void aMissingListFileKeepsTheCommittedTexts() {
        app->removeFile(QStringLiteral("nkzdevice.lst"));
        auto d = open();
        QCOMPARE(pf->msg.shown.size(), size_t(1));
        QVERIFY(pf->msg.lastText().startsWith(QStringLiteral("No device list file.")));
        const auto& f = d->frame(0);
        QCOMPARE(f.comboDeviceSize->count(), 0);
        QCOMPARE(f.comboDeviceSize->currentText(), QStringLiteral(" 28"));
        QCOMPARE(f.comboDeviceSpeed->currentText(), QStringLiteral("L"));
        QCOMPARE(f.comboDeviceStroke->currentText(), QStringLiteral("100"));
        QVERIFY(f.chkDevPgUse->isChecked());
    }

    // What the user types into a box is what OK writes, in either product's
    // dialog: the boxes do not complete it from their lists ("15" is not
    // 150, " 3" not " 39", "h" not "H"), neither when Tab leaves the box nor
    // on OK.
    void typedTextIsTakenAsTyped() {
        struct Case { const char* box; const char* typed; };
        const Case cases[] = {{"stroke", "15"}, {"size", " 3"}, {"size", " 6"}, {"speed", "h"}};
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            for (const Case& c : cases) {
                const QByteArray what = QByteArray(c.box) + " \"" + c.typed + "\" " +
                                        (p == Product::TwoAxis ? "frmDevice2" : "frm3KDevice2");
                ctx().dev.one[0] = ctx().dev.two[0];
                std::unique_ptr<DeviceDialog> d;
                if (p == Product::TwoAxis)
                    d = OpenDialog<frmDevice2>(ctx());
                else
                    d = OpenDialog<frm3KDevice2>(ctx());
                const auto& f = d->frame(0);
                QComboBox* box = QByteArray(c.box) == "size"    ? f.comboDeviceSize
                                 : QByteArray(c.box) == "speed" ? f.comboDeviceSpeed
                                                                 : f.comboDeviceStroke;
                const QString typed = QString::fromLatin1(c.typed);
                box->setFocus(Qt::TabFocusReason);
                box->lineEdit()->selectAll();
                QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
                QTest::keyClicks(box->lineEdit(), typed);
                QTest::keyClick(box->lineEdit(), Qt::Key_Tab);
                QVERIFY2(!box->hasFocus(), what.constData());
                QVERIFY2(box->currentText() == typed, qPrintable(box->currentText() + QStringLiteral(" / ") + what));
                QTest::mouseClick(d->okButton(), Qt::LeftButton);
                const AxisActuator& x = ctx().dev.axes(p)[0];
                if (QByteArray(c.box) == "size")
                    QVERIFY2(x.SelSize == typed, qPrintable(x.SelSize + QStringLiteral(" / ") + what));
                else if (QByteArray(c.box) == "speed")
                    QVERIFY2(x.SelSpeed == typed, qPrintable(x.SelSpeed + QStringLiteral(" / ") + what));
                else
                    QVERIFY2(x.SelStroke == 15, qPrintable(QString::number(x.SelStroke) + QStringLiteral(" / ") + what));
                pf->msg.clear();
            }
        }
    }

    void runningModallyGivesTheCancelFlag() {
        QtActuatorDialogs dialogs(ctx(), nullptr);
        for (bool viaOk : {true, false}) {
            QTimer::singleShot(0, this, [viaOk] {
                auto* d = qobject_cast<frmDevice2*>(QApplication::activeModalWidget());
                QVERIFY(d);
                if (viaOk)
                    QTest::mouseClick(d->okButton(), Qt::LeftButton);
                else
                    d->close();
            });
            QCOMPARE(dialogs.Run(Product::TwoAxis, false), !viaOk);
        }
        QCOMPARE(ctx().dev.two[0].SelSeries, QStringLiteral("KZ"));
    }
};

QTEST_MAIN(tst_frmDevice2)
#include "tst_frmDevice2.moc"
