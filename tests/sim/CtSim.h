#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace rer::sim {

// What the simulated controller holds. Tests read and set it directly.
struct CtSimState {
    // Position records 0..399 as on the wire (19 hexadecimal characters).
    std::array<QByteArray, 400> positions;
    // Committed data: what the reads return. A write line only reaches the
    // "sent" tables below; "0WE2" / "0WE3" / "0WE1" moves them here.
    // Parameter blocks by block digit (0..2 axis 1, 4..6 axis 2, 8 common),
    // 32 hexadecimal characters each.
    std::map<char, QByteArray> paramBlocks;
    // Groups 1..99: start and end position.
    std::array<std::pair<int, int>, 100> groups{};
    // Macros 1..9: 32 hexadecimal characters (16 steps of command and data).
    std::array<QByteArray, 10> macros;
    // Written but not yet committed.
    std::map<char, QByteArray> sentParamBlocks;
    std::map<int, std::pair<int, int>> sentGroups;
    std::map<int, QByteArray> sentMacros;
    std::vector<QByteArray> commitLog; // every commit line accepted, in order
    // I/O words, six hexadecimal characters each.
    QByteArray inputs = "000000";
    QByteArray outputs = "000000";
    // Axis state.
    bool homeDone = false;
    int currentPosition = 0;
    // Present position of each axis in pulses ("0RC"), the continuous jog
    // running on each axis (+1 forward, -1 backward, 0 none) and the pulses a
    // jog covers up to each read of the position while it runs ("0RC") and
    // up to its stop ("0SP"), never below 0.
    std::array<int, 2> axisPos{};
    std::array<int, 2> jogging{};
    int jogTravel = 100;
    bool commMode = false;       // communication mode (else external start)
    QByteArray version = "1A3";  // three characters of "0RV"
    int resets = 0;
    int commits = 0;             // "0WE" lines accepted
    CtSimState();
};

// One change to the next reply.
struct SimFault {
    enum Kind {
        Delay,     // answer after delayMs
        Drop,      // no answer at all
        Corrupt,   // the echo's second character changed
        Shorten,   // one character fewer before CR LF
        Lengthen,  // one character more before CR LF
        Error,     // "0%%" + code instead of the reply, after delayMs
        Vanish,    // no answer, and the line goes dead (cable pulled)
        Split,     // the reply in three pieces, delayMs apart
        Garble,    // one character of the reply changed, length kept
        Trickle,   // the reply one character at a time, delayMs apart,
                   // the first after startMs
        Double,    // the reply after startMs, then a copy of it delayMs
                   // later (the copy comes whatever the controller does
                   // meanwhile)
        Cut,       // the reply after delayMs, without its CR LF
        Stray,     // the reply after delayMs, then one stray character
                   // (`with`, or '#')
    };
    SimFault(Kind k, int delay = 0, QByteArray errorCode = "00B", QByteArray only = {})
        : kind(k), delayMs(delay), code(std::move(errorCode)), onlyFor(std::move(only)) {}
    Kind kind;
    int delayMs = 0;
    QByteArray code = "00B";  // for Error: axis digit, then two code characters
    QByteArray onlyFor;       // the fault waits for a request with this prefix
    // For Garble: the character (from 0; -1 = the last before CR LF) and what
    // it becomes (0 = another hexadecimal digit).
    int at = -1;
    char with = 0;
    int startMs = 0;          // for Trickle and Double
};

// A Garble fault for the request with the prefix.
inline SimFault GarbleFault(QByteArray only, int at = -1, char with = 0) {
    SimFault f(SimFault::Garble, 0, "00B", std::move(only));
    f.at = at;
    f.with = with;
    return f;
}

// A Double fault for the request with the prefix: the reply after replyMs,
// its copy copyAfterMs later.
inline SimFault DoubleFault(QByteArray only, int replyMs, int copyAfterMs) {
    SimFault f(SimFault::Double, copyAfterMs, "00B", std::move(only));
    f.startMs = replyMs;
    return f;
}

// A Trickle fault for the request with the prefix.
inline SimFault TrickleFault(QByteArray only, int startMs, int gapMs) {
    SimFault f(SimFault::Trickle, gapMs, "00B", std::move(only));
    f.startMs = startMs;
    return f;
}

// What the controller sends back for one request.
struct SimReply {
    std::vector<QByteArray> pieces;  // written in order, gapMs apart
    int delayMs = 0;                 // before the first piece
    int gapMs = 0;
    bool vanish = false;
    // Bytes sent on their own, the given milliseconds after the reply,
    // while the controller goes on with what it is asked next.
    std::vector<std::pair<int, QByteArray>> later;
};

// The controller: request lines in, reply lines out. The command table maps
// the three leading characters of a request to its handler.
class CtSim {
public:
    using Handler = std::function<QByteArray(CtSim&, const QByteArray& line)>;

    CtSim();

    // Adds or replaces the handler of a command ("0RP"); the handler gets the
    // request without CR LF and returns the reply without CR LF, or an empty
    // text for no reply.
    void addCommand(const QByteArray& prefix, Handler h) { commands_[prefix] = std::move(h); }

    // One request (without CR LF) → the reply with its faults applied.
    SimReply handle(const QByteArray& line);

    CtSimState state;
    std::deque<SimFault> faults;
    bool silent = false;                 // answers nothing
    std::vector<QByteArray> received;    // every request, in order
    std::vector<qint64> receivedAtMs;    // when each came (monotonic clock)
    // Milliseconds one character takes on the line at 9600 baud (start bit,
    // 8 data bits, stop bit); the pseudo-terminal front paces with it.
    static constexpr double k9600 = 10.0 / 9600.0 * 1000.0;

private:
    std::map<QByteArray, Handler> commands_;
};

// The record of a position: VEL1 ACC1 WAY1 POSI1(5) VEL2 ACC2 WAY2 POSI2(5)
// ITPL OUT SM.
QByteArray PositionRecord(int vel1, int acc1, int way1, int posi1, int vel2, int acc2, int way2,
                          int posi2, int itpl, int out, int sm);

} // namespace rer::sim
