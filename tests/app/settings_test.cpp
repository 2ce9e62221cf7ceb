#include "app/DeviceSettings.h"
#include "app/Settings.h"
#include "app/StartUp.h"
#include "mainwin/MainFrame.h"
#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/AppFixture.h"
#include "testsupport/FullDiskSave.h"

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
    QtSettingsStore store;
    TestApp app{{.store = &store, .doubles = Doubles::None}};
    AppContext& ctx = app.ctx;
    FakeMessageBoxes& msg = app.msg;
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
        app.ctx.setLanguage(language);
        const QStringList report = SaveOnFullDisk(file, [&app] {
            Settings& s = app.ctx.settings;
            QStringList r;
            r << (s.saveInt(QStringLiteral("Language"), 1) ? QStringLiteral("saved") : QStringLiteral("failed"));
            r << (s.saveInt(QStringLiteral("PortNo"), 2) ? QStringLiteral("saved") : QStringLiteral("failed"));
            // The run goes on with the new values.
            r << s.text(QStringLiteral("Language"), QString()) << s.text(QStringLiteral("PortNo"), QString());
            return r + ShownTexts(app.msg);
        });
        const QString told = language == 1
                                 ? QStringLiteral("設定を保存できませんでした。変更した設定は次回の起動時には残りません。")
                                 : QStringLiteral("The settings could not be saved. The change will be lost at the next start.");
        EXPECT_EQ(report, (QStringList{QStringLiteral("failed"), QStringLiteral("failed"), QStringLiteral("1"),
                                       QStringLiteral("2"), told + QStringLiteral("\r\n") + file}))
            << language;
    }
}

// A setting that the options edit, written by hand outside the range the
// options allow, loads as its default: a move time-out of 0 or below would
// end every move at its first tick, a port of 12 opens nothing. The range
// judges the value as stored, before it is rounded: a time-out of 0.6 is no
// time-out of 1 used as 0.6.
TEST(Settings, OptionsOutsideTheirRangesLoadAsTheirDefaults) {
    struct Case { const char* key; const char* stored; double want; };
    const Case cases[] = {
        {"MoveTimeout", "0", 60},    {"MoveTimeout", "-5", 60},  {"MoveTimeout", "0.4", 60},
        {"MoveTimeout", "1000", 60}, {"MoveTimeout", "1e9", 60}, {"MoveTimeout", "1", 1},
        {"MoveTimeout", "2.5", 2.5}, {"MoveTimeout", "999", 999}, {"MoveTimeout", "7.5", 7.5},
        {"PortNo", "0", 1},          {"PortNo", "10", 1},         {"PortNo", "12", 1},
        {"PortNo", "-3", 1},         {"PortNo", "9", 9},
        {"Language", "0", 1},        {"Language", "3", 1},        {"Language", "2", 2},
        {"Controller", "0", 1},      {"Controller", "5", 1},      {"Controller", "2", 2},
        {"PortOccupy", "2", 0},      {"PortOccupy", "-1", 0},     {"PortOccupy", "1", 1},
        {"MoveTimeout", "0.6", 60},  {"MoveTimeout", "0.5", 60},  {"MoveTimeout", "999.4", 60},
        {"MoveTimeout", "1.25", 1.25}, {"PortNo", "9.4", 1},        {"PortNo", "0.6", 1},
        {"PortNo", "2.6", 3},        {"Language", "2.4", 1},      {"Controller", "2.4", 1},
        {"Controller", "1.6", 2},    {"PortOccupy", "1.4", 0},    {"PortOccupy", "-0.4", 0},
    };
    for (const auto& c : cases) {
        TestApp t; // in Japan: the stored language counts
        t.set(QString::fromLatin1(c.key), QString::fromLatin1(c.stored));
        // As the program starts: the product choice, then the main window.
        DecideLanguage(t.ctx);
        SelectWindowLoaded(t.ctx);
        LoadMainSettings(t.ctx);
        const ProgramOptions& o = t.ctx.opt;
        const QString k = QString::fromLatin1(c.key);
        const double got = k == QLatin1String("MoveTimeout") ? o.MoveTimeout
                           : k == QLatin1String("PortNo")    ? o.PortNo
                           : k == QLatin1String("Language")  ? o.LanguageNo
                           : k == QLatin1String("Controller") ? o.CtType
                                                              : double(o.PortOccupy);
        EXPECT_EQ(got, c.want) << c.key << "=" << c.stored;
    }
}

// What the options edit loads as its default when the stored value lies
// outside the range the options allow; the jog accelerations, which no
// window edits, load as 1 then.
TEST(Settings, TeachingValuesOutsideTheirRanges) {
    struct Case { const char* key; const char* stored; int want; };
    const Case cases[] = {
        {"VelOf100Pls", nullptr, 20}, {"VelOf100Pls", "0", 20}, {"VelOf100Pls", "61", 20}, {"VelOf100Pls", "60", 60},
        {"VelOf100Pls", "1", 1},      {"VelOf100Pls", "-3", 20},
        {"AccOf100Pls", nullptr, 3}, {"AccOf100Pls", "5", 3}, {"AccOf100Pls", "0", 3}, {"AccOf100Pls", "2", 2},
        {"AccOf100Pls2", nullptr, 2}, {"AccOf100Pls2", "3", 2}, {"AccOf100Pls2", "1", 1},
        {"AccOfJog", nullptr, 3}, {"AccOfJog", "4", 1},
        {"AccOfJog2", nullptr, 2}, {"AccOfJog2", "3", 1},
        // Judged as stored, before the value is rounded.
        {"VelOf100Pls", "60.4", 20}, {"VelOf100Pls", "0.6", 20}, {"VelOf100Pls", "59.6", 60},
        {"AccOf100Pls", "0.6", 3}, {"AccOf100Pls2", "2.4", 2}, {"AccOfJog", "3.4", 1}, {"AccOfJog2", "0.6", 1},
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

// A stored teaching value that is not a whole number in the 16-bit range
// stops the load with its message: what was read before it is taken, it and
// the values after it keep what they held.
TEST(Settings, ATeachingValueThatIsNoNumberStopsTheLoadWithItsMessage) {
    const char* keys[] = {"VelOf100Pls", "AccOf100Pls", "AccOf100Pls2", "AccOfJog", "AccOfJog2"};
    const int16_t stored[] = {30, 2, 1, 2, 1};
    for (int16_t language : {int16_t(1), int16_t(2)}) {
        for (int bad = 0; bad < 5; ++bad) {
            for (const char* text : {"x", "70000", ""}) {
                TestApp t({.language = language});
                for (int k = 0; k < 5; ++k)
                    t.set(QString::fromLatin1(keys[k]), k == bad ? QString::fromLatin1(text) : QString::number(stored[k]));
                TeachSettings& s = t.ctx.teach;
                s = TeachSettings{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
                EXPECT_EQ(LoadTeachSetting(t.ctx), 1) << keys[bad] << "=" << text;
                ASSERT_EQ(t.msg.shown.size(), size_t(1)) << keys[bad] << "=" << text;
                EXPECT_EQ(t.msg.lastText(), language == 1
                                                ? QStringLiteral("ﾃｨｰﾁﾝｸﾞ速度設定の読み込みでエラーが発生しました。")
                                                : QStringLiteral("An error occurred in reading the teaching speed settings."));
                EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::Ok);
                EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::None);
                const int16_t got[] = {s.VelOf100Pls, s.AccOf100Pls, s.AccOf100Pls2, s.AccOfJog, s.AccOfJog2};
                const int16_t twins[] = {s.VelOf1Pls, s.AccOf10Pls, s.AccOf1Pls2, s.AccOfJog, s.AccOfJog2};
                for (int k = 0; k < 5; ++k) {
                    const int16_t want = k < bad ? stored[k] : 9;
                    EXPECT_EQ(got[k], want) << keys[bad] << "=" << text << ": " << keys[k];
                    EXPECT_EQ(twins[k], want) << keys[bad] << "=" << text << ": " << keys[k];
                }
            }
        }
    }
}

TEST(DeviceSettings, SavingWritesEveryKeyOfTheAxesTheProductUses) {
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
        axes[1].Stroke = 200; axes[1].Lead = 10; axes[1].PPR = 800;
        SaveDeviceSetting(t.ctx, p);
        const bool two = p == Product::TwoAxis;
        const QString pre = two ? QString() : QStringLiteral("W3K");
        // A new-type actuator is saved, and kept, as vertical.
        EXPECT_TRUE(t.ctx.dev.DevVertical[0]);
        struct Key { const char* name; const char* axis1; const char* axis2; };
        const Key keys[] = {{"Device", "KZ", "VT"},   {"DevSize", " 28", " 45"}, {"DevSpeed", "L", "M"},
                            {"DevStroke", "100", "200"}, {"DevLead", "6", "10"},  {"DevPPR", "400", "800"},
                            {"NewType", "1", "0"},    {"Vertical", "1", "0"},  {"WithPG", "1", "0"}};
        for (const Key& k : keys) {
            const QString name = pre + QString::fromLatin1(k.name);
            EXPECT_EQ(t.get(name + QStringLiteral("1")), QString::fromLatin1(k.axis1)) << name.toStdString();
            // The one-axis product keeps its first axis only, and leaves the
            // keys of the two-axis product alone.
            EXPECT_EQ(t.get(name + QStringLiteral("2")), two ? QString::fromLatin1(k.axis2) : QStringLiteral("<absent>"))
                << name.toStdString();
            if (!two) {
                EXPECT_EQ(t.get(QString::fromLatin1(k.name) + QStringLiteral("1")), QStringLiteral("<absent>"));
            }
        }
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

namespace {

// A program whose catalogue files cannot be read: the saved lead is used.
struct NoCatalogueApp {
    TestPlatform pf;
    CatalogueApp app{pf};
    NoCatalogueApp() {
        for (const char* f : kCatalogueFiles) app.removeFile(QString::fromLatin1(f));
    }
    void set(const QString& key, const QString& value) { pf.set(key, value); }
};

} // namespace

TEST(DeviceSettings, ASavedLeadServesOnlyFromTwoToTenWhenTheCatalogueCannotBeRead) {
    struct Case { const char* stored; bool usable; int lead; };
    const Case cases[] = {{nullptr, true, 2}, {"2", true, 2}, {"7", true, 7}, {"10", true, 10},
                          {"1", false, 0},    {"11", false, 0}, {"0", false, 0}, {"-4", false, 0}, {"x", false, 0}};
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        for (const Case& c : cases) {
            NoCatalogueApp t;
            const QString key = p == Product::TwoAxis ? QStringLiteral("DevLead1") : QStringLiteral("W3KDevLead1");
            if (c.stored) t.set(key, QString::fromLatin1(c.stored));
            // The other product's lead is in range: it must not stand in.
            t.set(p == Product::TwoAxis ? QStringLiteral("W3KDevLead1") : QStringLiteral("DevLead1"), QStringLiteral("5"));
            if (p == Product::TwoAxis) t.set(QStringLiteral("DevLead2"), QStringLiteral("3"));
            auto& axes = t.app.ctx.dev.axes(p);
            axes[0].Lead = 0;
            const int status = LoadDeviceSetting(t.app.ctx, p);
            const std::string what = std::string(p == Product::TwoAxis ? "two-axis " : "one-axis ") +
                                     (c.stored ? c.stored : "(absent)");
            EXPECT_EQ(status, c.usable ? 0 : 1) << what;
            EXPECT_EQ(axes[0].Lead, c.lead) << what;
            if (c.usable) {
                EXPECT_EQ(axes[0].SelSize, QStringLiteral(" 28")) << what;
                EXPECT_DOUBLE_EQ(axes[0].MmPerPulse, c.lead / 400.0) << what;
            }
        }
    }
}

TEST(DeviceSettings, EachProductReadsItsOwnKeys) {
    // Two sets of values, one under the keys of each product.
    struct Key { const char* two; const char* one; const char* twoValue; const char* oneValue; };
    const Key keys[] = {{"Device1", "W3kDevice1", "KZ", "VT"},     {"DevSize1", "W3KDevSize1", " 28", " 39"},
                        {"DevSpeed1", "W3KDevSpeed1", "L", "T"},   {"DevStroke1", "W3KDevStroke1", "100", "200"},
                        {"DevLead1", "W3kDevLead1", "6", "4"},     {"DevPPR1", "W3kDevPPR1", "400", "800"},
                        {"NewType1", "W3KNewType1", "1", "0"},     {"Vertical1", "W3KVertical1", "1", "0"},
                        {"WithPG1", "W3KWithPG1", "1", "0"}};
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        NoCatalogueApp t;
        for (const Key& k : keys) {
            t.set(QString::fromLatin1(k.two), QString::fromLatin1(k.twoValue));
            t.set(QString::fromLatin1(k.one), QString::fromLatin1(k.oneValue));
        }
        AppContext& ctx = t.app.ctx;
        EXPECT_EQ(LoadDeviceSetting(ctx, p), 0);
        const bool two = p == Product::TwoAxis;
        const AxisActuator& a = ctx.dev.axes(p)[0];
        EXPECT_EQ(ctx.dev.DevIsKZ[0], two);
        EXPECT_EQ(a.Series, two ? QStringLiteral("KZ") : QStringLiteral("VT"));
        EXPECT_EQ(a.Size, two ? QStringLiteral(" 28") : QStringLiteral(" 39"));
        EXPECT_EQ(a.Speed, two ? QStringLiteral("L") : QStringLiteral("T"));
        EXPECT_EQ(a.Stroke, two ? 100 : 200);
        EXPECT_EQ(a.Lead, two ? 6 : 4);
        EXPECT_EQ(a.PPR, two ? 400 : 800);
        EXPECT_EQ(ctx.dev.DevNewType[0], two);
        EXPECT_EQ(ctx.dev.DevVertical[0], two);
        EXPECT_EQ(ctx.dev.DevWithPG[0], two);
    }

    // Settings kept from before the flags were per product: the one-axis
    // product reads the flags once shared.
    NoCatalogueApp old;
    old.set(QStringLiteral("W3KDevSize1"), QStringLiteral(" 39"));
    old.set(QStringLiteral("NewType1"), QStringLiteral("0"));
    old.set(QStringLiteral("Vertical1"), QStringLiteral("0"));
    old.set(QStringLiteral("WithPG1"), QStringLiteral("0"));
    EXPECT_EQ(LoadDeviceSetting(old.app.ctx, Product::OneAxis), 0);
    EXPECT_FALSE(old.app.ctx.dev.DevNewType[0]);
    EXPECT_FALSE(old.app.ctx.dev.DevVertical[0]);
    EXPECT_FALSE(old.app.ctx.dev.DevWithPG[0]);
    EXPECT_EQ(old.app.ctx.dev.one[0].Size, QStringLiteral(" 39"));
}
