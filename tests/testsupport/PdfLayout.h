#pragma once
// A printed PDF read back: the words with their boxes (pdftotext -bbox) and
// the horizontal rules found on the pages rendered as pictures (pdftoppm).
// The checks say what a reader would see go wrong: texts of one line that
// run into each other and rules that strike through a text.
#include "platform/PrintSurface.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace rer::test {

// Coordinates in points (1/72 inch) from the top-left corner of the page.
struct PdfWord {
    int page = 0;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    QString text;
    double pageWidth = 0, pageHeight = 0;
};

struct PdfRule {
    int page = 0;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};

inline bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

inline std::vector<PdfWord> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    std::vector<PdfWord> out;
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    int page = 0;
    double width = 0, height = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            width = m.captured(1).toDouble();
            height = m.captured(2).toDouble();
            continue;
        }
        PdfWord w;
        w.page = page;
        w.pageWidth = width;
        w.pageHeight = height;
        w.x0 = m.captured(3).toDouble();
        w.y0 = m.captured(4).toDouble();
        w.x1 = m.captured(5).toDouble();
        w.y1 = m.captured(6).toDouble();
        w.text = m.captured(7)
                     .replace(QLatin1String("&lt;"), QLatin1String("<"))
                     .replace(QLatin1String("&gt;"), QLatin1String(">"))
                     .replace(QLatin1String("&quot;"), QLatin1String("\""))
                     .replace(QLatin1String("&apos;"), QLatin1String("'"))
                     .replace(QLatin1String("&amp;"), QLatin1String("&"));
        out.push_back(w);
    }
    return out;
}

// Dark horizontal runs at least minLength points long on the pages rendered
// at 144 dots per inch; one rule per band of neighbouring rows.
inline std::vector<PdfRule> pdfRules(const QString& pdf, double minLength = 60) {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-gray"), pdf, dir.filePath(QStringLiteral("p"))});
    p.waitForFinished(120000);
    const double k = 72.0 / 144.0;
    std::vector<PdfRule> out;
    QStringList files = QDir(dir.path()).entryList({QStringLiteral("p*.pgm")}, QDir::Files, QDir::Name);
    for (int page = 1; page <= files.size(); ++page) {
        QFile f(dir.filePath(files[page - 1]));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray all = f.readAll();
        // "P5\n<w> <h>\n255\n" then w x h bytes.
        int at = 0, fields[3] = {0, 0, 0};
        at = all.indexOf('\n') + 1;
        for (int i = 0; i < 3; ++i) {
            while (at < all.size() && (all[at] == ' ' || all[at] == '\n')) ++at;
            int v = 0;
            while (at < all.size() && all[at] >= '0' && all[at] <= '9') v = v * 10 + (all[at++] - '0');
            fields[i] = v;
        }
        ++at;
        const int w = fields[0], h = fields[1];
        if (w <= 0 || h <= 0 || at + qsizetype(w) * h > all.size()) continue;
        const auto* px = reinterpret_cast<const unsigned char*>(all.constData() + at);
        PdfRule open{};
        bool inBand = false;
        for (int y = 0; y < h; ++y) {
            int best = 0, bestStart = 0, run = 0;
            for (int x = 0; x < w; ++x) {
                run = px[qsizetype(y) * w + x] < 160 ? run + 1 : 0;
                if (run > best) best = run, bestStart = x - run + 1;
            }
            if (best * k >= minLength) {
                if (!inBand) open = {page, bestStart * k, (bestStart + best) * k, y * k, (y + 1) * k};
                open.y1 = (y + 1) * k;
                inBand = true;
            } else if (inBand) {
                out.push_back(open);
                inBand = false;
            }
        }
        if (inBand) out.push_back(open);
    }
    return out;
}

inline QString describe(const PdfWord& w) {
    return QStringLiteral("\"%1\" (page %2, x %3-%4, y %5-%6)")
        .arg(w.text)
        .arg(w.page)
        .arg(w.x0, 0, 'f', 1)
        .arg(w.x1, 0, 'f', 1)
        .arg(w.y0, 0, 'f', 1)
        .arg(w.y1, 0, 'f', 1);
}

// Two words on one line (their boxes share most of their height) whose boxes
// overlap or touch.
inline QStringList overlappingWords(const std::vector<PdfWord>& words) {
    QStringList bad;
    for (size_t i = 0; i < words.size(); ++i)
        for (size_t j = i + 1; j < words.size(); ++j) {
            const PdfWord& a = words[i];
            const PdfWord& b = words[j];
            if (a.page != b.page) continue;
            const double common = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
            if (common < 0.5 * std::min(a.y1 - a.y0, b.y1 - b.y0)) continue;
            if (std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > -0.3)
                bad << describe(a) + QStringLiteral(" runs into ") + describe(b);
        }
    return bad;
}

// Neighbouring words of one line with less than `gap` points between them:
// the texts of two columns that touch as they are read. (A blank inside a
// text is wider than a point at every size a listing prints.)
inline QStringList crowdedWords(const std::vector<PdfWord>& words, double gap = 1.0) {
    std::vector<const PdfWord*> byTop;
    double tallest = 0;
    for (const PdfWord& w : words) {
        byTop.push_back(&w);
        tallest = std::max(tallest, w.y1 - w.y0);
    }
    std::sort(byTop.begin(), byTop.end(), [](const PdfWord* a, const PdfWord* b) {
        return a->page != b->page ? a->page < b->page : a->y0 < b->y0;
    });
    QStringList bad;
    for (size_t i = 0; i < byTop.size(); ++i) {
        const PdfWord& a = *byTop[i];
        // The words that can share a's line lie near it in the order of tops.
        size_t from = i;
        while (from > 0 && byTop[from - 1]->page == a.page && byTop[from - 1]->y0 > a.y0 - tallest) --from;
        const PdfWord* next = nullptr;
        for (size_t j = from; j < byTop.size() && byTop[j]->page == a.page && byTop[j]->y0 < a.y1; ++j) {
            const PdfWord& b = *byTop[j];
            if (j == i || b.x0 <= a.x0) continue;
            const double common = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
            if (common < 0.5 * std::min(a.y1 - a.y0, b.y1 - b.y0)) continue;
            if (!next || b.x0 < next->x0) next = &b;
        }
        if (next && next->x0 - a.x1 < gap)
            bad << describe(a) + QStringLiteral(" ends %1 pt before ").arg(next->x0 - a.x1, 0, 'f', 2) + describe(*next);
    }
    return bad;
}

inline std::set<QString> printedPieces(const QStringList& printed) {
    std::set<QString> pieces;
    for (const QString& t : printed)
        for (const QString& piece : t.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) pieces.insert(piece);
    return pieces;
}

inline bool partOfAPiece(const std::set<QString>& pieces, const QString& w) {
    if (pieces.count(w)) return true;
    for (const QString& p : pieces)
        if (p.contains(w)) return true;
    return false;
}

// The reader may cut one printed text into several words (at a change of
// script, for example); such neighbours are put together again so that they
// do not count as texts running into each other.
inline std::vector<PdfWord> joinedWords(const std::vector<PdfWord>& words, const QStringList& printed) {
    const auto pieces = printedPieces(printed);
    std::vector<PdfWord> out;
    for (const PdfWord& w : words) {
        if (!out.empty()) {
            PdfWord& last = out.back();
            const bool sameLine = last.page == w.page && std::abs(last.y0 - w.y0) < 2 && std::abs(last.y1 - w.y1) < 2;
            if (sameLine && std::abs(w.x0 - last.x1) < 0.5 && partOfAPiece(pieces, last.text + w.text)) {
                last.text += w.text;
                last.x1 = w.x1;
                last.y0 = std::min(last.y0, w.y0);
                last.y1 = std::max(last.y1, w.y1);
                continue;
            }
        }
        out.push_back(w);
    }
    return out;
}

// Words that are no part of a blank-separated piece of the texts printed:
// texts that ran into each other came out as one word.
inline QStringList mergedWords(const std::vector<PdfWord>& words, const QStringList& printed) {
    const auto pieces = printedPieces(printed);
    QStringList bad;
    for (const PdfWord& w : words)
        if (!partOfAPiece(pieces, w.text)) bad << describe(w) + QStringLiteral(" is no text that was printed");
    return bad;
}

// Words that reach past an edge of their page (cut off there).
inline QStringList wordsOffThePage(const std::vector<PdfWord>& words) {
    QStringList bad;
    for (const PdfWord& w : words)
        if (w.x0 < 0 || w.y0 < 0 || w.x1 > w.pageWidth || w.y1 > w.pageHeight)
            bad << describe(w) + QStringLiteral(" reaches past the edge of the page");
    return bad;
}

// A word of dashes or equals signs only, which at a small size reads as a
// rule itself.
inline bool ruleOfCharacters(const PdfWord& w, const PdfRule& r) {
    static const QRegularExpression dashes(QStringLiteral("^[-=]+$"));
    return dashes.match(w.text).hasMatch() && r.x0 >= w.x0 - 1 && r.x1 <= w.x1 + 1;
}

// Rules whose band meets the box of a word they pass under or over.
inline QStringList rulesThroughWords(const std::vector<PdfWord>& words, const std::vector<PdfRule>& rules) {
    QStringList bad;
    for (const PdfRule& r : rules)
        for (const PdfWord& w : words) {
            if (w.page != r.page || w.x1 <= r.x0 || w.x0 >= r.x1 || ruleOfCharacters(w, r)) continue;
            if (r.y1 > w.y0 && r.y0 < w.y1)
                bad << QStringLiteral("rule at y %1-%2 strikes ").arg(r.y0, 0, 'f', 1).arg(r.y1, 0, 'f', 1) +
                           describe(w);
        }
    return bad;
}

// A printer that hands everything to another and keeps the texts printed.
class TextKeepingSurface : public ForwardingPrintSurface {
public:
    using ForwardingPrintSurface::ForwardingPrintSurface;
    void print(const QString& text, bool lineEnd) override {
        texts << text;
        ForwardingPrintSurface::print(text, lineEnd);
    }

    QStringList texts;
};

// With RER_LISTING_PDF_DIR set, a copy of the PDF under that name there, to
// look at.
inline void keepForLooking(const QString& pdf, const QString& name) {
    const QString dir = qEnvironmentVariable("RER_LISTING_PDF_DIR");
    if (dir.isEmpty()) return;
    const QString to = QDir(dir).filePath(name);
    QFile::remove(to);
    QFile::copy(pdf, to);
}

// Every kind of fault of the page layout of a printed PDF (texts merged,
// overlapping or closer than a point, off the page, struck by a rule), the
// first few of each kind and their number; empty when it reads clean.
inline QStringList layoutFaults(const QString& pdf, const QStringList& printed) {
    const auto words = joinedWords(pdfWords(pdf), printed);
    QStringList faults;
    if (words.empty()) faults << QStringLiteral("no words in ") + pdf;
    for (const QStringList& kind : {mergedWords(words, printed), overlappingWords(words), crowdedWords(words),
                                    wordsOffThePage(words), rulesThroughWords(words, pdfRules(pdf))}) {
        faults << kind.mid(0, 3);
        if (kind.size() > 3) faults << QStringLiteral("... %1 of this kind in all").arg(kind.size());
    }
    return faults;
}

} // namespace rer::test
