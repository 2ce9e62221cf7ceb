#pragma once
#include "motion/IoMonitor.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace rer {

class SignalLamp;

// The I/O monitor: the controller's inputs and outputs as lamps, refreshed
// every 300 ms while the monitor runs; a double-click on an output lamp flips
// that output.
class frmIOCheck : public QDialog, private IoMonitorView {
    Q_OBJECT
public:
    frmIOCheck(AppContext& ctx, QWidget* mainWindow);

    QPushButton* cmdIoMonitor() const { return cmdIoMonitor_; }
    QPushButton* cmdIoWinClose() const { return cmdIoWinClose_; }
    QTimer* timerInputOutput1() const { return timer_; }
    // Lamps and labels by name (imgInputStb, lblOutputEXP4, ...).
    SignalLamp* lamp(const QString& name) const;
    QLabel* label(const QString& name) const;
    SignalLamp* imgWhiteIcon(int index) const;
    QWidget* PictureLs2() const { return PictureLs2_; }
    IoMonitor& monitor() { return monitor_; }

public Q_SLOTS:
    // Every way of closing (close box, Escape, Close) passes here.
    void reject() override;

private:
    void setTimerEnabled(bool on) override;
    void setMonitorCaption(const QString& text) override;
    void setCloseEnabled(bool on) override;
    void IoStateHyoji() override;
    QWidget* signalCell(const IoLamp& l, bool output, QWidget* parent);

    AppContext& ctx_;
    IoMonitor monitor_;
    QPushButton* cmdIoMonitor_;
    QPushButton* cmdIoWinClose_;
    QTimer* timer_;
    QLineEdit* txtDummy_;
    QWidget* PictureLs2_ = nullptr;
    QList<SignalLamp*> inputs_, outputs_;
    SignalLamp* white_[39] = {};
    bool closeAfterTick_ = false; // closed while a read waited
};

} // namespace rer
