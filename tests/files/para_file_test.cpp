#include "files/ParaFile.h"
#include "FilesTestSupport.h"
#include "files/FileHeader.h"
#include "testsupport/FullDisk.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

using namespace rer;
using namespace rer::testing;

namespace {

// The record the windows would make of a file table: every cell of the
// product's rows into its field.
void tableToRecord(ProductParameters& pp, Product p) {
    for (int row = 1; row <= 23; ++row)
        for (int a = 0; a < 2; ++a) SetParaRecordValue(pp.rec, row, a, pp.ParaFileData[row][a]);
    const int last = p == Product::TwoAxis ? 34 : 35;
    for (int row = 24; row <= last; ++row) SetParaRecordValue(pp.rec, row, 0, pp.ParaFileData[row][0]);
}

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

TEST(ParaFile, RoundTripOfBothProductsIsByteForByte) {
    struct Case { Product p; const char* file; };
    for (const Case c : {Case{Product::TwoAxis, "para2.pmd"}, Case{Product::OneAxis, "para1.pmd"}}) {
        FilesContext f;
        ProductParameters& pp = f.ctx.para.of(c.p);
        ASSERT_TRUE(ReadParaFile(f.ctx, c.p, fixture(c.file))) << c.file;
        EXPECT_FALSE(pp.ParaFileError);
        EXPECT_EQ(pp.ParaFileData[0][0].toText(), QString::fromLatin1(c.file));
        tableToRecord(pp, c.p);
        const QString out = f.tmp(QStringLiteral("out.pmd"));
        ASSERT_TRUE(WriteParaFile(f.ctx, c.p, out));
        EXPECT_EQ(fileBytes(out), fileBytes(fixture(c.file))) << c.file;
        PrmDataCompare(f.ctx, c.p);
        EXPECT_FALSE(pp.ParaDiffFlag) << c.file;
        EXPECT_TRUE(f.msg.shown.empty());
    }
}

TEST(ParaFile, RowsLandWhereTheRecordExpectsThem) {
    FilesContext f;
    ASSERT_TRUE(ReadParaFile(f.ctx, fixture("para2.pmd")));
    const ParaFileTable& t = f.ctx.para.two.ParaFileData;
    tableToRecord(f.ctx.para.two, Product::TwoAxis);
    const ParaRecord& r = f.ctx.para.two.rec;
    EXPECT_EQ(r.ParaHomeOffset[1].toNumber(), 1300);
    EXPECT_EQ(r.ParaHomeSeq[1], 1);
    EXPECT_EQ(r.ParaVel9[0], 45);
    EXPECT_EQ(r.ParaJogVel[1], 20);
    EXPECT_EQ(r.ParaPulse[1], 800);
    EXPECT_EQ(r.ParaType[1], 2);
    EXPECT_EQ(r.ParaPgAlm[0].toNumber(), 100);
    EXPECT_EQ(r.ParaHomeOut, 3);
    EXPECT_EQ(r.ParaSmTimer, 10);
    EXPECT_EQ(r.ParaOverride, 80);
    EXPECT_EQ(r.ParaLsTimer, 30);
    EXPECT_TRUE(t[35][0].isEmpty());

    // A one-axis file read by the two-axis reader fills row 35 (BCD ENABLE).
    ASSERT_TRUE(ReadParaFile(f.ctx, fixture("para1.pmd")));
    EXPECT_EQ(t[35][0].toNumber(), 1);
    EXPECT_EQ(t[1][0].toNumber(), 1200.5);
    EXPECT_TRUE(t[17][1].isEmpty());
    // A two-axis file read by the one-axis reader leaves row 35 empty.
    ASSERT_TRUE(W3kReadParaFile(f.ctx, fixture("para2.pmd")));
    EXPECT_TRUE(f.ctx.para.one.ParaFileData[35][0].isEmpty());
}

TEST(ParaFile, RefusedAndBrokenFilesLeaveTheTableAsItWas) {
    const QString head = QStringLiteral("\"VO-D6\",\"PRM\"\r\n6\r\n");
    const QString home = QStringLiteral("\"HOME\",6,2\r\n1,1\r\n2,2\r\n3,3\r\n4,4\r\n5,5\r\n6,6\r\n");
    const QString vel = QStringLiteral("\"VEL\",10,2\r\n") + QStringLiteral("1,1\r\n").repeated(10);
    // A file refused for what it holds says why, in the window's language;
    // one of another kind is told by the reader.
    struct Case { const char* name; QString content; bool message; const char* en; const char* jp; };
    const char* cut[] = {"the file is cut short", "ファイルが途中で切れています"};
    const Case cases[] = {
        {"other kind", QStringLiteral("\"VO-D6\",\"GRP\"\r\n99,3\r\n"), true, "", ""},
        {"other tag", QStringLiteral("\"VO-D7\",\"PRM\"\r\n6\r\n"), true, "", ""},
        {"lower case", QStringLiteral("\"vo-d6\",\"PRM\"\r\n6\r\n"), true, "", ""},
        {"sections out of order", head + vel + home, false, "\"VEL\" stands where the section HOME belongs",
         "HOME セクションの位置に「VEL」があります"},
        {"too many columns", head + QStringLiteral("\"HOME\",6,4\r\n1,2,3,4\r\n"), false,
         "more columns in the section HOME than the parameter table holds", "HOME セクションの列が多すぎます"},
        {"rows not a number", head + QStringLiteral("\"HOME\",6x,2\r\n1,2\r\n"), false, "HOME rows = 6x",
         "HOME の行数 = 6x"},
        {"short file", head + home + QStringLiteral("\"VEL\",10,2\r\n1,1\r\n"), false, cut[0], cut[1]},
        {"cut inside the last number", QStringLiteral("\"VO-D6\",\"PRM\"\r\n1\r\n") + QString(home).replace(QStringLiteral("6,6"), QStringLiteral("6,66")).chopped(3),
         false, cut[0], cut[1]},
        {"rows beyond the table", QStringLiteral("\"VO-D6\",\"PRM\"\r\n1\r\n\"HOME\",40,1\r\n") +
                                      QStringLiteral("1\r\n").repeated(40), false,
         "more rows than the parameter table holds", "パラメータの行が多すぎます"},
        {"header only", QStringLiteral("\"VO-D6\",\"PRM\"\r\n"), false, cut[0], cut[1]},
        {"OFFSET 1e999", QStringLiteral("\"VO-D6\",\"PRM\"\r\n1\r\n") + QString(home).replace(QStringLiteral("1,1"), QStringLiteral("1e999,1")), false,
         "the number 1e999 is too large", "数値 1e999 が大きすぎます"},
        {"section count 1e999", QStringLiteral("\"VO-D6\",\"PRM\"\r\n1e999\r\n") + home, false,
         "the number 1e999 is too large", "数値 1e999 が大きすぎます"},
        {"empty file", QString(), false, "the file is empty", "ファイルが空です"},
    };
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        for (const Case& c : cases) {
            FilesContext f(language);
            ASSERT_TRUE(ReadParaFile(f.ctx, fixture("para2.pmd")));
            const ParaFileTable before = f.ctx.para.two.ParaFileData;
            const QString path = f.tmp(QStringLiteral("bad.pmd"));
            writeText(path, c.content);
            FileReadFailure why;
            EXPECT_FALSE(ReadParaFile(f.ctx, Product::TwoAxis, path, &why)) << c.name;
            EXPECT_TRUE(f.ctx.para.two.ParaFileError) << c.name;
            EXPECT_TRUE(f.ctx.para.two.ParaFileData == before) << c.name;
            EXPECT_EQ(why.told, c.message) << c.name;
            EXPECT_EQ(why.reason, QString::fromUtf8(language == 1 ? c.jp : c.en)) << c.name << " " << language;
            if (c.message && language == 2) {
                ASSERT_EQ(f.msg.shown.size(), 1u) << c.name;
                // The reader's refusal, over the file's name.
                EXPECT_EQ(f.msg.lastText(), QStringLiteral("Not parameter file for DI-D6. Opening file is canceled.\r\n") +
                                                QDir::toNativeSeparators(path));
                EXPECT_EQ(f.msg.shown.back().title, QStringLiteral("RER6O250"));
            } else if (!c.message) {
                EXPECT_TRUE(f.msg.shown.empty()) << c.name;
            }
            // The next read of a good file works.
            f.ctx.para.two.ParaFileError = false;
            EXPECT_TRUE(ReadParaFile(f.ctx, fixture("para2.pmd"))) << c.name;
        }
    }
    // A missing file fails silently; the Japanese refusal text.
    FilesContext jp(1);
    EXPECT_FALSE(W3kReadParaFile(jp.ctx, jp.tmp(QStringLiteral("none.pmd"))));
    EXPECT_TRUE(jp.ctx.para.one.ParaFileError);
    writeText(jp.tmp(QStringLiteral("g.pmd")), QStringLiteral("\"VO-D6\",\"SM\"\r\n"));
    EXPECT_FALSE(W3kReadParaFile(jp.ctx, jp.tmp(QStringLiteral("g.pmd"))));
    EXPECT_EQ(jp.msg.lastText(), text("DI-D6用のパラメータファイルではありません。データファイルの読み込みを中止します。\r\n") +
                                     QDir::toNativeSeparators(jp.tmp(QStringLiteral("g.pmd"))));
}

TEST(ParaFile, ASectionCountOfZeroOrTextReadsNoSection) {
    for (const char* count : {"0", "\"x\"", "-3"}) {
        FilesContext f;
        const QString path = f.tmp(QStringLiteral("zero.pmd"));
        writeText(path, QStringLiteral("\"VO-D6\",\"PRM\"\r\n%1\r\n").arg(QString::fromLatin1(count)));
        ASSERT_TRUE(ReadParaFile(f.ctx, path)) << count;
        const ParaFileTable& t = f.ctx.para.two.ParaFileData;
        EXPECT_EQ(t[0][0].toText(), QStringLiteral("zero.pmd"));
        for (int r = 1; r < int(t.size()); ++r)
            for (const Value& v : t[r]) EXPECT_TRUE(v.isEmpty()) << count << " row " << r;
    }
}

TEST(ParaFile, AFailedWriteKeepsTheFormerFileAndSaysWhy) {
    FilesContext f;
    const QString path = f.tmp(QStringLiteral("keep.pmd"));
    ASSERT_TRUE(WriteParaFile(f.ctx, path));
    const QByteArray former = fileBytes(path);
    f.ctx.para.two.rec.ParaHomeOffset[0] = Value::text(QStringLiteral("€5"));
    f.ctx.para.two.rec.ParaHomePush[0] = 77;
    EXPECT_FALSE(WriteParaFile(f.ctx, path));
    EXPECT_TRUE(f.ctx.para.two.ParaFileWriteError);
    EXPECT_TRUE(f.ctx.para.two.ParaFileWriteErrorText.contains(QStringLiteral("€5")));
    EXPECT_EQ(fileBytes(path), former);
    EXPECT_TRUE(f.msg.shown.empty());
    // No folder to write in.
    f.ctx.para.one.ParaFileWriteError = false;
    EXPECT_FALSE(W3kWriteParaFile(f.ctx, f.tmp(QStringLiteral("no/such/dir/x.pmd"))));
    EXPECT_TRUE(f.ctx.para.one.ParaFileWriteError);
}

// The user's own parameter file in a folder where the user may make no new
// file (a shared folder): a save writes the file itself, whole, once its
// former content is kept in a copy in the user's cache; the copy goes when
// the new file is whole. A disk that takes the copy but not the whole new
// file leaves the file incomplete: the user is told so and where the copy
// is. A disk that does not even take the copy: the file is not written.
TEST(ParaFile, ASaveIntoAFolderThatTakesNoNewFileWritesTheFileInPlace) {
    enum class Disk { Room, TakesTheCopyOnly, Full };
    for (const Disk disk : {Disk::Room, Disk::TakesTheCopyOnly, Disk::Full}) {
        for (const int16_t language : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << "disk " << int(disk) << ", language " << language);
            FilesContext f(language);
            test::ScopedCacheFolder cache;
            const QString path = f.tmp(QStringLiteral("own.pmd"));
            ASSERT_TRUE(WriteParaFile(f.ctx, path));
            const QByteArray former = fileBytes(path);
            ASSERT_GT(former.size(), 16);
            f.ctx.para.two.rec.ParaHomePush[0] = 777;
            const QString elsewhere = f.tmp(QStringLiteral("expected.pmd"));
            ASSERT_TRUE(WriteParaFile(f.ctx, elsewhere));
            const QByteArray expected = fileBytes(elsewhere);
            QFile::remove(elsewhere);
            ASSERT_GT(expected.size(), former.size());
            const QStringList files = test::FilesIn(f.dir.path());
            const qint64 limit = disk == Disk::Room ? 0 : disk == Disk::Full ? 16 : former.size();

            const test::ChildOutcome out = test::RunInFolderThatTakesNoNewFile(
                path, limit,
                [&] {
                    // The folder really takes no new file for this user.
                    QFile probe(f.tmp(QStringLiteral("probe")));
                    const bool refused = !probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
                    f.ctx.para.two.ParaFileWriteError = false;
                    const bool written = WriteParaFile(f.ctx, path);
                    return QStringList{refused ? QStringLiteral("refused a new file") : QStringLiteral("took a new file"),
                                       written ? QStringLiteral("written") : QStringLiteral("not written"),
                                       f.ctx.para.two.ParaFileWriteErrorText};
                },
                {cache.path()});
            ASSERT_TRUE(out.exited && out.status == 0) << "the child could not be set up or ended";
            ASSERT_EQ(out.report.size(), 3);
            EXPECT_EQ(out.report[0], QStringLiteral("refused a new file"));
            EXPECT_EQ(test::FilesIn(f.dir.path()), files);
            switch (disk) {
            case Disk::Room:
                EXPECT_EQ(out.report[1], QStringLiteral("written"));
                EXPECT_EQ(out.report[2], QString());
                EXPECT_EQ(fileBytes(path), expected);
                EXPECT_EQ(cache.copies(), QStringList());
                break;
            case Disk::TakesTheCopyOnly: {
                EXPECT_EQ(out.report[1], QStringLiteral("not written"));
                EXPECT_NE(fileBytes(path), expected);
                const QStringList copies = cache.copies();
                ASSERT_EQ(copies.size(), 1);
                EXPECT_TRUE(copies[0].endsWith(QStringLiteral("-own.pmd"))) << copies[0].toStdString();
                const QString copy = QDir(cache.copyFolder()).filePath(copies[0]);
                EXPECT_EQ(fileBytes(copy), former);
                EXPECT_EQ(out.report[2], test::InPlaceFailureWords(EFBIG, copy, language));
                break;
            }
            case Disk::Full:
                EXPECT_EQ(out.report[1], QStringLiteral("not written"));
                EXPECT_EQ(fileBytes(path), former);
                EXPECT_EQ(cache.copies(), QStringList());
                EXPECT_EQ(out.report[2], test::NoCopyWords(cache.copyFolder(), test::ReasonWords(EFBIG, language), language));
                break;
            }
            EXPECT_TRUE(f.msg.shown.empty());
        }
    }
}

TEST(ParaFile, ClearEmptiesRowsZeroTo35Only) {
    FilesContext f;
    ASSERT_TRUE(W3kReadParaFile(f.ctx, fixture("para1.pmd")));
    f.ctx.para.one.ParaFileData[36][0] = Value::number(9);
    W3kClearParaFileTable(f.ctx);
    for (int r = 0; r <= 35; ++r)
        for (const Value& v : f.ctx.para.one.ParaFileData[r]) EXPECT_TRUE(v.isEmpty()) << r;
    EXPECT_EQ(f.ctx.para.one.ParaFileData[36][0].toNumber(), 9);
}

TEST(ParaRecord, WholeNumberFieldsRoundAndClip) {
    ParaRecord r;
    SetParaRecordValue(r, 2, 0, Value::number(2.5));       // PUSH, halves to even
    SetParaRecordValue(r, 2, 1, Value::number(3.5));
    SetParaRecordValue(r, 19, 0, Value::number(70000));    // PULSE is 32-bit
    SetParaRecordValue(r, 3, 0, Value::number(1e12));      // VEL clipped to 16 bits
    SetParaRecordValue(r, 1, 0, Value::text(QStringLiteral("12x"))); // OFFSET unchanged
    SetParaRecordValue(r, 35, 0, Value::number(1));
    // A number too large for a double is clipped like any other, never 0,
    // so the range check refuses it.
    SetParaRecordValue(r, 4, 0, Value::text(QStringLiteral("1e999")));  // OFSVEL
    SetParaRecordValue(r, 4, 1, Value::number(-std::numeric_limits<double>::infinity()));
    SetParaRecordValue(r, 19, 1, Value::text(QStringLiteral("1e999"))); // PULSE
    EXPECT_EQ(r.ParaHomeOfsVel[0], 32767);
    EXPECT_EQ(r.ParaHomeOfsVel[1], -32768);
    EXPECT_EQ(r.ParaPulse[1], std::numeric_limits<int32_t>::max());
    EXPECT_EQ(r.ParaHomePush[0], 2);
    EXPECT_EQ(r.ParaHomePush[1], 4);
    EXPECT_EQ(r.ParaPulse[0], 70000);
    EXPECT_EQ(r.ParaHomeVel[0], 32767);
    EXPECT_EQ(r.ParaHomeOffset[0], Value::text(QStringLiteral("12x")));
    EXPECT_EQ(r.ParaBcdEnable, 1);
    EXPECT_TRUE(ParaRecordValue(r, 0, 0).isEmpty());
    EXPECT_TRUE(ParaRecordValue(r, 36, 0).isEmpty());
}
