// The listings printed for real to PDF and read back as text: on the page
// they were laid out for, on other papers, and to files that do not take
// them.
#include "files/Listings.h"
#include "mainwin/PosiPrint.h"
#include "mainwin/PositionEditor.h"
#include "platform/ui/QtPrintSurface.h"
#include "testsupport/FullDisk.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/PdfLayout.h"
#include "testsupport/WidestListings.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <map>

using namespace rer;
using rer::test::TestApp;

class ListingsPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parameterGroupAndMacroPages();
    void pagesReadClean_data();
    void pagesReadClean();
    void everyRowOnOtherPapers_data();
    void everyRowOnOtherPapers();
    void aFileThatRefusesThePrintKeepsItsFormerSelf_data();
    void aFileThatRefusesThePrintKeepsItsFormerSelf();
    void aKillWhilePrintingLeavesTheFormerFileWhole();
    void aPrintIntoAFolderThatTakesNoNewFileIsWritten_data();
    void aPrintIntoAFolderThatTakesNoNewFileIsWritten();
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
        rer::test::FillWidestParameters(t.ctx, p);
        QVERIFY(PrintParaData(t.ctx, p));
    } else if (kind == QLatin1String("groups")) {
        rer::test::FillWidestGroups(t.ctx);
        QVERIFY(PrintGrpData(t.ctx));
    } else {
        rer::test::FillWidestMacros(t.ctx);
        QVERIFY(PrintSmData(t.ctx));
    }
    rer::test::keepForLooking(pdf, QStringLiteral("%1-%2.pdf").arg(kind).arg(language));
    const QStringList faults = rer::test::layoutFaults(pdf, keeping.texts);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

namespace {

// Every listing, each row of it with a text of its own.
enum class Kind { Parameters2, Parameters1, Groups, Macros, Positions };
const Kind kKinds[] = {Kind::Parameters2, Kind::Parameters1, Kind::Groups, Kind::Macros, Kind::Positions};

const char* nameOf(Kind k) {
    switch (k) {
    case Kind::Parameters2: return "parameters2";
    case Kind::Parameters1: return "parameters1";
    case Kind::Groups: return "groups";
    case Kind::Macros: return "macros";
    case Kind::Positions: return "positions";
    }
    return "";
}

// The tables of a listing filled so that every row prints words no other
// row prints; the words and how often each must be read back.
std::map<QString, int> fill(rer::test::GridTestContext& t, Kind k) {
    std::map<QString, int> rows;
    t.ctx.print.PrintFileFlag = true;
    switch (k) {
    case Kind::Parameters2:
    case Kind::Parameters1: {
        const Product p = k == Kind::Parameters2 ? Product::TwoAxis : Product::OneAxis;
        auto& table = t.ctx.para.of(p).ParaFileData;
        table[0][0] = Value::text(QStringLiteral("para.pmd"));
        for (size_t r = 1; r < table.size(); ++r)
            for (size_t c = 0; c < 2; ++c) table[r][c] = Value::number(double(10000 + r * 10 + c));
        const auto printed = [&](int r) { return p == Product::TwoAxis ? r <= 34 : r != 6 && r != 30 && r <= 35; };
        for (int r = 1; r <= 35; ++r) {
            if (!printed(r)) continue;
            rows[QString::number(10000 + r * 10)] = 1;
            if (p == Product::TwoAxis && r <= 23) rows[QString::number(10000 + r * 10 + 1)] = 1;
        }
        break;
    }
    case Kind::Groups:
        t.ctx.grp.GrpFileName = QStringLiteral("g.grp");
        for (int g = 1; g <= 99; ++g) {
            t.ctx.grp.GrpFileData[g] = {int16_t(100 + g), int16_t(200 + g), 0}; // clear of the date line's year
            rows[QString::number(100 + g)] = 1;
            rows[QString::number(200 + g)] = 1;
        }
        break;
    case Kind::Macros:
        t.ctx.sm.SmFileName = QStringLiteral("m.smd");
        for (int m = 0; m < 9; ++m)
            for (int step = 0; step < 16; ++step) {
                t.ctx.sm.SmFileData[step][2 * m] = int16_t(1 + (step + m) % 6);
                t.ctx.sm.SmFileData[step][2 * m + 1] = int16_t(1000 + m * 16 + step);
                rows[QString::number(1000 + m * 16 + step)] = 1;
            }
        break;
    case Kind::Positions:
        SetUpPositionGrid(t.ctx, Product::TwoAxis);
        t.ctx.print.GridPosiPrint = true;
        t.ctx.print.FilePosiPrint = false;
        for (int r = 1; r <= 399; ++r) {
            t.ctx.grid.flgdData.setText(r, 12, QStringLiteral("C%1").arg(r));
            rows[QStringLiteral(":C%1").arg(r)] = 1;
        }
        break;
    }
    return rows;
}

// The listing printed through the print dialog's answer; its own result.
bool printListing(rer::test::GridTestContext& t, Kind k) {
    t.files.answerPrinter(true);
    switch (k) {
    case Kind::Parameters2: return PrintParaData(t.ctx, Product::TwoAxis);
    case Kind::Parameters1: return PrintParaData(t.ctx, Product::OneAxis);
    case Kind::Groups: return PrintGrpData(t.ctx);
    case Kind::Macros: return PrintSmData(t.ctx);
    case Kind::Positions:
        return PrintPosiData(t.ctx, Product::TwoAxis, {QStringLiteral("KZ- 28A-100"), QStringLiteral("KZ- 28A-100")});
    }
    return false;
}

// A printer set up for PDF files on a paper.
void setUpPdf(QtPrintSurface& surface, const QString& file, QPageSize::PageSizeId paper = QPageSize::A4,
              QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    QPrinter& printer = surface.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(orientation);
    printer.setOutputFileName(file);
}

QString headline(int16_t language) {
    return language == 1 ? QStringLiteral("ファイルへの印刷でエラーが発生しました。")
                         : QStringLiteral("An error occurred while printing to the file.");
}

// A file is a whole PDF document.
bool wholePdf(const QByteArray& bytes) {
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

} // namespace

void ListingsPdf::everyRowOnOtherPapers_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    for (Kind k : kKinds) {
        QTest::addRow("%s A4 landscape", nameOf(k)) << int(k) << int(QPageSize::A4) << int(QPageLayout::Landscape);
        QTest::addRow("%s A5", nameOf(k)) << int(k) << int(QPageSize::A5) << int(QPageLayout::Portrait);
        QTest::addRow("%s A5 landscape", nameOf(k)) << int(k) << int(QPageSize::A5) << int(QPageLayout::Landscape);
    }
}

// Each listing on a paper other than the one it was laid out for: every row
// read back from the PDF, every word within the printable area of its page,
// the head on every page, and nothing running into anything else.
void ListingsPdf::everyRowOnOtherPapers() {
    QFETCH(int, kind);
    QFETCH(int, paper);
    QFETCH(int, orientation);
    if (!rer::test::havePoppler()) QSKIP("poppler-utils is not installed");
    const Kind k = Kind(kind);
    rer::test::GridTestContext t(1, 2);
    const std::map<QString, int> rows = fill(t, k);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("listing.pdf"));
    QtPrintSurface surface;
    setUpPdf(surface, pdf, QPageSize::PageSizeId(paper), QPageLayout::Orientation(orientation));
    rer::test::TextKeepingSurface keeping(surface);
    t.ctx.platform.printer = &keeping;
    QVERIFY(printListing(t, k));
    QVERIFY(t.msg.shown.empty());
    rer::test::keepForLooking(pdf, QStringLiteral("%1-%2-%3.pdf").arg(nameOf(k)).arg(paper).arg(orientation));

    const auto words = rer::test::pdfWords(pdf);
    QVERIFY(!words.empty());
    const int pages = words.back().page;
    QVERIFY2(pages > 1, "one page only");
    std::map<QString, int> read;
    std::map<int, int> heads; // per page, the program's name at the head
    const QString head = QStringLiteral("DI-D6");
    const QMarginsF margins = surface.printer().pageLayout().margins(QPageLayout::Point);
    for (const auto& w : words) {
        if (rows.count(w.text)) ++read[w.text];
        if (w.text == head) ++heads[w.page];
        QVERIFY2(w.y1 <= w.pageHeight - margins.bottom() + 1 && w.x1 <= w.pageWidth - margins.right() + 1,
                 qPrintable(rer::test::describe(w) + QStringLiteral(" is beyond the printable area")));
    }
    for (const auto& [text, times] : rows) QVERIFY2(read[text] == times, qPrintable(text));
    for (int page = 1; page <= pages; ++page) QVERIFY2(heads[page] == 1, qPrintable(QString::number(page)));
    const QStringList faults = rer::test::layoutFaults(pdf, keeping.texts);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void ListingsPdf::aFileThatRefusesThePrintKeepsItsFormerSelf_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("language");
    int16_t language = 1;
    for (Kind k : kKinds)
        for (const char* refusal : {"full disk", "folder", "read-only folder"}) {
            QTest::addRow("%s %s", nameOf(k), refusal) << int(k) << QString::fromLatin1(refusal) << int(language);
            language = language == 1 ? 2 : 1;
        }
}

// A print to a file that the disk refuses (a file may grow no larger than
// a few bytes), to a name that is a folder, or into a folder mounted
// read-only: the former file stays byte for byte, nothing is left beside
// it, and the user is told once, with the file and the reason.
void ListingsPdf::aFileThatRefusesThePrintKeepsItsFormerSelf() {
    QFETCH(int, kind);
    QFETCH(QString, refusal);
    QFETCH(int, language);
    const Kind k = Kind(kind);
    rer::test::GridTestContext t(1, language);
    fill(t, k);
    QTemporaryDir dir;
    const bool folder = refusal == QLatin1String("folder");
    const QString target = dir.filePath(QStringLiteral("listing.pdf"));
    const QByteArray former = "%PDF-1.4 the listing printed before, whole\n%%EOF\n";
    if (folder) {
        QVERIFY(QDir().mkpath(target));
    } else {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(former);
    }
    const QStringList files = rer::test::FilesIn(dir.path());
    QtPrintSurface surface;
    setUpPdf(surface, target);
    t.ctx.platform.printer = &surface;
    const auto print = [&] {
        const bool printed = printListing(t, k);
        return QStringList{printed ? QStringLiteral("printed") : QStringLiteral("not printed")} +
               rer::test::ShownTexts(t.msg);
    };
    const rer::test::ChildOutcome out = refusal == QLatin1String("full disk") ? rer::test::RunOnFullDisk(16, print)
                                        : folder ? rer::test::RunInChild([] { return true; }, print)
                                                 : rer::test::RunOnReadOnlyFolder(dir.path(), print);
    if (refusal == QLatin1String("read-only folder") && out.exited && out.status == 3)
        QSKIP("this system lets no process mount a folder read-only");
    QVERIFY2(out.exited && out.status == 0, "the print ended the child process");
    QCOMPARE(rer::test::FilesIn(dir.path()), files);
    if (folder)
        QVERIFY(QFileInfo(target).isDir() && QDir(target).isEmpty());
    else
        QCOMPARE(rer::test::FileBytes(target), former);
    QCOMPARE(out.report.size(), 2); // the result and one message
    QCOMPARE(out.report[0], QStringLiteral("not printed"));
    const int error = refusal == QLatin1String("full disk") ? EFBIG : folder ? EISDIR : EROFS;
    QCOMPARE(out.report[1],
             rer::test::WriteFailureText(headline(int16_t(language)), target, rer::test::ReasonWords(error, language)));
}

// Printing killed at any moment: the file printed to is the former document
// or the new one, each whole; never empty, never torn.
void ListingsPdf::aKillWhilePrintingLeavesTheFormerFileWhole() {
    rer::test::GridTestContext t(1, 2);
    fill(t, Kind::Positions);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("listing.pdf"));
    QtPrintSurface surface;
    setUpPdf(surface, target);
    t.ctx.platform.printer = &surface;
    QElapsedTimer once;
    once.start();
    QVERIFY(printListing(t, Kind::Positions));
    const qint64 printMs = std::max<qint64>(once.elapsed(), 20);
    QVERIFY(wholePdf(rer::test::FileBytes(target)));
    QRandomGenerator random(19);
    int killedMidway = 0;
    for (int i = 0; i < 25; ++i) {
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            for (;;) printListing(t, Kind::Positions); // until killed
        }
        QTest::qSleep(int(random.bounded(printMs * 2)));
        ::kill(pid, SIGKILL);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        killedMidway += WIFSIGNALED(status);
        const QByteArray now = rer::test::FileBytes(target);
        QVERIFY2(wholePdf(now), qPrintable(QStringLiteral("after kill %1: %2 bytes, not a whole PDF").arg(i).arg(now.size())));
    }
    QCOMPARE(killedMidway, 25);
}

void ListingsPdf::aPrintIntoAFolderThatTakesNoNewFileIsWritten_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("room");
    QTest::addColumn<int>("language");
    for (Kind k : kKinds) {
        QTest::addRow("%s", nameOf(k)) << int(k) << true << 2;
        for (int language : {1, 2})
            QTest::addRow("%s, the disk takes a copy only, language %d", nameOf(k), language) << int(k) << false
                                                                                             << language;
    }
}

// The user's own PDF file in a folder where the user may make no new file
// (a shared folder): the print writes the file itself, a whole document,
// and tells nothing; the copy of the former file kept meanwhile in the
// user's cache goes. On a disk that takes the copy but not the whole new
// document, the file is left incomplete: the user is told so, and where the
// former file is kept whole, in the program's language.
void ListingsPdf::aPrintIntoAFolderThatTakesNoNewFileIsWritten() {
    QFETCH(int, kind);
    QFETCH(bool, room);
    QFETCH(int, language);
    const Kind k = Kind(kind);
    rer::test::GridTestContext t(1, int16_t(language));
    fill(t, k);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("listing.pdf"));
    {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4 the listing printed before\n%%EOF\n");
    }
    const QByteArray former = rer::test::FileBytes(target);
    const QStringList files = rer::test::FilesIn(dir.path());
    QtPrintSurface surface;
    setUpPdf(surface, target);
    t.ctx.platform.printer = &surface;
    const rer::test::ScopedCacheFolder cache;
    const rer::test::ChildOutcome out = rer::test::RunInFolderThatTakesNoNewFile(
        target, room ? 0 : former.size(),
        [&] {
            QFile probe(dir.filePath(QStringLiteral("probe")));
            const bool refused = !probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
            const bool printed = printListing(t, k);
            return QStringList{refused ? QStringLiteral("refused a new file") : QStringLiteral("took a new file"),
                               printed ? QStringLiteral("printed") : QStringLiteral("not printed")} +
                   rer::test::ShownTexts(t.msg);
        },
        {cache.path()});
    QVERIFY2(out.exited && out.status == 0, "the child could not be set up or ended");
    QCOMPARE(rer::test::FilesIn(dir.path()), files);
    const QByteArray now = rer::test::FileBytes(target);
    QVERIFY(now != former);
    if (room) {
        QCOMPARE(out.report, (QStringList{QStringLiteral("refused a new file"), QStringLiteral("printed")}));
        QCOMPARE(cache.copies(), QStringList()); // the copy of the former file went once the new one was whole
        QVERIFY(wholePdf(now));
        return;
    }
    const QStringList copies = cache.copies();
    QCOMPARE(copies.size(), 1);
    const QString copy = QDir(cache.copyFolder()).filePath(copies[0]);
    QCOMPARE(rer::test::FileBytes(copy), former);
    const QString told = rer::test::WriteFailureText(headline(int16_t(language)), target,
                                                     rer::test::InPlaceFailureWords(EFBIG, copy, language));
    QCOMPARE(out.report, (QStringList{QStringLiteral("refused a new file"), QStringLiteral("not printed"), told}));
    if (language == 1) QCOMPARE(rer::test::LatinWords(told, {target, copy}), QStringList());
}

QTEST_MAIN(ListingsPdf)
#include "tst_listingspdf.moc"
