// The description of the parameter rows walked against what reads it: the
// parameter file, the controller's blocks, the verification and the
// listing. A row that one of them leaves out, or puts elsewhere than the
// description says, fails here.
#include "files/Listings.h"
#include "files/ParaFile.h"
#include "files/ParaRows.h"
#include "link/TextHelpers.h"
#include "link/Transfers.h"
#include "testsupport/AppFixture.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/PrintOps.h"
#include "FilesTestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

using namespace rer;

namespace {

constexpr Product kBoth[] = {Product::TwoAxis, Product::OneAxis};
const char* Name(Product p) { return p == Product::TwoAxis ? "two-axis" : "one-axis"; }

// The members of a row: both axes of a per-axis row, one common value.
int Members(const ParaRowDef& d) { return d.perAxis() ? 2 : 1; }

// A value of its own for every row and member, small enough for the row's
// field on the wire.
int OwnValue(const ParaRowDef& d, int axis) {
    int limit = 1;
    for (int i = 0; i < d.wire.width; ++i) limit *= 16;
    return (d.row * 37 + axis * 101 + 3) % (limit - 1) + 1;
}

// Every row's own values, also in rows the product does not have: a
// consumer that took such a row would show it.
ParaRecord OwnValues() {
    ParaRecord rec;
    for (const ParaRowDef& d : kParaRows)
        for (int a = 0; a < Members(d); ++a) SetParaRecordValue(rec, d.row, a, Value::number(OwnValue(d, a)));
    return rec;
}

// The file table of those values, every row.
void FillOwnValues(ParaFileTable& t) {
    for (const ParaRowDef& d : kParaRows)
        for (int a = 0; a < Members(d); ++a) t[size_t(d.row)][size_t(a)] = Value::number(OwnValue(d, a));
}

} // namespace

TEST(ParaRowsWalk, EveryRowInItsFileSectionAndBack) {
    for (Product p : kBoth) {
        rer::testing::FilesContext f;
        ProductParameters& pp = f.ctx.para.of(p);
        pp.rec = OwnValues();
        const QString path = f.tmp(QStringLiteral("rows.pmd"));
        ASSERT_TRUE(WriteParaFile(f.ctx, p, path)) << Name(p);

        // The file, line by line: the head, then each group's header and its
        // rows in row order, nothing else.
        QStringList lines = QString::fromLatin1(rer::testing::fileBytes(path)).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.takeLast(), QString()) << Name(p);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.takeFirst().toStdString(), "\"VO-D6\",\"PRM\"");
        EXPECT_EQ(lines.takeFirst().toStdString(), std::to_string(kParaGroupCount));
        for (const ParaGroupDef& g : kParaGroups) {
            std::vector<const ParaRowDef*> rows;
            for (const ParaRowDef& d : kParaRows)
                if (d.group == g.id && d.in(p)) rows.push_back(&d);
            const int cols = ParaGroupPerAxis(g.id) ? 2 : 1;
            ASSERT_FALSE(lines.isEmpty()) << Name(p) << " " << g.name;
            EXPECT_EQ(lines.takeFirst().toStdString(),
                      QStringLiteral("\"%1\",%2,%3").arg(QString::fromLatin1(g.name)).arg(rows.size()).arg(cols).toStdString())
                << Name(p);
            for (const ParaRowDef* d : rows) {
                ASSERT_FALSE(lines.isEmpty()) << Name(p) << " " << d->name;
                QStringList want;
                for (int a = 0; a < cols; ++a) want << QString::number(OwnValue(*d, a));
                EXPECT_EQ(lines.takeFirst().toStdString(), want.join(u',').toStdString()) << Name(p) << " " << d->name;
            }
        }
        EXPECT_TRUE(lines.isEmpty()) << Name(p) << ": " << lines.join(u'|').toStdString();

        // Read back, every value is in its row of the table, and the table
        // equals the record.
        ASSERT_TRUE(ReadParaFile(f.ctx, p, path)) << Name(p);
        for (const ParaRowDef& d : kParaRows)
            for (int a = 0; a < Members(d); ++a) {
                const Value& cell = pp.ParaFileData[size_t(d.row)][size_t(a)];
                if (d.in(p))
                    EXPECT_EQ(cell.toNumber(), OwnValue(d, a)) << Name(p) << " " << d.name << " axis " << a;
                else
                    EXPECT_TRUE(cell.isEmpty()) << Name(p) << " " << d.name;
            }
        PrmDataCompare(f.ctx, p);
        EXPECT_FALSE(pp.ParaDiffFlag) << Name(p);
    }
}

TEST(ParaRowsWalk, EveryRowAtItsCharactersOnTheWire) {
    for (Product p : kBoth) {
        const ParaRecord rec = OwnValues();
        std::array<QString, 7> lines;
        for (int i = 0; i < 7; ++i) {
            const LineOrItem li = ParaWriteLine(rec, p, i);
            ASSERT_FALSE(li.line.isEmpty()) << Name(p) << " line " << i << ": " << li.badItem.toStdString();
            ASSERT_EQ(li.line.size(), 36);
            EXPECT_EQ(li.line.left(4).toStdString(), std::string("0WD") + ParaBlockDigit(i));
            lines[size_t(i)] = li.line;
        }
        // Each row's value at its characters; every other character "0".
        std::array<QString, 7> rest = lines;
        for (const ParaRowDef& d : kParaRows) {
            if (!d.in(p)) continue;
            for (int a = 0; a < Members(d); ++a) {
                QString& line = lines[size_t(d.wireLine(a))];
                EXPECT_EQ(line.mid(d.wire.at - 1, d.wire.width).toStdString(),
                          HexText(OwnValue(d, a), d.wire.width).toStdString())
                    << Name(p) << " " << d.name << " axis " << a;
                rest[size_t(d.wireLine(a))].replace(d.wire.at - 1, d.wire.width, QString(d.wire.width, u'0'));
            }
        }
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(rest[size_t(i)].mid(4).toStdString(), std::string(32, '0'))
                << Name(p) << " line " << i << " carries more than the described rows";

        // The controller's blocks read back: each field lands in its row.
        rer::test::LinkWorld w;
        for (int i = 0; i < 7; ++i) w.sim().state.paramBlocks[ParaBlockDigit(i)] = lines[size_t(i)].mid(4).toLatin1();
        ASSERT_EQ(ReadParaFromCt(*w.link, p), 0) << Name(p);
        const ParaFileTable& t = w.ctx.para.of(p).ParaFileData;
        for (const ParaRowDef& d : kParaRows)
            for (int a = 0; a < Members(d); ++a) {
                const Value& cell = t[size_t(d.row)][size_t(a)];
                if (d.in(p))
                    EXPECT_EQ(cell.toNumber(), OwnValue(d, a)) << Name(p) << " " << d.name << " axis " << a;
                else
                    EXPECT_TRUE(cell.isEmpty()) << Name(p) << " " << d.name;
            }
    }
}

TEST(ParaRowsWalk, EveryShownRowIsVerifiedUnderItsGroup) {
    for (Product p : kBoth) {
        for (const ParaRowDef& d : kParaRows) {
            if (!d.in(p)) continue;
            for (int a = 0; a < (d.perAxis() && p == Product::TwoAxis ? 2 : 1); ++a) {
                rer::testing::FilesContext f;
                ProductParameters& pp = f.ctx.para.of(p);
                pp.rec = OwnValues();
                FillOwnValues(pp.ParaFileData);
                pp.ParaFileData[size_t(d.row)][size_t(a)] = Value::number(OwnValue(d, a) + 1);
                PrmDataCompare(f.ctx, p);
                const std::string what = std::string(Name(p)) + " " + d.name + " axis " + std::to_string(a);
                // A row the product hides is not compared.
                EXPECT_EQ(pp.ParaDiffFlag, d.shown(p)) << what;
                for (const ParaGroupDef& g : kParaGroups) {
                    const QString& text = pp.ParaDiffText[size_t(g.id)];
                    EXPECT_EQ(!text.isEmpty(), d.shown(p) && g.id == d.group) << what << " in " << g.name;
                }
                if (d.shown(p)) {
                    const QString& text = pp.ParaDiffText[size_t(d.group)];
                    const QString name = QString::fromLatin1(p == Product::TwoAxis && d.verifyTwo ? d.verifyTwo : d.name);
                    EXPECT_TRUE(text.startsWith(name)) << what << ": " << text.toStdString();
                }
            }
        }
    }
}

TEST(ParaRowsWalk, EveryShownRowListedUnderItsGroup) {
    for (Product p : kBoth) {
        rer::test::TestApp t;
        t.ctx.setLanguage(2);
        t.files.answerPrinter(true);
        ProductParameters& pp = t.ctx.para.of(p);
        FillOwnValues(pp.ParaFileData);
        ASSERT_TRUE(PrintParaData(t.ctx, p)) << Name(p);
        const auto texts = rer::test::textOps(t.printer);
        ASSERT_EQ(t.printer.ops.back().kind, RecordingPrintSurface::Op::EndDoc) << Name(p);

        // Where each group's header stands; its rows lie below it and above
        // the next one.
        std::vector<double> heads;
        for (const ParaGroupDef& g : kParaGroups) {
            const auto* op = rer::test::findText(t.printer, QString::fromLatin1(g.listing));
            ASSERT_TRUE(op) << Name(p) << " " << g.listing;
            heads.push_back(op->y);
        }
        heads.push_back(1e12);
        for (const ParaRowDef& d : kParaRows) {
            const QString label = QString::fromLatin1(d.listingIn(p));
            const auto* op = rer::test::findText(t.printer, label);
            const std::string what = std::string(Name(p)) + " " + d.name;
            if (!d.shown(p)) {
                // Another row may carry the same label in the other product;
                // this row's value is nowhere on the page.
                for (int m = 0; m < Members(d); ++m)
                    for (const auto& x : texts) EXPECT_NE(x.text, PrintedNumber(OwnValue(d, m))) << what;
                continue;
            }
            ASSERT_TRUE(op) << what;
            const size_t g = size_t(d.group);
            EXPECT_GT(op->y, heads[g]) << what;
            EXPECT_LT(op->y, heads[g + 1]) << what;
            // Its values on its line: both axes of a per-axis row on the
            // two-axis page, else the first.
            const int shownMembers = d.perAxis() && p == Product::TwoAxis ? 2 : 1;
            for (int m = 0; m < shownMembers; ++m) {
                bool found = false;
                for (const auto& x : texts) found = found || (x.y == op->y && x.text == PrintedNumber(OwnValue(d, m)));
                EXPECT_TRUE(found) << what << " member " << m;
            }
        }
    }
}
