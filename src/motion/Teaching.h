#pragma once
#include "app/ProgramState.h"
#include "mainwin/PositionGrid.h"

#include "link/ControllerLink.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace rer {

class AppContext;
class ControllerLink;

// The mode options of the teaching windows: continuous jog or inching steps.
enum class JogMode { Jog = 0, Pulse1 = 1, Pulse10 = 2, Pulse100 = 3 };

// What the teaching logic asks of its window.
class TeachView {
public:
    virtual ~TeachView() = default;
    // Frame1, the jog buttons, cmdJOGWrite, CheckAxisEnable and cmdJOGend.
    virtual void setJogControlsEnabled(bool on) = 0;
    virtual void setStartEnabled(bool on) = 0;     // cmdJOGST
    virtual void setPosiText(int axis, const QString& text) = 0; // lblPosi1 / lblPosi2
    virtual QString posiText(int axis) const = 0;
    virtual void setPosiNoText(const QString& text) = 0; // lblPosiNo
    virtual QString posiNoText() const = 0;
    virtual JogMode mode() const = 0;              // optJOG
    virtual bool axisTicked(int axis) const = 0;   // CheckAxisEnable
    virtual void focusDummy() = 0;                 // txtDummy
    // A command of the window began to talk to the controller, or the last
    // one ended (JogTeach::running() tells which).
    virtual void runningChanged() {}
};

// One inching field set of an axis.
struct AxisFeed {
    int vel = 1;
    int acc = 1;
    bool move = false;
    int32_t target = 0;
};
// PulseFeedRecord: both axes' fields and "000", 21 characters.
QString PulseFeedRecord(const AxisFeed& a1, const AxisFeed& a2);
// The flag and target of an inching step of m pulses (1, 10, 100) from the
// present position p within 0..max.
AxisFeed StepTarget(int32_t p, int32_t max, int m, bool forward);
// The read-out of a position: pulses as they are, or millimetres "#0.000"
// right-aligned in 7 characters.
QString PositionReadOut(int32_t pulses, bool mm, int lead, int ppr);

// The teaching windows without their window (frmJOG for the two-axis
// product, frmW3kJOG for the one-axis one): the start sequence, continuous
// jog and inching, the runaway watchdog, the teaching list and its adoption
// into the main grid.
class JogTeach {
public:
    JogTeach(AppContext& ctx, Product p, TeachView& view);

    Product product() const { return product_; }
    int axes() const { return AxesOf(product_); }
    // The teaching list flgdJOGPosi: rows 1..399, column 0 the number,
    // columns 1 (and 2) the axis positions.
    PositionGrid& list() { return list_; }

    void Form_Load();
    // 0 read, 1 failed, kLinkBusy refused (another job holds the controller).
    int ReadDispPOS();
    int ReadMaxstrokePls();
    void cmdJOGST_Click();
    void cmdJOG_MouseDown(int index, bool leftButton);
    void cmdJOG_MouseUp(int index, bool leftButton);
    void TimerBosoKansi_Timer();
    // The read-out tick (every kJogReadOutMs while the window is open): while
    // a continuous jog runs, the present position is read, so that the
    // read-out follows the axis while the button is held. A release that
    // comes while the read waits has its stop sent as soon as the read has
    // ended; a read that fails stops the jog.
    void JogReadOut_Timer();
    static constexpr int kJogReadOutMs = 200;
    // Complete: back to idle; the window then closes. Nothing while a press
    // runs.
    void cmdJOGend_Click();
    void flgdJOGPosi_Click(int row);
    void cmdJOGWrite_Click();
    // The adoption question; false keeps the window open.
    bool Form_QueryUnload();
    void Form_Unload();

    // An exchange of the window waits: the window must not close meanwhile.
    bool running() const { return running_ > 0; }
    // A continuous jog runs (started and not yet stopped).
    bool jogging() const { return JogFLG || JogTyuFLG; }
    // Stops a running jog ("0SP") before the window closes.
    void StopJog();
    // The window is closed while a command waits for the controller: the
    // wait ends as a stop.
    void EndWait();

    // Flags (public variables of the windows).
    bool Tuusintyuu = false;
    std::array<int32_t, 2> MaxPOS{};
    std::array<int32_t, 2> DispPOS{};
    bool JogChange = false; // W6JogChange / W3kJogChange
    bool JogFLG = false;
    bool JogTyuFLG = false;
    bool JogTometeFLG = false;

    QString listHeader(int axis) const;
    QString readOutTitle() const;

private:
    ControllerLink* link() const;
    PositionGrid& mainGrid() const;
    void colourRows(int selected);

    AppContext& ctx_;
    Product product_;
    TeachView& view_;
    PositionGrid list_;
    class Command;
    // Sends "0SP" and clears the jog flags.
    void sendStop(int timeoutMs);
    // The time-out of the stop sent on a release.
    int releaseStopMs() const { return product_ == Product::TwoAxis ? 1000 : 5000; }
    // Closes the port unless another job holds the controller.
    void closePortIfFree();

    bool pressing_ = false;          // a press is being handled
    bool releasedInPress_ = false;   // and the button was released meanwhile
    bool readingOut_ = false;        // the read-out tick reads the position
    int running_ = 0;
    // A continuous jog holds the controller from its start to its stop.
    std::optional<ControllerJob> jogHold_;
};

} // namespace rer
