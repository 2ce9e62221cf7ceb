#pragma once
#include "sim/CtSim.h"

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace rer::sim {

// The simulated controller on a pseudo-terminal: the program opens the
// device path through the real serial port. The controller runs on its own
// thread; use withSim() to reach its state.
class PtySim {
public:
    PtySim();
    ~PtySim();
    PtySim(const PtySim&) = delete;
    PtySim& operator=(const PtySim&) = delete;

    // Creates the pseudo-terminal and starts answering; false on failure
    // (error() says why).
    bool start();
    // The device to open (for RER6O250_COM<n>).
    QString devicePath() const { return path_; }
    bool alive() const { return fdMaster_.load() >= 0; }
    QString error() const { return error_; }

    // A fixed path kept as a symbolic link to the pseudo-terminal, from the
    // next start on and across replugs, so that the program can stay pointed
    // at one path. A file there that is no symbolic link is left alone (the
    // start fails). The link goes with a pull and with the simulator.
    void setLinkPath(const QString& path) { linkPath_ = path; }
    QString linkPath() const { return linkPath_; }
    // Serves such a link in a temporary folder of the simulator's own: a
    // path no other simulator ever serves, so that a program pointed at it
    // never reaches a terminal that took the name this one freed (tests
    // that run side by side).
    void usePrivateLink();
    // The path a program opens: the link when one is served, else the device.
    QString openPath() const { return linkPath_.isEmpty() ? path_ : linkPath_; }

    // Paces every character at 9600 baud (1.04 ms) when on.
    void setPaced(bool on) { paced_ = on; }

    // Runs f on the controller under its lock.
    template <class F>
    auto withSim(F f) {
        std::lock_guard<std::mutex> g(mu_);
        return f(sim_);
    }

    // Pulls the cable: the pseudo-terminal is gone when this returns.
    void pull();
    // Plugs the cable in again after a pull: a new pseudo-terminal (and the
    // link pointed at it) for the same controller. True when it answers.
    bool replug();

private:
    void run();
    void writePaced(int fd, const QByteArray& bytes);
    void closeAll();
    bool pointLink();
    void dropLink();

    std::unique_ptr<QTemporaryDir> privateDir_;
    CtSim sim_;
    std::mutex mu_;
    std::thread thread_;
    std::atomic<int> fdMaster_{-1};
    int fdSlave_ = -1;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stop_{false};
    std::atomic<bool> paced_{false};
    QString path_;
    QString linkPath_;
    QString error_;
};

} // namespace rer::sim
