#pragma once
#include "dialogs/Options.h"
#include "platform/SerialPort.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace rer {

class AppContext;

// The options dialog: port, port occupation, rounding of mm input, display
// unit, language, controller, move time-out and the teaching speeds, on
// seven tabs. Every opening starts from the shared values; only OK writes
// them back.
class frmOptions2 : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions2(AppContext& ctx, QWidget* parent = nullptr);

    // PortNo when the dialog loaded.
    int16_t OldPortNo = 0;

    QTabWidget* SSTabOption() const { return SSTabOption_; }
    QLineEdit* txtPortNo() const { return txtPortNo_; }
    QSpinBox* UpDown2() const { return UpDown2_; }
    QCheckBox* chkPortOccupy() const { return chkPortOccupy_; }
    QLabel* lblPortDevice() const { return lblPortDevice_; }
    QRadioButton* optSutiSyori(int i) const { return optSutiSyori_[i]; }
    QRadioButton* optHyojiKirikae(int i) const { return optHyojiKirikae_[i]; }
    QRadioButton* optLanguege(int i) const { return optLanguege_[i]; }
    QRadioButton* optCT(int i) const { return optCT_[i]; }
    QLineEdit* txtMoveTimeout() const { return txtMoveTimeout_; }
    QLineEdit* txtJogVel() const { return txtJogVel_; }
    QRadioButton* optJogAcc(int i) const { return optJogAcc_[i]; }
    QRadioButton* optJogAcc2(int i) const { return optJogAcc2_[i]; }
    QLineEdit* txtDummy() const { return txtDummy_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdApply() const { return cmdApply_; }

    // The controls as values.
    OptionsForm formValues() const;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void build();
    void Form_Load();
    void SSTabOption_Click(int previousTab);
    // Back to a tab with the box's whole text selected.
    void showField(int tab, QLineEdit* box);
    bool filterKey(QLineEdit* box, OptionBox kind, QEvent* e);

    AppContext& ctx_;
    QTabWidget* SSTabOption_ = nullptr;
    int currentTab_ = 0;
    bool switching_ = false;

    QLabel* lblPortNo = nullptr;
    QLineEdit* txtPortNo_ = nullptr;
    QSpinBox* UpDown2_ = nullptr;
    QLabel* lblPortDevice_ = nullptr;
    std::vector<SerialPortDescription> ports_;
    QCheckBox* chkPortOccupy_ = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* optSutiSyori_[2] = {};
    QGroupBox* framHyojiUnit = nullptr;
    QRadioButton* optHyojiKirikae_[2] = {};
    QGroupBox* framLanguege = nullptr;
    QRadioButton* optLanguege_[2] = {};
    QGroupBox* framSelectCt = nullptr;
    QRadioButton* optCT_[2] = {};
    QLabel* lblMoveTimeout = nullptr;
    QLineEdit* txtMoveTimeout_ = nullptr;
    QLabel* lblTimeoutUnit = nullptr;
    QLabel* lblJogVelSetumei = nullptr;
    QLabel* lblJogVelCap = nullptr;
    QLineEdit* txtJogVel_ = nullptr;
    QLabel* lblJogAccCap = nullptr;
    QFrame* pictureJogAcc = nullptr;
    QRadioButton* optJogAcc_[3] = {};
    QLabel* lblJogAcc2Cap = nullptr;
    QFrame* pictureJogAcc2 = nullptr;
    QRadioButton* optJogAcc2_[2] = {};
    QLineEdit* txtDummy_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdApply_ = nullptr;
};

} // namespace rer
