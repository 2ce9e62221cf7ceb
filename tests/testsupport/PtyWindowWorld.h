#pragma once
// The program's real windows over the simulated controller on a
// pseudo-terminal, through the real serial port: the main window shown,
// port 1 pointed at the simulator through a path of its own, so that no
// other test's terminal that takes a freed device name is ever reached. And
// When, which acts from inside whatever event loop runs (a job's wait, a
// dialog) as soon as a condition holds.
#include "link/Transfers.h"
#include "mainwin/ui/frmMain.h"
#include "platform/SerialPort.h"
#include "sim/PtySim.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/TestApp.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace rer::test {

struct PtyWindowWorld {
    sim::PtySim pty;
    std::unique_ptr<QtSerialPort> port = std::make_unique<QtSerialPort>();
    TestApp t;
    std::unique_ptr<frmMain> w;
    bool started = false;

    // English by default; language 1 is the Japanese program.
    explicit PtyWindowWorld(int ctType = 1, int16_t language = 2)
        : t({.language = language, .ctType = int16_t(ctType), .mm = false, .actuators = true, .serial = port.get()}) {
        pty.usePrivateLink();
        started = pty.start();
        qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
        t.ctx.opt.NotJapan = language != 1;
        t.ctx.opt.MoveTimeout = 5; // a move that never ends fails in seconds, not a minute
        t.set(QStringLiteral("Language"), QString::number(language));
        t.set(QStringLiteral("PortNo"), QStringLiteral("1"));
        w = std::make_unique<frmMain>(t.ctx);
        w->Show();
        // The load empties the committed actuators; the start-up would load them.
        t.commitActuators();
        // Parameters within their ranges, as a controller in use holds them.
        const Product p = t.ctx.opt.product();
        const ParaRecord rec = ValidParaRecord(p);
        pty.withSim([&](sim::CtSim& s) {
            s.state.homeDone = true;
            for (int i = 0; i < 7; ++i) {
                const QString line = ParaWriteLine(rec, p, i).line;
                s.state.paramBlocks[line.at(3).toLatin1()] = line.mid(4).toLatin1();
            }
        });
    }
    ~PtyWindowWorld() {
        w.reset();
        port.reset();
        qunsetenv("RER6O250_COM1");
    }

    std::vector<QByteArray> received() {
        return pty.withSim([](sim::CtSim& s) { return s.received; });
    }
    int count(const char* prefix) {
        int n = 0;
        for (const QByteArray& line : received()) n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
    void fault(const sim::SimFault& f) {
        pty.withSim([&f](sim::CtSim& s) { s.faults.push_back(f); });
    }
    template <class W> W* window() { return w->findChild<W*>(); }
    bool anyMessageContains(const char* part) { return t.msg.anyContains(QString::fromUtf8(part)); }
    // The messages shown that tell of a failure (a time-out, a communication
    // error, data received wrong, a file or port that failed).
    int failuresShown() const {
        int n = 0;
        for (const auto& m : t.msg.shown)
            for (const char* part : {"timeout", "error", "wrong", "Fail"})
                if (m.text.contains(QString::fromUtf8(part))) {
                    ++n;
                    break;
                }
        return n;
    }
    bool failureShown() const { return failuresShown() > 0; }

    // The cells of row r that fillGrid writes (columns 1 to 12).
    static QStringList gridRow(int r) {
        return {QString(), QString::number(r % 9 + 1), QString::number(r % 3 + 1),
                QString::number(r % 4), QString::number((r * 13) % 6667).rightJustified(7),
                QString::number((r + 3) % 9 + 1), QString::number((r + 1) % 3 + 1),
                QString::number((r + 2) % 4), QString::number((r * 7) % 6667).rightJustified(7),
                QString::number(r % 2), QString::number(r % 4), QString::number(r % 10),
                QStringLiteral("c%1").arg(r)};
    }
    // Row r of fillGrid as the controller keeps it.
    static QByteArray gridRecord(int r) {
        return sim::PositionRecord(r % 9 + 1, r % 3 + 1, r % 4, (r * 13) % 6667, (r + 3) % 9 + 1, (r + 1) % 3 + 1,
                                   (r + 2) % 4, (r * 7) % 6667, r % 2, r % 4, r % 10);
    }
    // Distinct valid positions in every row of the two-axis grid, all within
    // the controller's stroke.
    void fillGrid() {
        pty.withSim([](sim::CtSim& s) {
            for (char b : {'0', '4'}) s.state.paramBlocks[b].replace(14, 6, "0FFFFF"); // STROKE
        });
        PositionGrid& g = t.ctx.grid.of(Product::TwoAxis);
        for (int r = 1; r <= 399; ++r) {
            const QStringList cells = gridRow(r);
            for (int c = 1; c < cells.size(); ++c) g.setText(r, c, cells[c]);
        }
    }
};

// Runs act once, from inside whatever event loop runs, as soon as cond holds.
class When : public QObject {
public:
    When(std::function<bool()> cond, std::function<void()> act) : cond_(std::move(cond)), act_(std::move(act)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (done || !cond_()) return;
            done = true;
            timer_.stop();
            act_();
        });
        timer_.start(2);
    }
    bool done = false;

private:
    std::function<bool()> cond_;
    std::function<void()> act_;
    QTimer timer_;
};

// The modal window that is up, when it has the name.
inline QDialog* ModalNamed(const QString& name) {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return d && d->objectName() == name ? d : nullptr;
}

// Answers the position-range dialog of a write with its OK button.
inline void AcceptRangeDialogSoon() {
    QTimer::singleShot(0, [] {
        if (QWidget* d = QApplication::activeModalWidget())
            if (auto* ok = d->findChild<QPushButton*>(QStringLiteral("cmdSelectPosiOk"))) ok->click();
    });
}

// Closes whatever modal window is up.
inline void CloseModalSoon() {
    QTimer::singleShot(50, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
}

inline bool Enabled(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
    if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
    return false;
}

} // namespace rer::test
