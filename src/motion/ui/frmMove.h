#pragma once
#include "link/LinkDisplay.h"
#include "motion/MoveRuns.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace rer {

// The motion-test window: home return, the programmed row, the start-to-end
// run and the group move. Modeless; one per main window.
class frmMove : public QWidget, private MoveRunView, private MoveDisplay {
    Q_OBJECT
public:
    // mainRunLock: locks (true) and frees the main window's reset and mode
    // change for the length of a run.
    frmMove(AppContext& ctx, QWidget* mainWindow, std::function<void(bool)> mainRunLock);
    ~frmMove() override;

    MoveRuns& runs() { return runs_; }
    QTabWidget* SSTab1() const { return SSTab1_; }
    QTableWidget* flgdProgram() const { return flgdProgram_; }
    QPushButton* button(const QString& name) const;
    QCheckBox* check(const QString& name) const;
    QRadioButton* option(const QString& name) const;
    QSlider* slider(const QString& name) const;
    QSpinBox* upDown(const QString& name) const;
    QLineEdit* text(const QString& name) const;
    QLabel* lblkanryoNo() const { return lblkanryoNo_; }
    QLabel* imgOutGreen(int out) const { return out == 1 ? imgOut1Green_ : imgOut2Green_; }
    // Number of beeps given (a refused program-row value left by a click).
    int beeps = 0;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // MoveRunView and MoveDisplay.
    void setOutLamp(int out, bool on) override;
    void setKanryoNo(const QString& text) override;
    void setRunControlsEnabled(bool on) override;
    void setTabControlEnabled(bool on) override;
    void setTabEnabled(int tab, bool on) override;
    void setProgramGridEnabled(bool on) override;
    void setMainRunLock(bool locked) override;
    void focusDummy() override;

    void readSettings();
    void optMoveWay_Click(int index);
    QWidget* buildSelective();
    QWidget* buildContinual();
    QWidget* buildGroup();
    template <class T> T* make(const char* name, QWidget* parent);

    AppContext& ctx_;
    MoveRuns runs_;
    std::function<void(bool)> mainRunLock_;
    QTabWidget* SSTab1_;
    QTableWidget* flgdProgram_ = nullptr;
    QLabel* lblkanryoNo_;
    QLabel* imgOut1Green_;
    QLabel* imgOut2Green_;
    QLineEdit* txtDummy_;
};

} // namespace rer
