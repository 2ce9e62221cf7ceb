#pragma once
#include <QString>

namespace rer {

// The lamps and labels of the main window that the link writes.
class LinkDisplay {
public:
    virtual ~LinkDisplay() = default;
    virtual void setAlarmLamp(bool on) = 0;              // imgAlarmLed (imgAlarmGreen the opposite)
    virtual void setAlarmNo(const QString& text) = 0;     // lblAlarmNo
    virtual void setErrorComment(const QString& text) = 0; // lblErrorComment
    virtual void setHomeLamp(bool on) = 0;               // imgHomeGreen (imgHomeWhite the opposite)
    virtual void setPortLamp(bool on) = 0;               // imgPortGreen (imgPortLed the opposite)
    virtual void setStatusPanel(int panel, const QString& text) = 0; // sbStatusBar, from 1
    // A request waits until the controller has finished what it still owes
    // (the answer to a request that was given up): the user is told so.
    virtual void setOwedWait(bool waiting) = 0;
};

// The lamps of the motion window that the home return writes.
class MoveDisplay {
public:
    virtual ~MoveDisplay() = default;
    virtual void setOutLamp(int out, bool on) = 0;       // imgOut1Green / imgOut2Green
    virtual void setKanryoNo(const QString& text) = 0;    // lblkanryoNo
};

// The progress window of the multi-line transfers.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void setMaximum(int max) = 0;                // prgBar1
    virtual void setValue(int value) = 0;
    virtual void setSetumei(const QString& text) = 0;     // lblSetumei
    virtual void Show() = 0;                             // modeless
    virtual void Unload() = 0;
};

} // namespace rer
