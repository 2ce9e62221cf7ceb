#include "files/GrpSmFiles.h"
#include "FilesTestSupport.h"
#include "files/FileHeader.h"

#include <QDir>
#include <QFileInfo>

using namespace rer;
using namespace rer::testing;

TEST(GrpFile, RoundTripIsByteForByte) {
    FilesContext f;
    ASSERT_TRUE(ReadGrpFile(f.ctx, fixture("groups.grp")));
    EXPECT_FALSE(f.ctx.grp.GrpFileError);
    EXPECT_EQ(f.ctx.grp.GrpFileName, QStringLiteral("groups.grp"));
    EXPECT_EQ(f.ctx.grp.GrpFileData[5][0], 5);
    EXPECT_EQ(f.ctx.grp.GrpFileData[99][1], (99 * 3) % 400);
    f.ctx.grp.GrpData[4][2] = 1;
    GrpFileToEdit(f.ctx);
    EXPECT_EQ(f.ctx.grp.GrpData[4][2], 1); // the error mark stays
    EXPECT_EQ(f.ctx.grp.GrpData[4][1], 12);
    const QString out = f.tmp(QStringLiteral("out.grp"));
    ASSERT_TRUE(WriteGrpFile(f.ctx, out));
    EXPECT_EQ(fileBytes(out), fileBytes(fixture("groups.grp")));
    EXPECT_EQ(fileBytes(out).count("\r\n"), 101);
    // Editor to file table copies start and end only.
    f.ctx.grp.GrpFileData = {};
    f.ctx.grp.GrpFileData[4][2] = 7;
    GrpEditToFile(f.ctx);
    EXPECT_EQ(f.ctx.grp.GrpFileData[4][1], 12);
    EXPECT_EQ(f.ctx.grp.GrpFileData[4][2], 7);
    EXPECT_TRUE(f.msg.shown.empty());
}

TEST(SmFile, RoundTripIsByteForByte) {
    FilesContext f;
    ASSERT_TRUE(ReadSmFile(f.ctx, fixture("macros.smd")));
    EXPECT_EQ(f.ctx.sm.SmFileData[0][0], 1);       // macro 1, step 0
    EXPECT_EQ(f.ctx.sm.SmFileData[15][17], 5);     // macro 9, step 15, data
    f.ctx.sm.SmData[16][18] = 5;
    SmFileToEdit(f.ctx);
    EXPECT_EQ(f.ctx.sm.SmData[16][18], 5);         // not a macro cell
    const QString out = f.tmp(QStringLiteral("out.smd"));
    ASSERT_TRUE(WriteSmFile(f.ctx, out));
    EXPECT_EQ(fileBytes(out), fileBytes(fixture("macros.smd")));
    EXPECT_EQ(fileBytes(out).count("\r\n"), 155);
    ClearSmData(f.ctx);
    for (const auto& row : f.ctx.sm.SmData)
        for (int16_t v : row) EXPECT_EQ(v, 0);
    f.ctx.sm.SmData[2][3] = 4;
    SmEditToFile(f.ctx);
    EXPECT_EQ(f.ctx.sm.SmFileData[2][3], 4);
    EXPECT_EQ(f.ctx.sm.SmFileData[0][0], 0);
}

TEST(GrpSmFiles, OnlyTheGroupsAndMacrosTheFileCarriesChange) {
    FilesContext f;
    ASSERT_TRUE(ReadGrpFile(f.ctx, fixture("groups.grp")));
    ASSERT_TRUE(ReadSmFile(f.ctx, fixture("macros.smd")));
    f.ctx.grp.GrpData[6][0] = 77;
    f.ctx.sm.SmData[0][0] = 6;
    const GroupState grp = f.ctx.grp;
    const MacroState sm = f.ctx.sm;

    // Groups: any order, the last record of a group wins, the rest stays.
    // The sizes record counts the records the file holds.
    const QString two = f.tmp(QStringLiteral("two.grp"));
    writeText(two, QStringLiteral("\"VO-D6\",\"GRP\"\r\n3,3\r\n\"9\",1,2\r\n\"5\",3,4\r\n\"5\",30,40\r\n"));
    ASSERT_TRUE(ReadGrpFile(f.ctx, two));
    GrpTable want = grp.GrpFileData;
    want[5] = {30, 40, want[5][2]};
    want[9] = {1, 2, want[9][2]};
    EXPECT_EQ(f.ctx.grp.GrpFileData, want);
    EXPECT_EQ(f.ctx.grp.GrpFileName, QStringLiteral("two.grp"));
    // A file of its head only changes no group.
    const QString head = f.tmp(QStringLiteral("head.grp"));
    writeText(head, QStringLiteral("\"VO-D6\",\"GRP\"\r\n0,3\r\n"));
    ASSERT_TRUE(ReadGrpFile(f.ctx, head));
    EXPECT_EQ(f.ctx.grp.GrpFileData, want);

    // Macros: a file of macro 3 only changes its two columns.
    QString text = QStringLiteral("\"VO-D6\",\"SM\"\r\n16,2,1\r\n\"3\"\r\n");
    for (int step = 0; step <= 15; ++step) text += QStringLiteral("5,%1\r\n").arg(step % 9 + 1);
    const QString three = f.tmp(QStringLiteral("three.smd"));
    writeText(three, text);
    ASSERT_TRUE(ReadSmFile(f.ctx, three));
    SmTable wantSm = sm.SmFileData;
    for (int step = 0; step <= 15; ++step) {
        wantSm[size_t(step)][4] = 5;
        wantSm[size_t(step)][5] = int16_t(step % 9 + 1);
    }
    EXPECT_EQ(f.ctx.sm.SmFileData, wantSm);

    // The editor tables are the windows' business.
    EXPECT_EQ(f.ctx.grp.GrpData, grp.GrpData);
    EXPECT_EQ(f.ctx.sm.SmData, sm.SmData);
}

TEST(GrpSmFiles, RefusedAndBrokenFilesLeaveTheTableAsItWas) {
    struct Case { bool grp; const char* name; const char* content; bool message; };
    const Case cases[] = {
        {true, "kind", "\"VO-D6\",\"SM\"\r\n16,2,9\r\n", true},
        {true, "group 100", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1\",1,2\r\n\"100\",1,2\r\n", false},
        {true, "group -1", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"-1\",1,2\r\n", false},
        {true, "text value", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1\",\"a\",2\r\n", false},
        {true, "value beyond 16 bits", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1\",40000,2\r\n", false},
        {true, "short record", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1\",1\r\n", false},
        {true, "value 1e999", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1\",1e999,2\r\n", false},
        {true, "group 1e999", "\"VO-D6\",\"GRP\"\r\n99,3\r\n\"1e999\",1,2\r\n", false},
        {true, "no counts", "\"VO-D6\",\"GRP\"\r\n", false},
        {false, "kind", "\"VO-D6\",\"GRP\"\r\n99,3\r\n", true},
        {false, "macro 0", "\"VO-D6\",\"SM\"\r\n16,2,9\r\n\"0\"\r\n0,0\r\n", false},
        {false, "macro 10", "\"VO-D6\",\"SM\"\r\n16,2,9\r\n\"10\"\r\n0,0\r\n", false},
        {false, "short macro", "\"VO-D6\",\"SM\"\r\n16,2,9\r\n\"1\"\r\n0,0\r\n1,1\r\n", false},
        {false, "data -1e999", "\"VO-D6\",\"SM\"\r\n16,2,9\r\n\"1\"\r\n0,-1e999\r\n", false},
        {false, "empty", "", false},
    };
    for (const Case& c : cases) {
        FilesContext f;
        ASSERT_TRUE(ReadGrpFile(f.ctx, fixture("groups.grp")));
        ASSERT_TRUE(ReadSmFile(f.ctx, fixture("macros.smd")));
        const GroupState grp = f.ctx.grp;
        const SmTable sm = f.ctx.sm.SmFileData;
        const QString path = f.tmp(QStringLiteral("bad.dat"));
        writeText(path, QString::fromUtf8(c.content));
        if (c.grp) {
            EXPECT_FALSE(ReadGrpFile(f.ctx, path)) << c.name;
            EXPECT_TRUE(f.ctx.grp.GrpFileError) << c.name;
            EXPECT_EQ(f.ctx.grp.GrpFileData, grp.GrpFileData) << c.name;
            EXPECT_EQ(f.ctx.grp.GrpFileName, grp.GrpFileName) << c.name;
        } else {
            EXPECT_FALSE(ReadSmFile(f.ctx, path)) << c.name;
            EXPECT_TRUE(f.ctx.sm.SmFileError) << c.name;
            EXPECT_EQ(f.ctx.sm.SmFileData, sm) << c.name;
        }
        if (c.message) {
            ASSERT_EQ(f.msg.shown.size(), 1u) << c.name;
            EXPECT_EQ(f.msg.lastText(), (c.grp ? QStringLiteral("Not GRP Data file for DI-D6. Opening file is canceled.")
                                                : QStringLiteral("Not SM Data file for DI-D6. Opening file is canceled.")) +
                                            QStringLiteral("\r\n") + QDir::toNativeSeparators(path));
        } else {
            EXPECT_TRUE(f.msg.shown.empty()) << c.name;
        }
    }
}

TEST(GrpSmFiles, FailedSavesKeepTheFormerFile) {
    FilesContext f(1);
    const QString grp = f.tmp(QStringLiteral("keep.grp"));
    ASSERT_TRUE(WriteGrpFile(f.ctx, grp));
    const QByteArray former = fileBytes(grp);
    // A folder in the way of the file.
    const QString blocked = f.tmp(QStringLiteral("blocked.grp"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    EXPECT_FALSE(WriteGrpFile(f.ctx, blocked));
    EXPECT_TRUE(f.msg.lastText().startsWith(QString::fromUtf8("グループデータの保存でエラーが発生しました。\r\n") +
                                            blocked + QStringLiteral(": ")))
        << f.msg.lastText().toStdString();
    EXPECT_GT(f.msg.lastText().section(QStringLiteral(": "), -1).size(), 0);
    EXPECT_EQ(fileBytes(grp), former);
    f.msg.clear();
    QString why;
    EXPECT_FALSE(WriteSmFile(f.ctx, blocked, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(f.msg.shown.empty()); // the macro window reports it
}

// A number cell is read strictly: a quoted number is the number, a cell
// that is not wholly a number or does not fit its field refuses the file,
// as does a file cut inside a record or short of the records its sizes
// record announces. The refusal says why, in the window's language, and
// names the cell with the text it holds; the table stays as it was.
TEST(GrpSmFiles, CellsAreReadStrictlyAndARefusalSaysWhy) {
    const auto groups = [](int count, const QString& last = QString()) {
        QString t = QStringLiteral("\"VO-D6\",\"GRP\"\r\n99,3\r\n");
        for (int g = 1; g <= count; ++g) t += QStringLiteral("\"%1\",%1,%2\r\n").arg(g).arg(g + 100);
        return t + last;
    };
    const auto macros = [](int count, const QString& firstStep = QStringLiteral("0,15")) {
        QString t = QStringLiteral("\"VO-D6\",\"SM\"\r\n16,2,9\r\n");
        for (int m = 1; m <= count; ++m) {
            t += QStringLiteral("\"%1\"\r\n").arg(m);
            for (int s = 0; s <= 15; ++s)
                t += (m == 1 && s == 0 ? firstStep : QStringLiteral("5,1%1").arg(m)) + QStringLiteral("\r\n");
        }
        return t;
    };
    QString cutNumber = groups(99);
    cutNumber.chop(3); // "\"99\",99,19" for 199
    struct Case {
        const char* name;
        bool grp;
        QString content;
        const char* en; // why, English; none: the file is read
        const char* jp;
    };
    const Case cases[] = {
        {"group end 12abc", true, groups(4, QStringLiteral("\"5\",5,12abc\r\n")) + groups(99).section(QStringLiteral("\r\n"), 7),
         "Group No.5 END = 12abc", "グループNo.5 終了位置 = 12abc"},
        {"group start 1 2", true, groups(98, QStringLiteral("\"99\",1 2,3\r\n")), "Group No.99 START = 1 2",
         "グループNo.99 開始位置 = 1 2"},
        {"group start quoted 7abc", true, groups(98, QStringLiteral("\"99\",\"7abc\",3\r\n")),
         "Group No.99 START = 7abc", "グループNo.99 開始位置 = 7abc"},
        {"group start empty", true, groups(98, QStringLiteral("\"99\",,3\r\n")), "Group No.99 START = ",
         "グループNo.99 開始位置 = "},
        {"group end 40000", true, groups(98, QStringLiteral("\"99\",1,40000\r\n")), "Group No.99 END = 40000",
         "グループNo.99 終了位置 = 40000"},
        {"group end 1e999", true, groups(98, QStringLiteral("\"99\",1,1e999\r\n")), "the number 1e999 is too large",
         "数値 1e999 が大きすぎます"},
        {"group number 5abc", true, groups(98, QStringLiteral("\"5abc\",1,2\r\n")), "Group No. = 5abc",
         "グループNo. = 5abc"},
        {"group number 100", true, groups(98, QStringLiteral("\"100\",1,2\r\n")), "Group No. = 100", "グループNo. = 100"},
        {"group count 99x", true, QStringLiteral("\"VO-D6\",\"GRP\"\r\n99x,3\r\n"), "Groups = 99x", "グループ数 = 99x"},
        {"group end quoted 7", true, groups(98, QStringLiteral("\"99\",1,\"7\"\r\n")), nullptr, nullptr},
        {"group end quoted with blanks", true, groups(98, QStringLiteral("\"99\",1,\" 7 \"\r\n")), nullptr, nullptr},
        {"groups cut inside a number", true, cutNumber, "the file is cut short", "ファイルが途中で切れています"},
        {"groups cut inside a record", true, groups(50, QStringLiteral("\"51\",51")), "the file is cut short",
         "ファイルが途中で切れています"},
        {"50 of 99 groups", true, groups(50), "the file is cut short (50 of 99 groups)",
         "ファイルが途中で切れています（99グループのうち50グループ）"},
        {"head only", true, groups(0), "the file is cut short (0 of 99 groups)",
         "ファイルが途中で切れています（99グループのうち0グループ）"},
        {"empty", true, QString(), "the file is empty", "ファイルが空です"},
        {"blank lines", true, QStringLiteral("\r\n \r\n"), "the file is empty", "ファイルが空です"},
        {"tag only", true, QStringLiteral("\"VO-D6\"\r\n"), "the file is cut short", "ファイルが途中で切れています"},
        {"macro data 3abc", false, macros(9, QStringLiteral("0,3abc")), "SM No.1 Step 1 Data = 3abc",
         "SM No.1 Step 1 データ = 3abc"},
        {"macro command quoted 7x", false, macros(9, QStringLiteral("\"7x\",1")), "SM No.1 Step 1 Command = 7x",
         "SM No.1 Step 1 命令 = 7x"},
        {"macro number 3abc", false, macros(9).replace(QStringLiteral("\"3\""), QStringLiteral("\"3abc\"")),
         "SM No. = 3abc", "SM No. = 3abc"},
        {"macro data quoted 7", false, macros(9, QStringLiteral("0,\"7\"")), nullptr, nullptr},
        {"8 of 9 macros", false, macros(8), "the file is cut short (8 of 9 macros)",
         "ファイルが途中で切れています（9マクロのうち8マクロ）"},
        {"macros cut inside a number", false, macros(9).chopped(3), "the file is cut short", // "1" for 19
         "ファイルが途中で切れています"},
        {"macro count 9.5.1", false, QStringLiteral("\"VO-D6\",\"SM\"\r\n16,2,9.5.1\r\n"), "Macros = 9.5.1",
         "マクロ数 = 9.5.1"},
    };
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        for (const Case& c : cases) {
            FilesContext f(language);
            ASSERT_TRUE(ReadGrpFile(f.ctx, fixture("groups.grp")));
            ASSERT_TRUE(ReadSmFile(f.ctx, fixture("macros.smd")));
            const GroupState grp = f.ctx.grp;
            const SmTable sm = f.ctx.sm.SmFileData;
            const QString path = f.tmp(QStringLiteral("cells.dat"));
            writeText(path, c.content);
            FileReadFailure why;
            const bool read = c.grp ? ReadGrpFile(f.ctx, path, &why) : ReadSmFile(f.ctx, path, &why);
            EXPECT_TRUE(f.msg.shown.empty()) << c.name; // the window tells
            EXPECT_FALSE(why.told) << c.name;
            if (!c.en) {
                EXPECT_TRUE(read) << c.name;
                EXPECT_TRUE(why.reason.isEmpty()) << c.name;
                if (c.grp) {
                    EXPECT_EQ(f.ctx.grp.GrpFileData[99][1], 7) << c.name;
                    EXPECT_EQ(f.ctx.grp.GrpFileData[98][1], 198) << c.name;
                } else {
                    EXPECT_EQ(f.ctx.sm.SmFileData[0][1], 7) << c.name;
                    EXPECT_EQ(f.ctx.sm.SmFileData[15][17], 19) << c.name;
                }
                continue;
            }
            EXPECT_FALSE(read) << c.name;
            EXPECT_EQ(why.reason, QString::fromUtf8(language == 1 ? c.jp : c.en)) << c.name << " " << language;
            if (c.grp) {
                EXPECT_TRUE(f.ctx.grp.GrpFileError) << c.name;
                EXPECT_EQ(f.ctx.grp.GrpFileData, grp.GrpFileData) << c.name;
                EXPECT_EQ(f.ctx.grp.GrpFileName, grp.GrpFileName) << c.name;
            } else {
                EXPECT_TRUE(f.ctx.sm.SmFileError) << c.name;
                EXPECT_EQ(f.ctx.sm.SmFileData, sm) << c.name;
            }
        }
    }
}
