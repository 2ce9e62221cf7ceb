#include "mainwin/ActuatorChange.h"

#include "app/StartUp.h"
#include "catalogue/Catalogue.h"
#include "testsupport/ActuatorTestSupport.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

namespace {

const QString kDefaultRate1 = QStringLiteral("<1>1mm = 66.667Pulse / 1Pulse= 0.015mm");
const QString kDefaultRate2 = QStringLiteral("<2>1mm = 66.667Pulse / 1Pulse= 0.015mm");

// One run of the program: the start-up against a recording main window whose
// actuator change runs the real change with a scripted dialog.
struct ProgramRun {
    explicit ProgramRun(TestPlatform& pf) : app(pf), dialogs(app.ctx) {
        win.onChangeDevice = [this](Product p) { change(p); };
    }
    void start(Product p) {
        if (p == Product::TwoAxis)
            InitMain(app.ctx, win);
        else
            W3kInitMain(app.ctx, win);
    }
    void change(Product p) { ChangeActuator(app.ctx, p, win, host, dialogs); }
    QString saved(const char* key) const {
        return app.ctx.settings.text(QString::fromLatin1(key), QStringLiteral("<absent>"));
    }

    CatalogueApp app;
    AppContext& ctx = app.ctx;
    RecordingWindow win;
    RecordingHost host;
    ScriptedDialogs dialogs;
};

struct ActuatorChangeTest : ::testing::Test {
    TestPlatform pf;
};

} // namespace

TEST_F(ActuatorChangeTest, AFirstStartShowsTheDefaultActuator) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        TestPlatform fresh;
        ProgramRun run(fresh);
        run.start(p);
        EXPECT_TRUE(fresh.msg.shown.empty()) << fresh.msg.lastText().toStdString();
        EXPECT_FALSE(run.win.called(QStringLiteral("ChangeDevice")));
        EXPECT_TRUE(run.win.called(QStringLiteral("GridInit")));
        EXPECT_EQ(run.win.calls.back(), QStringLiteral("FocusDummy"));
        EXPECT_EQ(run.win.label(p, 0), QStringLiteral("KZ- 28L-100"));
        EXPECT_EQ(run.win.panels[2], kDefaultRate1);
        const auto& x = run.ctx.dev.axes(p);
        EXPECT_EQ(x[0].Lead, 6);
        EXPECT_EQ(x[0].PPR, 400);
        EXPECT_EQ(x[0].MaxPulse, 6667);
        EXPECT_DOUBLE_EQ(x[0].MaxMm, 100.005);
        if (p == Product::TwoAxis) {
            EXPECT_EQ(x[1].MaxPulse, 6667);
            EXPECT_EQ(run.win.label(p, 1), QStringLiteral("KZ- 28L-100"));
            EXPECT_EQ(run.win.panels[3], kDefaultRate2);
        } else {
            EXPECT_EQ(run.win.labels.size(), 1u);
            EXPECT_EQ(run.win.panels[3], QString());
        }
    }
}

TEST_F(ActuatorChangeTest, ARemovedCatalogueStopsTheStartCleanly) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        TestPlatform fresh;
        ProgramRun run(fresh);
        run.app.removeFile(QStringLiteral("nkzdevice.lst"));
        run.start(p);
        std::vector<QString> texts;
        for (const auto& m : fresh.msg.shown) texts.push_back(m.text.section(QStringLiteral("\r\n"), 0, 0));
        // The saved model cannot be checked (once per axis the product
        // uses), the catalogue cannot be loaded, and the lookup then finds
        // nothing.
        const QString missing = QStringLiteral("No device list file.");
        const std::vector<QString> want =
            p == Product::TwoAxis
                ? std::vector<QString>{missing, missing, missing, QStringLiteral("Fail to find device information...")}
                : std::vector<QString>{missing, missing, QStringLiteral("Can not find information of selected actuator type.")};
        EXPECT_EQ(texts, want);
        EXPECT_TRUE(run.win.labels.empty());
        EXPECT_FALSE(run.win.called(QStringLiteral("GridInit")));
        EXPECT_FALSE(run.win.called(QStringLiteral("ChangeDevice")));
        EXPECT_TRUE(run.win.called(QStringLiteral("Show")));
        EXPECT_FALSE(run.ctx.opt.DevNotFound);
    }
}

TEST_F(ActuatorChangeTest, AnUnusableSavedActuatorIsChosenAgainAndKept) {
    {
        ProgramRun run(pf);
        pf.store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("DevStroke2"),
                      QStringLiteral("5"));
        run.dialogs.script = [](DeviceSelect& d) {
            // Axis 2 had no usable model: the user picks " 28H-200".
            EXPECT_EQ(d.axis(1).comboDeviceSize.text, QStringLiteral(" 28"));
            TypeSpeed(d, 1, QStringLiteral("H"));
            d.axis(1).comboDeviceStroke.text = QStringLiteral("200");
        };
        run.start(Product::TwoAxis);
        ASSERT_GE(pf.msg.shown.size(), 1u);
        EXPECT_EQ(pf.msg.shown[0].text,
                  QStringLiteral("Actuator type is not selected.\r\nPlease select autuator type again. "));
        EXPECT_EQ(run.dialogs.runs, 1);
        EXPECT_EQ(run.win.label(Product::TwoAxis, 0), QStringLiteral("KZ- 28L-100"));
        EXPECT_EQ(run.win.label(Product::TwoAxis, 1), QStringLiteral("KZ- 28H-200"));
        EXPECT_EQ(run.win.panels[3], QStringLiteral("<2>1mm = 33.333Pulse / 1Pulse= 0.03mm"));
        EXPECT_EQ(run.saved("DevStroke2"), QStringLiteral("200"));
        EXPECT_EQ(run.saved("DevLead2"), QStringLiteral("12"));
    }
    // The next start loads it without asking.
    pf.msg.clear();
    ProgramRun next(pf);
    next.start(Product::TwoAxis);
    EXPECT_TRUE(pf.msg.shown.empty());
    EXPECT_EQ(next.dialogs.runs, 0);
    EXPECT_EQ(next.win.label(Product::TwoAxis, 1), QStringLiteral("KZ- 28H-200"));
    EXPECT_EQ(next.ctx.dev.two[1].MaxPulse, 6667);
}

TEST_F(ActuatorChangeTest, AChangeIsCommittedSavedShownAndLoadedNextTime) {
    {
        ProgramRun run(pf);
        run.start(Product::TwoAxis);
        pf.msg.clear();
        run.dialogs.script = [](DeviceSelect& d) {
            d.optNewOrOld_Click(1, 1);
            TypeSize(d, 1, QStringLiteral(" 39"));
            TypeSpeed(d, 1, QStringLiteral("M"));
            d.axis(1).comboDeviceStroke.text = QStringLiteral("300");
        };
        run.change(Product::TwoAxis);

        // Positions are shown in mm: the warning comes first.
        ASSERT_EQ(pf.msg.shown.size(), 1u);
        EXPECT_EQ(pf.msg.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(pf.msg.shown[0].text.startsWith(QStringLiteral(
            "PULSE DATA will be changed when actuator type is changed during the position is indicated with "
            "willimeter. Please be careful")));
        EXPECT_EQ(run.host.lineCmdMuko, 1);
        EXPECT_EQ(run.host.buttonStates, (std::vector<bool>{false, true}));

        const auto& x = run.ctx.dev.two;
        EXPECT_FALSE(run.ctx.dev.DevNewType[1]);
        EXPECT_EQ(x[1].Size, QStringLiteral(" 39"));
        EXPECT_EQ(x[1].Speed, QStringLiteral("M"));
        EXPECT_EQ(x[1].Stroke, 300);
        EXPECT_EQ(x[1].Lead, 8);
        EXPECT_EQ(x[1].PPR, 400);
        EXPECT_EQ(x[1].MaxPulse, 15000);
        EXPECT_DOUBLE_EQ(x[1].MaxMm, 300);
        EXPECT_EQ(x[0].MaxPulse, 6667);
        EXPECT_EQ(run.win.label(Product::TwoAxis, 1), QStringLiteral("KZ- 39M-300"));
        EXPECT_EQ(run.win.panels[3], QStringLiteral("<2>1mm = 50Pulse / 1Pulse= 0.02mm"));
        EXPECT_EQ(run.saved("NewType2"), QStringLiteral("0"));
        EXPECT_EQ(run.saved("DevSize2"), QStringLiteral(" 39"));
        EXPECT_EQ(run.saved("DevSpeed2"), QStringLiteral("M"));
        EXPECT_EQ(run.saved("DevStroke2"), QStringLiteral("300"));
        EXPECT_EQ(run.saved("DevLead2"), QStringLiteral("8")) << "the saved lead is the new model's";
        EXPECT_EQ(run.saved("DevPPR2"), QStringLiteral("400"));
        EXPECT_EQ(run.saved("DevSize1"), QStringLiteral(" 28"));
        EXPECT_FALSE(run.ctx.opt.DevNotFound);
    }
    pf.msg.clear();
    ProgramRun next(pf);
    next.start(Product::TwoAxis);
    EXPECT_TRUE(pf.msg.shown.empty());
    EXPECT_EQ(next.win.label(Product::TwoAxis, 1), QStringLiteral("KZ- 39M-300"));
    EXPECT_EQ(next.ctx.dev.two[1].Lead, 8);
}

TEST_F(ActuatorChangeTest, CancelAndAFailedDialogLookupChangeNothing) {
    struct Case { const char* what; bool cancel; bool mm; Product p; };
    const Case cases[] = {
        {"cancel, mm", true, true, Product::TwoAxis},
        {"cancel, pulses", true, false, Product::OneAxis},
        {"unknown size", false, false, Product::TwoAxis},
        {"unknown size", false, true, Product::OneAxis},
    };
    for (const auto& c : cases) {
        TestPlatform fresh;
        ProgramRun run(fresh);
        run.start(c.p);
        run.ctx.opt.DispMmUnit = c.mm;
        fresh.msg.clear();
        const int saves = fresh.store.saveCount;
        const auto before = run.ctx.dev.axes(c.p);
        run.win.labels.clear();
        run.dialogs.cancel = c.cancel;
        run.dialogs.script = [](DeviceSelect& d) {
            d.optNewOrOld_Click(0, 1);
            TypeSize(d, 0, QStringLiteral(" 99"));
        };
        run.change(c.p);

        EXPECT_EQ(fresh.store.saveCount, saves) << c.what;
        EXPECT_TRUE(run.win.labels.empty()) << c.what;
        EXPECT_TRUE(run.ctx.dev.DevNewType[0]) << c.what;
        EXPECT_EQ(run.ctx.dev.axes(c.p)[0].Size, before[0].Size) << c.what;
        EXPECT_EQ(run.ctx.dev.axes(c.p)[0].Lead, before[0].Lead) << c.what;
        EXPECT_FALSE(run.ctx.opt.DevNotFound) << c.what;
        EXPECT_EQ(run.host.buttonStates, (std::vector<bool>{false, true})) << c.what;
        std::vector<MsgIcon> icons;
        for (const auto& m : fresh.msg.shown) icons.push_back(m.icon);
        std::vector<MsgIcon> want;
        if (c.mm) want.push_back(MsgIcon::Exclamation);
        if (!c.cancel) want.push_back(MsgIcon::None); // the dialog's "Can not find information ..."
        EXPECT_EQ(icons, want) << c.what;
    }
}

TEST_F(ActuatorChangeTest, NoAxisPassingTheCatalogueTestCommitsNothing) {
    ProgramRun run(pf);
    run.start(Product::TwoAxis);
    run.ctx.opt.DispMmUnit = false;
    pf.msg.clear();
    const int saves = pf.store.saveCount;
    run.dialogs.script = [&run](DeviceSelect& d) {
        d.optNewOrOld_Click(0, 1);
        run.app.removeFile(QStringLiteral("nkzdevice.lst"));
        run.app.removeFile(QStringLiteral("kzdevice.lst"));
        (void)d;
    };
    run.change(Product::TwoAxis);
    std::vector<QString> texts;
    for (const auto& m : pf.msg.shown) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<QString>{
                         QStringLiteral("No device list file."), QStringLiteral("No device list file."),
                         QStringLiteral("Actuator type is not selected.\r\n"
                                        "Select Actuator type to indicate device information correctly.")}));
    EXPECT_EQ(pf.msg.shown.back().icon, MsgIcon::Information);
    EXPECT_EQ(pf.store.saveCount, saves);
    EXPECT_TRUE(run.ctx.dev.DevNewType[0]) << "the type is committed with its model or not at all";
}

TEST_F(ActuatorChangeTest, AChoiceTheCatalogueCannotServeWhollyIsNotKept) {
    ProgramRun run(pf);
    run.start(Product::TwoAxis);
    run.ctx.opt.DispMmUnit = false;
    pf.msg.clear();
    const int saves = pf.store.saveCount;
    run.win.labels.clear();
    // Axis 1 to " 39T-200"; axis 2 to VT, whose list then disappears.
    run.dialogs.script = [&run](DeviceSelect& d) {
        TypeSize(d, 0, QStringLiteral(" 39"));
        d.axis(0).comboDeviceStroke.text = QStringLiteral("200");
        d.optKzSelect_Click(1, 1);
        run.app.removeFile(QStringLiteral("vtdevice.lst"));
    };
    run.change(Product::TwoAxis);
    ASSERT_EQ(pf.msg.shown.size(), 2u);
    EXPECT_EQ(pf.msg.shown[0].text, QStringLiteral("No device list file."));
    EXPECT_EQ(pf.msg.shown[1].text, QStringLiteral("Fail to find device information..."));
    const auto& x = run.ctx.dev.two;
    EXPECT_EQ(x[0].Size, QStringLiteral(" 28"));
    EXPECT_EQ(x[0].Lead, 6);
    EXPECT_TRUE(run.ctx.dev.DevIsKZ[1]);
    EXPECT_EQ(pf.store.saveCount, saves);
    EXPECT_TRUE(run.win.labels.empty());
    EXPECT_FALSE(run.ctx.opt.DevNotFound);
}

TEST_F(ActuatorChangeTest, TheOneAxisChangeCommitsItsOneAxis) {
    ProgramRun run(pf);
    run.start(Product::OneAxis);
    run.ctx.dev.DevWithPG[0] = false;
    pf.msg.clear();
    run.dialogs.script = [](DeviceSelect& d) {
        TypeSize(d, 0, QStringLiteral(" 39"));   // " 39T": PG always fitted
        d.axis(0).comboDeviceStroke.text = QStringLiteral("200");
    };
    run.change(Product::OneAxis);
    const auto& x = run.ctx.dev.one;
    EXPECT_EQ(x[0].Size, QStringLiteral(" 39"));
    EXPECT_EQ(x[0].Speed, QStringLiteral("T"));
    EXPECT_EQ(x[0].Stroke, 200);
    EXPECT_EQ(x[0].Lead, 4);
    EXPECT_EQ(x[0].MaxPulse, 20000);
    EXPECT_TRUE(x[1].Size.isEmpty()) << "entry 1 is not used by the one-axis product";
    EXPECT_TRUE(run.ctx.dev.DevWithPG[0]);
    EXPECT_EQ(run.win.label(Product::OneAxis, 0), QStringLiteral("KZ- 39T-200"));
    EXPECT_EQ(run.win.panels[2], QStringLiteral("<1>1mm = 100Pulse / 1Pulse= 0.01mm"));
    EXPECT_EQ(run.win.panels[3], QString());
    EXPECT_EQ(run.saved("W3KDevSize1"), QStringLiteral(" 39"));
    EXPECT_EQ(run.saved("W3kDevLead1"), QStringLiteral("4"));
    EXPECT_EQ(run.saved("W3KWithPG1"), QStringLiteral("1"));
    EXPECT_EQ(run.saved("W3KDevSize2"), QStringLiteral("<absent>")) << "entry 1 is not saved";
    for (const char* k : {"DevSize1", "NewType1", "Vertical1", "WithPG1"})
        EXPECT_EQ(run.saved(k), QStringLiteral("<absent>")) << k << ": the two-axis keys are left alone";
}

// The new-type, vertical and PG flags belong to one product: an old-type
// actuator chosen in the one-axis product does not change the two-axis one.
TEST_F(ActuatorChangeTest, TheActuatorFlagsOfOneProductLeaveTheOtherAlone) {
    // The two-axis product runs a model that only the new-type catalogue lists.
    pf.store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("DevStroke1"),
                  QStringLiteral("200"));
    // Positions in pulses: no warning before the dialog.
    pf.store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), QStringLiteral("DispMmUnit"),
                  QStringLiteral("0"));
    {
        ProgramRun one(pf);
        one.start(Product::OneAxis);
        one.dialogs.script = [](DeviceSelect& d) {
            d.optNewOrOld_Click(0, 1); // old type
            TypeSize(d, 0, QStringLiteral(" 28"));
            TypeSpeed(d, 0, QStringLiteral("L"));
            d.axis(0).comboDeviceStroke.text = QStringLiteral("150");
        };
        one.change(Product::OneAxis);
        EXPECT_FALSE(one.ctx.dev.DevNewType[0]);
        EXPECT_EQ(one.win.label(Product::OneAxis, 0), QStringLiteral("KZ- 28L-150"));
        EXPECT_TRUE(pf.msg.shown.empty()) << pf.msg.lastText().toStdString();
    }
    ProgramRun two(pf);
    two.start(Product::TwoAxis);
    EXPECT_TRUE(pf.msg.shown.empty()) << pf.msg.lastText().toStdString();
    EXPECT_EQ(two.dialogs.runs, 0);
    EXPECT_TRUE(two.ctx.dev.DevNewType[0]);
    EXPECT_EQ(two.win.label(Product::TwoAxis, 0), QStringLiteral("KZ- 28L-200"));

    ProgramRun again(pf);
    again.start(Product::OneAxis);
    EXPECT_TRUE(pf.msg.shown.empty()) << pf.msg.lastText().toStdString();
    EXPECT_FALSE(again.ctx.dev.DevNewType[0]);
    EXPECT_EQ(again.win.label(Product::OneAxis, 0), QStringLiteral("KZ- 28L-150"));
}

// The one-axis product checks, commits and saves its first axis only: a
// catalogue without the default model of the unused second entry does not
// make every start ask again.
TEST_F(ActuatorChangeTest, TheOneAxisStartChecksOnlyTheAxisItUses) {
    const QStringList catalogue{QStringLiteral("2"), QStringLiteral("\" 39T-100\",4,400,2,1"),
                                QStringLiteral("\" 39T-200\",4,400,2,1")};
    {
        ProgramRun run(pf);
        run.app.writeFile(QStringLiteral("nkzdevice.lst"), catalogue);
        run.dialogs.script = [](DeviceSelect& d) {
            TypeSize(d, 0, QStringLiteral(" 39"));
            d.axis(0).comboDeviceStroke.text = QStringLiteral("200");
        };
        run.start(Product::OneAxis); // nothing usable saved: the user picks one
        EXPECT_EQ(run.dialogs.runs, 1);
        EXPECT_EQ(run.win.label(Product::OneAxis, 0), QStringLiteral("KZ- 39T-200"));
    }
    pf.msg.clear();
    ProgramRun next(pf);
    next.app.writeFile(QStringLiteral("nkzdevice.lst"), catalogue);
    next.start(Product::OneAxis);
    EXPECT_TRUE(pf.msg.shown.empty()) << pf.msg.lastText().toStdString();
    EXPECT_EQ(next.dialogs.runs, 0);
    EXPECT_EQ(next.win.label(Product::OneAxis, 0), QStringLiteral("KZ- 39T-200"));
    EXPECT_EQ(next.ctx.dev.one[0].MaxPulse, 20000);
}
