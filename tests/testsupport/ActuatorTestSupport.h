#pragma once
// A fresh application object over test doubles with its own program folder,
// the shipped catalogues, a recording main window and a scripted actuator
// dialog that runs the real dialog logic.

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "mainwin/ActuatorChange.h"
#include "setup/ActuatorDialogs.h"
#include "setup/DeviceSelect.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace rer::test {

inline const char* const kCatalogueFiles[] = {"kzdevice.lst", "nkzdevice.lst", "vtdevice.lst"};

// Writes a list file: lines joined with CR LF, encoded in Shift-JIS.
inline void WriteListFile(const QString& dir, const QString& name, const QStringList& lines) {
    QStringEncoder enc("Shift_JIS");
    QFile f(QDir(dir).filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    f.write(enc.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

// The settings store, shared by the runs of the program that a test starts.
struct TestPlatform {
    FakeMessageBoxes msg;
    MemorySettingsStore store;
    FakeSystemInfo sys{QStringLiteral("Japan")};
    FakeHelpViewer help;
};

// One run of the program over a platform, its program folder holding the
// shipped catalogues.
struct CatalogueApp {
    explicit CatalogueApp(TestPlatform& pf, int languageNo = 2)
        : ctx({pf.msg, pf.store, pf.sys, pf.help}) {
        ctx.programDir = dir.path();
        ctx.setLanguage(static_cast<int16_t>(languageNo));
        // Every list file shipped beside the program.
        const QDir data(QStringLiteral(RER_DATA_DIR));
        for (const QString& n : data.entryList(QDir::Files))
            QFile::copy(data.filePath(n), QDir(dir.path()).filePath(n));
    }
    void removeFile(const QString& name) { QFile::remove(QDir(dir.path()).filePath(name)); }
    void writeFile(const QString& name, const QStringList& lines) { WriteListFile(dir.path(), name, lines); }

    QTemporaryDir dir;
    AppContext ctx;
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
