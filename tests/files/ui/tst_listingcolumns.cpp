// Every listing printed for real to PDF with its widest values, on the
// papers and orientations a printer set-up offers, and read back: no text
// comes within a point of the next column, none runs off its page.
#include "files/DataCodec.h"
#include "files/Listings.h"
#include "mainwin/PosiPrint.h"
#include "mainwin/PositionEditor.h"
#include "platform/ui/QtPrintSurface.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/PdfLayout.h"
#include "testsupport/WidestListings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace rer;
using rer::test::GridTestContext;

namespace {

enum class Kind { PositionsGrid, PositionsFile, Parameters, Groups, Macros };

struct Paper {
    const char* name;
    QPageSize::PageSizeId id;
    QPageLayout::Orientation orientation;
};

// The papers the printer set-up lists when no printer offers its own, in
// both orientations, and A6 landscape (as wide as A5 portrait). A6 portrait,
// which only some printers offer, is narrower than the captions of a file
// listing need at the smallest size a listing prints.
const Paper kPapers[] = {
    {"A4", QPageSize::A4, QPageLayout::Portrait},         {"A4 landscape", QPageSize::A4, QPageLayout::Landscape},
    {"A5", QPageSize::A5, QPageLayout::Portrait},         {"A5 landscape", QPageSize::A5, QPageLayout::Landscape},
    {"B5", QPageSize::B5, QPageLayout::Portrait},         {"Letter", QPageSize::Letter, QPageLayout::Portrait},
    {"A6 landscape", QPageSize::A6, QPageLayout::Landscape}, {"A3", QPageSize::A3, QPageLayout::Portrait},
    {"B4", QPageSize::B4, QPageLayout::Portrait},         {"B5 landscape", QPageSize::B5, QPageLayout::Landscape},
    {"Letter landscape", QPageSize::Letter, QPageLayout::Landscape}, {"Legal", QPageSize::Legal, QPageLayout::Portrait},
    {"Legal landscape", QPageSize::Legal, QPageLayout::Landscape},
};
// The other listings go on the narrower ones only (a wider page holds them as
// A4 does).
constexpr size_t kNarrowPapers = 7;

// The last positions (three-digit numbers) with the widest value of every
// cell: the grid in millimetres as it shows them, a file in pulses.
void widestPositions(GridTestContext& t, Product p, Kind k, const QString& fileName) {
    const bool two = p == Product::TwoAxis;
    PrintState& pr = t.ctx.print;
    pr.PrintPosiFrom = 395;
    pr.PrintPosiTo = 399;
    if (k == Kind::PositionsGrid) {
        t.ctx.opt.DispMmUnit = true;
        SetUpPositionGrid(t.ctx, p);
        PositionGrid& g = t.ctx.grid.of(p);
        const QStringList cells = two ? QStringList{"9", "3", "3", "100.005", "9", "3", "3", "100.005", "1", "3", "9",
                                                    "位置コメントCOMMENT"}
                                      : QStringList{"9", "3", "3", "100.005", "3", "9", "位置コメントCOMMENT"};
        for (int r = 395; r <= 399; ++r)
            for (int c = 0; c < cells.size(); ++c) g.setText(r, c + 1, cells[c]);
        pr.GridPosiPrint = true;
        pr.FilePosiPrint = false;
        return;
    }
    t.ctx.opt.DispMmUnit = false;
    QString body = QStringLiteral("\"VO-D6\",\"KZ- 28A-100\",\"KZ- 28A-100\",\"NEW\",\"NEW\"\r\n");
    for (int r = 395; r <= 399; ++r)
        body += QStringLiteral("%1,9,3,3,-99999,9,3,3,-99999,1,3,9,\"位置コメントCOMMENT\"\r\n").arg(r);
    QByteArray bytes;
    QVERIFY(EncodeShiftJis(body, bytes));
    QFile f(fileName);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    pr.GridPosiPrint = false;
    pr.FilePosiPrint = true;
    pr.PrintPosiFileName = fileName;
}

// The lines of a page: words whose boxes share most of their height, each
// line left to right, the lines top to bottom.
std::vector<std::vector<rer::test::PdfWord>> linesOf(const std::vector<rer::test::PdfWord>& words, int page) {
    std::vector<std::vector<rer::test::PdfWord>> lines;
    for (const auto& w : words) {
        if (w.page != page) continue;
        auto line = std::find_if(lines.begin(), lines.end(), [&w](const auto& l) {
            const auto& a = l.front();
            return std::min(a.y1, w.y1) - std::max(a.y0, w.y0) >= 0.5 * std::min(a.y1 - a.y0, w.y1 - w.y0);
        });
        if (line == lines.end()) lines.push_back({w});
        else line->push_back(w);
    }
    for (auto& l : lines)
        std::sort(l.begin(), l.end(), [](const auto& a, const auto& b) { return a.x0 < b.x0; });
    std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.front().y0 < b.front().y0; });
    return lines;
}

// On every page of a position listing whose cells all hold a text without a
// blank: each cell ends at least a point before the next column begins,
// where its caption stands (left of its cells) as where its cells do.
QStringList cellsIntoTheNextColumn(const std::vector<rer::test::PdfWord>& words, size_t columns) {
    QStringList bad;
    const int pages = words.empty() ? 0 : words.back().page;
    for (int page = 1; page <= pages; ++page) {
        const auto lines = linesOf(words, page);
        const auto caps = std::find_if(lines.begin(), lines.end(), [](const auto& l) { return l.front().text == QLatin1String("No."); });
        if (caps == lines.end() || caps->size() != columns) {
            bad << QStringLiteral("page %1: no line of %2 captions").arg(page).arg(columns);
            continue;
        }
        int rows = 0;
        for (auto l = caps + 1; l != lines.end(); ++l) {
            if (l->size() != columns) continue; // the footer
            ++rows;
            for (size_t c = 0; c + 1 < columns; ++c) {
                const double next = std::min((*caps)[c + 1].x0, (*l)[c + 1].x0);
                if ((*l)[c].x1 + 1 > next)
                    bad << rer::test::describe((*l)[c]) + QStringLiteral(" ends %1 pt before the column of ").arg(next - (*l)[c].x1, 0, 'f', 2) +
                               rer::test::describe((*caps)[c + 1]);
            }
        }
        if (rows == 0) bad << QStringLiteral("page %1: no position").arg(page);
    }
    return bad;
}

} // namespace

class tst_listingcolumns : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsKeepApart_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("paper");
        struct Listing {
            const char* name;
            Kind kind;
            Product product;
        };
        const Listing listings[] = {{"positions2 grid", Kind::PositionsGrid, Product::TwoAxis},
                                    {"positions1 grid", Kind::PositionsGrid, Product::OneAxis},
                                    {"positions2 file", Kind::PositionsFile, Product::TwoAxis},
                                    {"positions1 file", Kind::PositionsFile, Product::OneAxis},
                                    {"parameters2", Kind::Parameters, Product::TwoAxis},
                                    {"parameters1", Kind::Parameters, Product::OneAxis},
                                    {"groups", Kind::Groups, Product::TwoAxis},
                                    {"macros", Kind::Macros, Product::TwoAxis}};
        for (const Listing& l : listings)
            for (int language : {1, 2})
                for (size_t paper = 0; paper < (l.kind == Kind::PositionsGrid || l.kind == Kind::PositionsFile
                                                    ? std::size(kPapers)
                                                    : kNarrowPapers);
                     ++paper)
                    QTest::addRow("%s %s %s", l.name, language == 1 ? "ja" : "en", kPapers[paper].name)
                        << int(l.kind) << int(l.product) << language << int(paper);
    }

    void columnsKeepApart() {
        QFETCH(int, kind);
        QFETCH(int, product);
        QFETCH(int, language);
        QFETCH(int, paper);
        if (!rer::test::havePoppler()) QSKIP("poppler-utils is not installed");
        const Kind k = Kind(kind);
        const Product p = Product(product);
        GridTestContext t(p == Product::TwoAxis ? 1 : 2, language);
        QTemporaryDir dir;
        if (k == Kind::PositionsGrid || k == Kind::PositionsFile)
            widestPositions(t, p, k, dir.filePath(QStringLiteral("位置データ.kzd")));
        else if (k == Kind::Parameters)
            rer::test::FillWidestParameters(t.ctx, p);
        else if (k == Kind::Groups)
            rer::test::FillWidestGroups(t.ctx);
        else
            rer::test::FillWidestMacros(t.ctx);
        if (QTest::currentTestFailed()) return;

        const QString pdf = dir.filePath(QStringLiteral("listing.pdf"));
        QtPrintSurface surface;
        QPrinter& printer = surface.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(kPapers[paper].id));
        printer.setPageOrientation(kPapers[paper].orientation);
        printer.setOutputFileName(pdf);
        rer::test::TextKeepingSurface keeping(surface);
        t.ctx.platform.printer = &keeping;
        t.files.answerPrinter(true);
        const std::array<QString, 2> models{QStringLiteral("KZ- 28A-100"), QStringLiteral("KZ- 28A-100")};
        bool printed = false;
        switch (k) {
        case Kind::PositionsGrid:
        case Kind::PositionsFile: printed = PrintPosiData(t.ctx, p, models); break;
        case Kind::Parameters: printed = PrintParaData(t.ctx, p); break;
        case Kind::Groups: printed = PrintGrpData(t.ctx); break;
        case Kind::Macros: printed = PrintSmData(t.ctx); break;
        }
        QVERIFY(printed);
        QVERIFY(t.msg.shown.empty());
        rer::test::keepForLooking(pdf, QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')) +
                                           QStringLiteral(".pdf"));
        QStringList faults = rer::test::layoutFaults(pdf, keeping.texts);
        if (k == Kind::PositionsGrid || k == Kind::PositionsFile)
            faults << cellsIntoTheNextColumn(rer::test::joinedWords(rer::test::pdfWords(pdf), keeping.texts),
                                             p == Product::TwoAxis ? 13 : 8)
                          .mid(0, 5);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(tst_listingcolumns)
#include "tst_listingcolumns.moc"
