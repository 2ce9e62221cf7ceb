#pragma once
// The one builder of the tests' application objects: a platform of test
// doubles and a fresh AppContext over it, shaped by a few options. The
// fixtures and worlds of the tests are thin layers on it.
#include "app/AppContext.h"
#include "sim/SimSerialPort.h"
#include "testsupport/PlatformDoubles.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace rer::test {

// Writes a list file: lines joined with CR LF, encoded in Shift-JIS; no
// lines, an empty file.
inline void WriteListFile(const QString& dir, const QString& name, const QStringList& lines) {
    QStringEncoder enc("Shift_JIS");
    QFile f(QDir(dir).filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    if (!lines.isEmpty()) f.write(enc.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

// Every platform double a program runs on. A test that starts the program
// more than once shares one between the runs: what a run saved in the
// settings store is there for the next.
struct TestPlatform {
    FakeMessageBoxes msg;
    MemorySettingsStore store;
    FakeSystemInfo sys{QStringLiteral("Japan")};
    FakeHelpViewer help;
    FakeFileDialogs files;
    RecordingPrintSurface printer;
    MemoryClipboard clipboard;
    CountingBeeper beeper;

    // A setting as an earlier run saved it, and one as the program left it.
    void set(const QString& key, const QString& value) {
        store.save(QStringLiteral("RER6O250"), QStringLiteral("Settings"), key, value);
    }
    QString get(const QString& key) const {
        return store.get(QStringLiteral("RER6O250"), QStringLiteral("Settings"), key, QStringLiteral("<absent>"));
    }
};

// The optional platform layers an application gets from its TestPlatform
// (the others it always gets).
enum class Doubles : unsigned { None = 0, FileDialogs = 2, Printer = 4, All = 6 };
constexpr Doubles operator|(Doubles a, Doubles b) { return Doubles(unsigned(a) | unsigned(b)); }
constexpr bool Has(Doubles set, Doubles one) { return (unsigned(set) & unsigned(one)) != 0; }

// What the application looks like. The defaults are a fresh program over
// the shipped list files with every double but a serial line.
struct AppOptions {
    int16_t language = 1;   // 1 Japanese, 2 English
    int16_t ctType = 1;     // 1 two-axis, 2 one-axis
    bool mm = true;         // positions shown in mm, else in pulses
    bool actuators = false; // the test actuator committed on every axis (TestApp::commitActuators)
    // The program folder: the shipped data/ folder, an own temporary copy of
    // it that the test may change, or a folder of the test's choosing.
    enum class Folder { Shipped, OwnCopy } folder = Folder::Shipped;
    QString programDir{};               // if set, this folder instead
    TestPlatform* platform = nullptr;   // a platform shared by several runs; none: the app's own
    SettingsStore* store = nullptr;     // the settings elsewhere (a real store); none: the platform's
    Doubles doubles = Doubles::All;
    // The main window's serial line: the simulated controller in process,
    // owned by the application (TestApp::simulator), or a port of the test's
    // own, which wins over the simulator.
    bool simulator = false;
    SerialPort* serial = nullptr;
};

// A fresh application object over a TestPlatform.
struct TestApp {
    explicit TestApp(AppOptions o = {})
        : own(o.platform ? nullptr : std::make_unique<TestPlatform>()),
          pf(o.platform ? *o.platform : *own),
          ctx(Platform{pf.msg, o.store ? *o.store : pf.store, pf.sys, pf.help, pf.clipboard, pf.beeper}) {
        if (Has(o.doubles, Doubles::FileDialogs)) ctx.platform.fileDialogs = &files;
        if (Has(o.doubles, Doubles::Printer)) ctx.platform.printer = &printer;
        if (o.simulator) simulator = std::make_unique<sim::SimSerialPort>();
        ctx.platform.serial = o.serial ? o.serial : simulator.get();

        if (!o.programDir.isEmpty()) {
            ctx.programDir = o.programDir;
        } else if (o.folder == AppOptions::Folder::OwnCopy) {
            folder = std::make_unique<QTemporaryDir>();
            ctx.programDir = folder->path();
            // Every list file shipped beside the program.
            const QDir data(QStringLiteral(RER_DATA_DIR));
            for (const QString& n : data.entryList(QDir::Files))
                QFile::copy(data.filePath(n), QDir(folder->path()).filePath(n));
        } else {
            ctx.programDir = QStringLiteral(RER_DATA_DIR);
        }

        ctx.setLanguage(o.language);
        ctx.opt.CtType = o.ctType;
        ctx.opt.DispMmUnit = o.mm;
        if (o.actuators) commitActuators();
    }
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    void set(const QString& key, const QString& value) { pf.set(key, value); }
    QString get(const QString& key) const { return pf.get(key); }

    // The test actuator: lead 6 mm, 400 pulses per revolution, stroke
    // 100 mm, so the largest position is 6667 pulses = 100.005 mm.
    static void setActuator(AxisActuator& a, const QString& size, const QString& speed) {
        a.Series = QStringLiteral("KZ");
        a.Size = size;
        a.Speed = speed;
        a.Stroke = 100;
        a.Lead = 6;
        a.PPR = 400;
        a.MmPerPulse = 0.015;
        a.MaxPulse = 6667;
        a.MaxMm = 100.005;
    }
    // The test actuator " 28A" on every axis of both products.
    void commitActuators() {
        for (auto* axes : {&ctx.dev.two, &ctx.dev.one})
            for (auto& a : *axes) setActuator(a, QStringLiteral(" 28"), QStringLiteral("A"));
    }

    // Files of the own program folder; the shipped one is not for changing.
    void removeFile(const QString& name) { QFile::remove(QDir(ownFolder()).filePath(name)); }
    void writeFile(const QString& name, const QStringList& lines) { WriteListFile(ownFolder(), name, lines); }

private:
    std::unique_ptr<TestPlatform> own;
    QString ownFolder() const {
        if (!folder) qFatal("a test would change the shipped program folder: give its app Folder::OwnCopy");
        return folder->path();
    }

public:
    TestPlatform& pf;
    FakeMessageBoxes& msg = pf.msg;
    MemorySettingsStore& store = pf.store;
    FakeSystemInfo& sys = pf.sys;
    FakeHelpViewer& help = pf.help;
    FakeFileDialogs& files = pf.files;
    RecordingPrintSurface& printer = pf.printer;
    MemoryClipboard& clipboard = pf.clipboard;
    CountingBeeper& beeper = pf.beeper;
    std::unique_ptr<QTemporaryDir> folder;            // the own program folder
    std::unique_ptr<sim::SimSerialPort> simulator;    // the simulated controller
    AppContext ctx;
};

} // namespace rer::test
