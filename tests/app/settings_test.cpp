#include "app/DeviceSettings.h"
#include "app/Settings.h"
#include "testsupport/AppFixture.h"
#include "testsupport/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

TEST(Settings, NumbersOutsideTheirTypeReadAsAbsent) {
    TestApp t;
    struct Case { const char* stored; int want; };
    const Case cases[] = {{"2", 2}, {" 7 ", 7}, {"-1", -1}, {"2.5", 2}, {"3.5", 4},
                          {"abc", 9}, {"", 9}, {"40000", 9}, {"1e2", 100}, {"nan", 9}};
    for (const auto& c : cases) {
        t.set(QStringLiteral("Language"), QString::fromLatin1(c.stored));
        EXPECT_EQ(t.ctx.settings.int16(QStringLiteral("Language"), 9), c.want) << c.stored;
    }
    EXPECT_EQ(t.ctx.settings.int16(QStringLiteral("NeverStored"), 5), 5);
    t.set(QStringLiteral("MoveTimeout"), QStringLiteral("abc"));
    LoadMoveTimeout(t.ctx);
    EXPECT_FLOAT_EQ(t.ctx.opt.MoveTimeout, 60.0f);
    t.set(QStringLiteral("MoveTimeout"), QStringLiteral("2.5"));
    LoadMoveTimeout(t.ctx);
    EXPECT_FLOAT_EQ(t.ctx.opt.MoveTimeout, 2.5f);
}

TEST(Settings, KeysMatchWithoutRegardToCase) {
    MemorySettingsStore mem;
    mem.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("W3KDevLead1"), QStringLiteral("6"));
    EXPECT_EQ(mem.get(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("W3kDevLead1"), {}),
              QStringLiteral("6"));

    // The real store: a round trip through an INI file in a temporary folder,
    // read back by a second store object as the next start would.
    QTemporaryDir dir;
    {
        QtSettingsStore s(dir.path());
        s.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("W3KDevLead1"), QStringLiteral("6"));
        s.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("DevSize1"), QStringLiteral(" 28"));
        s.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("Controller"), QStringLiteral("2"));
    }
    QtSettingsStore again(dir.path());
    EXPECT_EQ(again.get(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("W3kDevLead1"), {}),
              QStringLiteral("6"));
    EXPECT_EQ(again.get(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("devsize1"), {}),
              QStringLiteral(" 28"));
    EXPECT_EQ(again.get(QStringLiteral("RER6O250"), QStringLiteral("settings"), QStringLiteral("CONTROLLER"), {}),
              QStringLiteral("2"));
    EXPECT_EQ(again.get(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("PortNo"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_TRUE(QFile::exists(again.fileFor(QStringLiteral("RER6O250"))));
}

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A program whose settings live in an INI file of a folder.
struct FileSettingsApp {
    explicit FileSettingsApp(const QString& dir) : store(dir) {}
    FakeMessageBoxes msg;
    QtSettingsStore store;
    FakeSystemInfo sys;
    FakeHelpViewer help;
    AppContext ctx{Platform{msg, store, sys, help}};
};

} // namespace

TEST(Settings, FilesAsUsersKeepThemAreReadAndKeptInTheirSpelling) {
    struct Case {
        const char* what;
        QByteArray before;  // the file as the user has it
        QByteArray after;   // after saving Language=1 and a new PortNo=3
    };
    const Case cases[] = {
        {"hand-edited, as the key table spells it", "[Settings]\nLanguage=2\nDevSize1=\" 28\"\n",
         "[Settings]\nDevSize1=\" 28\"\nLanguage=1\nPortNo=3\n"},
        {"kept from an earlier version, folded to lower case", "[settings]\nlanguage=2\ndevsize1=\" 28\"\n",
         "[settings]\nPortNo=3\ndevsize1=\" 28\"\nlanguage=1\n"},
        {"any other spelling", "[SETTINGS]\nLANGUAGE=2\nDevSIZE1=\" 28\"\n",
         "[SETTINGS]\nDevSIZE1=\" 28\"\nLANGUAGE=1\nPortNo=3\n"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        FileSettingsApp app(dir.path());
        const QString file = app.store.fileFor(QStringLiteral("RER6O250"));
        writeFile(file, c.before);
        Settings& s = app.ctx.settings;
        EXPECT_EQ(s.int16(QStringLiteral("Language"), 1), 2) << c.what;
        EXPECT_EQ(s.text(QStringLiteral("DevSize1"), QString()), QStringLiteral(" 28")) << c.what;
        EXPECT_TRUE(s.saveInt(QStringLiteral("Language"), 1)) << c.what;
        EXPECT_TRUE(s.saveInt(QStringLiteral("PortNo"), 3)) << c.what;
        // One section, each entry once: nothing appended beside the user's.
        EXPECT_EQ(FileBytes(file), c.after) << c.what;
        FileSettingsApp next(dir.path());
        EXPECT_EQ(next.ctx.settings.int16(QStringLiteral("Language"), 9), 1) << c.what;
        EXPECT_EQ(next.ctx.settings.int16(QStringLiteral("portno"), 9), 3) << c.what;
        EXPECT_TRUE(app.msg.shown.empty()) << c.what;
    }

    // A first start writes the spelling of the key table.
    QTemporaryDir dir;
    FileSettingsApp app(dir.path());
    app.ctx.settings.saveInt(QStringLiteral("Controller"), 2);
    EXPECT_EQ(FileBytes(app.store.fileFor(QStringLiteral("RER6O250"))), QByteArray("[Settings]\nController=2\n"));
}

TEST(Settings, ASaveThatCannotBeWrittenIsToldOnceAndKeepsTheFile) {
    for (int16_t language : {1, 2}) {
        QTemporaryDir dir;
        FileSettingsApp app(dir.path());
        const QString file = app.store.fileFor(QStringLiteral("RER6O250"));
        writeFile(file, "[Settings]\nLanguage=2\nPortNo=4\nDevSize1=\" 28\"\nDevSpeed1=L\n");
        const QByteArray former = FileBytes(file);
        app.ctx.setLanguage(language);
        const ChildOutcome out = RunOnFullDisk(16, [&app] {
            Settings& s = app.ctx.settings;
            QStringList r;
            r << (s.saveInt(QStringLiteral("Language"), 1) ? QStringLiteral("saved") : QStringLiteral("failed"));
            r << (s.saveInt(QStringLiteral("PortNo"), 2) ? QStringLiteral("saved") : QStringLiteral("failed"));
            // The run goes on with the new values.
            r << s.text(QStringLiteral("Language"), QString()) << s.text(QStringLiteral("PortNo"), QString());
            return r + ShownTexts(app.msg);
        });
        ASSERT_TRUE(out.exited);
        ASSERT_EQ(out.status, 0);
        const QString where = QStringLiteral("\r\n") + file;
        EXPECT_EQ(out.report,
                  (QStringList{QStringLiteral("failed"), QStringLiteral("failed"), QStringLiteral("1"),
                               QStringLiteral("2"),
                               (language == 1 ? QStringLiteral("設定を保存できませんでした。変更した設定は次回の起動時には残りません。")
                                              : QStringLiteral("The settings could not be saved. The change will be lost at the next start.")) +
                                   where}))
            << language;
        EXPECT_EQ(FileBytes(file), former) << language;
        EXPECT_EQ(FilesIn(dir.path()), QStringList{QStringLiteral("RER6O250.ini")});
    }
}

TEST(Settings, TeachingValuesAreForcedIntoTheirRanges) {
    struct Case { const char* key; const char* stored; int want; };
    const Case cases[] = {
        {"VelOf100Pls", nullptr, 20}, {"VelOf100Pls", "0", 1}, {"VelOf100Pls", "61", 1}, {"VelOf100Pls", "60", 60},
        {"AccOf100Pls", nullptr, 3}, {"AccOf100Pls", "5", 1}, {"AccOf100Pls", "2", 2},
        {"AccOf100Pls2", nullptr, 2}, {"AccOf100Pls2", "3", 1},
        {"AccOfJog", nullptr, 3}, {"AccOfJog", "4", 1},
        {"AccOfJog2", nullptr, 2}, {"AccOfJog2", "3", 1}, {"AccOfJog2", "x", 2},
    };
    for (const auto& c : cases) {
        TestApp t;
        if (c.stored) t.set(QString::fromLatin1(c.key), QString::fromLatin1(c.stored));
        EXPECT_EQ(LoadTeachSetting(t.ctx), 0);
        const TeachSettings& s = t.ctx.teach;
        const QString k = QString::fromLatin1(c.key);
        int got = 0;
        if (k == QLatin1String("VelOf100Pls")) {
            got = s.VelOf100Pls;
            EXPECT_EQ(s.VelOf10Pls, got);
            EXPECT_EQ(s.VelOf1Pls, got);
        } else if (k == QLatin1String("AccOf100Pls")) {
            got = s.AccOf100Pls;
            EXPECT_EQ(s.AccOf1Pls, got);
        } else if (k == QLatin1String("AccOf100Pls2")) {
            got = s.AccOf100Pls2;
            EXPECT_EQ(s.AccOf10Pls2, got);
        } else if (k == QLatin1String("AccOfJog")) {
            got = s.AccOfJog;
        } else {
            got = s.AccOfJog2;
        }
        EXPECT_EQ(got, c.want) << c.key << "=" << (c.stored ? c.stored : "(absent)");
    }
}

TEST(DeviceSettings, SavingWritesEveryKeyOfBothAxes) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        TestApp t;
        auto& axes = t.ctx.dev.axes(p);
        t.ctx.dev.DevIsKZ = {true, false};
        t.ctx.dev.DevNewType = {true, false};
        t.ctx.dev.DevVertical = {false, false};
        t.ctx.dev.DevWithPG = {true, false};
        axes[0].Size = QStringLiteral(" 28"); axes[0].Speed = QStringLiteral("L");
        axes[0].Stroke = 100; axes[0].Lead = 6; axes[0].PPR = 400;
        axes[1].Size = QStringLiteral(" 45"); axes[1].Speed = QStringLiteral("M");
        axes[1].Stroke = 200; axes[1].Lead = 10; axes[1].PPR = 400;
        SaveDeviceSetting(t.ctx, p);
        const bool two = p == Product::TwoAxis;
        const QString pre = two ? QString() : QStringLiteral("W3K");
        EXPECT_EQ(t.get(pre + QStringLiteral("Device1")), QStringLiteral("KZ"));
        EXPECT_EQ(t.get(pre + QStringLiteral("Device2")), QStringLiteral("VT"));
        EXPECT_EQ(t.get(pre + QStringLiteral("DevSize1")), QStringLiteral(" 28"));
        EXPECT_EQ(t.get(pre + QStringLiteral("DevSpeed2")), QStringLiteral("M"));
        EXPECT_EQ(t.get(pre + QStringLiteral("DevStroke2")), QStringLiteral("200"));
        EXPECT_EQ(t.get(pre + QStringLiteral("DevLead1")), QStringLiteral("6"));
        EXPECT_EQ(t.get(pre + QStringLiteral("DevPPR2")), QStringLiteral("400"));
        // A new-type actuator is saved, and kept, as vertical.
        EXPECT_EQ(t.get(QStringLiteral("NewType1")), QStringLiteral("1"));
        EXPECT_EQ(t.get(QStringLiteral("Vertical1")), QStringLiteral("1"));
        EXPECT_TRUE(t.ctx.dev.DevVertical[0]);
        EXPECT_EQ(t.get(QStringLiteral("NewType2")), QStringLiteral("0"));
        EXPECT_EQ(t.get(QStringLiteral("Vertical2")), QStringLiteral("0"));
        EXPECT_EQ(t.get(QStringLiteral("WithPG1")), QStringLiteral("1"));
        EXPECT_EQ(t.get(QStringLiteral("WithPG2")), QStringLiteral("0"));
    }
}

TEST(DeviceSettings, MalformedSavedValuesMakeTheirAxisUnusable) {
    struct Case { const char* key; const char* value; };
    const Case cases[] = {
        {"DevStroke2", "5"},          // stroke below 10
        {"DevStroke2", "1000"},       // above 999
        {"DevSize2", "28"},           // not 3 characters
        {"DevSpeed2", "l"},           // not A to Z
        {"DevStroke2", "abc"},        // not a number
        {"DevPPR2", "0"},             // travel per pulse undefined
        {"NewType2", "yes"},
    };
    for (const auto& c : cases) {
        TestApp t;
        t.set(QString::fromLatin1(c.key), QString::fromLatin1(c.value));
        EXPECT_EQ(LoadDeviceSetting(t.ctx, Product::TwoAxis), 1) << c.key << "=" << c.value;
    }
}

TEST(DeviceSettings, SeriesTextMustBeExactlyKZ) {
    TestApp t;
    t.set(QStringLiteral("Device1"), QStringLiteral("kz"));
    LoadDeviceSetting(t.ctx, Product::TwoAxis);
    EXPECT_FALSE(t.ctx.dev.DevIsKZ[0]);
    EXPECT_EQ(t.ctx.dev.two[0].Series, QStringLiteral("VT"));
    EXPECT_TRUE(t.ctx.dev.DevIsKZ[1]);
    EXPECT_EQ(t.ctx.dev.two[1].Size, QStringLiteral(" 28"));
    EXPECT_EQ(t.ctx.dev.two[1].Speed, QStringLiteral("L"));
    EXPECT_EQ(t.ctx.dev.two[1].Stroke, 100);
    EXPECT_EQ(t.ctx.dev.two[1].PPR, 400);
    EXPECT_TRUE(t.ctx.dev.DevNewType[1]);
    EXPECT_TRUE(t.ctx.dev.DevVertical[1]);
    EXPECT_TRUE(t.ctx.dev.DevWithPG[1]);
}
