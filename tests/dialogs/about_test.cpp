// The about box's texts and the start of the system-information program.

#include "app/StartUp.h"
#include "dialogs/About.h"
#include "testsupport/AppFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rer;
using rer::test::TestApp;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

TEST(AboutTexts, ByProductAndLanguage) {
    struct Case {
        int ctType, language;
        const char *title, *title2, *caption;
    };
    const Case cases[] = {
        {1, 2, "DI-D6", "(KZ 2AXES PC-Software)", "DI-D6 Version Information..."},
        {2, 2, "DE-D3U", "(KZ 1AXIS PC-Software)", "DE-D3U Version Information..."},
        {1, 1, "DI-D6", "(KZ 2AXES PC-Software)", "DI-D6 ﾊﾞｰｼﾞｮﾝ情報..."},
        {2, 1, "DE-D3U", "(KZ 1AXIS PC-Software)", "DE-D3U ﾊﾞｰｼﾞｮﾝ情報..."},
    };
    for (const Case& c : cases) {
        TestApp t;
        t.ctx.opt.CtType = int16_t(c.ctType);
        t.ctx.setLanguage(int16_t(c.language));
        const AboutTexts a = AboutBoxTexts(t.ctx);
        EXPECT_EQ(a.title, S(c.title));
        EXPECT_EQ(a.title2, S(c.title2));
        EXPECT_EQ(a.caption, S(c.caption));
        EXPECT_EQ(a.version, S("Version ") + VersionText());
        if (c.language == 1) {
            EXPECT_TRUE(a.description.startsWith(S(c.title) + S("では、KZの位置ﾃﾞｰﾀ")));
            EXPECT_TRUE(a.disclaimer.startsWith(S("警告: ...予告なく")));
        } else {
            EXPECT_EQ(a.description, S("Editing of position data or parameters or group data or sequence macro "
                                       "data and test running can be done by PC Software."));
            EXPECT_EQ(a.disclaimer, S("Caution : Specification may be changed without previous announcement. "
                                      "Download the latest version of ") +
                                        S(c.title) + S(" from Norvik Home Page. URL:"));
        }
        EXPECT_FALSE(a.hpAddress.isEmpty());
    }
    // Major 1, minor 2, revision 0: no point between minor and revision.
    EXPECT_EQ(VersionText(), S("1.20"));
}

TEST(StartSysInfo, TheNamedProgramFirst) {
    TestApp t;
    FakeSysInfoTools tools;
    tools.named = S("/opt/tools/sysinfo");
    tools.folder = S("/usr/bin");
    tools.fileName = S("kinfocenter");
    tools.existing << S("/usr/bin/kinfocenter");
    EXPECT_TRUE(StartSysInfo(t.ctx, tools));
    EXPECT_EQ(tools.asked, QStringList{S("named")}); // the second look-up is never made
    EXPECT_EQ(tools.started, QStringList{S("/opt/tools/sysinfo")});
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST(StartSysInfo, TheDesktopProgramWhenItsFileExists) {
    TestApp t;
    FakeSysInfoTools tools;
    tools.folder = S("/usr/bin");
    tools.fileName = S("hardinfo");
    tools.existing << S("/usr/bin/hardinfo");
    EXPECT_TRUE(StartSysInfo(t.ctx, tools));
    EXPECT_EQ(tools.started, QStringList{S("/usr/bin/hardinfo")});
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST(StartSysInfo, OtherwiseTheMessageInEitherLanguage) {
    struct Case {
        const char* named;
        const char* folder;
        bool fileThere;
        bool starts;
    };
    const Case cases[] = {
        {"", "", false, true},                  // nothing known
        {"", "/usr/bin", false, true},          // the folder lacks the program
        {"/opt/sysinfo", "", false, false},     // the named program does not start
        {"", "/usr/bin", true, false},          // the desktop program does not start
        {"/opt/sysinfo", "/usr/bin", true, false}, // no fall-back after a failed start
    };
    for (int language : {1, 2}) {
        for (const Case& c : cases) {
            TestApp t;
            t.ctx.setLanguage(int16_t(language));
            FakeSysInfoTools tools;
            tools.named = S(c.named);
            tools.folder = S(c.folder);
            tools.fileName = S("kinfocenter");
            if (c.fileThere) tools.existing << S("/usr/bin/kinfocenter");
            tools.starts = c.starts;
            EXPECT_FALSE(StartSysInfo(t.ctx, tools));
            EXPECT_TRUE(tools.started.isEmpty());
            ASSERT_EQ(t.msg.shown.size(), size_t(1));
            EXPECT_EQ(t.msg.lastText(), language == 1 ? S("現時点ではｼｽﾃﾑ情報を使用できません")
                                                      : S("You can't look system information,now."));
            EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::None);
        }
    }
}

namespace {
// Restores an environment variable when the test ends, however it ends.
struct EnvGuard {
    explicit EnvGuard(const char* name) : name(name), old(qgetenv(name)) {}
    ~EnvGuard() {
        if (old.isNull()) qunsetenv(name); else qputenv(name, old);
    }
    const char* name;
    QByteArray old;
};
} // namespace

TEST(DesktopSysInfoTools, FindsAKnownProgramOnTheSearchPath) {
    const EnvGuard keepPath("PATH"), keepNamed("RER6O250_SYSINFO");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(S("hardinfo"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexit 0\n");
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir.path().toLocal8Bit());
    qunsetenv("RER6O250_SYSINFO");

    DesktopSysInfoTools tools;
    QString program, folder, file;
    EXPECT_FALSE(tools.namedProgram(program));
    ASSERT_TRUE(tools.desktopProgram(folder, file));
    EXPECT_EQ(QDir(folder).filePath(file), path);
    EXPECT_TRUE(tools.fileExists(path));
    EXPECT_FALSE(tools.fileExists(path + S(".none")));
    EXPECT_TRUE(tools.start(path));
    EXPECT_FALSE(tools.start(QDir(dir.path()).filePath(S("none"))));

    qputenv("RER6O250_SYSINFO", "  my-info --all  ");
    EXPECT_TRUE(tools.namedProgram(program));
    EXPECT_EQ(program, S("my-info --all"));

    qputenv("PATH", QByteArray("/nonexistent-folder"));
    EXPECT_FALSE(tools.desktopProgram(folder, file));
}
