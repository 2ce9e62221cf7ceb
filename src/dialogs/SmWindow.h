#pragma once
#include "dialogs/GrpSmEditor.h"
#include "platform/BoxEntry.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace rer {

// What the sequence-macro window's logic needs of the window itself.
class SmWindowView {
public:
    virtual ~SmWindowView() = default;
    // The nine buttons.
    virtual void SM_CMDBTN_Muko() = 0;
    virtual void SM_CMDBTN_Yuko() = 0;
    // The nine buttons and the macro selector.
    virtual void SM_AllMuko() = 0;
    virtual void SM_AllYuko() = 0;
    // Shows the current macro of SmData.
    virtual void SmDataHyoji() = 0;
};

constexpr int kSmSteps = 16;

// The command list texts, in code order 0 to 6.
const QStringList& SmCommandTexts();

// A step's command and data are valid together (code 15 counts as END).
bool SmStepValid(int command, int data);

// What a step's data box takes from the user: one digit, by the selected
// entry of the step's command list (-1: none): "1" to "4" for IN and OUT,
// "1" to "9" for the timers, "0" to "9" otherwise.
BoxRule SmDataRule(int commandIndex);

// The logic of the sequence-macro window: the macro on show, the step boxes,
// the check and the nine commands over SmData. Each opening starts from
// empty macros.
class SmEditor : public GrpSmEditor {
public:
    SmEditor(AppContext& ctx, SmWindowView& view);

    // Some step of the last check is invalid; the commands clear it before
    // they check, the check only sets it.
    bool SMDataNasi = false;

    // ClearSmData; macro 1.
    void Form_Load();
    // All nine macros: code 15 becomes 0; sets SMDataNasi on an invalid step.
    void SmData_Check();

    // Macro on show, 1 to 9 (lblSqMacroNo).
    int macro() const { return macro_; }
    void lblSqMacroNo_Change(int m);
    // The list entry a step shows (-1: leave the list as it is) and its data.
    int commandIndex(int step) const;
    QString dataText(int step) const;
    // Stores the chosen command; false (beep) when nothing is chosen.
    bool comboMerei_LostFocus(int step, int selectedIndex);
    void txtSmData_Change(int step, const QString& text);

    void cmdReadSMfromCt_Click();
    void cmdWriteSMtoCt_Click();
    void cmdSmCTShogo_Click();
    void cmdSmFileOpen_Click();
    void cmdSmFileSave_Click();
    void cmdSmFileShogo_Click();
    void cmdSMDispPrint_Click();
    void cmdSMFilePrint_Click();

private:
    // Clears SMDataNasi and checks.
    bool checkTable() override;
    // Macros 1 to 9: the range of the listing.
    void wholeTable() override;
    std::vector<int16_t> tableImage() const override;
    void commandsOff(Scope scope) override;
    void commandsOn(Scope scope) override;
    void showTable() override { view_.SmDataHyoji(); }
    int16_t& cell(int step, int column);

    SmWindowView& view_;
    int macro_ = 1;
};

} // namespace rer
