#include "link/CtError.h"
#include "testsupport/LinkFixture.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

namespace {

void writeSjis(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QStringEncoder enc("Shift_JIS");
    f.write(enc.encode(text));
}

} // namespace

TEST(ErrorList, ShippedListsLoadInBothLanguages) {
    for (int16_t lang : {1, 2}) {
        LinkWorld w(nullptr, lang);
        Get_ErrorList(w.ctx);
        EXPECT_FALSE(w.l().NoErrListFile);
        EXPECT_TRUE(w.msg.shown.empty());
        EXPECT_EQ(w.l().ErrListCount, 26);
        EXPECT_EQ(w.l().ErrList[12].number, QStringLiteral("1B"));
        EXPECT_EQ(w.l().ErrList[12].text, lang == 1 ? QStringLiteral("原点センサが確認できません")
                                                    : QStringLiteral("Unable to detect the home sensor"));
    }
}

TEST(ErrorList, LoaderFailuresAreReportedOnce) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QString content; // empty name: no file
        bool fails;
        int16_t count;
    };
    QString forty = QStringLiteral("41\r\n");
    for (int i = 1; i <= 41; ++i) forty += QStringLiteral("\"%1\",\"text %1\"\r\n").arg(i, 2, 16, QLatin1Char('0'));
    const Case cases[] = {
        {"missing", QString(), true, 0},
        {"count 0", QStringLiteral("0\r\n"), false, 0},
        {"count 41", forty, true, 40},
        {"fewer than the count", QStringLiteral("3\r\n\"11\",\"a\"\r\n\"12\",\"b\"\r\n"), true, 2},
        {"count not a number", QStringLiteral("x\r\n"), true, 0},
        {"commas inside quotes", QStringLiteral("1\r\n\"0E\",\"a, b\"\r\n"), false, 1},
    };
    for (const Case& c : cases) {
        LinkWorld w(nullptr, 2);
        w.ctx.programDir = dir.path();
        QFile::remove(dir.filePath(QStringLiteral("erroreng.lst")));
        if (!c.content.isEmpty()) writeSjis(dir.filePath(QStringLiteral("erroreng.lst")), c.content);
        Get_ErrorList(w.ctx);
        EXPECT_EQ(w.l().NoErrListFile, c.fails) << c.name;
        EXPECT_EQ(w.msg.shown.size(), c.fails ? 1u : 0u) << c.name;
        if (c.fails) {
            EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("No error list file.\r\n"))) << c.name;
        }
        EXPECT_EQ(w.l().ErrListCount, c.count) << c.name;
    }
}

TEST(ErrorList, EnglishUnlessLanguageIsOne) {
    LinkWorld w(nullptr, 7);
    Get_ErrorList(w.ctx);
    EXPECT_TRUE(w.l().ErrListPath.endsWith(QStringLiteral("erroreng.lst")));
}

TEST(ShowCtErrorInfo, DisplayTable) {
    struct Case {
        const char* reply;
        const char* alarmNo;
        const char* comment;
    } cases[] = {
        {"0%%013\r\n", "13", "Communication data length error"},
        {"0%%00B\r\n", "1B", "Unable to detect the home sensor"},
        {"0%%10B\r\n", "2B", "Unable to detect the home sensor"},
        {"0%%134\r\n", "24", "EEPROM reading error"},
        {"0%%00C\r\n", "1C", "No error information in the error List"},  // not in the list
        {"0%%0B\r\n", "1", "No error information in the error List"},  // too short for a code
        {"0%%\r\n", "2", "No error information in the error List"},
        {"0%%0ZZ\r\n", "1Z", "No error information in the error List"},
        // Character 5 means nothing; character 4 other than "0" is axis 2.
        {"0%%0 3\r\n", "13", "Communication data length error"},
        {"0%%0Z3\r\n", "13", "Communication data length error"},
        {"0%%X13\r\n", "23", "Communication data length error"},
        {"0%%X-B\r\n", "2B", "Unable to detect the home sensor"},
    };
    for (const Case& c : cases) {
        LinkWorld w;
        Get_ErrorList(w.ctx);
        w.l().CtErrorReply = QString::fromLatin1(c.reply);
        ShowCtErrorInfo(w.ctx, w.display);
        EXPECT_TRUE(w.display.alarm) << c.reply;
        EXPECT_EQ(w.display.alarmNo, QString::fromLatin1(c.alarmNo)) << c.reply;
        EXPECT_EQ(w.display.comment, QString::fromLatin1(c.comment)) << c.reply;
        EXPECT_TRUE(w.msg.shown.empty()) << c.reply;
    }
}

TEST(ShowCtErrorInfo, ErrTextNamesTheErrorJustShown) {
    LinkWorld w(nullptr, 1);
    Get_ErrorList(w.ctx);
    w.l().CtErrorReply = QStringLiteral("0%%00B\r\n");
    ShowCtErrorInfo(w.ctx, w.display);
    EXPECT_EQ(w.l().ErrText, QStringLiteral("原点センサが確認できません"));
    // An unknown number does not leave the text of the earlier error behind.
    w.l().CtErrorReply = QStringLiteral("0%%00D\r\n");
    ShowCtErrorInfo(w.ctx, w.display);
    EXPECT_EQ(w.display.comment, QStringLiteral("該当するエラーNoがリストにありません"));
    EXPECT_EQ(w.l().ErrText, w.display.comment);
}

TEST(ShowCtErrorInfo, MissingListOnlyTellsTheUser) {
    LinkWorld w;
    w.l().NoErrListFile = true;
    w.l().CtErrorReply = QStringLiteral("0%%013\r\n");
    ShowCtErrorInfo(w.ctx, w.display);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_TRUE(w.msg.lastText().contains(QStringLiteral("saved in  order")));
    EXPECT_FALSE(w.display.alarm);
    EXPECT_EQ(w.display.alarmNo, QStringLiteral("(unset)"));
}
