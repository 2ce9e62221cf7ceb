#pragma once
// A fresh application on test doubles, the simulated controller in process
// and the controller link between them.
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"
#include "sim/SimSerialPort.h"
#include "testsupport/TestApp.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace rer::test {

// Runs the event loop until cond holds, at most ms; false when it never did.
inline bool WaitFor(const std::function<bool()>& cond, int ms) {
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Records what the link shows on the main window and the motion window.
struct DisplayRecorder : LinkDisplay, MoveDisplay {
    bool alarm = false;
    QString alarmNo = QStringLiteral("(unset)");
    QString comment = QStringLiteral("(unset)");
    bool home = false;
    bool portLamp = false;
    QMap<int, QString> panels;
    bool out1 = false, out2 = false;
    QString kanryo;
    int alarmCalls = 0;
    bool owedWait = false;
    int owedWaits = 0;  // times a wait for what is owed began

    void setAlarmLamp(bool on) override { alarm = on; ++alarmCalls; }
    void setAlarmNo(const QString& t) override { alarmNo = t; }
    void setErrorComment(const QString& t) override { comment = t; }
    void setHomeLamp(bool on) override { home = on; }
    void setPortLamp(bool on) override { portLamp = on; }
    void setStatusPanel(int panel, const QString& t) override { panels[panel] = t; }
    void setOwedWait(bool on) override {
        owedWaits += on && !owedWait ? 1 : 0;
        owedWait = on;
    }
    void setOutLamp(int out, bool on) override { (out == 1 ? out1 : out2) = on; }
    void setKanryoNo(const QString& t) override { kanryo = t; }
};

// The link worlds: an application with the link's own serial port (not the
// main window's), the controller link on it and a recorder of what it shows.
struct LinkWorld : TestApp {
    DisplayRecorder display;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<ControllerLink> link;

    // An application without clipboard, file dialogs or printer, in a language.
    static AppOptions Options(int16_t language = 2) { return {.language = language, .doubles = Doubles::None}; }

    // In process by default; pass another port (the real one) to use it.
    explicit LinkWorld(std::unique_ptr<SerialPort> p = nullptr, int16_t language = 2)
        : LinkWorld(Options(language), std::move(p)) {}
    explicit LinkWorld(const AppOptions& o, std::unique_ptr<SerialPort> p = nullptr) : TestApp(o) {
        port = p ? std::move(p) : std::make_unique<sim::SimSerialPort>();
        link = std::make_unique<ControllerLink>(ctx, *port, display);
        link->setMoveDisplay(&display);
    }
    sim::SimSerialPort& simPort() { return static_cast<sim::SimSerialPort&>(*port); }
    sim::CtSim& sim() { return simPort().sim; }
    LinkState& l() { return ctx.link; }
};

} // namespace rer::test
