#include "files/Listings.h"

#include "app/AppContext.h"
#include "files/Decimal.h"
#include "files/ParaRows.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace rer {

namespace {

using Scale = PrintSurface::Scale;

QString repeat(char c, int n) { return QString(n, QLatin1Char(c)); }

// The print dialog; false when it was cancelled or there is no printer.
bool printerChosen(AppContext& ctx) {
    if (!ctx.printer || !ctx.fileDialogs) return false;
    return ctx.fileDialogs->printer();
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

// The head shared by the group and macro listings: program line, date line,
// banner at (1000, 800), file line, rule; then 200 twips down.
void groupMacroHead(AppContext& ctx, PrintSurface& ps, const QString& banner, const QString& fileLine) {
    ps.setFont(ListingFontName(ctx), 11, false, false);
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

// ---- Group data

bool PrintGrpData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    PrintSurface& ps = *ctx.printer;
    const QString name = ctx.grp.GrpFileName;
    groupMacroHead(ctx, ps,
                   ctx.pick(QStringLiteral("=== グループデータ ") + repeat('=', 67),
                            QStringLiteral("=== GROUP DATA  ") + repeat('=', 56)),
                   ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name : ")) + name);
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
        if (g == 50) ps.setCurrentY(1660);
    }
    return ps.endDoc();
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

bool PrintSmData(AppContext& ctx) {
    if (!printerChosen(ctx)) return false;
    PrintSurface& ps = *ctx.printer;
    const int first = ctx.sm.SmRangeStart, last = ctx.sm.SmRangeEnd;
    if (first < 1 || first > 9 || last < 1 || last > 9) return abandon(ps);
    groupMacroHead(ctx, ps,
                   ctx.pick(QStringLiteral("=== シーケンスマクロ　データ ") + repeat('=', 57),
                            QStringLiteral("=== SM DATA  ") + repeat('=', 56)),
                   ctx.pick(QStringLiteral("ファイル名："), QStringLiteral("File Name：")) + ctx.sm.SmFileName);
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

bool PrintParaData(AppContext& ctx, Product p) {
    if (!printerChosen(ctx)) return false;
    PrintSurface& ps = *ctx.printer;
    const bool two = p == Product::TwoAxis;
    const ParaFileTable& t = ctx.para.of(p).ParaFileData;

    ps.setFont(ListingFontName(ctx), 11, false, false);
    ps.setScale(Scale::Twips);
    ps.setCurrentY(0);
    at(ps, 1000, two || ctx.opt.CtType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U"), true);
    at(ps, 1000, ListingDateTime(), true);
    ps.setCurrentY(1000);
    at(ps, 1000,
       ctx.pick(QStringLiteral("=== パラメータ ") + repeat('=', 67), QStringLiteral("=== PARAMETERS ") + repeat('=', 56)),
       true);
    const QString title = t.empty() ? QString() : t[0][0].toText();
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
    return ps.endDoc();
}

// ---- Position listing: page set-up and page frame

bool PosiPrintPageSetup(AppContext& ctx) {
    PrintSurface& ps = *ctx.printer;
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
    PrintSurface& ps = *ctx.printer;
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

    ps.setCurrentY(4 * h);
    const QString page = QStringLiteral("Page:%1").arg(pr.PrintPageNo);
    at(ps, right - ps.textWidth(page), page);

    ps.setFont(font, 11, false, false);
    ps.line(10, 5 * h, right, 5 * h);

    ps.setCurrentY(5 * h);
    ps.setFont(font, 10, false, false);
    struct Caption {
        int col;
        double x;
    };
    static const Caption twoCaps[] = {{0, 22}, {1, 28}, {2, 36}, {3, 44}, {4, 54}, {5, 78}, {6, 86},
                                      {7, 94}, {8, 104}, {9, 121}, {10, 129}, {11, 137}, {12, 145}};
    static const Caption oneCaps[] = {{0, 22}, {1, 28}, {2, 36}, {3, 44}, {4, 54}, {10, 78}, {11, 86}, {12, 94}};
    const auto& head = pos.PosiFileData[0];
    auto caption = [&](const Caption& c) {
        const QString text = head[size_t(c.col)].toText();
        at(ps, c.x, c.col == 12 ? QStringLiteral(":") + text : text);
    };
    if (two)
        for (const Caption& c : twoCaps) caption(c);
    else
        for (const Caption& c : oneCaps) caption(c);
    ps.line(10, 6 * h, right, 6 * h);

    ps.setFont(font, 11, true, true);
    const QString footer = ListingDateTime();
    ps.setCurrentY((pr.PrintLines - 1) * h);
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
