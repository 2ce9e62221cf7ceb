#include "mainwin/PosiPrint.h"

#include "app/AppContext.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/FileHeader.h"
#include "files/Listings.h"
#include "files/PosiFile.h"
#include "link/TextHelpers.h"
#include "platform/FileWriter.h"

#include <algorithm>
#include <cmath>

namespace rer {

ModelLeadPpr CatalogueLeadPpr(AppContext& ctx, bool newType, const QString& series, const QString& size,
                              const QString& speed, int stroke) {
    const DevLeadPpr lp = GetDevLeadPpr(ctx, newType, series, size, speed, stroke);
    return {lp.lead, lp.ppr};
}

std::optional<ModelParts> SplitModelString(const QString& s) {
    ModelParts m;
    m.series = s.left(2);
    const QString trimmed = s.trimmed();
    const auto strokeOf = [&](int skip) {
        const double v = LeadingNumber(trimmed.right(trimmed.size() - skip));
        return std::fabs(v) < 32768 ? int(RoundDecimal(v, 0, HalfRule::ToEven)) : 0;
    };
    if (s.size() >= 8 && s[7] == QLatin1Char('-')) {
        m.size = s.mid(3, 3);
        m.speed = s.mid(6, 1);
        if (trimmed.size() < 9) return std::nullopt;
        m.stroke = strokeOf(8);
    } else if (s.size() >= 7 && s[6] == QLatin1Char('-')) {
        // The short form leaves out the blank in front of a two-digit size.
        m.size = QStringLiteral(" ") + s.mid(3, 2);
        m.speed = s.mid(5, 1);
        if (trimmed.size() < 8) return std::nullopt;
        m.stroke = strokeOf(7);
    }
    return m;
}

namespace {

QString canceledText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("データの印刷を中止しました。"), QStringLiteral("Printing data was canceled."));
}

void errorMessage(AppContext& ctx, int no) {
    ctx.message(ctx.pick(QStringLiteral("エラーが発生しました。(%1)"), QStringLiteral("Error occured!(%1)")).arg(no) +
                QStringLiteral("\r\n") + canceledText(ctx));
}

// The header row of a file print.
void fileHeaderRow(AppContext& ctx, Product p) {
    auto& head = ctx.pos.of(p).PosiFileData[0];
    const bool jp = ctx.opt.japanese();
    const bool mm = ctx.opt.DispMmUnit;
    const auto set = [&head](int c, const QString& t) { head[size_t(c)] = Value::text(t); };
    set(0, QStringLiteral("No."));
    for (int axis = 1; axis <= 2; ++axis) {
        if (axis == 2 && p != Product::TwoAxis) break;
        const int base = axis == 1 ? 1 : 5;
        const QString n = QString::number(axis);
        set(base, jp ? QStringLiteral("速度") : QStringLiteral("VEL") + n);
        set(base + 1, jp ? QStringLiteral("加速") : QStringLiteral("ACC") + n);
        set(base + 2, jp ? QStringLiteral("方法") : QStringLiteral("WAY") + n);
        const QString unit = mm ? QStringLiteral("(mm)") : jp ? QStringLiteral("(ﾊﾟﾙｽ)") : QStringLiteral("(Pls)");
        set(base + 3, (jp ? QStringLiteral("位置") : QStringLiteral("POSI") + n) + unit);
    }
    if (p == Product::TwoAxis) set(9, jp ? QStringLiteral("補間") : QStringLiteral("ITPL"));
    set(10, jp ? QStringLiteral("出力") : QStringLiteral("OUT"));
    set(11, jp ? QStringLiteral("ＳＭ") : QStringLiteral("SM"));
    set(12, jp ? QStringLiteral("コメント") : QStringLiteral("COMMENT"));
}

// The file's positions (pulses) in millimetres, checked against each axis's
// stroke. False after the message when a model or a position is unusable.
bool fileToMm(AppContext& ctx, Product p, const ModelLookup& lookup) {
    ProductPositions& pos = ctx.pos.of(p);
    const int axes = AxesOf(p);
    struct Axis {
        int stroke = 0, lead = 0, ppr = 0;
        double maxPulse = 0, pulseMm = 0;
    } ax[2];
    for (int a = 0; a < axes; ++a) {
        const auto parts = SplitModelString(pos.PosiFileDevice[size_t(a)]);
        if (!parts) {
            errorMessage(ctx, 1);
            return false;
        }
        if (CheckDevCode(parts->size, parts->speed, parts->stroke) != 0) {
            errorMessage(ctx, 2);
            return false;
        }
        const ModelLeadPpr lp =
            lookup(ctx, ctx.dev.DevNewType[size_t(a)], parts->series, parts->size, parts->speed, parts->stroke);
        const auto maxPulse = FormatOneDecimal(parts->stroke, lp.lead, lp.ppr);
        if (lp.lead <= 0 || lp.ppr <= 0 || !maxPulse) {
            errorMessage(ctx, 2);
            return false;
        }
        ax[a] = {parts->stroke, lp.lead, lp.ppr, *maxPulse,
                 RoundDecimal(double(lp.lead) / lp.ppr, 4, HalfRule::AwayFromZero)};
    }
    bool wrong = false;
    PosiFileTable converted = pos.PosiFileData;
    for (int r = 1; r < kPosiRows && !wrong; ++r) {
        for (int a = 0; a < axes; ++a) {
            Value& cell = converted[size_t(r)][a == 0 ? 4 : 8];
            std::optional<double> v = 0.0;
            if (cell.isNumber() || (cell.isText() && !cell.toText().trimmed().isEmpty())) v = CellNumber(cell);
            if (!v) {
                wrong = true;
                break;
            }
            const double pulses = RoundDecimal(*v, 0, HalfRule::ToEven);
            const double mm = Decimal12(PlsToMm(pulses, ax[a].lead, ax[a].ppr));
            const auto text = PadRight(FormatFixed(mm, 3), 7);
            if (pulses > ax[a].maxPulse || mm > Decimal12(ax[a].stroke + ax[a].pulseMm) || !text) {
                wrong = true;
                break;
            }
            cell = Value::text(*text);
        }
    }
    if (wrong) {
        ctx.message(ctx.pick(QStringLiteral("読み込んだﾌｧｲﾙ中に正しくない値が見つかったため、データの印刷を中止しました。"),
                             QStringLiteral("Wrong value in the data reading file.\r\nPrinting data was canceled.")));
        return false;
    }
    pos.PosiFileData = std::move(converted);
    return true;
}

// Where the cells of a position go on its line: the columns of the listing
// but the last, the comment, which commentX gives.
std::vector<std::pair<int, double>> cellColumns(Product p) {
    std::vector<std::pair<int, double>> cols;
    const auto& columns = PosiListingColumns(p);
    for (size_t i = 0; i + 1 < columns.size(); ++i) cols.emplace_back(columns[i].col, columns[i].cellX);
    return cols;
}

double commentX(Product p) { return PosiListingColumns(p).back().cellX; }

// The sizes of the cells and of the comment that fit every position of the
// range into its columns (each cell ends before the next column begins, its
// caption included) and its line pitch.
struct RowFonts {
    double cells = 11;
    double comment = 8;
};

RowFonts fitRows(AppContext& ctx, Product p, int from, int to, double pitch, const QString& font) {
    PrintSurface& ps = *ctx.platform.printer;
    const auto& data = ctx.pos.of(p).PosiFileData;
    const auto cols = cellColumns(p);
    std::vector<PlacedText> cells, comments;
    for (int r = from; r <= to; ++r) {
        const auto& row = data[size_t(r)];
        for (const auto& [c, x] : cols) cells.push_back({r, x, row[size_t(c)].toText()});
        comments.push_back({r, commentX(p), QStringLiteral(":") + row[12].toText()});
    }
    const double height = pitch - 2 * kRuleClearanceMm;
    RowFonts f;
    f.cells = FittingPoints(ps, font, 11, false, false, std::move(cells), commentX(p), kColumnGapMm, height,
                            PosiColumnStarts(p));
    f.comment = FittingPoints(ps, font, p == Product::TwoAxis ? 8 : 11, false, false, std::move(comments),
                              ps.pageWidth(), kColumnGapMm, height);
    return f;
}

// One position on the line whose top is slotTop, each text in the middle of
// the line's height.
void printRow(AppContext& ctx, Product p, int r, const QString& font, const RowFonts& f, double slotTop,
              double pitch) {
    PrintSurface& ps = *ctx.platform.printer;
    const auto& row = ctx.pos.of(p).PosiFileData[size_t(r)];
    const auto middle = [&](double points) {
        ps.setFont(font, points, false, false);
        ps.setCurrentY(slotTop + (pitch - ps.textHeight(QStringLiteral("A"))) / 2);
    };
    middle(f.cells);
    for (const auto& [c, x] : cellColumns(p)) {
        ps.setCurrentX(x);
        ps.print(row[size_t(c)].toText(), false);
    }
    middle(f.comment);
    ps.setCurrentX(commentX(p));
    ps.print(QStringLiteral(":") + row[12].toText(), true);
    ps.setFont(font, 11, false, false);
}

} // namespace

bool PrintPosiData(AppContext& ctx, Product p, const std::array<QString, 2>& gridModels, const ModelLookup& lookup) {
    if (!ctx.platform.printer || !ctx.platform.fileDialogs || !ctx.platform.fileDialogs->printer()) return false;
    const ListingWidth width(ctx);
    PrintSurface& ps = *ctx.platform.printer;
    PrintState& pr = ctx.print;
    ProductPositions& pos = ctx.pos.of(p);
    const bool two = p == Product::TwoAxis;
    const auto abandon = [&ps] {
        ps.abortDoc();
        return false;
    };

    if (pr.GridPosiPrint) {
        const PositionGrid& g = ctx.grid.of(p);
        for (int r = 0; r < kPosiRows && r < g.Rows(); ++r) {
            auto& row = pos.PosiFileData[size_t(r)];
            for (int c = 0; c < g.Cols(); ++c) {
                const int to = two || c <= 4 ? c : c + 5; // one-axis OUT, SM, COMMENT: 10..12
                if (to <= 12) row[size_t(to)] = Value::text(g.text(r, c));
            }
        }
        pos.PosiFileDevice = {gridModels[0], two ? gridModels[1] : W3kPrintSecondModel()};
    }
    if (pr.FilePosiPrint) {
        pos.PosiFileError = false;
        FileReadFailure why;
        if (!ReadPosiFile(ctx, p, pr.PrintPosiFileName, &why) || pos.PosiFileError) {
            // After the reader's own refusal of a file of another kind, the
            // cancel alone; any other refusal names the file and why.
            ctx.message(why.told ? canceledText(ctx) : FileFailureMessage(canceledText(ctx), pr.PrintPosiFileName, why.reason));
            return abandon();
        }
        if (ctx.opt.DispMmUnit && !fileToMm(ctx, p, lookup)) return abandon();
        for (int r = 1; r < kPosiRows; ++r) pos.PosiFileData[size_t(r)][0] = Value::number(r);
        fileHeaderRow(ctx, p);
    }

    const QString font = ListingFontName(ctx);
    ps.setFont(font, 11, false, false);
    if (!PosiPrintPageSetup(ctx)) return abandon();
    pr.PrintPageNo = 1;
    if (!pr.GridPosiPrint && !pr.FilePosiPrint) return abandon(); // nothing chosen to print

    const int from = std::max<int>(1, pr.PrintPosiFrom);
    const int to = std::min<int>(kPosiRows - 1, pr.PrintPosiTo);
    if (from > to) return abandon();
    const int pitch = pr.PrintNarrow ? pr.PrintLineHeight : pr.PrintLineHeight2;
    // The rows lie between the rule under the captions and the rule over the
    // footer, each whole line clear of both.
    const int h = pr.PrintLineHeight;
    const int firstLine = (6 * h + pitch - 1) / pitch;
    const int lastLine = (pr.PrintLines - 1) * h / pitch - 1;
    const RowFonts fonts = fitRows(ctx, p, from, to, pitch, font);
    ListingPages pages(ps, double(lastLine + 1) * pitch, [&](int page) {
        pr.PrintPageNo = int16_t(page);
        PosiDataPrintOut(ctx, p);
        return double(firstLine) * pitch;
    });
    // A new page is begun only for a position that goes on it: no empty
    // last page.
    double y = pages.begin();
    for (int r = from; r <= to; ++r, y += pitch) {
        y = pages.line(y, pitch);
        printRow(ctx, p, r, font, fonts, y, pitch);
    }
    return EndListing(ctx);
}

} // namespace rer
