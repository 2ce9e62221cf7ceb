#include "catalogue/CatalogueTables.h"
#include "files/StdPrm.h"
#include "FilesTestSupport.h"

#include <set>
#include <tuple>

using namespace rer;
using namespace rer::testing;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

void choose(AppContext& ctx, Product p, int axis, const char* series, bool newType, bool vertical) {
    auto& a = ctx.dev.axes(p)[axis];
    a.SelSeries = QString::fromLatin1(series);
    a.SelVertical = vertical;
    ctx.dev.SelNewType[axis] = newType;
}

// A program folder of our own with the shipped lists, one of them replaced.
struct ListFolder {
    FilesContext f;
    ListFolder() {
        for (const char* name : {"w6kzstpr.lst", "w6nkzstpr.lst", "w6vtstpr.lst", "w6cmstpr.lst"})
            QFile::copy(QDir(QStringLiteral(RER_DATA_DIR)).filePath(QString::fromLatin1(name)),
                        f.tmp(QString::fromLatin1(name)));
        f.ctx.programDir = f.dir.path();
    }
    void replace(const char* name, const QString& content) {
        QFile::remove(f.tmp(QString::fromLatin1(name)));
        writeText(f.tmp(QString::fromLatin1(name)), content);
    }
};

} // namespace

TEST(StdPrm, ListsFollowEachEntrysSeriesAndType) {
    FilesContext f;
    choose(f.ctx, Product::TwoAxis, 0, "KZ", true, true);
    choose(f.ctx, Product::TwoAxis, 1, "VT", false, true);
    ASSERT_TRUE(ReadStdPrm(f.ctx));
    const ProductParameters& pp = f.ctx.para.two;
    EXPECT_FALSE(pp.StdPrmError);
    EXPECT_EQ(pp.StdPrmCount[0], 19); // new-type KZ list
    EXPECT_EQ(pp.StdPrmCount[1], 11); // VT list
    EXPECT_EQ(pp.StdPrm1[0][0].toNumber(), 19);
    const StdPrmRecord& first = pp.StdPrm1[1];
    EXPECT_EQ(first[0].toText(), u(" 28L-050"));
    EXPECT_EQ(first[1].toText(), u(" 28"));
    EXPECT_EQ(first[2].toText(), u("L"));
    EXPECT_EQ(first[3], Value::number(50));
    EXPECT_EQ(first[24], Value::number(1)); // KZ with LS homing
    for (int r = 1; r <= pp.StdPrmCount[1]; ++r) EXPECT_EQ(pp.StdPrm2[r][24], Value::number(2)) << r;
    EXPECT_EQ(pp.StdPrmCmn[0][2].toNumber(), 2); // FUNCTION with PG
    EXPECT_EQ(pp.StdPrmCmn[12][0].toText(), u("LS TIMER"));
    EXPECT_TRUE(f.msg.shown.empty());

    // Old-type KZ without LS homing; the one-axis product has its own tables.
    choose(f.ctx, Product::OneAxis, 0, "KZ", false, false);
    choose(f.ctx, Product::OneAxis, 1, "KZ", false, false);
    ASSERT_TRUE(W3kReadStdPrm(f.ctx));
    EXPECT_EQ(f.ctx.para.one.StdPrmCount[0], 13);
    EXPECT_EQ(f.ctx.para.one.StdPrm1[1][24], Value::number(0));
    EXPECT_EQ(f.ctx.para.one.StdPrm1.size(), 71u);
    EXPECT_EQ(f.ctx.para.two.StdPrmCount[0], 19);
}

TEST(StdPrm, ShippedListsCoverTheCatalogueModelsWithinTheParameterRanges) {
    struct Range { int element; double lo, hi; };
    const Range ranges[] = {
        {4, 1, 65535}, {5, 1, 255}, {6, 1, 60}, {7, 1, 60}, {8, 1, 60}, {9, 0, 9},
        {10, 1, 60}, {11, 1, 60}, {12, 1, 60}, {13, 1, 60}, {14, 1, 60}, {15, 1, 60},
        {16, 1, 60}, {17, 1, 60}, {18, 1, 60}, {19, 1, 30},
        {20, 0, 262143}, {21, 1, 255}, {22, 1, 65535}, {23, 0, 1}, {24, 0, 4},
    };
    struct Entry { const char* series; bool newType; const char* list; };
    for (const Entry e : {Entry{"KZ", true, "w6nkzstpr.lst"}, Entry{"KZ", false, "w6kzstpr.lst"},
                          Entry{"VT", false, "w6vtstpr.lst"}}) {
        FilesContext f;
        choose(f.ctx, Product::TwoAxis, 0, e.series, e.newType, true);
        choose(f.ctx, Product::TwoAxis, 1, e.series, e.newType, false);
        ASSERT_TRUE(ReadStdPrm(f.ctx)) << e.list;
        const ProductParameters& pp = f.ctx.para.two;
        for (int r = 1; r <= pp.StdPrmCount[0]; ++r) {
            const StdPrmRecord& rec = pp.StdPrm1[r];
            for (const Range& g : ranges) {
                ASSERT_TRUE(rec[g.element].isNumber()) << e.list << " " << r;
                const double v = rec[g.element].toNumber();
                EXPECT_TRUE(v >= g.lo && v <= g.hi && v == std::trunc(v))
                    << e.list << " record " << r << " element " << g.element << " = " << v;
            }
            // The stroke in pulses is the model's stroke at its lead and pulses per revolution.
            const double pulses = rec[3].toNumber() / rec[21].toNumber() * rec[22].toNumber();
            EXPECT_NEAR(rec[20].toNumber(), pulses, 1.0) << e.list << " " << r;
            if (SpecialModel::is(rec[1].toText(), rec[2].toText())) {
                EXPECT_EQ(rec[21].toNumber(), 12);
                EXPECT_EQ(rec[22].toNumber(), 192);
            }
        }
        // Common values.
        const StdPrmCmnTable& c = pp.StdPrmCmn;
        const Range common[] = {{0, 0, 2}, {2, 0, 3}, {3, 0, 1}, {4, 0, 1}, {5, 0, 1}, {6, 1, 255},
                                {7, 0, 255}, {8, 0, 1}, {9, 0, 1}, {10, 0, 1}, {11, 0, 100}, {12, 0, 255}};
        for (const Range& g : common) {
            const double v = c[g.element][1].toNumber();
            EXPECT_TRUE(c[g.element][1].isNumber() && v >= g.lo && v <= g.hi) << "common row " << g.element;
        }
        for (int col : {1, 2}) {
            EXPECT_TRUE(c[0][col].toNumber() >= 0 && c[0][col].toNumber() <= 2);
            EXPECT_TRUE(c[1][col].toNumber() >= 5 && c[1][col].toNumber() <= 65535);
        }
    }
}

TEST(StdPrm, RefusedAndBrokenListsLeaveTheTablesAsTheyWere) {
    const QString missing = u("No standard parameter list file.\r\nPut standart parameter list file in the folder in which the program saved in order to indicate standard parameters correctly.");
    const QString cmnHead = u("\"VO-D6\",\"KZ-CMNPRM\"\r\n3\r\n");
    const QString pg = u("\"PG\",2,3\r\n\"FUNCTION\",0,2\r\n\"ALM\",100,100\r\n");
    const QString etc = u("\"ETC\",5,2\r\n\"A\",0\r\n\"B\",0\r\n\"C\",1\r\n\"D\",0\r\n\"E\",10\r\n");
    const QString sp = u("\"SPECIAL\",6,2\r\n") + u("\"X\",1\r\n").repeated(6);
    QString hundred = u("\"VO-D6\",\"KZ-STDPRM\"\r\n100,21\r\n");
    for (int i = 0; i < 100; ++i) hundred += u("\" 28L-100\"") + u(",1").repeated(20) + u("\r\n");
    struct Case { const char* name; const char* file; QString content; QString message; };
    const Case cases[] = {
        {"axis 1 kind", "w6nkzstpr.lst", u("\"VO-D6\",\"KZ-CMNPRM\"\r\n1,21\r\n"),
         u("Fail to open standard parameter file for DI-D6. (1AXIS)")},
        {"axis 2 tag", "w6vtstpr.lst", u("\"VO-D5\",\"VT-STDPRM\"\r\n1,21\r\n"),
         u("Fail to open standard parameter file for DI-D6. (2AXIS)")},
        {"common kind", "w6cmstpr.lst", u("\"VO-D6\",\"KZ-STDPRM\"\r\n3\r\n"),
         u("Fail to open standard parameter file for DI-D6. (CMN)")},
        {"sections out of order", "w6cmstpr.lst", cmnHead + pg + sp + etc, missing},
        {"too many columns", "w6cmstpr.lst", cmnHead + u("\"PG\",1,5\r\n1,2,3,4,5\r\n"), missing},
        {"too many rows", "w6cmstpr.lst", u("\"VO-D6\",\"KZ-CMNPRM\"\r\n1\r\n\"PG\",22,1\r\n") + u("1\r\n").repeated(22), missing},
        {"100 models", "w6nkzstpr.lst", hundred, missing},
        {"short record", "w6vtstpr.lst", u("\"VO-D6\",\"VT-STDPRM\"\r\n1,21\r\n\" 45L-100\",1,2,3\r\n"), missing},
        {"empty list", "w6nkzstpr.lst", QString(), missing},
    };
    for (const Case& c : cases) {
        ListFolder lf;
        AppContext& ctx = lf.f.ctx;
        choose(ctx, Product::TwoAxis, 0, "KZ", true, false);
        choose(ctx, Product::TwoAxis, 1, "VT", false, false);
        ASSERT_TRUE(ReadStdPrm(ctx)) << c.name;
        const StdPrmTable before1 = ctx.para.two.StdPrm1;
        const StdPrmCmnTable beforeCmn = ctx.para.two.StdPrmCmn;
        const auto countBefore = ctx.para.two.StdPrmCount[0];
        lf.replace(c.file, c.content);
        EXPECT_FALSE(ReadStdPrm(ctx)) << c.name;
        EXPECT_TRUE(ctx.para.two.StdPrmError) << c.name;
        ASSERT_EQ(lf.f.msg.shown.size(), 1u) << c.name;
        EXPECT_EQ(lf.f.msg.lastText(), c.message) << c.name;
        EXPECT_TRUE(ctx.para.two.StdPrm1 == before1) << c.name;
        EXPECT_TRUE(ctx.para.two.StdPrmCmn == beforeCmn) << c.name;
        EXPECT_EQ(ctx.para.two.StdPrmCount[0], countBefore) << c.name;
    }
    // A VT-STDPRM list is accepted as the KZ list of a KZ entry; a missing
    // list gives the missing-list message (Japanese here).
    ListFolder lf;
    lf.f.ctx.setLanguage(1);
    choose(lf.f.ctx, Product::OneAxis, 0, "KZ", false, false);
    choose(lf.f.ctx, Product::OneAxis, 1, "KZ", false, false);
    lf.replace("w6kzstpr.lst", u("\"VO-D6\",\"VT-STDPRM\"\r\n1,21\r\n\" 28L-100\"") + u(",1").repeated(20) + u("\r\n"));
    ASSERT_TRUE(W3kReadStdPrm(lf.f.ctx));
    EXPECT_EQ(lf.f.ctx.para.one.StdPrm1[1][24], Value::number(0));
    QFile::remove(lf.f.tmp(QStringLiteral("w6cmstpr.lst")));
    EXPECT_FALSE(W3kReadStdPrm(lf.f.ctx));
    EXPECT_TRUE(lf.f.msg.lastText().startsWith(u("パラメータ出荷時設定のリストファイルがありません。\r\n")));
}
