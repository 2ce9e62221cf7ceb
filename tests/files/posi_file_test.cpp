#include "files/PosiFile.h"
#include "FilesTestSupport.h"
#include "files/FileHeader.h"

#include <QDir>
#include <QFileInfo>

using namespace rer;
using namespace rer::testing;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
Value n(double v) { return Value::number(v); }
Value t(const char* s) { return Value::text(QString::fromUtf8(s)); }
} // namespace

TEST(PosiFile, NewFormatTwoAxis) {
    FilesContext f;
    f.ctx.pos.two.PosiFileData[50][1] = n(9); // not in the file: kept
    ASSERT_TRUE(ReadPosiFile(f.ctx, fixture("posi_new.kzd")));
    const auto& pos = f.ctx.pos.two;
    EXPECT_FALSE(pos.PosiFileError);
    EXPECT_EQ(pos.PosiFileDevice[0], u("KZ- 28L-100"));
    EXPECT_EQ(pos.PosiFileDevice[1], u("VT- 45M-200"));
    EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld[0], u("NEW"));
    EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld[1], u("OLD"));
    const auto& r1 = pos.PosiFileData[1];
    const std::array<Value, 13> want1 = {Value(), n(5), n(3), n(0), t("   1500"), n(4), n(2), n(1),
                                         t("   -250"), n(1), n(0), n(0), t("原点付近")};
    EXPECT_TRUE(r1 == want1);
    EXPECT_EQ(pos.PosiFileData[2][4], t(" 999999"));
    EXPECT_EQ(pos.PosiFileData[2][8], t(" -99999"));
    EXPECT_EQ(pos.PosiFileData[2][12], t("say 'hi'"));
    EXPECT_EQ(pos.PosiFileData[399][8], t("   12.5"));
    EXPECT_EQ(pos.PosiFileData[399][12], t(""));
    EXPECT_EQ(pos.PosiFileData[50][1], n(9));
    EXPECT_TRUE(f.msg.shown.empty());
}

TEST(PosiFile, PositionsTheFileDoesNotCarryKeepTheirRows) {
    for (const Product p : {Product::TwoAxis, Product::OneAxis}) {
        FilesContext f;
        ASSERT_TRUE(ReadPosiFile(f.ctx, p, fixture(p == Product::TwoAxis ? "posi_new.kzd" : "posi_w3k.kzd")));
        const PosiDataTable editor = f.ctx.pos.of(p).PosiData;
        const PosiFileTable before = f.ctx.pos.of(p).PosiFileData;
        // Its head only, of either format's marker line: the table as it was.
        const QString path = f.tmp(QStringLiteral("head.kzd"));
        writeText(path, u("\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"OLD\",\"OLD\"\r\n"));
        ASSERT_TRUE(ReadPosiFile(f.ctx, p, path));
        EXPECT_TRUE(f.ctx.pos.of(p).PosiFileData == before);
        EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld[0], u("OLD")); // the head is the file's
        // Position 2 only: row 2 changes, rows 1 and 3 stay.
        writeText(path, u("\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"OLD\",\"OLD\"\r\n"
                          "2,\"7\",\"2\",\"1\",\"300\",\"7\",\"2\",\"1\",\"30\",\"0\",\"1\",\"2\",\"two\"\r\n"));
        ASSERT_TRUE(ReadPosiFile(f.ctx, p, path));
        const auto& now = f.ctx.pos.of(p).PosiFileData;
        EXPECT_EQ(now[2][1], t("7"));
        EXPECT_EQ(now[2][12], t("two"));
        EXPECT_EQ(now[2][4], p == Product::TwoAxis ? t("    300") : t("300"));
        for (int r : {1, 3, 399}) EXPECT_TRUE(now[size_t(r)] == before[size_t(r)]) << r;
        EXPECT_TRUE(f.ctx.pos.of(p).PosiData == editor); // the reader never touches the editor
    }
}

TEST(PosiFile, OldFormatIsReadAgainFromTheStart) {
    FilesContext f;
    ASSERT_TRUE(ReadPosiFile(f.ctx, fixture("posi_old.kzd")));
    const auto& pos = f.ctx.pos.two;
    EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld[0], u("OLD"));
    EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld[1], u("OLD"));
    EXPECT_EQ(pos.PosiFileDevice[1], u("KZ- 39T-100"));
    EXPECT_EQ(pos.PosiFileData[1][1], n(5));
    EXPECT_EQ(pos.PosiFileData[1][4], t("   1500"));
    EXPECT_EQ(pos.PosiFileData[1][12], t("旧形式"));
    EXPECT_EQ(pos.PosiFileData[7][11], n(2));
}

TEST(PosiFile, OneAxisKeepsPositionsAsReadAndItsSecondModel) {
    FilesContext f;
    ASSERT_TRUE(W3kReadPosiFile(f.ctx, fixture("posi_w3k.kzd")));
    const auto& pos = f.ctx.pos.one;
    EXPECT_EQ(pos.PosiFileDevice[0], u("KZ- 28L-100"));
    EXPECT_EQ(pos.PosiFileDevice[1], W3kSecondModel());
    EXPECT_EQ(pos.PosiFileData[1][4], n(1500));
    EXPECT_EQ(pos.PosiFileData[3][4], n(-40));
    EXPECT_TRUE(pos.PosiFileData[3][8].isEmpty());
    EXPECT_EQ(pos.PosiFileData[1][12], t("一軸"));
    EXPECT_TRUE(f.ctx.pos.two.PosiFileData[1][1].isEmpty()); // the other product untouched
}

TEST(PosiFile, RefusedAndBrokenFilesLeaveEverythingAsItWas) {
    const char* head = "\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"NEW\",\"NEW\"\r\n";
    // A file refused for what it holds says why, in the window's language;
    // one of another kind is told by the reader.
    struct Case { const char* name; QString content; bool message; const char* en; const char* jp; };
    const char* cut[] = {"the file is cut short", "ファイルが途中で切れています"};
    const Case cases[] = {
        {"tag", u("\"VO-D5\",\"a\",\"b\",\"NEW\",\"NEW\"\r\n"), true, "", ""},
        {"a group file", u("\"VO-D6\",\"GRP\"\r\n99,3\r\n"), true, "", ""},
        {"position 400", u(head) + u("1,5,3,0,1,5,3,0,1,0,0,0,\"\"\r\n400,5,3,0,1,5,3,0,1,0,0,0,\"\"\r\n"), false,
         "Position No. = 400", "ポジションNo = 400"},
        {"position -1", u(head) + u("-1,5,3,0,1,5,3,0,1,0,0,0,\"\"\r\n"), false, "Position No. = -1", "ポジションNo = -1"},
        {"short record", u(head) + u("1,5,3,0,1,5,3,0,1,0,0\r\n"), false, cut[0], cut[1]},
        {"text position", u(head) + u("1,5,3,0,\"abc\",5,3,0,1,0,0,0,\"\"\r\n"), false, "Position No.1 POSI1 = abc",
         "ポジションNo1 位置1 = abc"},
        {"1000000", u(head) + u("1,5,3,0,1000000,5,3,0,1,0,0,0,\"\"\r\n"), false, "Position No.1 POSI1 = 1000000",
         "ポジションNo1 位置1 = 1000000"},
        {"-100000", u(head) + u("1,5,3,0,1,5,3,0,-100000,0,0,0,\"\"\r\n"), false, "Position No.1 POSI2 = -100000",
         "ポジションNo1 位置2 = -100000"},
        {"eight characters", u(head) + u("1,5,3,0,12345.5,5,3,0,1,0,0,0,\"\"\r\n"), false,
         "Position No.1 POSI1 = 12345.5", "ポジションNo1 位置1 = 12345.5"},
        {"WAY 1e999", u(head) + u("1,\"5\",\"3\",\"1e999\",\"1\",\"5\",\"3\",\"0\",\"1\",\"0\",\"0\",\"0\",\"\"\r\n"), false,
         "Position No.1 WAY1 = 1e999", "ポジションNo1 方法1 = 1e999"},
        {"OUT -1e999", u(head) + u("1,5,3,0,1,5,3,0,1,0,-1e999,0,\"\"\r\n"), false, "the number -1e999 is too large",
         "数値 -1e999 が大きすぎます"},
        {"POSI2 1e999", u(head) + u("1,5,3,0,1,5,3,0,\"1e999\",0,0,0,\"\"\r\n"), false, "Position No.1 POSI2 = 1e999",
         "ポジションNo1 位置2 = 1e999"},
        {"position 1e999", u(head) + u("\"1e999\",5,3,0,1,5,3,0,1,0,0,0,\"\"\r\n"), false, "Position No. = 1e999",
         "ポジションNo = 1e999"},
        {"no markers", u("\"VO-D6\",\"a\",\"b\"\r\n"), false, cut[0], cut[1]},
        {"empty", QString(), false, "the file is empty", "ファイルが空です"},
    };
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        for (const Case& c : cases) {
            FilesContext f(language);
            ASSERT_TRUE(ReadPosiFile(f.ctx, fixture("posi_new.kzd")));
            const PositionTables before = f.ctx.pos;
            const QString path = f.tmp(QStringLiteral("bad.kzd"));
            writeText(path, c.content);
            FileReadFailure why;
            EXPECT_FALSE(ReadPosiFile(f.ctx, Product::TwoAxis, path, &why)) << c.name;
            EXPECT_TRUE(f.ctx.pos.two.PosiFileError) << c.name;
            EXPECT_TRUE(f.ctx.pos.two.PosiFileData == before.two.PosiFileData) << c.name;
            EXPECT_EQ(f.ctx.pos.two.PosiFileDevice, before.two.PosiFileDevice) << c.name;
            EXPECT_EQ(f.ctx.pos.PosiFileNewOrOld, before.PosiFileNewOrOld) << c.name;
            EXPECT_EQ(f.msg.shown.size(), c.message ? 1u : 0u) << c.name;
            EXPECT_EQ(why.told, c.message) << c.name;
            EXPECT_EQ(why.reason, QString::fromUtf8(language == 1 ? c.jp : c.en)) << c.name << " " << language;
            for (const auto& row : f.ctx.pos.two.PosiFileData)
                for (const Value& v : row) EXPECT_FALSE(v.isNumber() && v.toNumber() == -1) << c.name;
        }
    }
    // The one-axis reader: its own flag, its own Japanese text, the same
    // position limit.
    FilesContext jp(1);
    const QString path = jp.tmp(QStringLiteral("x.kzd"));
    writeText(path, u("\"VO\"\r\n"));
    EXPECT_FALSE(W3kReadPosiFile(jp.ctx, path));
    EXPECT_TRUE(jp.ctx.pos.one.PosiFileError);
    EXPECT_FALSE(jp.ctx.pos.two.PosiFileError);
    EXPECT_EQ(jp.msg.lastText(), u("DE-D3U用のデータファイルではありません。データファイルの読み込みを中止します。\r\n") +
                                     QDir::toNativeSeparators(path));
    writeText(path, u(head) + u("1,5,3,0,1000000,,,,,,0,0,\"\"\r\n"));
    EXPECT_FALSE(W3kReadPosiFile(jp.ctx, path));
    // Its hidden axis-2 cells are not checked by the grid: a number too
    // large for them fails the read too.
    for (const char* cells : {"\"1e999\",,,,", ",,,\"1e999\","}) {
        writeText(path, u(head) + u("1,5,3,0,100,") + u(cells) + u(",0,0,\"\"\r\n"));
        EXPECT_FALSE(W3kReadPosiFile(jp.ctx, path)) << cells;
    }
}

TEST(PosiFile, CopyToTheEditorSendsPositionsToPosiValue) {
    FilesContext f;
    ASSERT_TRUE(ReadPosiFile(f.ctx, fixture("posi_new.kzd")));
    f.ctx.pos.two.PosiData[1][3] = t("keep");
    f.ctx.pos.two.PosiData[1][7] = t("keep");
    PosiFileToEdit(f.ctx);
    const auto& ed = f.ctx.pos.two.PosiData;
    EXPECT_EQ(ed[1][0], n(5));
    EXPECT_EQ(ed[1][11], t("原点付近"));
    EXPECT_EQ(ed[1][3], t("keep"));
    EXPECT_EQ(ed[1][7], t("keep"));
    EXPECT_EQ(f.ctx.pos.PosiValue[1][0], n(1500));
    EXPECT_EQ(f.ctx.pos.PosiValue[1][1], n(-250));
    EXPECT_EQ(f.ctx.pos.PosiValue[399][1], n(12.5));
    EXPECT_TRUE(f.ctx.pos.PosiValue[3][0].isEmpty()); // position 3 is not in the file
    EXPECT_TRUE(f.ctx.pos.PosiValue[0][0].isEmpty()); // row 0 is never copied

    ASSERT_TRUE(W3kReadPosiFile(f.ctx, fixture("posi_w3k.kzd")));
    f.ctx.pos.one.PosiData[1][3] = t("keep");
    W3kPosiFileToEdit(f.ctx);
    EXPECT_EQ(f.ctx.pos.one.PosiData[1][3], t("keep"));
    EXPECT_EQ(f.ctx.pos.one.PosiData[1][10], n(2));
    EXPECT_TRUE(f.ctx.pos.one.PosiData[1][7].isEmpty()); // copied like any cell
    EXPECT_EQ(f.ctx.pos.PosiValue[3][0], n(-40));
}

TEST(PosiTable, UnitConversionsUseEachAxisActuator) {
    FilesContext f;
    f.ctx.dev.two[0].Lead = 6;  f.ctx.dev.two[0].PPR = 400;
    f.ctx.dev.two[1].Lead = 12; f.ctx.dev.two[1].PPR = 192;
    f.ctx.dev.one[0].Lead = 10; f.ctx.dev.one[0].PPR = 400;
    auto& v = f.ctx.pos.PosiValue;
    v[0] = {n(1), n(1), n(1), n(1), n(1)};
    v[1][0] = n(6666);
    v[1][1] = n(16);
    v[399][0] = t(" 400 ");
    PosiTblPlsToMm(f.ctx);
    EXPECT_NEAR(v[1][2].toNumber(), 99.99, 1e-9);
    EXPECT_NEAR(v[1][3].toNumber(), 1.0, 1e-12);
    EXPECT_NEAR(v[399][2].toNumber(), 6.0, 1e-12);
    EXPECT_EQ(v[2][2], n(0));  // an empty cell comes out as 0
    EXPECT_EQ(v[0][2], n(1));  // row 0 untouched

    v[1][2] = n(10);        // 666.67 pulses
    v[1][3] = n(0.09375);   // 1.5 pulses: to even
    v[399][2] = n(0.0375);  // 2.5 pulses at lead 6: to even
    PosiTblMmToPls(f.ctx);
    EXPECT_EQ(v[1][0], n(667));
    EXPECT_EQ(v[1][1], n(2));
    EXPECT_EQ(v[399][0], n(2));
    EXPECT_EQ(v[0][0], n(1));

    // One axis: column 0 and 2 only, with the one-axis actuator.
    v[5][0] = n(400);
    v[5][1] = n(77);
    v[5][3] = n(3);
    W3kPosiTblPlsToMm(f.ctx);
    EXPECT_NEAR(v[5][2].toNumber(), 10.0, 1e-12);
    EXPECT_EQ(v[5][3], n(3));
    v[5][2] = n(0.0125); // half a pulse: to even
    W3kPosiTblMmToPls(f.ctx);
    EXPECT_EQ(v[5][0], n(0));
    EXPECT_EQ(v[5][1], n(77));
    // A lead or pulses per revolution of 0 never divides.
    f.ctx.dev.one[0].Lead = 0;
    W3kPosiTblPlsToMm(f.ctx);
    EXPECT_EQ(v[5][2], n(0));
}
