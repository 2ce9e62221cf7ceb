#pragma once
#include <QString>
#include <array>

class QTimer;

namespace rer {

class AppContext;
class ControllerLink;

// What the motion-test runs ask of their window besides the lamps that the
// link's MoveDisplay covers.
class MoveRunView {
public:
    virtual ~MoveRunView() = default;
    virtual void setOutLamp(int out, bool on) = 0;     // imgOut1Green / imgOut2Green
    virtual void setKanryoNo(const QString& text) = 0;  // lblkanryoNo
    // MoveCMDBTNMuko / MoveCMDBTNYuko.
    virtual void setRunControlsEnabled(bool on) = 0;
    // The tab control as a whole (SSTab1), and its tabs (0 Selective, 1
    // Continual, 2 Group) and the program grid. The tab the user is on stays
    // the current one.
    virtual void setTabControlEnabled(bool on) = 0;
    virtual void setTabEnabled(int tab, bool on) = 0;
    virtual void setProgramGridEnabled(bool on) = 0;
    // cmdReset and the mode-change menu of the main window.
    virtual void setMainRunLock(bool locked) = 0;
    virtual void focusDummy() = 0;
};

// The choices of the window that a run reads.
struct MoveRunSettings {
    // Selective Move tab.
    std::array<QString, 16> program{}; // cells 1..15 of the program row
    bool selectStep = false;           // optSelectMode(1)
    bool repeat = false;               // chkRepeat
    bool timerUse = false;             // chkTimerUse
    QString timer;                     // txtTimer, tenths of a second
    bool noSqMcr1 = false;             // chkNoSqMcr1: "0MM"
    // Continual Move tab.
    int startPosiNo = 1, endPosiNo = 1; // lblStartPosiNo, lblEndPosiNo
    bool singleMove = false;           // optMoveWay(1)
    bool repeat2 = false;
    bool timerUse2 = false;
    QString timer2;
    bool noSqMcr2 = false;
    // Group Move tab.
    int grpNo = 1;                     // lblGrpNo
};

// The runs of the motion-test window: home return, the programmed run, the
// start-to-end run and the group move, with pause, stop and dwell.
class MoveRuns {
public:
    MoveRuns(AppContext& ctx, MoveRunView& view);
    ~MoveRuns();

    MoveRunSettings s;

    void cmdHome_Click();
    void cmdMove_Click();
    void cmdSelectMove_Click();
    void cmdGrpMove_Click();
    // The pause and stop buttons act only while their own run goes on;
    // "Forced ending" ends whatever the run is doing, and nothing is sent
    // after it. Stop and "Forced ending" also end at once a wait for what
    // the controller still owes, whichever window's job waits.
    void cmdTmpStop_Click();
    void cmdStop_Click();
    void cmdTempStop2_Click();
    void cmdStop2_Click();
    void cmdGrpMoveStop_Click();

    bool running() const { return run_ != Run::None; }

    // Flags and counters of the window.
    bool Timeup = true;
    bool Tmp_Stop = false, Tmp_Stop2 = false;
    bool Move_Stop = false, Move_Stop2 = false;
    int CurCellNo = 1;
    int CurPosiNo = 0;
    int CurRangePosiNo = 1;

    // Milliseconds of a dwell text (tenths of a second); 0 = none.
    static int DwellMs(const QString& text);

private:
    enum class Run { None, Home, Program, Range, Group };
    void wrap(Run r, void (MoveRuns::*run)());
    bool commonStart(int tab, bool clearErrorOnFailedRead);
    void commonEnd(int tab);
    // A pause, a stop or a forced ending pressed during the common start
    // (the home read, a home return) ends the run before its first move;
    // a pause keeps the position counter for the resume.
    bool stoppedBeforeFirstMove(bool pause, bool stop, bool oneMove) const;
    void programRun();
    void rangeRun();
    void grpRun();
    void lampsFromOutputs();
    // One move of a run and its output read; false ends the run.
    bool moveTo(int posiNo, bool noSqMcr, int moveTimeout, int outTimeout, const QString& rangeTextJp,
                const QString& stopTextEn);
    void dwell(bool use, const QString& text, const bool& pause, const bool& stop);
    // The end of every run: nothing of a forced ending is left for the next
    // exchange.
    void endRun();
    void endOwedWait();
    ControllerLink* link() const;

    AppContext& ctx_;
    MoveRunView& view_;
    QTimer* Timer2_;
    Run run_ = Run::None;
    bool forced_ = false; // "Forced ending" was pressed during this run
};

} // namespace rer
