#pragma once
// A program run with its own program folder, the shipped catalogues, a
// recording main window and a scripted actuator dialog that runs the real
// dialog logic.

#include "app/MainWindowPort.h"
#include "mainwin/ActuatorChange.h"
#include "setup/ActuatorDialogs.h"
#include "setup/DeviceSelect.h"
#include "testsupport/TestApp.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace rer::test {

inline const char* const kCatalogueFiles[] = {"kzdevice.lst", "nkzdevice.lst", "vtdevice.lst"};

// One run of the program over a platform, its program folder an own copy of
// the shipped list files.
struct CatalogueApp : TestApp {
    explicit CatalogueApp(TestPlatform& pf, int languageNo = 2)
        : TestApp({.language = int16_t(languageNo),
                   .folder = AppOptions::Folder::OwnCopy,
                   .platform = &pf,
                   .doubles = Doubles::None}) {}
};

// The main window as the start-up and the catalogue labels use it.
struct RecordingWindow : MainWindowPort {
    void Show() override { calls.push_back(QStringLiteral("Show")); }
    void GridInit(Product) override { calls.push_back(QStringLiteral("GridInit")); }
    void ChangeDevice(Product p) override {
        calls.push_back(QStringLiteral("ChangeDevice"));
        if (onChangeDevice) onChangeDevice(p);
    }
    void SetDeviceLabel(Product p, int axis, const QString& text) override {
        labels[{p, axis}] = text;
    }
    void SetStatusPanel(int panel, const QString& text) override { panels[panel] = text; }
    void FocusDummy() override { calls.push_back(QStringLiteral("FocusDummy")); }

    bool called(const QString& what) const {
        return std::find(calls.begin(), calls.end(), what) != calls.end();
    }
    QString label(Product p, int axis) const {
        const auto it = labels.find({p, axis});
        return it == labels.end() ? QString() : it->second;
    }

    std::vector<QString> calls;
    std::map<std::pair<Product, int>, QString> labels;
    std::map<int, QString> panels;
    std::function<void(Product)> onChangeDevice;
};

// The rest of the main window the actuator change uses.
struct RecordingHost : ActuatorChangeHost {
    void LineCmd_Muko() override { ++lineCmdMuko; }
    void SetChangeButtonEnabled(Product, bool on) override { buttonStates.push_back(on); }
    int lineCmdMuko = 0;
    std::vector<bool> buttonStates;
};

// The actuator dialog run by a script over the real dialog logic: load, the
// script's clicks and edits, then OK or Cancel.
struct ScriptedDialogs : ActuatorDialogs {
    explicit ScriptedDialogs(AppContext& c) : ctx(c) {}
    bool Run(Product p, bool pgCheckHyoji) override {
        ++runs;
        DeviceSelect d(ctx, p);
        d.PgCheckHyoji = pgCheckHyoji;
        d.Form_Load();
        if (script) script(d);
        if (cancel)
            d.cmdDeviceCancel_Click();
        else
            d.cmdDeviceSet_Click();
        return d.DeviceSelectCancel;
    }
    AppContext& ctx;
    std::function<void(DeviceSelect&)> script;
    bool cancel = false;
    int runs = 0;
};

// Types a text into a box of the dialog and leaves it.
inline void TypeSize(DeviceSelect& d, int a, const QString& text) {
    d.axis(a).comboDeviceSize.text = text;
    d.comboDeviceSize_Changed(a);
}
inline void TypeSpeed(DeviceSelect& d, int a, const QString& text) {
    d.axis(a).comboDeviceSpeed.text = text;
    d.comboDeviceSpeed_Changed(a);
}

} // namespace rer::test
