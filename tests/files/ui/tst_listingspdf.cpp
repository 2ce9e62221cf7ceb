// The twip-scaled listings printed for real to PDF and read back as text.
#include "files/Listings.h"
#include "platform/ui/QtPrintSurface.h"
#include "testsupport/AppFixture.h"
#include "testsupport/PdfLayout.h"

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
    void pagesReadClean_data();
    void pagesReadClean();
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
    t.ctx.platform.printer = &surface;
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

void ListingsPdf::pagesReadClean_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("language");
    for (const char* kind : {"parameters2", "parameters1", "groups", "macros"})
        for (int language : {1, 2})
            QTest::addRow("%s %s", kind, language == 1 ? "ja" : "en") << QString::fromLatin1(kind) << language;
}

// Every listing printed with its widest values: no two texts of a line run
// into each other and no rule strikes a text.
void ListingsPdf::pagesReadClean() {
    QFETCH(QString, kind);
    QFETCH(int, language);
    if (!rer::test::havePoppler()) QSKIP("poppler-utils is not installed");
    TestApp t;
    t.ctx.setLanguage(int16_t(language));
    QtPrintSurface surface;
    surface.printer().setOutputFormat(QPrinter::PdfFormat);
    surface.printer().setPageSize(QPageSize(QPageSize::A4));
    rer::test::TextKeepingSurface keeping(surface);
    t.ctx.platform.printer = &keeping;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(kind + QStringLiteral(".pdf"));
    surface.printer().setOutputFileName(pdf);
    t.files.answerPrinter(true);
    t.ctx.print.PrintFileFlag = true;

    if (kind.startsWith(QLatin1String("parameters"))) {
        const Product p = kind.endsWith(QLatin1Char('2')) ? Product::TwoAxis : Product::OneAxis;
        auto& table = t.ctx.para.of(p).ParaFileData;
        for (size_t r = 1; r < table.size(); ++r)
            for (size_t c = 0; c < 2; ++c) table[r][c] = Value::number(r % 2 ? 65535 : -32768);
        table[0][0] = Value::text(QStringLiteral("パラメータ機種A.pmd"));
        QVERIFY(PrintParaData(t.ctx, p));
    } else if (kind == QLatin1String("groups")) {
        for (int g = 1; g <= 99; ++g) t.ctx.grp.GrpFileData[g] = {399, 399, 0};
        t.ctx.grp.GrpFileName = QStringLiteral("グループ.grp");
        QVERIFY(PrintGrpData(t.ctx));
    } else {
        for (int s = 0; s < 16; ++s)
            for (int m = 0; m < 9; ++m) {
                t.ctx.sm.SmFileData[s][2 * m] = int16_t(1 + (s + m) % 6); // every command name
                t.ctx.sm.SmFileData[s][2 * m + 1] = 15;
            }
        t.ctx.sm.SmFileName = QStringLiteral("マクロ.smd");
        QVERIFY(PrintSmData(t.ctx));
    }
    rer::test::keepForLooking(pdf, QStringLiteral("%1-%2.pdf").arg(kind).arg(language));
    const QStringList faults = rer::test::layoutFaults(pdf, keeping.texts);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(ListingsPdf)
#include "tst_listingspdf.moc"
