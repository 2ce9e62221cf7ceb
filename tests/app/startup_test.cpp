#include "app/StartUp.h"
#include "testsupport/AppFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using rer::test::RecordingMainWindow;
using rer::test::TestApp;

TEST(StartUp, LanguageFollowsCountryAndSetting) {
    struct Case { const char* country; const char* language; int lang; int offset; bool notJapan; };
    const Case cases[] = {
        {"Japan", nullptr, 1, 0, false},
        {"Japan", "1", 1, 0, false},
        {"Japan", "2", 2, 10000, false},
        {"Japan", "7", 1, 0, false},       // outside 1 and 2: the default
        {"Japan", "abc", 1, 0, false},     // not a number: the default
        {"japan", "1", 2, 10000, true},    // case counts
        {"Germany", "1", 2, 10000, true},
        {"", "1", 2, 10000, true},
    };
    for (const auto& c : cases) {
        TestApp t;
        t.sys.country = QString::fromLatin1(c.country);
        if (c.language) t.set(QStringLiteral("Language"), QString::fromLatin1(c.language));
        DecideLanguage(t.ctx);
        EXPECT_EQ(t.ctx.opt.LanguageNo, c.lang) << c.country << " " << (c.language ? c.language : "-");
        EXPECT_EQ(t.ctx.opt.ResOffset, c.offset) << c.country;
        EXPECT_EQ(t.ctx.opt.NotJapan, c.notJapan) << c.country;
    }
    TestApp t;
    t.sys.country = QStringLiteral("Japan") + QChar(0) + QStringLiteral("junk");
    EXPECT_EQ(GetSystemCountry(t.ctx), QStringLiteral("Japan"));
}

TEST(StartUp, WindowLoadReadsTheProgramWideOptions) {
    TestApp t;
    SelectWindowLoaded(t.ctx);
    EXPECT_EQ(t.ctx.opt.CtType, 1);
    EXPECT_FALSE(t.ctx.opt.PortOccupy);
    EXPECT_FLOAT_EQ(t.ctx.opt.MoveTimeout, 60.0f);

    t.set(QStringLiteral("Controller"), QStringLiteral("2"));
    t.set(QStringLiteral("PortOccupy"), QStringLiteral("1"));
    t.set(QStringLiteral("MoveTimeout"), QStringLiteral("15"));
    SelectWindowLoaded(t.ctx);
    EXPECT_EQ(t.ctx.opt.CtType, 2);
    EXPECT_TRUE(t.ctx.opt.PortOccupy);
    EXPECT_FLOAT_EQ(t.ctx.opt.MoveTimeout, 15.0f);
}

TEST(StartUp, HelpPathAndHelpDisplay) {
    TestApp t;
    t.ctx.programDir = QStringLiteral("/opt/rer");
    SetHelpFilePath(t.ctx);
    EXPECT_EQ(t.ctx.helpFile, QStringLiteral("/opt/rer/kzw6hlp.chm"));
    t.ctx.programDir = QStringLiteral("/");
    SetHelpFilePath(t.ctx);
    EXPECT_EQ(t.ctx.helpFile, QStringLiteral("/kzw6hlp.chm"));

    // No help file: the caller's message in an information box.
    ShowHelpFile(t.ctx, QStringLiteral("no help"));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("no help"));
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(t.msg.shown[0].title, QStringLiteral("RER6O250"));
    EXPECT_TRUE(t.help.opened.empty());

    t.help.existing.push_back(t.ctx.helpFile);
    ShowHelpFile(t.ctx, QStringLiteral("no help"));
    EXPECT_EQ(t.msg.shown.size(), 1u);
    ASSERT_EQ(t.help.opened.size(), 1u);
    EXPECT_EQ(t.help.opened[0], t.ctx.helpFile);

    t.ctx.helpFile.clear();
    ShowHelpFile(t.ctx, QStringLiteral("empty path"));
    EXPECT_EQ(t.msg.lastText(), QStringLiteral("empty path"));
}

TEST(StartUp, UnusableActuatorAsksForOneInTheLanguageOfTheRun) {
    for (int ctType : {1, 2}) {
        for (int lang : {1, 2}) {
            TestApp t;
            t.ctx.setLanguage(int16_t(lang));
            const QString prefix = ctType == 1 ? QString() : QStringLiteral("W3K");
            t.set(prefix + QStringLiteral("DevStroke1"), QStringLiteral("5")); // malformed
            RecordingMainWindow win;
            ConfirmProduct(t.ctx, ctType, win);
            ASSERT_EQ(t.msg.shown.size(), 1u);
            EXPECT_EQ(t.msg.shown[0].text,
                      lang == 1 ? QStringLiteral("機種が選択されていません。\r\n再度、機種を選択してください。")
                                : QStringLiteral("Actuator type is not selected.\r\nPlease select autuator type again. "));
            EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::None);
            QStringList want{QStringLiteral("Show"), ctType == 1 ? QStringLiteral("ChangeDevice2") : QStringLiteral("ChangeDevice1")};
            if (ctType == 1) want << QStringLiteral("FocusDummy");
            EXPECT_EQ(win.calls, want);
            EXPECT_EQ(t.ctx.opt.CtType, ctType);
            EXPECT_EQ(t.get(QStringLiteral("Controller")), QString::number(ctType));
        }
    }
}

TEST(StartUp, DisplayUnitAndRoundingSettings) {
    struct Case { const char* stored; bool on; };
    const Case cases[] = {{nullptr, true}, {"1", true}, {"-1", true}, {"0", false}, {"x", true},
                          {"2", true}}; // outside 0 and 1: the default
    for (const auto& c : cases) {
        TestApp t;
        t.set(QStringLiteral("DevStroke1"), QStringLiteral("5"));
        if (c.stored) {
            t.set(QStringLiteral("DispMmUnit"), QString::fromLatin1(c.stored));
            t.set(QStringLiteral("MmRoundUp"), QString::fromLatin1(c.stored));
        }
        t.ctx.opt.LanguageChanged = true;
        RecordingMainWindow win;
        InitMain(t.ctx, win);
        EXPECT_EQ(t.ctx.opt.DispMmUnit, c.on) << (c.stored ? c.stored : "-");
        EXPECT_EQ(t.ctx.opt.MmRoundUp, c.on);
        EXPECT_FALSE(t.ctx.opt.LanguageChanged);
    }
}

TEST(StartUp, VersionText) {
    EXPECT_EQ(VersionText(), QStringLiteral("%1.%2%3").arg(RER_VERSION_MAJOR).arg(RER_VERSION_MINOR).arg(RER_VERSION_PATCH));
}
