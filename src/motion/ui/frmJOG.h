#pragma once
#include "motion/Teaching.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;

namespace rer {

class GridView;

// The teaching window: jog or inch the axes from the PC, read the reached
// position and take it into the teaching list, which closing may adopt into
// the main grid. One window for both products: frmJOG (two axes) and
// frmW3kJOG (one axis, no axis-2 controls).
class frmJOG : public QDialog, private TeachView {
    Q_OBJECT
public:
    frmJOG(AppContext& ctx, Product p, QWidget* mainWindow);
    ~frmJOG() override;

    JogTeach& teach() { return teach_; }
    QPushButton* cmdJOGST() const { return cmdJOGST_; }
    QPushButton* cmdJOGend() const { return cmdJOGend_; }
    QPushButton* cmdJOGWrite() const { return cmdJOGWrite_; }
    QPushButton* cmdJOG(int i) const { return cmdJOG_[size_t(i)]; }
    QRadioButton* optJOG(int i) const { return optJOG_[size_t(i)]; }
    QCheckBox* CheckAxisEnable(int i) const { return CheckAxisEnable_[size_t(i)]; }
    QGroupBox* Frame1() const { return Frame1_; }
    QLabel* lblPosi(int axis) const { return lblPosi_[size_t(axis)]; }
    QLabel* lblPosiNo() const { return lblPosiNo_; }
    QLabel* lblGenzaitiHyoji() const { return lblGenzaitiHyoji_; }
    QTableView* flgdJOGPosi() const { return flgdJOGPosi_; }
    QTimer* TimerBosoKansi() const { return TimerBosoKansi_; }
    QTimer* TimerJogReadOut() const { return TimerJogReadOut_; }
    QLineEdit* txtDummy() const { return txtDummy_; }

public Q_SLOTS:
    void done(int r) override;
    // No exchange waits, a running jog is stopped and the adoption question
    // answered: the window may close.
    bool readyToClose();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void setJogControlsEnabled(bool on) override;
    void setStartEnabled(bool on) override;
    void setPosiText(int axis, const QString& text) override;
    QString posiText(int axis) const override;
    void setPosiNoText(const QString& text) override;
    QString posiNoText() const override;
    JogMode mode() const override;
    bool axisTicked(int axis) const override;
    void focusDummy() override;
    void runningChanged() override;
    void setCaptions();
    // The one place that switches the jog controls and "Complete": on once
    // started, "Complete" off while a press talks to the controller or a
    // jog runs.
    void updateControls();

    AppContext& ctx_;
    Product product_;
    JogTeach teach_;
    QGroupBox* Frame1_;
    std::array<QRadioButton*, 4> optJOG_{};
    std::array<QPushButton*, 4> cmdJOG_{};
    std::array<QLabel*, 2> lblPosi_{};
    std::array<QLabel*, 3> Label_{};
    std::array<QCheckBox*, 2> CheckAxisEnable_{};
    QGroupBox* framAxisEnable_ = nullptr;
    QLabel* lblPosiNo_;
    QLabel* lblGenzaitiHyoji_;
    QPushButton* cmdJOGST_;
    QPushButton* cmdJOGend_;
    QPushButton* cmdJOGWrite_;
    QTableView* flgdJOGPosi_;
    GridView* listView_;
    QTimer* TimerBosoKansi_;
    QTimer* TimerJogReadOut_;
    QLineEdit* txtDummy_;
    bool closing_ = false;
    bool closeWhenIdle_ = false; // closed while a command waited
    bool jogControlsOn_ = false; // what the teaching logic asked for
};

} // namespace rer
