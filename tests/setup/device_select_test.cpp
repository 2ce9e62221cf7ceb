#include "setup/DeviceSelect.h"

#include "catalogue/Catalogue.h"
#include "testsupport/ActuatorTestSupport.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

namespace {

using Items = std::vector<QString>;

struct DeviceSelectTest : ::testing::Test {
    TestPlatform pf;
    CatalogueApp app{pf};
    AppContext& ctx = app.ctx;

    // The committed model of an axis, as the start-up leaves it.
    void commit(Product p, int a, bool kz, bool newType, const char* size, const char* speed, int stroke,
                bool withPG = true, bool vertical = true) {
        ctx.dev.DevIsKZ[a] = kz;
        ctx.dev.DevNewType[a] = newType;
        ctx.dev.DevWithPG[a] = withPG;
        auto& x = ctx.dev.axes(p)[a];
        x.Size = QString::fromLatin1(size);
        x.Speed = QString::fromLatin1(speed);
        x.Stroke = int16_t(stroke);
        x.SelVertical = vertical;
    }
    void commitDefault(Product p) {
        for (int a = 0; a < 2; ++a) commit(p, a, true, true, " 28", "L", 100);
    }
};

} // namespace

TEST_F(DeviceSelectTest, LoadShowsTheCommittedModelsAndTheirOptions) {
    commitDefault(Product::TwoAxis);
    commit(Product::TwoAxis, 1, false, false, "R47", "H", 100, false, false);
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    EXPECT_TRUE(pf.msg.shown.empty());
    EXPECT_FALSE(d.DeviceSelectCancel);

    const DeviceAxisControls& a = d.axis(0);
    EXPECT_EQ(a.optKzSelect, 0);
    EXPECT_EQ(a.optNewOrOld, 0);
    EXPECT_TRUE(a.newOrOldEnabled);
    EXPECT_EQ(a.comboDeviceSize.items, (Items{" 28", " 39", " 67", "E35"}));
    EXPECT_EQ(a.comboDeviceSize.text, QStringLiteral(" 28"));
    EXPECT_EQ(a.comboDeviceSpeed.items, (Items{"L", "H", "T"}));
    EXPECT_EQ(a.comboDeviceSpeed.text, QStringLiteral("L"));
    EXPECT_EQ(a.comboDeviceStroke.items, (Items{"50", "100", "150", "200"}));
    EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("100"));
    // " 28L-100" of the new-type list: PG selectable, LS sensor always (the
    // old-type list would leave the home method free).
    EXPECT_TRUE(a.pgVisible);
    EXPECT_TRUE(a.pgChecked);
    EXPECT_FALSE(a.homeMethodEnabled);
    EXPECT_EQ(a.optHomeMethod, 1);
    EXPECT_EQ(ctx.dev.two[0].Series, QStringLiteral("KZ"));
    EXPECT_TRUE(ctx.dev.SelNewType[0]);

    const DeviceAxisControls& b = d.axis(1);
    EXPECT_EQ(b.optKzSelect, 1);
    EXPECT_FALSE(b.newOrOldEnabled);
    EXPECT_EQ(ctx.dev.two[1].Series, QStringLiteral("VT"));
    EXPECT_FALSE(ctx.dev.SelNewType[1]);
    EXPECT_EQ(b.comboDeviceSize.text, QStringLiteral("R47"));
    EXPECT_EQ(b.comboDeviceStroke.items, (Items{"50", "100"}));
    // "R47H-100": PG always fitted, LS sensor always.
    EXPECT_FALSE(b.pgVisible);
    EXPECT_TRUE(b.pgChecked);
    EXPECT_FALSE(b.homeMethodEnabled);
    EXPECT_EQ(b.optHomeMethod, 1);

    // The chosen values start as the committed ones.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ctx.dev.two[i].SelSize, ctx.dev.two[i].Size);
        EXPECT_EQ(ctx.dev.two[i].SelSpeed, ctx.dev.two[i].Speed);
        EXPECT_EQ(ctx.dev.two[i].SelStroke, ctx.dev.two[i].Stroke);
    }
}

TEST_F(DeviceSelectTest, OptionCodesDriveThePgBoxAndTheHomeMethod) {
    struct Case {
        const char* size; const char* speed; bool withPG; bool vertical;
        bool pgVisible; bool pgChecked; bool homeFree; int home;
    };
    const Case cases[] = {
        {" 28", "L", true, false, true, true, false, 1},    // PG 1, vertical use 2
        {" 28", "L", false, false, true, false, false, 1},
        {" 39", "T", false, true, false, true, true, 1},    // PG 2, vertical use 1
        {" 39", "T", false, false, false, true, true, 0},
        {" 39", "H", true, true, false, false, false, 0},   // PG 0, vertical use 0
        {"E35", "L", true, true, true, true, false, 0},     // PG 1, vertical use 0
        {" 67", "R", true, true, false, false, false, 1},   // PG 0, vertical use 2
    };
    for (const auto& c : cases) {
        commit(Product::OneAxis, 0, true, true, c.size, c.speed, 100, c.withPG, c.vertical);
        DeviceSelect d(ctx, Product::OneAxis);
        d.Form_Load();
        const DeviceAxisControls& a = d.axis(0);
        const std::string what = std::string(c.size) + c.speed;
        EXPECT_EQ(a.comboDeviceSpeed.text, QString::fromLatin1(c.speed)) << what;
        EXPECT_EQ(a.pgVisible, c.pgVisible) << what;
        EXPECT_EQ(a.pgChecked, c.pgChecked) << what;
        EXPECT_EQ(a.homeMethodEnabled, c.homeFree) << what;
        EXPECT_EQ(a.optHomeMethod, c.home) << what;

        // OK hands the options over, the PG tick even of a hidden box.
        d.cmdDeviceSet_Click();
        EXPECT_EQ(ctx.dev.one[0].SelWithPG, c.pgChecked) << what;
        EXPECT_EQ(ctx.dev.one[0].SelVertical, c.home == 1) << what;
        EXPECT_EQ(ctx.dev.DevWithPG[0], c.withPG) << what << ": the one-axis OK leaves the committed flag";
        EXPECT_FALSE(ctx.opt.DevNotFound) << what;
    }
    EXPECT_TRUE(pf.msg.shown.empty());
}

TEST_F(DeviceSelectTest, OkHandsTheChoiceAndLooksItUp) {
    commitDefault(Product::TwoAxis);
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    // Axis 2: old type, size " 39", speed "M", stroke 300.
    d.optNewOrOld_Click(1, 1);
    TypeSize(d, 1, QStringLiteral(" 39"));
    TypeSpeed(d, 1, QStringLiteral("M"));
    EXPECT_EQ(d.axis(1).comboDeviceStroke.items, (Items{"100", "200", "300"}));
    d.axis(1).comboDeviceStroke.text = QStringLiteral("300");
    d.cmdDeviceSet_Click();

    EXPECT_FALSE(d.DeviceSelectCancel);
    EXPECT_FALSE(ctx.opt.DevNotFound);
    const auto& x = ctx.dev.two;
    EXPECT_EQ(x[0].SelSeries, QStringLiteral("KZ"));
    EXPECT_TRUE(ctx.dev.SelNewType[0]);
    EXPECT_EQ(x[0].SelSize, QStringLiteral(" 28"));
    EXPECT_EQ(x[0].Lead, 6);
    EXPECT_EQ(x[1].SelSeries, QStringLiteral("KZ"));
    EXPECT_FALSE(ctx.dev.SelNewType[1]);
    EXPECT_EQ(x[1].SelSize, QStringLiteral(" 39"));
    EXPECT_EQ(x[1].SelSpeed, QStringLiteral("M"));
    EXPECT_EQ(x[1].SelStroke, 300);
    EXPECT_EQ(x[1].Lead, 8);
    // " 39M-300" of the old-type list: PG selectable (committed PG on), LS sensor always.
    EXPECT_TRUE(ctx.dev.DevWithPG[1]);
    EXPECT_TRUE(x[1].SelVertical);
    // The dialog commits nothing.
    EXPECT_EQ(x[1].Size, QStringLiteral(" 28"));
    EXPECT_TRUE(ctx.dev.DevNewType[1]);
}

TEST_F(DeviceSelectTest, SwitchingToVtLocksTypeAndPg) {
    commitDefault(Product::TwoAxis);
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    d.optKzSelect_Click(0, 1);
    const DeviceAxisControls& a = d.axis(0);
    EXPECT_FALSE(a.newOrOldEnabled);
    EXPECT_FALSE(a.pgEnabled);
    EXPECT_FALSE(ctx.dev.SelNewType[0]);
    EXPECT_EQ(ctx.dev.two[0].Series, QStringLiteral("VT"));
    EXPECT_EQ(a.comboDeviceSize.items, (Items{" 20", " 30", "R47"}));
    // " 28" is not a VT size: the box falls back to the first size.
    EXPECT_EQ(a.comboDeviceSize.text, QStringLiteral(" 20"));
    EXPECT_EQ(a.comboDeviceSpeed.text, QStringLiteral("L"));
    EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("100"));
    d.axis(0).pgChecked = true;
    d.axis(0).optHomeMethod = 1;
    d.cmdDeviceSet_Click();
    EXPECT_EQ(ctx.dev.two[0].SelSeries, QStringLiteral("VT"));
    EXPECT_FALSE(ctx.dev.DevWithPG[0]);
    EXPECT_FALSE(ctx.dev.two[0].SelVertical);
    EXPECT_EQ(ctx.dev.two[0].Lead, 2);

    // And back to KZ: the type option decides the list again.
    DeviceSelect e(ctx, Product::TwoAxis);
    e.Form_Load();
    e.optKzSelect_Click(0, 1);
    e.optKzSelect_Click(0, 0);
    EXPECT_TRUE(e.axis(0).newOrOldEnabled);
    EXPECT_TRUE(e.axis(0).pgEnabled);
    EXPECT_TRUE(ctx.dev.SelNewType[0]);
    EXPECT_EQ(e.axis(0).comboDeviceSize.items, (Items{" 28", " 39", " 67", "E35"}));
}

TEST_F(DeviceSelectTest, CancelWritesNoChosenValue) {
    commitDefault(Product::TwoAxis);
    for (auto& x : ctx.dev.two) x.SelSeries = QStringLiteral("unset");
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    d.optKzSelect_Click(1, 1);
    d.cmdDeviceCancel_Click();
    EXPECT_TRUE(d.DeviceSelectCancel);
    EXPECT_EQ(ctx.dev.two[0].SelSeries, QStringLiteral("unset"));
    EXPECT_EQ(ctx.dev.two[1].SelSeries, QStringLiteral("unset"));
    EXPECT_FALSE(ctx.opt.DevNotFound);
}

TEST_F(DeviceSelectTest, SpeedAndStrokePreferTheCommittedModel) {
    commit(Product::OneAxis, 0, true, true, " 28", "L", 150);
    DeviceSelect d(ctx, Product::OneAxis);
    d.Form_Load();
    DeviceAxisControls& a = d.axis(0);

    // A size without the committed speed: its first speed and first stroke.
    TypeSize(d, 0, QStringLiteral(" 39"));
    EXPECT_EQ(a.comboDeviceSpeed.items, (Items{"T", "M", "H"}));
    EXPECT_EQ(a.comboDeviceSpeed.text, QStringLiteral("T"));
    EXPECT_EQ(a.comboDeviceStroke.items, (Items{"100", "200", "300"}));
    EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("100"));

    // Back to " 28", pick "H", then leave the size box unchanged: speed and
    // stroke return to the committed ones.
    TypeSize(d, 0, QStringLiteral(" 28"));
    TypeSpeed(d, 0, QStringLiteral("H"));
    EXPECT_EQ(a.comboDeviceStroke.items, (Items{"100", "200"}));
    EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("100"));
    d.comboDeviceSize_Changed(0);
    EXPECT_EQ(a.comboDeviceSpeed.text, QStringLiteral("L"));
    EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("150"));
}

TEST_F(DeviceSelectTest, SizesTwentyAndE35ForceSpeedL) {
    app.writeFile(QStringLiteral("vtdevice.lst"),
                  {"4", R"(" 20H-100",4,400,0,0)", R"(" 20L-100",2,400,0,0)", R"("E35H-100",4,400,0,0)",
                   R"("E35L-100",2,400,0,0)"});
    struct Case { const char* size; const char* committedSpeed; const char* want; };
    const Case cases[] = {{" 20", "", "L"}, {"E35", "", "L"}, {" 20", "H", "H"}, {" 20", "Q", "H"}};
    for (const auto& c : cases) {
        commit(Product::OneAxis, 0, false, false, c.size, c.committedSpeed, 100);
        DeviceSelect d(ctx, Product::OneAxis);
        d.Form_Load();
        EXPECT_EQ(d.axis(0).comboDeviceSpeed.text, QString::fromLatin1(c.want)) << c.size << "/" << c.committedSpeed;
    }
}

TEST_F(DeviceSelectTest, ASizeTheCatalogueLacks) {
    commitDefault(Product::TwoAxis);
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    d.axis(0).pgChecked = false;   // the user's tick stays: the codes are unknown
    TypeSize(d, 0, QStringLiteral(" 99"));
    const DeviceAxisControls& a = d.axis(0);
    EXPECT_TRUE(a.comboDeviceSpeed.items.empty());
    EXPECT_TRUE(a.comboDeviceStroke.items.empty());
    EXPECT_EQ(a.comboDeviceStroke.text, QString());
    EXPECT_FALSE(a.pgChecked);
    EXPECT_TRUE(a.pgVisible);
    EXPECT_EQ(a.optHomeMethod, 1);
    EXPECT_TRUE(pf.msg.shown.empty());
    d.cmdDeviceSet_Click();
    EXPECT_EQ(ctx.dev.two[0].SelSize, QStringLiteral(" 99"));
    EXPECT_EQ(ctx.dev.two[0].SelStroke, 0);
    EXPECT_TRUE(ctx.opt.DevNotFound);
    EXPECT_EQ(pf.msg.lastText(), QStringLiteral("Can not find information of selected actuator type."));
    EXPECT_FALSE(d.DeviceSelectCancel);
}

TEST_F(DeviceSelectTest, AMissingListFileKeepsTheCommittedTexts) {
    commitDefault(Product::TwoAxis);
    app.removeFile(QStringLiteral("nkzdevice.lst"));
    DeviceSelect d(ctx, Product::TwoAxis);
    d.Form_Load();
    ASSERT_EQ(pf.msg.shown.size(), 1u);
    EXPECT_TRUE(pf.msg.lastText().startsWith(QStringLiteral("No device list file.\r\nPut device list file")));
    EXPECT_TRUE(DevListError(ctx, Product::TwoAxis, 0));
    for (int i = 0; i < 2; ++i) {
        const DeviceAxisControls& a = d.axis(i);
        EXPECT_TRUE(a.comboDeviceSize.items.empty());
        EXPECT_EQ(a.comboDeviceSize.text, QStringLiteral(" 28"));
        EXPECT_EQ(a.comboDeviceSpeed.text, QStringLiteral("L"));
        EXPECT_EQ(a.comboDeviceStroke.text, QStringLiteral("100"));
        // The committed PG flag stays ticked.
        EXPECT_TRUE(a.pgVisible);
        EXPECT_TRUE(a.pgChecked);
    }
    // The old-type list is there: the type option reads it and fills the axis.
    d.optNewOrOld_Click(0, 1);
    EXPECT_FALSE(DevListError(ctx, Product::TwoAxis, 0));
    EXPECT_EQ(d.axis(0).comboDeviceSize.items, (Items{" 28", " 39", " 47", " 67"}));
    // " 28L-100" of the old-type list leaves the home method free.
    EXPECT_TRUE(d.axis(0).homeMethodEnabled);
}

TEST_F(DeviceSelectTest, OneAxisDialogWorksOnTheOneAxisChoice) {
    commitDefault(Product::TwoAxis);
    commit(Product::OneAxis, 0, true, true, " 39", "T", 100, true, true);
    DeviceSelect d(ctx, Product::OneAxis);
    EXPECT_EQ(d.axisCount(), 1);
    d.Form_Load();
    EXPECT_EQ(d.axis(0).comboDeviceSize.text, QStringLiteral(" 39"));
    EXPECT_EQ(ctx.dev.one[0].SelSize, QStringLiteral(" 39"));
    EXPECT_EQ(ctx.dev.two[0].SelSize, QString()) << "the two-axis choice is left alone";
    TypeSpeed(d, 0, QStringLiteral("M"));
    d.axis(0).comboDeviceStroke.text = QStringLiteral("200");
    d.cmdDeviceSet_Click();
    EXPECT_EQ(ctx.dev.one[0].SelSeries, QStringLiteral("KZ"));
    EXPECT_EQ(ctx.dev.one[0].SelSpeed, QStringLiteral("M"));
    EXPECT_EQ(ctx.dev.one[0].SelStroke, 200);
    EXPECT_EQ(ctx.dev.one[0].Lead, 8);
    EXPECT_EQ(ctx.dev.two[0].Lead, 0);
}

TEST_F(DeviceSelectTest, PgBoxCanBeTickedAfterLoadWhenTheCommittedActuatorHasNone) {
    // " 28L-100" may have a PG (code 1); the committed one has none. After the
    // load the box is as a click on KZ leaves it: shown, free, unticked.
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        for (int a = 0; a < 2; ++a) commit(p, a, true, true, " 28", "L", 100, false, true);
        DeviceSelect d(ctx, p);
        d.Form_Load();
        for (int a = 0; a < d.axisCount(); ++a) {
            EXPECT_TRUE(d.axis(a).pgVisible) << a;
            EXPECT_TRUE(d.axis(a).pgEnabled) << a;
            EXPECT_FALSE(d.axis(a).pgChecked) << a;
        }
        d.axis(0).pgChecked = true; // ticked
        d.cmdDeviceSet_Click();
        EXPECT_TRUE(p == Product::TwoAxis ? ctx.dev.DevWithPG[0] : ctx.dev.one[0].SelWithPG);
        // A VT actuator's box stays locked.
        commit(p, 0, false, false, "R47", "H", 100, false, false);
        DeviceSelect v(ctx, p);
        v.Form_Load();
        EXPECT_FALSE(v.axis(0).pgEnabled);
    }
}

TEST(DeviceSelectCaptions, ByLanguageAndProduct) {
    TestPlatform pf;
    CatalogueApp app(pf, 1);
    DeviceSelect two(app.ctx, Product::TwoAxis);
    DeviceSelect one(app.ctx, Product::OneAxis);
    EXPECT_EQ(two.caption(QStringLiteral("window")), QStringLiteral("機種選択"));
    EXPECT_EQ(two.caption(QStringLiteral("framAxis2")), QStringLiteral("２軸　機種設定"));
    EXPECT_EQ(one.caption(QStringLiteral("framAxis1")), QStringLiteral("機種設定"));
    app.ctx.setLanguage(2);
    EXPECT_EQ(two.caption(QStringLiteral("framAxis1")), QStringLiteral("1AXIS DEVICE"));
    EXPECT_EQ(one.caption(QStringLiteral("framAxis1")), QStringLiteral("DEVICE"));
    EXPECT_EQ(two.caption(QStringLiteral("lblDeviceSetumei")),
              QStringLiteral("Select Acutuator type,size,speed,stroke and click [OK]"));
    EXPECT_EQ(two.caption(QStringLiteral("lblPush2")), QStringLiteral("((former:Standard)"));
    EXPECT_EQ(two.caption(QStringLiteral("cmdDeviceSet")), QStringLiteral("OK"));
}
