#include "files/Listings.h"

#include "app/AppContext.h"
#include "files/Decimal.h"
#include "files/ParaRows.h"

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

// A one-page listing in twips at the size its texts fit: `draw` is run once
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
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double d = c.toDouble(v.toText().trimmed(), &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

// ---- Texts that fit their columns

double FittingPoints(PrintSurface& ps, const QString& font, double points, bool bold, bool italic,
                     std::vector<PlacedText> texts, double rightEdge, double gap, double maxHeight) {
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) {
        return a.line != b.line ? a.line < b.line : a.x < b.x;
    });
    std::vector<double> room(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const bool last = i + 1 == texts.size() || texts[i + 1].line != texts[i].line;
        room[i] = (last ? rightEdge : texts[i + 1].x) - texts[i].x - gap;
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

// ---- Group data

namespace {

// The page of the group listing at a size; the file's name only when `real`
// (a long name is no column to fit).
bool drawGrpData(AppContext& ctx, PrintSurface& ps, double points, bool real) {
    const QString name = real ? ctx.grp.GrpFileName : QString();
    groupMacroHead(ctx, ps, points,
                   ctx.pick(QStringLiteral("=== グループデータ ") + repeat('=', 67),
                            QStringLiteral("=== GROUP DATA  ") + repeat('=', 56)),
                   ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name : ")) + name);
    // The second block starts level with the first.
    const double blockTop = ps.currentY();
    for (int g = 1; g <= 99; ++g) {
        const double o = g <= 50 ? 0 : 4500;
        const double y = ps.currentY();
        if (g == 1 || g == 51) {
            at(ps, o + 1000, QStringLiteral("<GRP No>"));
            at(ps, o + 2000, QStringLiteral("<Start>"));
            at(ps, o + 3000, QStringLiteral("---"));
            at(ps, o + 3500, QStringLiteral("<End>"));
            ps.setCurrentY(y + 250);
        }
        const double lineY = ps.currentY();
        at(ps, o + 1200, QStringLiteral("No.") + PrintedNumber(g) + QStringLiteral(":"));
        at(ps, o + 2200, PrintedNumber(ctx.grp.GrpFileData[g][0]));
        at(ps, o + 3000, QStringLiteral("---"));
        at(ps, o + 3600, PrintedNumber(ctx.grp.GrpFileData[g][1]));
        ps.setCurrentY(lineY + 250);
        if (g == 50) ps.setCurrentY(blockTop);
    }
    return true;
}

} // namespace

bool PrintGrpData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    drawFitted(ctx, drawGrpData);
    return ctx.platform.printer->endDoc();
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
    groupMacroHead(ctx, ps, points,
                   ctx.pick(QStringLiteral("=== シーケンスマクロ　データ ") + repeat('=', 57),
                            QStringLiteral("=== SM DATA  ") + repeat('=', 56)),
                   ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name：")) +
                       (real ? ctx.sm.SmFileName : QString()));
    double rowTop = 0;
    int k = 0;
    for (int m = first; m <= last; ++m, ++k) {
        const int inRow = k % 3;
        const double o = inRow == 0 ? 0 : inRow == 1 ? 3500 : 6500;
        if (inRow == 0) {
            rowTop = std::round(ps.currentY());
            ps.setCurrentY(rowTop);
        }
        auto step = [&ps] { ps.setCurrentY(ps.currentY() + 250); };
        at(ps, o + 1000, QStringLiteral("<SM No.%1>").arg(m));
        step();
        at(ps, o + 1000, QStringLiteral("STEP"));
        at(ps, o + 2000, QStringLiteral("COMMAND"));
        at(ps, o + 3200, QStringLiteral("DATA"));
        step();
        const int col = 2 * (m - 1);
        for (int s = 0; s < 16; ++s) {
            at(ps, o + 1000, QStringLiteral("STEP%1:").arg(s + 1));
            at(ps, o + 2000, SmCommandName(ctx.sm.SmFileData[s][col]));
            at(ps, o + 3200, PrintedNumber(ctx.sm.SmFileData[s][col + 1]));
            step();
        }
        if (inRow != 2)
            ps.setCurrentY(rowTop);
        else if (k != 8)
            step();
    }
    return true;
}

} // namespace

bool PrintSmData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    PrintSurface& ps = *ctx.platform.printer;
    const int first = ctx.sm.SmRangeStart, last = ctx.sm.SmRangeEnd;
    if (first < 1 || first > 9 || last < 1 || last > 9) return abandon(ps);
    drawFitted(ctx, drawSmData);
    return ps.endDoc();
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

// The parameter page of the product at a size.
bool drawParaData(AppContext& ctx, Product p, PrintSurface& ps, double points, bool real) {
    const bool two = p == Product::TwoAxis;
    const ParaFileTable& t = ctx.para.of(p).ParaFileData;

    ps.setFont(ListingFontName(ctx), points, false, false);
    ps.setScale(Scale::Twips);
    ps.setCurrentY(0);
    at(ps, 1000, two || ctx.opt.CtType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U"), true);
    at(ps, 1000, ListingDateTime(), true);
    ps.setCurrentY(1000);
    at(ps, 1000,
       ctx.pick(QStringLiteral("=== パラメータ ") + repeat('=', 67), QStringLiteral("=== PARAMETERS ") + repeat('=', 56)),
       true);
    const QString title = t.empty() || !real ? QString() : t[0][0].toText();
    at(ps, 1000,
       ctx.print.PrintFileFlag ? ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name : ")) + title
                               : QStringLiteral("   "),
       true);
    at(ps, 1000, repeat('-', 82), true);
    ps.setCurrentY(ps.currentY() + 200);

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
    auto down = [&ps](double by) { ps.setCurrentY(ps.currentY() + by); };

    const auto& sections = paraSections();
    for (size_t i = 0; i < sections.size(); ++i) {
        const ParaSection& s = sections[i];
        const bool perAxis = two && s.perAxis;
        at(ps, 1000, QString::fromLatin1(s.header));
        if (perAxis) {
            at(ps, 5500, QStringLiteral("< AXIS 1 >"));
            at(ps, 7500, QStringLiteral("< AXIS 2 >"));
        }
        down(300);
        for (const ParaLine& l : s.lines) {
            if (!(two ? l.two : l.one)) continue;
            at(ps, 1000, paraLabel(l, two));
            if (perAxis) {
                value(l.row, 0, 5500);
                value(l.row, 1, 7500);
            } else {
                value(l.row, 0, 6500);
            }
            down(300);
        }
        if (i + 1 < sections.size()) down(300);
    }
    return true;
}

} // namespace

bool PrintParaData(AppContext& ctx, Product p) {
    if (!printerChosen(ctx)) return false;
    const auto draw = [p](AppContext& c, PrintSurface& ps, double points, bool real) {
        return drawParaData(c, p, ps, points, real);
    };
    if (!drawFitted(ctx, draw)) return abandon(*ctx.platform.printer);
    return ctx.platform.printer->endDoc();
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

void PosiDataPrintOut(AppContext& ctx, Product p) {
    PrintSurface& ps = *ctx.platform.printer;
    const PrintState& pr = ctx.print;
    const ProductPositions& pos = ctx.pos.of(p);
    const bool two = p == Product::TwoAxis;
    const QString font = ListingFontName(ctx);
    const double h = pr.PrintLineHeight;
    const double right = pr.PrintRightX;

    ps.setFont(font, 14, true, true);
    ps.setCurrentX(10);
    ps.setCurrentY(h);
    const QString product = two ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U");
    ps.print(product + ctx.pick(QStringLiteral(" 位置データ"), QStringLiteral(" Position Data")), false);

    ps.setFont(font, 11, true, true);
    ps.setCurrentY(h);
    if (pr.FilePosiPrint)
        at(ps, 70, ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name")) + pr.PrintPosiFileName);

    ps.setCurrentY(3 * h);
    if (pr.GridPosiPrint || pr.FilePosiPrint) {
        QString models = QStringLiteral("AXIS1:") + pos.PosiFileDevice[0];
        if (two) models += QStringLiteral("    / AXIS2:") + pos.PosiFileDevice[1];
        at(ps, 20, models);
    }

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
    struct Caption {
        int col;
        double x;
    };
    static const Caption twoCaps[] = {{0, 22}, {1, 28}, {2, 36}, {3, 44}, {4, 54}, {5, 78}, {6, 86},
                                      {7, 94}, {8, 104}, {9, 121}, {10, 129}, {11, 137}, {12, 145}};
    static const Caption oneCaps[] = {{0, 22}, {1, 28}, {2, 36}, {3, 44}, {4, 54}, {10, 78}, {11, 86}, {12, 94}};
    const auto& head = pos.PosiFileData[0];
    std::vector<PlacedText> captions;
    const auto addCaption = [&](const Caption& cap) {
        const QString text = head[size_t(cap.col)].toText();
        captions.push_back({0, cap.x, cap.col == 12 ? QStringLiteral(":") + text : text});
    };
    if (two)
        for (const Caption& cap : twoCaps) addCaption(cap);
    else
        for (const Caption& cap : oneCaps) addCaption(cap);
    FittingPoints(ps, font, 10, false, false, captions, ps.pageWidth(), kColumnGapMm, h - 2 * c);
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
