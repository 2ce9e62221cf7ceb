// The twip-scaled listings printed for real to PDF and read back as text.
#include "files/Listings.h"
#include "platform/ui/QtPrintSurface.h"
#include "testsupport/AppFixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

class ListingsPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parameterGroupAndMacroPages();
};

namespace {

QString pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void ListingsPdf::parameterGroupAndMacroPages() {
    TestApp t;
    t.ctx.setLanguage(1);
    QtPrintSurface surface;
    surface.printer().setOutputFormat(QPrinter::PdfFormat);
    surface.printer().setPageSize(QPageSize(QPageSize::A4));
    t.ctx.printer = &surface;
    QTemporaryDir dir;

    auto& table = t.ctx.para.two.ParaFileData;
    for (size_t r = 1; r < table.size(); ++r)
        for (size_t c = 0; c < 2; ++c) table[r][c] = Value::number(double(r * 10 + c));
    table[0][0] = Value::text(QStringLiteral("機種A.pmt"));
    t.ctx.print.PrintFileFlag = true;
    const QString para = dir.filePath(QStringLiteral("para.pdf"));
    surface.printer().setOutputFileName(para);
    t.files.answerPrinter(true);
    QVERIFY(PrintParaData(t.ctx));

    t.ctx.grp.GrpFileData[99] = {12, 399, 0};
    t.ctx.grp.GrpFileName = QStringLiteral("g.grp");
    const QString grp = dir.filePath(QStringLiteral("grp.pdf"));
    surface.printer().setOutputFileName(grp);
    t.files.answerPrinter(true);
    QVERIFY(PrintGrpData(t.ctx));

    t.ctx.sm.SmFileData[0][16] = 6; // macro 9 step 1: TIMER10
    const QString sm = dir.filePath(QStringLiteral("sm.pdf"));
    surface.printer().setOutputFileName(sm);
    t.files.answerPrinter(true);
    QVERIFY(PrintSmData(t.ctx));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    const QString p = pdfText(para);
    QCOMPARE(p.count(QLatin1Char('\f')), 1); // one page
    for (const QString& want : {QStringLiteral("=== パラメータ ==="), QStringLiteral("ファイル名：機種A.pmt"),
                                QStringLiteral("<< HOMING PARAMETER >>"), QStringLiteral("< AXIS 2 >"),
                                QStringLiteral("10.JOG VEL:"), QStringLiteral("6. LS TIMER:"), QStringLiteral("340")})
        QVERIFY2(p.contains(want), qPrintable(want));
    const QString g = pdfText(grp);
    QCOMPARE(g.count(QLatin1Char('\f')), 1);
    for (const QString& want : {QStringLiteral("=== グループデータ ==="), QStringLiteral("No. 99:"), QStringLiteral("399")})
        QVERIFY2(g.contains(want), qPrintable(want));
    const QString s = pdfText(sm);
    QCOMPARE(s.count(QLatin1Char('\f')), 1);
    for (const QString& want : {QStringLiteral("シーケンスマクロ"), QStringLiteral("<SM No.9>"), QStringLiteral("6. TIMER10"),
                                QStringLiteral("STEP16:")})
        QVERIFY2(s.contains(want), qPrintable(want));
}

QTEST_MAIN(ListingsPdf)
#include "tst_listingspdf.moc"
