// The program's one string table: every text of a language has its twin
// 10000 further on, and the link reads its messages from it.
#include "app/Language.h"
#include "testsupport/LinkFixture.h"

#include <gtest/gtest.h>

using namespace rer;

TEST(StringTable, EveryTextHasItsEnglishTwin) {
    struct Case {
        int id;
        const char* en;
    };
    const Case cases[] = {
        {498, "No version information"},
        {499, "The version of this C/T is "},
        {500, "Communication timeout error!"},
        {501, "Check the followings;"},
        {502, " 1.Power ON for controller?"},
        {503, " 2.Communication cables are connected?"},
        {504, "Communication error occurs!"},
        {505, "Communication data length error occurs!"},
        {506, "Length of data is wrong."},
        {509, "Failed port open."},
        {575, "Fail to find device information..."},
        {600, "Failed to get version information of controller."},
        {601, "Version of the controller is "},
        {602, "."},
        {618, "Can not indicate Help file.No Help files related to this project."},
        {620, "An error occurred in reading the teaching speed settings."},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(LoadResString(c.id).isEmpty()) << c.id;
        EXPECT_EQ(LoadResString(c.id + 10000), QString::fromLatin1(c.en)) << c.id;
    }
    EXPECT_TRUE(LoadResString(507).isEmpty());
}

TEST(StringTable, TheLinkSpeaksTheRunsLanguage) {
    for (int16_t language : {1, 2}) {
        test::LinkWorld w(nullptr, language);
        const QString t = w.link->TimeoutMessage();
        EXPECT_TRUE(t.startsWith(LoadResString(500 + (language == 1 ? 0 : 10000)))) << language;
        EXPECT_TRUE(t.endsWith(LoadResString(503 + (language == 1 ? 0 : 10000)))) << language;
    }
}
