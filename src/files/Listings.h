#pragma once
#include "app/ProgramState.h"
#include "files/Value.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace rer {

class AppContext;
class PrintSurface;

// The printed listings. Each one shows the print dialog first (a cancelled
// dialog ends it silently), draws through ctx.platform.printer and returns true when
// the document went to the printer. A listing that fails once printing has
// begun aborts the print job, so no half page comes out. A listing printed
// to a file that the file does not take says so, with the file and the
// reason (EndListing).

// The printer font of the listings: "ＭＳ 明朝" in Japanese, "century" otherwise.
QString ListingFontName(const AppContext& ctx);
// The current date and time in the system's short forms, two blanks between.
QString ListingDateTime();
// The printed text of a number: a blank in front of it when it is not
// negative (" 0", " 1500", "-20", " 2.5").
QString PrintedNumber(double v);
// The number a cell stands for: a number, or a text that is wholly a number
// (blanks around it allowed). No value for the empty cell or any other text.
std::optional<double> CellNumber(const Value& v);

// ---- Texts that fit their columns
//
// The column positions of the listings were laid out for other printer
// fonts. Each listing measures its texts in the printer's font and prints
// them at the largest size, up to the listing's own, at which every text of a
// line ends a little before the next one begins and before the page's edge.

// A text as a listing places it; the texts of one line share `line`.
struct PlacedText {
    int line = 0;
    double x = 0;
    QString text;
};
// Free room after every text of a line, in millimetres.
constexpr double kColumnGapMm = 1.0;
// Free room between a rule and the texts above and below it, in millimetres.
constexpr double kRuleClearanceMm = 0.3;
// No listing text is made smaller than this, in points.
constexpr double kMinListingPoints = 5.0;

// The largest size from `points` down, in steps of half a point, at which
// every text ends at least `gap` before the next text of its line (the last
// one before `rightEdge`) and before the first of `columnStarts` to its
// right (where the next column begins on any line: its caption may stand
// left of its cells) and, when `maxHeight` is above 0, is no higher than
// that; kMinListingPoints when none is. Widths in the surface's current
// scale. The surface's font is left at the size found.
double FittingPoints(PrintSurface& ps, const QString& font, double points, bool bold, bool italic,
                     std::vector<PlacedText> texts, double rightEdge, double gap, double maxHeight = 0,
                     const std::vector<double>& columnStarts = {});

// ---- Pages
//
// The one rule by which every listing goes on to a new page. Lines go down
// the page from the top of its body; a line whose box would end below the
// bottom goes on a new page instead, under the heads of that page: the
// listing's page head, then the captions of the part of the listing the line
// belongs to. A part (a section, a row of macro blocks) that the rest of the
// page cannot hold but a page can begins on a new page; so does one whose
// captions and first line do not fit. On a page that holds the whole
// listing nothing moves.
class ListingPages {
public:
    // Draws the head of page `page` (from 1) and gives the top of its body.
    using Head = std::function<double(int page)>;
    // Draws the captions of a part from y and gives the y below them.
    using Captions = std::function<double(double y)>;

    ListingPages(PrintSurface& ps, double bottom, Head head);

    // The first page's head; the top of its body.
    double begin();
    // A part of the listing that would begin at y: `whole` high in all,
    // `lead` its captions and first line. Its captions are drawn where it
    // goes and again on every page it goes on to; the y below them.
    double part(double y, double whole, double lead, Captions captions);
    // Where a line `height` high goes that would begin at y: there, or under
    // the heads of a new page. A line at the top of a body stays there,
    // however high.
    double line(double y, double height);

private:
    double nextPage();
    PrintSurface& ps_;
    double bottom_;
    Head head_;
    Captions captions_;
    double headEnd_ = 0; // the top of the body under the page head
    double top_ = 0;     // the first line of the body under the captions
    int page_ = 0;
};

// The listings were laid out for a printable width of 190 mm (A4 inside
// margins of 10 mm). For the run of a listing, ctx.platform.printer becomes
// one on which, on a narrower page, every x and width shrinks with the
// page: the columns keep their order and their room, and the texts fit at a
// smaller size. On a page as wide or wider nothing changes.
constexpr double kListingWidthMm = 190;
class ListingWidth {
public:
    explicit ListingWidth(AppContext& ctx);
    ~ListingWidth();
    ListingWidth(const ListingWidth&) = delete;
    ListingWidth& operator=(const ListingWidth&) = delete;

private:
    AppContext& ctx_;
    PrintSurface* printer_;
    std::unique_ptr<PrintSurface> narrow_;
};

// The end of every listing: the document ended, and, when it was printed to
// a file that did not take it, the message that says so with the file and
// the reason. True when the document went out.
bool EndListing(AppContext& ctx);

// Group data (GrpFileData): the 99 groups in two blocks side by side, the
// caption line over both on every page.
bool PrintGrpData(AppContext& ctx);
// Sequence macros (SmFileData): macros SmRangeStart..SmRangeEnd, three to a
// row; a row of blocks is not parted unless a page cannot hold it.
bool PrintSmData(AppContext& ctx);
// The name a macro command code prints under ("5. TIMER"); an unknown code
// prints its number alone.
QString SmCommandName(int code);

// The parameter file table of the product (PrintParaData /
// W3kPrintParaData); a section is not parted unless a page cannot hold it.
// Every row is printed: an empty cell (a file of the other product lacks a
// row) leaves its place blank, a text that is no number is printed as it
// stands.
bool PrintParaData(AppContext& ctx, Product p);
inline bool PrintParaData(AppContext& ctx) { return PrintParaData(ctx, Product::TwoAxis); }
inline bool W3kPrintParaData(AppContext& ctx) { return PrintParaData(ctx, Product::OneAxis); }

// Position listing, page set-up (PosiPrintPageSetup / W3kPosiPrintPageSetup):
// millimetre coordinates and the line metrics of the current font. False
// when the font has no measurable height (no line pitch).
bool PosiPrintPageSetup(AppContext& ctx);
inline bool W3kPosiPrintPageSetup(AppContext& ctx) { return PosiPrintPageSetup(ctx); }

// The columns of the position listing, left to right: the column of the
// product's PosiFileData, the x of its caption and the x of its cells (mm,
// in the listing's own measure); the last is the comment.
struct PosiListingColumn {
    int col;
    double captionX;
    double cellX;
};
const std::vector<PosiListingColumn>& PosiListingColumns(Product p);
// Where each column of the position listing begins: its caption or its
// cells, whichever stands further left.
std::vector<double> PosiColumnStarts(Product p);

// Position listing, page frame of page PrintPageNo (PosiDataPrintOut /
// W3kPosiDataPrintOut): title, file name, models, page number, captions
// from row 0 of the product's PosiFileData, rules and the footer.
void PosiDataPrintOut(AppContext& ctx, Product p);
inline void PosiDataPrintOut(AppContext& ctx) { PosiDataPrintOut(ctx, Product::TwoAxis); }
inline void W3kPosiDataPrintOut(AppContext& ctx) { PosiDataPrintOut(ctx, Product::OneAxis); }

// The largest position in pulses of a stroke: stroke / lead x pulses per
// revolution to one decimal ("#.#", halves away from zero), raised to the
// next whole pulse unless that decimal is 0 (stroke 100, lead 6: 6667).
// No value for a lead or pulse count of 0 or less, or a quotient below 0.05.
std::optional<double> FormatOneDecimal(double stroke, double lead, int ppr = 400);

} // namespace rer
