// The progress window during the multi-line transfers: up while the lines
// travel, not closable by the user, gone afterwards, and closed a second
// time by the caller without harm.
#include "link/CtError.h"
#include "link/Transfers.h"
#include "link/ui/frmTrance.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/TransferFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

class tst_TransferProgress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void upDuringTheTransferAndClosedTwice() {
        LinkWorld w;
        w.ctx.opt.CtType = 2;
        QWidget main;
        frmTrance t(w.ctx, &main);
        w.link->setProgress(&t);
        w.ctx.para.one.rec = SampleParaRecord(Product::OneAxis);

        // Mid-transfer the window stands, with its caption, and the close box
        // does nothing.
        bool seen = false, refused = false;
        QString caption, label;
        w.sim().faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0WD5"));
        QTimer::singleShot(100, &t, [&] {
            seen = t.isVisible();
            caption = t.windowTitle();
            label = t.lblSetumei()->text();
            refused = !t.close();
        });
        QCOMPARE(W3kWriteParaToCt(*w.link), 0);
        QVERIFY(seen);
        QVERIFY(refused);
        QCOMPARE(caption, QStringLiteral("DE-D3U Communicating,now..."));
        QCOMPARE(label, QStringLiteral("Sending data to the controller."));
        QVERIFY(!t.isVisible());
        QCOMPARE(t.prgBar1()->maximum(), 8);
        QCOMPARE(t.prgBar1()->value(), 8);

        // The caller closes it again: nothing happens.
        t.Unload();
        QVERIFY(!t.isVisible());

        // A failed read closes it too; the next transfer shows it afresh.
        Get_ErrorList(w.ctx);
        w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RG05"));
        QCOMPARE(ReadGrpDataFromCt(*w.link), 1);
        QVERIFY(!t.isVisible());
        t.Unload();
        QCOMPARE(ReadGrpDataFromCt(*w.link), 0);
        QVERIFY(!t.isVisible());
        QCOMPARE(t.prgBar1()->maximum(), 98);
        QCOMPARE(t.prgBar1()->value(), 98);
    }
};

QTEST_MAIN(tst_TransferProgress)
#include "tst_TransferProgress.moc"
