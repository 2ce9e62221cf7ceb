#pragma once
#include "dialogs/SmWindow.h"
#include "dialogs/ui/EditWindowParts.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace rer {

class AppContext;

// The sequence-macro window: nine macros of 16 steps, one on show, chosen
// with an up-down control, with read, write, verification, files and
// printing. Not modal; closing it deletes it.
class frmSqMcr : public GrpSmWindow, public SmWindowView {
    Q_OBJECT
public:
    explicit frmSqMcr(AppContext& ctx, QWidget* parent = nullptr);
    ~frmSqMcr() override;

    SmEditor& editor() { return editor_; }

    QComboBox* comboMerei(int i) const { return comboMerei_[static_cast<size_t>(i)]; }
    QLineEdit* txtSmData(int i) const { return txtSmData_[static_cast<size_t>(i)]; }
    QLabel* lblSqMcrStep(int i) const { return lblSqMcrStep_[static_cast<size_t>(i)]; }
    QLabel* lblSqMacroNo() const { return lblSqMacroNo_; }
    QWidget* UpDownSmNo() const { return UpDownSmNo_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    QLabel* lblSqMacro() const { return lblSqMacro_; }
    QLabel* lblSmMeirei() const { return lblSmMeirei_; }
    QLabel* lblSmData() const { return lblSmData_; }
    QPushButton* cmdReadSMfromCt() const { return cmdReadSMfromCt_; }
    QPushButton* cmdWriteSMtoCt() const { return cmdWriteSMtoCt_; }
    QPushButton* cmdSmCTShogo() const { return cmdSmCTShogo_; }
    QPushButton* cmdSmFileOpen() const { return cmdSmFileOpen_; }
    QPushButton* cmdSmFileSave() const { return cmdSmFileSave_; }
    QPushButton* cmdSmFileShogo() const { return cmdSmFileShogo_; }
    QPushButton* cmdSMDispPrint() const { return cmdSMDispPrint_; }
    QPushButton* cmdSMFilePrint() const { return cmdSMFilePrint_; }
    QPushButton* cmdSqMcrWinClose() const { return cmdSqMcrWinClose_; }

    // Number of beeps given (a command list left without a choice).
    int beeps = 0;

    void SM_CMDBTN_Yuko() override;
    void SM_CMDBTN_Muko() override;
    void SM_AllMuko() override;
    void SM_AllYuko() override;
    void SmDataHyoji() override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    GrpSmEditor& tableEditor() override { return editor_; }

private:
    void Form_Load();
    void buttons(bool on);
    void stepMacro(int delta);   // UpDownSmNo
    void comboMerei_LostFocus(int step);

    SmEditor editor_;
    bool showing_ = false;        // SmDataHyoji is filling the boxes
    std::array<QComboBox*, kSmSteps> comboMerei_{};
    std::array<QLineEdit*, kSmSteps> txtSmData_{};
    std::array<QLabel*, kSmSteps> lblSqMcrStep_{};
    QLabel* lblSqMacroNo_ = nullptr;
    QWidget* UpDownSmNo_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QLabel* lblSqMacro_ = nullptr;
    QLabel* lblSmMeirei_ = nullptr;
    QLabel* lblSmData_ = nullptr;
    QPushButton* cmdReadSMfromCt_ = nullptr;
    QPushButton* cmdWriteSMtoCt_ = nullptr;
    QPushButton* cmdSmCTShogo_ = nullptr;
    QPushButton* cmdSmFileOpen_ = nullptr;
    QPushButton* cmdSmFileSave_ = nullptr;
    QPushButton* cmdSmFileShogo_ = nullptr;
    QPushButton* cmdSMDispPrint_ = nullptr;
    QPushButton* cmdSMFilePrint_ = nullptr;
    QPushButton* cmdSqMcrWinClose_ = nullptr;
};

} // namespace rer
