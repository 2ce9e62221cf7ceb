#include "files/Listings.h"

#include "app/AppContext.h"
#include "files/Decimal.h"
#include "files/ParaRows.h"
#include "platform/FileWriter.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace rer {

namespace {

using Scale = PrintSurface::Scale;

QString repeat(char c, int n) { return QString(n, QLatin1Char(c)); }

// The print dialog; false when it was cancelled or there is no printer.
bool printerChosen(AppContext& ctx) {
    if (!ctx.platform.printer || !ctx.platform.fileDialogs) return false;
    return ctx.platform.fileDialogs->printer();
}

// A listing that stopped once printing had begun: nothing comes out.
bool abandon(PrintSurface& ps) {
    ps.abortDoc();
    return false;
}

void at(PrintSurface& ps, double x, const QString& text, bool lineEnd = false) {
    ps.setCurrentX(x);
    ps.print(text, lineEnd);
}

constexpr double kTwipsPerMm = 1440.0 / 25.4;

// Stands in for the printer while a listing is tried out: measures in the
// printer's fonts, prints nothing, and keeps where each text would go.
class ProbeSurface : public ForwardingPrintSurface {
public:
    using ForwardingPrintSurface::ForwardingPrintSurface;
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    void print(const QString& text, bool lineEnd) override {
        const auto key = std::make_pair(page_, std::llround(y_ * 16));
        const auto found = lines_.try_emplace(key, int(lines_.size())).first;
        placed.push_back({found->second, x_, text});
        if (lineEnd) {
            x_ = 0;
            y_ += textHeight(text);
        } else {
            x_ += textWidth(text);
        }
    }
    void line(double, double, double x2, double y2) override {
        x_ = x2;
        y_ = y2;
    }
    void newPage() override {
        ++page_;
        x_ = y_ = 0;
    }
    bool endDoc() override { return true; }
    void abortDoc() override {}

    std::vector<PlacedText> placed;

private:
    double x_ = 0, y_ = 0;
    int page_ = 1;
    std::map<std::pair<int, long long>, int> lines_;
};

// A listing in twips at the size its texts fit: `draw` is run once
// on a probe at 11 points, then on the printer at the size found. False when
// a drawing stopped.
template <class Draw>
bool drawFitted(AppContext& ctx, Draw draw) {
    PrintSurface& ps = *ctx.platform.printer;
    ProbeSurface probe(ps);
    draw(ctx, probe, 11.0, false);
    ps.setScale(Scale::Twips);
    const double points = FittingPoints(ps, ListingFontName(ctx), 11, false, false, std::move(probe.placed),
                                        ps.pageWidth(), kColumnGapMm * kTwipsPerMm);
    return draw(ctx, ps, points, true);
}

// The head shared by the group and macro listings: program line, date line,
// banner at (1000, 800), file line, rule; then 200 twips down.
void groupMacroHead(AppContext& ctx, PrintSurface& ps, double points, const QString& banner,
                    const QString& fileLine) {
    ps.setFont(ListingFontName(ctx), points, false, false);
    ps.setScale(Scale::Twips);
    ps.setCurrentY(0);
    const QString title = ctx.opt.CtType == 1 ? QStringLiteral("DI-D6")
                          : ctx.opt.CtType == 2 ? QStringLiteral("DE-D3U")
                                                : QString();
    at(ps, 1000, title, true);
    at(ps, 1000, ListingDateTime(), true);
    ps.setCurrentY(800);
    at(ps, 1000, banner, true);
    at(ps, 1000, ctx.print.PrintFileFlag ? fileLine : QStringLiteral("   "), true);
    at(ps, 1000, repeat('-', 86), true);
    ps.setCurrentY(ps.currentY() + 200);
}

} // namespace

QString ListingFontName(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ＭＳ 明朝"), QStringLiteral("century"));
}

QString ListingDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale loc = QLocale::system();
    return loc.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
           loc.toString(now.time(), QLocale::ShortFormat);
}

QString PrintedNumber(double v) {
    const QString t = ShortestText(v);
    return v < 0 ? t : QStringLiteral(" ") + t;
}

std::optional<double> CellNumber(const Value& v) {
    if (v.isNumber()) return v.toNumber();
    if (!v.isText()) return std::nullopt;
    return NumberText(v.toText());
}

// ---- Texts that fit their columns

double FittingPoints(PrintSurface& ps, const QString& font, double points, bool bold, bool italic,
                     std::vector<PlacedText> texts, double rightEdge, double gap, double maxHeight,
                     const std::vector<double>& columnStarts) {
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) {
        return a.line != b.line ? a.line < b.line : a.x < b.x;
    });
    std::vector<double> room(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const bool last = i + 1 == texts.size() || texts[i + 1].line != texts[i].line;
        double end = last ? rightEdge : texts[i + 1].x;
        for (double start : columnStarts)
            if (start > texts[i].x) end = std::min(end, start);
        room[i] = end - texts[i].x - gap;
    }
    // How far each text is over its room at a size; 1 or less fits.
    const auto worst = [&](double pt) {
        ps.setFont(font, pt, bold, italic);
        double w = maxHeight > 0 ? ps.textHeight(QStringLiteral("A")) / maxHeight : 0.0;
        for (size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].text.trimmed().isEmpty()) continue;
            const double width = ps.textWidth(texts[i].text);
            w = std::max(w, room[i] > 0 ? width / room[i] : std::numeric_limits<double>::infinity());
        }
        return w;
    };
    // Widths grow with the size: start from the size the nominal one's
    // excess points to, then step down until everything fits.
    const double over = worst(points);
    double pt = points;
    if (over > 1) pt = std::max(kMinListingPoints, std::min(points - 0.5, std::floor(2 * points / over) / 2));
    while (pt > kMinListingPoints && worst(pt) > 1) pt -= 0.5;
    pt = std::max(pt, kMinListingPoints);
    ps.setFont(font, pt, bold, italic);
    return pt;
}

// ---- Pages

ListingPages::ListingPages(PrintSurface& ps, double bottom, Head head)
    : ps_(ps), bottom_(bottom), head_(std::move(head)) {}

double ListingPages::begin() {
    page_ = 1;
    captions_ = nullptr;
    headEnd_ = top_ = head_(page_);
    return top_;
}

double ListingPages::nextPage() {
    ps_.newPage();
    ++page_;
    headEnd_ = top_ = head_(page_);
    if (captions_) top_ = captions_(top_);
    return top_;
}

double ListingPages::part(double y, double whole, double lead, Captions captions) {
    captions_ = nullptr;
    const bool moves = y + whole > bottom_ && headEnd_ + whole <= bottom_;
    if (y > headEnd_ && (moves || y + lead > bottom_)) y = nextPage();
    captions_ = std::move(captions);
    top_ = captions_ ? captions_(y) : y;
    return top_;
}

double ListingPages::line(double y, double height) {
    return y > top_ && y + height > bottom_ ? nextPage() : y;
}

namespace {

// The printer of a listing on a page narrower than the listing was laid out
// for: x and widths in the listing's own measure, shrunk on the page.
class NarrowPage : public ForwardingPrintSurface {
public:
    using ForwardingPrintSurface::ForwardingPrintSurface;
    void setScale(Scale s) override {
        scale_ = s;
        to_.setScale(s);
    }
    double pageWidth() const override { return to_.pageWidth() / k(); }
    double currentX() const override { return to_.currentX() / k(); }
    void setCurrentX(double x) override { to_.setCurrentX(x * k()); }
    double textWidth(const QString& text) const override { return to_.textWidth(text) / k(); }
    void line(double x1, double y1, double x2, double y2) override { to_.line(x1 * k(), y1, x2 * k(), y2); }

private:
    // The page's width for each unit of the listing's: 1 on a wide page.
    double k() const {
        const double laidOut = scale_ == Scale::Millimetres ? kListingWidthMm : kListingWidthMm * kTwipsPerMm;
        const double width = to_.pageWidth();
        return width > 0 && width < laidOut ? width / laidOut : 1.0;
    }
    Scale scale_ = Scale::Twips;
};

} // namespace

ListingWidth::ListingWidth(AppContext& ctx) : ctx_(ctx), printer_(ctx.platform.printer) {
    if (!printer_) return;
    narrow_ = std::make_unique<NarrowPage>(*printer_);
    ctx_.platform.printer = narrow_.get();
}

ListingWidth::~ListingWidth() { ctx_.platform.printer = printer_; }

bool EndListing(AppContext& ctx) {
    PrintSurface& ps = *ctx.platform.printer;
    if (ps.endDoc()) return true;
    if (const auto f = ps.fileFailure())
        ctx.message(FileFailureMessage(ctx.pick(QStringLiteral("ファイルへの印刷でエラーが発生しました。"),
                                                QStringLiteral("An error occurred while printing to the file.")),
                                       f->file, f->reason.text(ctx.opt.LanguageNo)));
    return false;
}

// ---- Group data

namespace {

// The pages of the group listing at a size; the file's name only when `real`
// (a long name is no column to fit).
bool drawGrpData(AppContext& ctx, PrintSurface& ps, double points, bool real) {
    const QString name = real ? ctx.grp.GrpFileName : QString();
    ListingPages pages(ps, ps.pageHeight(), [&](int) {
        groupMacroHead(ctx, ps, points,
                       ctx.pick(QStringLiteral("=== グループデータ ") + repeat('=', 67),
                                QStringLiteral("=== GROUP DATA  ") + repeat('=', 56)),
                       ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name : ")) + name);
        return ps.currentY();
    });
    double y = pages.begin();
    const double h = ps.textHeight(QStringLiteral("A"));
    // Groups 1 to 50 on the left, 51 to 99 beside them 4500 to the right,
    // level with them line by line; the caption line heads both blocks.
    const auto captions = [&ps](double top) {
        ps.setCurrentY(top);
        for (double o : {0.0, 4500.0}) {
            at(ps, o + 1000, QStringLiteral("<GRP No>"));
            at(ps, o + 2000, QStringLiteral("<Start>"));
            at(ps, o + 3000, QStringLiteral("---"));
            at(ps, o + 3500, QStringLiteral("<End>"));
        }
        return top + 250;
    };
    y = pages.part(y, 250 + 49 * 250 + h, 250 + h, captions);
    for (int i = 1; i <= 50; ++i, y += 250) {
        y = pages.line(y, h);
        ps.setCurrentY(y);
        for (int g : {i, i + 50}) {
            if (g > 99) break;
            const double o = g <= 50 ? 0 : 4500;
            at(ps, o + 1200, QStringLiteral("No.") + PrintedNumber(g) + QStringLiteral(":"));
            at(ps, o + 2200, PrintedNumber(ctx.grp.GrpFileData[g][0]));
            at(ps, o + 3000, QStringLiteral("---"));
            at(ps, o + 3600, PrintedNumber(ctx.grp.GrpFileData[g][1]));
        }
    }
    return true;
}

} // namespace

bool PrintGrpData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    const ListingWidth width(ctx);
    drawFitted(ctx, drawGrpData);
    return EndListing(ctx);
}

// ---- Sequence macros

QString SmCommandName(int code) {
    switch (code) {
    case 0:
    case 15: return QStringLiteral("0. END");
    case 1: return QStringLiteral("1. IN-ON");
    case 2: return QStringLiteral("2. IN-OFF");
    case 3: return QStringLiteral("3. OUT-ON");
    case 4: return QStringLiteral("4. OUT-OFF");
    case 5: return QStringLiteral("5. TIMER");
    case 6: return QStringLiteral("6. TIMER10");
    default: return QString::number(code);
    }
}

namespace {

bool drawSmData(AppContext& ctx, PrintSurface& ps, double points, bool real) {
    const int first = ctx.sm.SmRangeStart, last = ctx.sm.SmRangeEnd;
    ListingPages pages(ps, ps.pageHeight(), [&](int) {
        groupMacroHead(ctx, ps, points,
                       ctx.pick(QStringLiteral("=== シーケンスマクロ　データ ") + repeat('=', 57),
                                QStringLiteral("=== SM DATA  ") + repeat('=', 56)),
                       ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name：")) +
                           (real ? ctx.sm.SmFileName : QString()));
        return std::round(ps.currentY());
    });
    double y = pages.begin();
    const double h = ps.textHeight(QStringLiteral("A"));
    // Three blocks to a row, at x offsets 0, 3500 and 6500: the macro's
    // name, the caption line and its 16 steps; an empty line between rows.
    for (int rowFirst = first; rowFirst <= last; rowFirst += 3) {
        struct Block {
            int macro;
            double o;
        };
        std::vector<Block> row;
        for (int m = rowFirst; m <= std::min(last, rowFirst + 2); ++m)
            row.push_back({m, m - rowFirst == 0 ? 0.0 : m - rowFirst == 1 ? 3500.0 : 6500.0});
        const auto captions = [&ps, row](double top) {
            ps.setCurrentY(top);
            for (const Block& b : row) at(ps, b.o + 1000, QStringLiteral("<SM No.%1>").arg(b.macro));
            ps.setCurrentY(top + 250);
            for (const Block& b : row) {
                at(ps, b.o + 1000, QStringLiteral("STEP"));
                at(ps, b.o + 2000, QStringLiteral("COMMAND"));
                at(ps, b.o + 3200, QStringLiteral("DATA"));
            }
            return top + 500;
        };
        y = pages.part(y, 17 * 250 + h, 2 * 250 + h, captions);
        for (int s = 0; s < 16; ++s, y += 250) {
            y = pages.line(y, h);
            ps.setCurrentY(y);
            for (const Block& b : row) {
                const int col = 2 * (b.macro - 1);
                at(ps, b.o + 1000, QStringLiteral("STEP%1:").arg(s + 1));
                at(ps, b.o + 2000, SmCommandName(ctx.sm.SmFileData[s][col]));
                at(ps, b.o + 3200, PrintedNumber(ctx.sm.SmFileData[s][col + 1]));
            }
        }
        y += 250;
    }
    return true;
}

} // namespace

bool PrintSmData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    const ListingWidth width(ctx);
    PrintSurface& ps = *ctx.platform.printer;
    const int first = ctx.sm.SmRangeStart, last = ctx.sm.SmRangeEnd;
    if (first < 1 || first > 9 || last < 1 || last > 9) return abandon(ps);
    drawFitted(ctx, drawSmData);
    return EndListing(ctx);
}

// ---- Parameters

namespace {

struct ParaLine {
    int row;
    const char* two; // label of the two-axis listing; null: not printed
    const char* one; // label of the one-axis listing; null: not printed
};

struct ParaSection {
    const char* header;
    bool perAxis;
    std::vector<ParaLine> lines;
};

// The listing's sections and rows: every row of the description that the
// product shows, under its label.
const std::vector<ParaSection>& paraSections() {
    static const std::vector<ParaSection> sections = [] {
        std::vector<ParaSection> s;
        for (const ParaGroupDef& sec : kParaGroups) {
            ParaSection section{sec.listing, ParaGroupPerAxis(sec.id), {}};
            for (const ParaRowDef& d : kParaRows) {
                if (d.group != sec.id) continue;
                section.lines.push_back({d.row, d.shown(Product::TwoAxis) ? d.listingIn(Product::TwoAxis) : nullptr,
                                         d.shown(Product::OneAxis) ? d.listingIn(Product::OneAxis) : nullptr});
            }
            s.push_back(std::move(section));
        }
        return s;
    }();
    return sections;
}

QString paraLabel(const ParaLine& l, bool two) { return QString::fromUtf8(two ? l.two : l.one); }

} // namespace

namespace {

// The parameter pages of the product at a size.
bool drawParaData(AppContext& ctx, Product p, PrintSurface& ps, double points, bool real) {
    const bool two = p == Product::TwoAxis;
    const ParaFileTable& t = ctx.para.of(p).ParaFileData;

    const QString title = t.empty() || !real ? QString() : t[0][0].toText();
    ListingPages pages(ps, ps.pageHeight(), [&](int) {
        ps.setFont(ListingFontName(ctx), points, false, false);
        ps.setScale(Scale::Twips);
        ps.setCurrentY(0);
        at(ps, 1000, two || ctx.opt.CtType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U"), true);
        at(ps, 1000, ListingDateTime(), true);
        ps.setCurrentY(1000);
        at(ps, 1000,
           ctx.pick(QStringLiteral("=== パラメータ ") + repeat('=', 67),
                    QStringLiteral("=== PARAMETERS ") + repeat('=', 56)),
           true);
        at(ps, 1000,
           ctx.print.PrintFileFlag ? ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name : ")) + title
                                   : QStringLiteral("   "),
           true);
        at(ps, 1000, repeat('-', 82), true);
        return ps.currentY() + 200;
    });
    double y = pages.begin();
    const double h = ps.textHeight(QStringLiteral("A"));

    // Prints one value cell: a number as the listing writes numbers, what a
    // file holds that is no number as it stands, and nothing for a value the
    // table does not have (a file of the other product lacks a row).
    auto value = [&](int row, int col, double x) {
        const Value cell = row < int(t.size()) ? t[size_t(row)][size_t(col)] : Value();
        if (const auto v = CellNumber(cell))
            at(ps, x, PrintedNumber(*v));
        else if (!cell.toText().trimmed().isEmpty())
            at(ps, x, cell.toText().trimmed());
    };

    // Each section under its header, the axis headers beside it where the
    // values stand per axis; 300 twips a line, 300 more between sections.
    const auto& sections = paraSections();
    for (size_t i = 0; i < sections.size(); ++i) {
        const ParaSection& s = sections[i];
        const bool perAxis = two && s.perAxis;
        std::vector<const ParaLine*> lines;
        for (const ParaLine& l : s.lines)
            if (two ? l.two : l.one) lines.push_back(&l);
        const auto header = [&ps, &s, perAxis](double top) {
            ps.setCurrentY(top);
            at(ps, 1000, QString::fromLatin1(s.header));
            if (perAxis) {
                at(ps, 5500, QStringLiteral("< AXIS 1 >"));
                at(ps, 7500, QStringLiteral("< AXIS 2 >"));
            }
            return top + 300;
        };
        y = pages.part(y, 300.0 * double(lines.size()) + h, 300 + h, header);
        for (const ParaLine* l : lines) {
            y = pages.line(y, h);
            ps.setCurrentY(y);
            at(ps, 1000, paraLabel(*l, two));
            if (perAxis) {
                value(l->row, 0, 5500);
                value(l->row, 1, 7500);
            } else {
                value(l->row, 0, 6500);
            }
            y += 300;
        }
        if (i + 1 < sections.size()) y += 300;
    }
    return true;
}

} // namespace

bool PrintParaData(AppContext& ctx, Product p) {
    if (!printerChosen(ctx)) return false;
    const ListingWidth width(ctx);
    const auto draw = [p](AppContext& c, PrintSurface& ps, double points, bool real) {
        return drawParaData(c, p, ps, points, real);
    };
    if (!drawFitted(ctx, draw)) return abandon(*ctx.platform.printer);
    return EndListing(ctx);
}

// ---- Position listing: page set-up and page frame

bool PosiPrintPageSetup(AppContext& ctx) {
    PrintSurface& ps = *ctx.platform.printer;
    PrintState& pr = ctx.print;
    ps.setScale(Scale::Millimetres);
    const double h = RoundDecimal(ps.textHeight(QStringLiteral("A")), 0, HalfRule::ToEven);
    if (!(h >= 1) || h > 1e6) return false;
    const double height = ps.pageHeight();
    pr.PrintLineHeight = int32_t(h);
    pr.PrintLineHeight2 = pr.PrintLineHeight + 1;
    pr.PrintLines = int32_t(std::floor(height / pr.PrintLineHeight));
    pr.PrintLines2 = int32_t(std::floor(height / pr.PrintLineHeight2));
    pr.PrintPageHeight = pr.PrintLines * pr.PrintLineHeight;
    pr.PrintRightX = RoundDecimal(ps.pageWidth() - 10, 0, HalfRule::ToEven);
    return true;
}

const std::vector<PosiListingColumn>& PosiListingColumns(Product p) {
    static const std::vector<PosiListingColumn> two = {
        {0, 22, 20},   {1, 28, 30},   {2, 36, 38},   {3, 44, 46},    {4, 54, 54},    {5, 78, 80},   {6, 86, 88},
        {7, 94, 96},   {8, 104, 104}, {9, 121, 123}, {10, 129, 131}, {11, 137, 139}, {12, 145, 145}};
    static const std::vector<PosiListingColumn> one = {{0, 22, 20}, {1, 28, 30},  {2, 36, 38},  {3, 44, 46},
                                                       {4, 54, 54}, {10, 78, 80}, {11, 86, 88}, {12, 94, 94}};
    return p == Product::TwoAxis ? two : one;
}

std::vector<double> PosiColumnStarts(Product p) {
    std::vector<double> starts;
    for (const PosiListingColumn& c : PosiListingColumns(p)) starts.push_back(std::min(c.captionX, c.cellX));
    return starts;
}

void PosiDataPrintOut(AppContext& ctx, Product p) {
    PrintSurface& ps = *ctx.platform.printer;
    const PrintState& pr = ctx.print;
    const ProductPositions& pos = ctx.pos.of(p);
    const bool two = p == Product::TwoAxis;
    const QString font = ListingFontName(ctx);
    const double h = pr.PrintLineHeight;
    const double right = pr.PrintRightX;

    // The head's lines, each text at the size at which it ends before the
    // next one and within the page.
    const auto fitted = [&](double points, double x, const QString& text, double end) {
        FittingPoints(ps, font, points, true, true, {{0, x, text}}, end, kColumnGapMm);
        at(ps, x, text);
    };
    ps.setCurrentY(h);
    const QString product = two ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U");
    fitted(14, 10, product + ctx.pick(QStringLiteral(" 位置データ"), QStringLiteral(" Position Data")),
           pr.FilePosiPrint ? 70 : ps.pageWidth());
    if (pr.FilePosiPrint)
        fitted(11, 70, ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name")) + pr.PrintPosiFileName,
               ps.pageWidth());

    ps.setCurrentY(3 * h);
    if (pr.GridPosiPrint || pr.FilePosiPrint) {
        QString models = QStringLiteral("AXIS1:") + pos.PosiFileDevice[0];
        if (two) models += QStringLiteral("    / AXIS2:") + pos.PosiFileDevice[1];
        fitted(11, 20, models, ps.pageWidth());
    }
    ps.setFont(font, 11, true, true);

    // The page number stands above the first rule, clear of it. The bold
    // italic lines keep twice the room from their rule: a face without bold
    // or italic of its own is slanted and thickened beyond its measure.
    const double c = kRuleClearanceMm;
    const QString page = QStringLiteral("Page:%1").arg(pr.PrintPageNo);
    ps.setCurrentY(5 * h - 2 * c - ps.textHeight(page));
    at(ps, right - ps.textWidth(page), page);

    ps.setFont(font, 11, false, false);
    ps.line(10, 5 * h, right, 5 * h);

    // The captions between the two rules, at the size at which each fits
    // before the next column and within the line.
    const auto& head = pos.PosiFileData[0];
    std::vector<PlacedText> captions;
    for (const PosiListingColumn& column : PosiListingColumns(p)) {
        const QString text = head[size_t(column.col)].toText();
        captions.push_back({0, column.captionX, column.col == 12 ? QStringLiteral(":") + text : text});
    }
    FittingPoints(ps, font, 10, false, false, captions, ps.pageWidth(), kColumnGapMm, h - 2 * c, PosiColumnStarts(p));
    ps.setCurrentY(5 * h + (h - ps.textHeight(QStringLiteral("A"))) / 2);
    for (const PlacedText& t : captions) at(ps, t.x, t.text);
    ps.line(10, 6 * h, right, 6 * h);

    // The footer below the last rule, made smaller where the page leaves
    // less room than a line of it needs.
    const double footerY = (pr.PrintLines - 1) * h + 2 * c;
    const QString footer = ListingDateTime();
    FittingPoints(ps, font, 11, true, true, {{0, 10, footer}}, right + kColumnGapMm, kColumnGapMm,
                  ps.pageHeight() - footerY);
    ps.setCurrentY(footerY);
    at(ps, right - ps.textWidth(footer), footer);
    ps.line(10, pr.PrintPageHeight - h, right, pr.PrintPageHeight - h);
    ps.setFont(font, 11, false, false);
}

std::optional<double> FormatOneDecimal(double stroke, double lead, int ppr) {
    if (!(lead > 0) || ppr <= 0 || !std::isfinite(stroke)) return std::nullopt;
    const double q = stroke / lead * ppr;
    const double oneDecimal = RoundDecimal(q, 1, HalfRule::AwayFromZero);
    if (!(oneDecimal >= 0.1)) return std::nullopt; // "#.#" of it is "." or negative
    return std::trunc(Decimal12(oneDecimal + 0.9));
}

} // namespace rer
