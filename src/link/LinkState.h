#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace rer {

class ControllerLink;

// One controller error of the error list: its number as hexadecimal text and
// its message.
struct ErrListEntry {
    QString number;
    QString text;
};

// State of the controller link shared by the windows: flags of the last
// exchange, the receive state, the move clock, the controller error list and
// the I/O words.
struct LinkState {
    // Transaction flags.
    int32_t TusinTimeout = 1000;      // ms for the next exchange; 0 = no limit
    bool TusinError = false;          // the last exchange failed
    bool TusinStop = false;           // the user asked to abandon the wait
    bool TusinTimeoutFlag = false;    // the reply time-out elapsed

    // Receive state.
    QString RecvBuf;                  // characters of the line being collected
    QString RecvLine;                 // last complete line, CR LF included
    bool RecvComplete = false;
    QString CtErrorReply;             // the error reply to show
    QString ErrText;                  // text of the last error found in the list

    // Move clock.
    double MoveTimerStart = 0;        // seconds since midnight
    bool MoveTimeoutFlag = false;
    bool MoveEnd = false;

    // Controller error list (entries 1..ErrListCount; entry 0 unused).
    std::array<ErrListEntry, 41> ErrList{};
    QString ErrListCountItem;         // the count item as read from the file
    int16_t ErrListCount = 0;
    bool NoErrListFile = false;
    QString ErrListPath;

    QString CtVersion;                // version of the controller ("0RV")

    // Line buffer of the multi-line transfers (CtLine) and of the one-axis
    // parameter and position transfers (W3kCtLine).
    std::array<QString, 400> CtLine{};
    std::array<QString, 400> W3kCtLine{};

    // I/O words: element [digit 0..5][bit 0..3], bit 0 = weight 8.
    using IoLampTable = std::array<std::array<bool, 4>, 6>;
    IoLampTable IoInput{};
    IoLampTable IoOutput{};
    IoLampTable IoOutputReq{};
    bool IoYomikomiTyu = false;       // the I/O monitor's read is running
    // Event loops of the running controller job that are waiting now (a
    // reply, a dwell, a message box): see ControllerLink::acquire.
    int nestedWaits = 0;
    bool OutputHenkoAri = false;      // an output change is pending

    // The link of the running main window (not owned); null without one.
    ControllerLink* ct = nullptr;
};

// Counts an event loop of its own for its lifetime: a reply's wait, a dwell,
// a message box or a dialog that a controller job shows. A request that
// arrives inside it is not the job's next step and is refused (see
// ControllerLink::acquire).
class NestedWait {
public:
    explicit NestedWait(LinkState& l) : l_(l) { ++l_.nestedWaits; }
    ~NestedWait() { --l_.nestedWaits; }
    NestedWait(const NestedWait&) = delete;
    NestedWait& operator=(const NestedWait&) = delete;

private:
    LinkState& l_;
};

} // namespace rer
