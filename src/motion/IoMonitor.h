#pragma once
#include <QString>

namespace rer {

class AppContext;
class ControllerLink;

// One signal lamp of the I/O monitor: its lamp name, its caption, the element
// (digit, bit) of the I/O word it shows and, for outputs, the index of its
// unlit icon.
struct IoLamp {
    const char* name;
    const char* caption;
    int digit;
    int bit; // 0..3 for the weights 8, 4, 2, 1
    int whiteIcon;
};
// The 20 inputs and 19 outputs in display order.
extern const IoLamp kInputLamps[20];
extern const IoLamp kOutputLamps[19];

// What the monitor logic does to its window.
class IoMonitorView {
public:
    virtual ~IoMonitorView() = default;
    virtual void setTimerEnabled(bool on) = 0;
    virtual void setMonitorCaption(const QString& text) = 0;
    virtual void setCloseEnabled(bool on) = 0;
    // Every lamp from the I/O words (IoStateHyoji).
    virtual void IoStateHyoji() = 0;
};

// The I/O monitor without its window: the run flags, the timer tick and the
// output double-clicks. The serial work is the link's ReadIoState and
// WriteOutputState.
class IoMonitor {
public:
    IoMonitor(AppContext& ctx, IoMonitorView& view) : ctx_(ctx), view_(view) {}

    void Form_Load();
    void cmdIoMonitor_Click();
    void Form_QueryUnload();
    // One tick of the 300 ms timer.
    void Timer();
    // A double-click on the lamp of output k (index into kOutputLamps).
    void OutputLampDblClick(int k);
    // A double-click on an unlit icon (20..38 are the outputs).
    void WhiteIconDblClick(int index);

    QString monitorCaption(bool running) const;
    // A tick waits for the controller: the window must not close meanwhile.
    bool inTick() const { return inTick_; }

private:
    void IoMonitorStart();
    void IoMonitorStop();
    void mark(int k);

    void stopped();
    void endWait();

    AppContext& ctx_;
    IoMonitorView& view_;
    bool inTick_ = false; // a tick waits for the controller
};

} // namespace rer
