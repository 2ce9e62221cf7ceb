#include "catalogue/Catalogue.h"

#include "testsupport/ActuatorTestSupport.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

namespace {

const QString kLongMissing = QStringLiteral(
    "No device list file.\r\nPut device list file in the folder in which the program is saved "
    "in order to indicate device information correctly.");
const QString kShortMissing = QStringLiteral("No device list file.");

// A catalogue of n records "<size><speed>-<stroke>" with lead 1 + r % 7.
QStringList GeneratedList(int count, int records) {
    QStringList l{QString::number(count)};
    for (int r = 1; r <= records; ++r)
        l << QStringLiteral("\"%1A-%2\",%3,400,1,1").arg(r % 900 + 100).arg(r % 900 + 10).arg(1 + r % 7);
    return l;
}

struct CatalogueTest : ::testing::Test {
    TestPlatform pf;
    CatalogueApp app{pf};
    AppContext& ctx = app.ctx;

    // Slot s of the product reads the file of this series and new-type flag.
    void choose(Product p, int s, const QString& series, bool committedNew, bool dialogNew) {
        ctx.dev.axes(p)[s].Series = series;
        ctx.dev.DevNewType[s] = committedNew;
        ctx.dev.SelNewType[s] = dialogNew;
    }
    std::vector<QString> sizes(Product p, int s) const { return ctx.cat.slots(p)[s].SizeList; }
};

} // namespace

TEST(CatalogueFile, FollowsSeriesAndType) {
    struct Case { const char* series; bool newType; const char* file; };
    const Case cases[] = {
        {"KZ", true, "nkzdevice.lst"}, {"KZ", false, "kzdevice.lst"},
        {"VT", true, "vtdevice.lst"},  {"", false, "vtdevice.lst"},
        {"kz", true, "vtdevice.lst"},  {"KZ ", false, "vtdevice.lst"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DevListFileName(QString::fromLatin1(c.series), c.newType), QString::fromLatin1(c.file))
            << c.series << " " << c.newType;
}

TEST_F(CatalogueTest, TheLoadFlagPicksCommittedOrDialogType) {
    app.writeFile(QStringLiteral("kzdevice.lst"), {"1", R"(" 11A-100",2,400,0,0)"});
    app.writeFile(QStringLiteral("nkzdevice.lst"), {"1", R"(" 22B-100",2,400,0,0)"});
    choose(Product::TwoAxis, 0, QStringLiteral("KZ"), false, true);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 0), 0);
    EXPECT_EQ(sizes(Product::TwoAxis, 0), std::vector<QString>{QStringLiteral(" 11")});
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 1), 0);
    EXPECT_EQ(sizes(Product::TwoAxis, 0), std::vector<QString>{QStringLiteral(" 22")});
}

TEST_F(CatalogueTest, RecordsGiveSizeSpeedStrokeAndTheSizeList) {
    // Records one per line or run on; the model code keeps its leading blank.
    app.writeFile(QStringLiteral("vtdevice.lst"),
                  {"5", R"(" 39T-100",4,400,2,1," 47H-50",10,400,1,0)", R"(" 39H-200",8,200,0,2)",
                   R"("R47H-50",10,400,2,2)", R"("r47H-50",12,400,0,0)", R"("ignored after the count",1,1,1,1)"});
    choose(Product::TwoAxis, 0, QStringLiteral("VT"), false, false);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 0), 0);
    const CatalogueSlot& s = ctx.cat.two[0];
    ASSERT_EQ(s.ListCount, 5);
    EXPECT_EQ(s.List[1].size(), QStringLiteral(" 39"));
    EXPECT_EQ(s.List[1].speed(), QStringLiteral("T"));
    EXPECT_EQ(s.List[1].stroke(), 100);
    EXPECT_EQ(s.List[1].cell[4].toNumber(), 4);  // lead
    EXPECT_EQ(s.List[1].cell[7].toNumber(), 400); // pulses per revolution
    EXPECT_EQ(s.List[1].cell[5].toNumber(), 2);  // PG
    EXPECT_EQ(s.List[1].cell[6].toNumber(), 1);  // vertical use
    EXPECT_EQ(s.List[4].size(), QStringLiteral("R47"));
    EXPECT_EQ(s.List[4].stroke(), 50);
    // Distinct sizes in order of first appearance; letter case counts.
    EXPECT_EQ(sizes(Product::TwoAxis, 0),
              (std::vector<QString>{QStringLiteral(" 39"), QStringLiteral(" 47"), QStringLiteral("R47"),
                                    QStringLiteral("r47")}));
    EXPECT_FALSE(DevListError(ctx, Product::TwoAxis, 0));
    EXPECT_TRUE(pf.msg.shown.empty());
}

TEST_F(CatalogueTest, MalformedAndMissingFilesFailTheLoad) {
    struct Case { const char* what; QStringList lines; bool loads; int count; };
    const Case cases[] = {
        {"count 99", GeneratedList(99, 99), true, 99},
        {"count 100", GeneratedList(100, 100), false, 0},
        {"count 5, 4 records", GeneratedList(5, 4), false, 0},
        {"record cut short", {"1", R"(" 28L-100",6)"}, false, 0},
        {"count beyond 16 bits", {"40000"}, false, 0},
        {"count 0", {"0"}, true, 0},
        {"negative count", {"-3"}, true, -3},
        {"count without a number", {"\"none\""}, true, 0},
        {"empty file", {}, false, 0},
        {"a blank line: one empty count", {""}, true, 0},
    };
    for (const auto& c : cases) {
        // Start from a loaded catalogue: nothing of it may survive the load.
        choose(Product::TwoAxis, 0, QStringLiteral("KZ"), true, true);
        ASSERT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 0), 0);
        GetDevSpeedList(ctx, Product::TwoAxis, 0, QStringLiteral(" 28"));
        pf.msg.clear();

        app.writeFile(QStringLiteral("vtdevice.lst"), c.lines);
        choose(Product::TwoAxis, 0, QStringLiteral("VT"), false, false);
        const int status = LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 0);
        const CatalogueSlot& s = ctx.cat.two[0];
        EXPECT_EQ(status, c.loads ? 0 : 1) << c.what;
        EXPECT_EQ(DevListError(ctx, Product::TwoAxis, 0), !c.loads) << c.what;
        EXPECT_EQ(s.ListCount, c.count) << c.what;
        EXPECT_TRUE(s.SpeedList.empty()) << c.what;
        if (c.count <= 0) {
            EXPECT_TRUE(s.SizeList.empty()) << c.what;
        }
        if (c.loads) {
            EXPECT_TRUE(pf.msg.shown.empty()) << c.what;
        } else {
            ASSERT_EQ(pf.msg.shown.size(), 1u) << c.what;
            EXPECT_EQ(pf.msg.lastText(), kLongMissing) << c.what;
            EXPECT_EQ(pf.msg.shown[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(s.searchable(), 0) << c.what << ": records of the earlier catalogue remain";
            EXPECT_TRUE(s.SizeList.empty()) << c.what;
        }
    }
    // The missing file itself.
    app.removeFile(QStringLiteral("vtdevice.lst"));
    pf.msg.clear();
    EXPECT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 0, 0), 1);
    EXPECT_EQ(pf.msg.lastText(), kLongMissing);
}

TEST_F(CatalogueTest, JapaneseMissingMessage) {
    ctx.setLanguage(1);
    app.removeFile(QStringLiteral("kzdevice.lst"));
    choose(Product::OneAxis, 0, QStringLiteral("KZ"), false, false);
    EXPECT_EQ(LoadDeviceList(ctx, Product::OneAxis, 0), 1);
    EXPECT_EQ(pf.msg.lastText(),
              QStringLiteral("機種のリストファイルがありません。\r\n"
                             "機種を正しく表示させるためには、プログラムと同じフォルダに機種リストファイルをおいてください。"));
}

// A load reads the slot of each axis the product uses, slot 1 only for the
// two-axis product, and stops at the first slot that fails.
TEST_F(CatalogueTest, ALoadReadsTheProductsSlotsAndStopsAtTheFirstFailure) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        const int16_t slot1 = p == Product::TwoAxis ? 19 : 0;
        choose(p, 0, QStringLiteral("KZ"), true, true);
        choose(p, 1, QStringLiteral("KZ"), true, true);
        ASSERT_EQ(LoadDeviceList(ctx, p, 0), 0);
        ASSERT_EQ(ctx.cat.slots(p)[1].ListCount, slot1);

        choose(p, 0, QStringLiteral("VT"), false, false);
        choose(p, 1, QStringLiteral("VT"), false, false);
        app.removeFile(QStringLiteral("vtdevice.lst"));
        pf.msg.clear();
        EXPECT_EQ(LoadDeviceList(ctx, p, 0), 1);
        EXPECT_EQ(pf.msg.shown.size(), 1u);
        EXPECT_TRUE(DevListError(ctx, p, 0));
        EXPECT_FALSE(DevListError(ctx, p, 1));
        EXPECT_EQ(ctx.cat.slots(p)[1].ListCount, slot1) << "slot 1 is left as it was";

        // Slot 0 of KZ, slot 1 of the missing VT list.
        choose(p, 0, QStringLiteral("KZ"), true, true);
        pf.msg.clear();
        EXPECT_EQ(LoadDeviceList(ctx, p, 0), p == Product::TwoAxis ? 1 : 0);
        EXPECT_EQ(pf.msg.shown.size(), p == Product::TwoAxis ? 1u : 0u);
        EXPECT_EQ(ctx.cat.slots(p)[0].ListCount, 19);
        app.writeFile(QStringLiteral("vtdevice.lst"), {"0"});
    }
}

TEST_F(CatalogueTest, ManySizesFitBothProducts) {
    // Twelve distinct sizes: the size lists grow as the catalogue needs.
    QStringList l{"12"};
    for (int i = 0; i < 12; ++i) l << QStringLiteral("\"S%1L-100\",6,400,1,1").arg(i, 2, 10, QLatin1Char('0'));
    app.writeFile(QStringLiteral("vtdevice.lst"), l);
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        choose(p, 0, QStringLiteral("VT"), false, false);
        EXPECT_EQ(LoadDeviceListAxis(ctx, p, 0, 0), 0);
        EXPECT_EQ(sizes(p, 0).size(), 12u);
    }
}

TEST_F(CatalogueTest, SpeedListOfOneSize) {
    QStringList l{"10"};
    for (const char* sp : {"T", "H", "T", "M", "A", "B", "C", "D"})
        l << QStringLiteral("\" 39%1-100\",4,400,1,1").arg(QLatin1String(sp));
    l << R"(" 47Z-100",4,400,1,1)" << R"(" 39T-200",4,400,1,1)";
    app.writeFile(QStringLiteral("vtdevice.lst"), l);
    choose(Product::OneAxis, 0, QStringLiteral("VT"), false, false);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::OneAxis, 0, 0), 0);
    GetDevSpeedList(ctx, Product::OneAxis, 0, QStringLiteral(" 39"));
    EXPECT_EQ(ctx.cat.one[0].SpeedList,
              (std::vector<QString>{"T", "H", "M", "A", "B", "C", "D"}));
    GetDevSpeedList(ctx, Product::OneAxis, 0, QStringLiteral(" 99"));
    EXPECT_TRUE(ctx.cat.one[0].SpeedList.empty());
    // A new load empties the speed list until the dialog rebuilds it.
    GetDevSpeedList(ctx, Product::OneAxis, 0, QStringLiteral(" 47"));
    ASSERT_EQ(ctx.cat.one[0].SpeedList.size(), 1u);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::OneAxis, 0, 0), 0);
    EXPECT_TRUE(ctx.cat.one[0].SpeedList.empty());
}

TEST(CheckDevCode, FormOfTheModelCode) {
    struct Case { const char* size; const char* speed; int stroke; int want; };
    const Case cases[] = {
        {" 28", "L", 10, 0},  {" 28", "L", 999, 0}, {" 28", "L", 9, 1},  {" 28", "L", 1000, 1},
        {"28", "L", 100, 1},  {" 28", "l", 100, 1}, {" 28", "LX", 100, 0}, {" 28", "", 100, 1},
        {"R47", "H", 50, 0},  {" 28 ", "L", 100, 1}, {" 28", "1", 100, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckDevCode(QString::fromLatin1(c.size), QString::fromLatin1(c.speed), c.stroke), c.want)
            << "'" << c.size << "' '" << c.speed << "' " << c.stroke;
}

TEST_F(CatalogueTest, FileLookupsOfTheShippedCatalogues) {
    const QString kz = QStringLiteral("KZ"), vt = QStringLiteral("VT");
    struct Case { bool newType; QString series; const char* size; const char* speed; int stroke;
                  int lead; int pg; int vert; };
    const Case cases[] = {
        {true, kz, " 28", "L", 100, 6, 1, 2},    // the first-start default
        {true, kz, " 39", "T", 100, 4, 2, 1},
        {true, kz, " 39", "H", 100, 16, 0, 0},
        {true, kz, " 67", "R", 100, 12, 0, 2},   // the special model
        {false, kz, " 28", "L", 100, 6, 1, 1},
        {false, kz, " 39", "M", 200, 8, 1, 2},
        {false, vt, "R47", "H", 50, 10, 2, 2},
        {true, kz, " 28", "L", 10, 0, 99, 99},   // "10" is not "100"
        {true, kz, " 28", "Q", 100, 0, 99, 99},
        {false, kz, " 67", "R", 200, 0, 99, 99},
    };
    for (const auto& c : cases) {
        const QString size = QString::fromLatin1(c.size), speed = QString::fromLatin1(c.speed);
        EXPECT_EQ(GetDevLead(ctx, c.newType, c.series, size, speed, c.stroke), c.lead) << c.size << c.speed << c.stroke;
        const int ppr = c.lead == 0 ? 0 : (size == QLatin1String(" 67") ? 192 : 400);
        const DevLeadPpr lp = GetDevLeadPpr(ctx, c.newType, c.series, size, speed, c.stroke);
        EXPECT_EQ(lp.lead, c.lead) << c.size << c.speed << c.stroke;
        EXPECT_EQ(lp.ppr, ppr) << c.size << c.speed << c.stroke;
        EXPECT_EQ(GetDevPgCode(ctx, c.newType, c.series, size, speed, c.stroke), c.pg) << c.size << c.speed;
        EXPECT_EQ(GetDevVertCode(ctx, c.newType, c.series, size, speed, c.stroke), c.vert) << c.size << c.speed;
        EXPECT_EQ(FindDevModel(ctx, c.newType, c.series, size, speed, c.stroke), c.lead ? 0 : 1);
        EXPECT_EQ(CheckDevListFile(ctx, c.newType, c.series, size, speed, c.stroke), 0);
    }
    EXPECT_TRUE(pf.msg.shown.empty()) << "a model that is not listed shows no message";
    // A size listed only under other speed letters is found.
    EXPECT_EQ(FindDevSize(ctx, true, kz, QStringLiteral(" 67")), 0);
    EXPECT_EQ(FindDevSize(ctx, false, kz, QStringLiteral(" 47")), 0);
    EXPECT_EQ(FindDevSize(ctx, true, kz, QStringLiteral(" 47")), 1);
    EXPECT_EQ(FindDevSize(ctx, false, vt, QStringLiteral(" 67")), 1);
}

TEST_F(CatalogueTest, FileLookupsWhenTheFileCannotBeRead) {
    app.removeFile(QStringLiteral("vtdevice.lst"));
    const QString vt = QStringLiteral("VT"), sz = QStringLiteral(" 20"), sp = QStringLiteral("L");
    struct Case { const char* what; std::function<int()> call; int want; const QString& text; };
    const Case cases[] = {
        {"CheckDevListFile", [&] { return CheckDevListFile(ctx, false, vt, sz, sp, 100); }, 1, kShortMissing},
        {"FindDevSize", [&] { return FindDevSize(ctx, false, vt, sz); }, 1, kShortMissing},
        {"GetDevLead", [&] { return GetDevLead(ctx, false, vt, sz, sp, 100); }, 0, kLongMissing},
        {"GetDevPgCode", [&] { return GetDevPgCode(ctx, false, vt, sz, sp, 100); }, 99, kShortMissing},
        {"GetDevVertCode", [&] { return GetDevVertCode(ctx, false, vt, sz, sp, 100); }, 99, kShortMissing},
        {"FindDevModel", [&] { return FindDevModel(ctx, false, vt, sz, sp, 100); }, 1, kShortMissing},
    };
    for (const auto& c : cases) {
        pf.msg.clear();
        EXPECT_EQ(c.call(), c.want) << c.what;
        ASSERT_EQ(pf.msg.shown.size(), 1u) << c.what;
        EXPECT_EQ(pf.msg.lastText(), c.text) << c.what;
    }
    // A short file cannot be read either.
    app.writeFile(QStringLiteral("vtdevice.lst"), GeneratedList(3, 2));
    pf.msg.clear();
    EXPECT_EQ(CheckDevListFile(ctx, false, vt, sz, sp, 100), 1);
    EXPECT_EQ(pf.msg.lastText(), kShortMissing);
}

TEST_F(CatalogueTest, FileLookupsReadTheWholeFileAndTakeTheFirstMatch) {
    QStringList l = GeneratedList(152, 150);
    l << R"(" 28L-100",6,400,1,1)" << R"(" 28L-100",9,800,2,2)";
    app.writeFile(QStringLiteral("vtdevice.lst"), l);
    const QString vt = QStringLiteral("VT");
    EXPECT_EQ(FindDevModel(ctx, false, vt, QStringLiteral("250"), QStringLiteral("A"), 160), 0); // record 150
    EXPECT_EQ(GetDevLead(ctx, false, vt, QStringLiteral(" 28"), QStringLiteral("L"), 100), 6);
    EXPECT_EQ(GetDevPgCode(ctx, false, vt, QStringLiteral(" 28"), QStringLiteral("L"), 100), 1);
    // A lead that cannot divide marks the model as not listed.
    app.writeFile(QStringLiteral("vtdevice.lst"), {"1", R"(" 28L-100",0,400,1,1)"});
    EXPECT_EQ(GetDevLead(ctx, false, vt, QStringLiteral(" 28"), QStringLiteral("L"), 100), 0);
}

TEST_F(CatalogueTest, FindDevInfoSetsTheLeadOfEachAxisFound) {
    for (int a = 0; a < 2; ++a) {
        choose(Product::TwoAxis, a, QStringLiteral("KZ"), true, true);
        ctx.dev.two[a].Lead = 99;
        ctx.dev.two[a].PPR = 99;
    }
    ASSERT_EQ(LoadDeviceList(ctx, Product::TwoAxis, 1), 0);
    auto& x = ctx.dev.two;
    x[0].SelSize = QStringLiteral(" 99"); x[0].SelSpeed = QStringLiteral("L"); x[0].SelStroke = 100;
    x[1].SelSize = QStringLiteral(" 39"); x[1].SelSpeed = QStringLiteral("T"); x[1].SelStroke = 200;
    FindDevInfo(ctx, Product::TwoAxis);
    EXPECT_TRUE(ctx.opt.DevNotFound);
    EXPECT_EQ(x[0].Lead, 99);
    EXPECT_EQ(x[1].Lead, 4);
    EXPECT_EQ(x[1].PPR, 99) << "pulses per revolution are not touched";
    ASSERT_EQ(pf.msg.shown.size(), 1u);
    EXPECT_EQ(pf.msg.lastText(), QStringLiteral("Can not find information of selected actuator type."));

    pf.msg.clear();
    x[0].SelSize = QStringLiteral(" 67"); x[0].SelSpeed = QStringLiteral("R"); x[0].SelStroke = 200;
    FindDevInfo(ctx, Product::TwoAxis);
    EXPECT_FALSE(ctx.opt.DevNotFound);
    EXPECT_EQ(x[0].Lead, 12);
    EXPECT_TRUE(pf.msg.shown.empty());
}

TEST_F(CatalogueTest, ApplyDeviceListSetsLeadAndPulsesOfTheCommittedModels) {
    for (int a = 0; a < 2; ++a) choose(Product::TwoAxis, a, QStringLiteral("KZ"), true, true);
    ASSERT_EQ(LoadDeviceList(ctx, Product::TwoAxis, 0), 0);
    auto& x = ctx.dev.two;
    for (int a = 0; a < 2; ++a) { x[a].Lead = 99; x[a].PPR = 99; }
    // Axis 1 missing: axis 2 is not looked at.
    x[0].Size = QStringLiteral(" 99"); x[0].Speed = QStringLiteral("L"); x[0].Stroke = 100;
    x[1].Size = SpecialModel::size(); x[1].Speed = SpecialModel::speed(); x[1].Stroke = 100;
    ApplyDeviceList(ctx, Product::TwoAxis);
    EXPECT_TRUE(ctx.opt.DevNotFound);
    EXPECT_EQ(x[1].Lead, 99);
    EXPECT_EQ(pf.msg.lastText(), QStringLiteral("Fail to find device information..."));

    x[0].Size = QStringLiteral(" 28");
    ApplyDeviceList(ctx, Product::TwoAxis);
    EXPECT_FALSE(ctx.opt.DevNotFound);
    EXPECT_EQ(x[0].Lead, 6);
    EXPECT_EQ(x[0].PPR, 400);
    EXPECT_EQ(x[1].Lead, 12);
    EXPECT_EQ(x[1].PPR, 192);

    // The one-axis lookup looks at entry 0 only and names the model in its message.
    ctx.setLanguage(1);
    choose(Product::OneAxis, 0, QStringLiteral("KZ"), true, true);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::OneAxis, 0, 0), 0);
    ctx.dev.one[0].Size = QStringLiteral(" 28"); ctx.dev.one[0].Speed = QStringLiteral("T");
    ctx.dev.one[0].Stroke = 300;
    ApplyDeviceList(ctx, Product::OneAxis);
    EXPECT_TRUE(ctx.opt.DevNotFound);
    EXPECT_EQ(pf.msg.lastText(), QStringLiteral("選択した機種の情報が見つかりませんでした。"));
    ctx.dev.one[0].Stroke = 100;
    ApplyDeviceList(ctx, Product::OneAxis);
    EXPECT_FALSE(ctx.opt.DevNotFound);
    EXPECT_EQ(ctx.dev.one[0].Lead, 3);
}

TEST_F(CatalogueTest, ALeadOrPulseCountOfZeroCountsAsNotFound) {
    app.writeFile(QStringLiteral("vtdevice.lst"),
                  {"3", R"(" 28L-100",0,400,1,1)", R"(" 28H-100",6,0,1,1)", R"(" 28M-100",-6,400,1,1)"});
    choose(Product::OneAxis, 0, QStringLiteral("VT"), false, false);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::OneAxis, 0, 0), 0);
    for (const char* speed : {"L", "H", "M"}) {
        auto& x = ctx.dev.one[0];
        x.Size = x.SelSize = QStringLiteral(" 28");
        x.Speed = x.SelSpeed = QString::fromLatin1(speed);
        x.Stroke = x.SelStroke = 100;
        x.Lead = 5; x.PPR = 500;
        ApplyDeviceList(ctx, Product::OneAxis);
        EXPECT_TRUE(ctx.opt.DevNotFound) << speed;
        FindDevInfo(ctx, Product::OneAxis);
        EXPECT_TRUE(ctx.opt.DevNotFound) << speed;
        EXPECT_EQ(x.Lead, 5) << speed;
        EXPECT_EQ(x.PPR, 500) << speed;
    }
}

TEST_F(CatalogueTest, LargestPositionInPulsesAndMillimetres) {
    struct Case { int stroke, lead, ppr; int32_t maxPulse; double maxMm; };
    const Case cases[] = {
        {100, 6, 400, 6667, 100.005},  // 6666.67 -> 6666.7 -> 6667
        {50, 2, 400, 10000, 50},
        {150, 6, 400, 10000, 150},
        {1, 25, 1, 0, 0},              // 0.04 -> 0.0: no raise
        {3, 50, 1, 1, 50},             // 0.06 -> 0.1: raised to 1
        {23, 50, 5435, 2501, 23.008},  // 2500.1 -> 2501
        {100, 12, 192, 1600, 100},     // the special model
        {100, 0, 400, 0, 0},           // cannot divide
        {100, 6, 0, 0, 0},
        {100, -6, 400, 0, 0},
    };
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        for (const auto& c : cases) {
            for (auto& a : ctx.dev.axes(p)) {
                a.Stroke = int16_t(c.stroke); a.Lead = int16_t(c.lead); a.PPR = int16_t(c.ppr);
            }
            CulcMaxPulse(ctx, p);
            CalcMaxMm(ctx, p);
            for (const auto& a : ctx.dev.axes(p)) {
                EXPECT_EQ(a.MaxPulse, c.maxPulse) << c.stroke << "/" << c.lead << "x" << c.ppr;
                EXPECT_DOUBLE_EQ(a.MaxMm, c.maxMm) << c.stroke << "/" << c.lead << "x" << c.ppr;
            }
        }
    }
    // 6666 pulses at lead 6 give 99.99 mm; never more than three decimals
    // and never above the exact value.
    auto& a = ctx.dev.two[0];
    a.Lead = 6; a.PPR = 400; a.MaxPulse = 6666;
    CalcMaxMm(ctx, Product::TwoAxis);
    EXPECT_DOUBLE_EQ(a.MaxMm, 99.99);
    a.Lead = 7; a.PPR = 3000; a.MaxPulse = 10001;  // 23.335666... mm
    CalcMaxMm(ctx, Product::TwoAxis);
    EXPECT_DOUBLE_EQ(a.MaxMm, 23.335);
}

TEST(CatalogueLabels, ModelAndPulseRateTexts) {
    EXPECT_EQ(DeviceNameText(true, QStringLiteral(" 28"), QStringLiteral("L"), 100), QStringLiteral("KZ- 28L-100"));
    EXPECT_EQ(DeviceNameText(false, QStringLiteral("R47"), QStringLiteral("H"), 50), QStringLiteral("VT-R47H-50"));
    struct Case { int axis, lead, ppr, lang; const char* want; };
    const Case cases[] = {
        {1, 6, 400, 2, "<1>1mm = 66.667Pulse / 1Pulse= 0.015mm"},
        {1, 10, 400, 2, "<1>1mm = 40Pulse / 1Pulse= 0.025mm"},
        {2, 3, 400, 2, "<2>1mm = 133.333Pulse / 1Pulse= 0.008mm"},  // 0.0075: the half goes up
        {1, 12, 192, 2, "<1>1mm = 16Pulse / 1Pulse= 0.063mm"},       // 0.0625
        {1, 6, 400, 1, "<1>1mm = 66.667ﾊﾟﾙｽ / 1ﾊﾟﾙｽ= 0.015mm"},
        {1, 0, 400, 2, ""},
        {2, 6, 0, 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PulseRateText(c.axis, c.lead, c.ppr, c.lang), QString::fromUtf8(c.want)) << c.want;
}

TEST_F(CatalogueTest, LabelsOfEachProduct) {
    RecordingWindow win;
    ctx.dev.DevIsKZ = {true, false};
    ctx.dev.two[0].Size = QStringLiteral(" 28"); ctx.dev.two[0].Speed = QStringLiteral("L");
    ctx.dev.two[0].Stroke = 100; ctx.dev.two[0].Lead = 6; ctx.dev.two[0].PPR = 400;
    ctx.dev.two[1].Size = QStringLiteral(" 20"); ctx.dev.two[1].Speed = QStringLiteral("H");
    ctx.dev.two[1].Stroke = 50; ctx.dev.two[1].Lead = 0; ctx.dev.two[1].PPR = 400;
    ShowDeviceName(ctx, Product::TwoAxis, win);
    ShowPulseRate(ctx, Product::TwoAxis, win);
    EXPECT_EQ(win.label(Product::TwoAxis, 0), QStringLiteral("KZ- 28L-100"));
    EXPECT_EQ(win.label(Product::TwoAxis, 1), QStringLiteral("VT- 20H-50"));
    EXPECT_EQ(win.panels[2], QStringLiteral("<1>1mm = 66.667Pulse / 1Pulse= 0.015mm"));
    EXPECT_EQ(win.panels[3], QString());

    RecordingWindow one;
    ctx.dev.one[0] = ctx.dev.two[0];
    ctx.dev.one[1] = ctx.dev.two[0];
    ShowDeviceName(ctx, Product::OneAxis, one);
    ShowPulseRate(ctx, Product::OneAxis, one);
    EXPECT_EQ(one.labels.size(), 1u);
    EXPECT_EQ(one.label(Product::OneAxis, 0), QStringLiteral("KZ- 28L-100"));
    EXPECT_EQ(one.panels[2], QStringLiteral("<1>1mm = 66.667Pulse / 1Pulse= 0.015mm"));
    EXPECT_EQ(one.panels[3], QString());
}

TEST_F(CatalogueTest, AShortModelCodeGivesShortCells) {
    app.writeFile(QStringLiteral("vtdevice.lst"), {"3", R"("28",6,400,1,1)", R"(" 28L",6,400,1,1)", "12345678,6,400,1,1"});
    choose(Product::TwoAxis, 1, QStringLiteral("VT"), false, false);
    ASSERT_EQ(LoadDeviceListAxis(ctx, Product::TwoAxis, 1, 0), 0);
    const CatalogueSlot& s = ctx.cat.two[1];
    EXPECT_EQ(s.List[1].size(), QStringLiteral("28"));
    EXPECT_EQ(s.List[1].speed(), QString());
    EXPECT_EQ(s.List[1].stroke(), 0);
    EXPECT_EQ(s.List[2].speed(), QStringLiteral("L"));
    EXPECT_EQ(s.List[2].stroke(), 0);
    // An unquoted code is read as a number and still split by its characters.
    EXPECT_EQ(s.List[3].size(), QStringLiteral("123"));
    EXPECT_EQ(s.List[3].stroke(), 678);
}
