#include "mainwin/MainFrame.h"
#include "testsupport/AppFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using rer::test::TestApp;

TEST(MainFrame, ClosePrompt) {
    struct Case {
        const char* tag;
        std::vector<MsgAnswer> answers;
        bool saveSucceeds;
        bool closes;
        bool saveRan;
    };
    const Case cases[] = {
        {"", {MsgAnswer::Ok}, true, true, false},
        {"", {MsgAnswer::Cancel}, true, false, false},
        {"DataChange", {MsgAnswer::No}, true, true, false},
        {"DataChange", {MsgAnswer::Cancel}, true, false, false},
        {"DataChange", {MsgAnswer::Yes}, true, true, true},
        {"DataChange", {MsgAnswer::Yes}, false, false, true},   // Save As cancelled or failed
        {"other", {}, true, true, false},
    };
    for (const auto& c : cases) {
        TestApp t;
        for (auto a : c.answers) t.msg.answer(a);
        bool saveRan = false;
        const bool closes = QueryUnload(t.ctx, QString::fromLatin1(c.tag), [&] {
            saveRan = true;
            t.ctx.main.HozonCancel = !c.saveSucceeds;
        });
        EXPECT_EQ(closes, c.closes) << c.tag;
        EXPECT_EQ(saveRan, c.saveRan) << c.tag;
        EXPECT_EQ(t.ctx.main.SyuryoCancel, !c.closes) << c.tag;
        EXPECT_FALSE(t.ctx.main.HozonCancel) << c.tag;
        EXPECT_EQ(t.msg.shown.size(), c.answers.size()) << c.tag;
    }
    TestApp t;
    QueryUnload(t.ctx, QString(), {});
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("DI-D6 を終了します。"));
    EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Question);
    t.ctx.setLanguage(2);
    t.msg.answer(MsgAnswer::Cancel);
    QueryUnload(t.ctx, QStringLiteral("DataChange"), {});
    EXPECT_EQ(t.msg.lastText(), QStringLiteral("Data have been changed. Save the data into the file before finish?"));
    EXPECT_EQ(t.msg.shown.back().buttons, MsgButtons::YesNoCancel);
    // Yes with nothing that could save keeps the window open.
    t.msg.answer(MsgAnswer::Yes);
    EXPECT_FALSE(QueryUnload(t.ctx, QStringLiteral("DataChange"), {}));
}

TEST(MainFrame, SettingsStoredAtClose) {
    struct Case { int ctType; int lang; bool langChanged; bool ctChanged; const char* wantLang; const char* wantCt; };
    const Case cases[] = {
        {1, 1, false, false, "1", "<absent>"},
        {1, 1, true, false, "2", "<absent>"},
        {2, 2, true, true, "1", "1"},
        {1, 2, false, true, "2", "2"},
    };
    for (const auto& c : cases) {
        TestApp t;
        t.ctx.opt.CtType = int16_t(c.ctType);
        t.ctx.setLanguage(int16_t(c.lang));
        t.ctx.opt.LanguageChanged = c.langChanged;
        t.ctx.opt.CtTypeChanged = c.ctChanged;
        t.ctx.opt.PortNo = 3;
        SaveOnUnload(t.ctx);
        EXPECT_EQ(t.get(QStringLiteral("PortNo")), QStringLiteral("3"));
        EXPECT_EQ(t.get(QStringLiteral("Language")), QString::fromLatin1(c.wantLang));
        EXPECT_EQ(t.get(QStringLiteral("Controller")), QString::fromLatin1(c.wantCt));
    }
}

TEST(MainFrame, LoadSettingsAndTitle) {
    TestApp t;
    t.set(QStringLiteral("PortNo"), QStringLiteral("4"));
    t.set(QStringLiteral("Language"), QStringLiteral("2"));
    EXPECT_TRUE(LoadMainSettings(t.ctx));
    EXPECT_EQ(t.ctx.opt.PortNo, 4);
    EXPECT_EQ(t.ctx.opt.ResOffset, 10000);
    t.set(QStringLiteral("Language"), QStringLiteral("1"));
    EXPECT_FALSE(LoadMainSettings(t.ctx));
    t.ctx.opt.NotJapan = true;
    EXPECT_TRUE(LoadMainSettings(t.ctx));
    EXPECT_EQ(t.ctx.opt.LanguageNo, 2);

    EXPECT_TRUE(MainWindowTitle(1).startsWith(QStringLiteral("DI-D6 Ver")));
    EXPECT_TRUE(MainWindowTitle(2).startsWith(QStringLiteral("DE-D3U Ver")));
    EXPECT_TRUE(MainWindowTitle(3).isEmpty());
    EXPECT_EQ(MainCaption(2, QStringLiteral("mnuFileShogo")), QStringLiteral("Verfy Position"));
    EXPECT_EQ(MainCaption(1, QStringLiteral("cmdPosiLoad")), QStringLiteral(" ｺﾝﾄﾛｰﾗへ 書き込み"));
    EXPECT_EQ(MainToolTip(2, 9), QStringLiteral("Verify Position Data"));
    EXPECT_TRUE(MainToolTip(1, 4).isEmpty());
}
