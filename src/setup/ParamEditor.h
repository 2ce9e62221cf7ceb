#pragma once
#include "app/EditsQuestion.h"
#include "app/ProgramState.h"
#include "setup/ParamFields.h"

#include <QString>

namespace rer {

class AppContext;
class ActuatorDialogs;

// What the parameter editor needs of its window (frmParameta2 /
// frm3KParameta2): the contents of its controls and its ten command buttons.
class ParamWindowPort {
public:
    virtual ~ParamWindowPort() = default;
    virtual ParaControls Controls() const = 0;
    virtual void SetControls(const ParaControls& c) = 0;
    // cmdReadParaFile .. cmdCalculate, in that order.
    virtual void SetCommandButtonsEnabled(bool on) = 0;
};

// The main window's disable and enable families around a command.
class MainCommandFrame {
public:
    virtual ~MainCommandFrame() = default;
    virtual void CMDBTN_Muko() = 0;
    virtual void ToolBar_Muko() = 0;
    virtual void Menyu_Muko() = 0;
    virtual void CMDBTN_Yuko() = 0;
    virtual void ToolBar_Yuko() = 0;
    virtual void Menyu_Yuko() = 0;
};

// The parameter editor of a product: the window's public operations and its
// commands, without the window. Both products share it; the one-axis window
// is the same editor with one axis and BCD ENABLE.
class ParamEditor {
public:
    ParamEditor(AppContext& ctx, Product p, ParamWindowPort& window, MainCommandFrame* main,
                ActuatorDialogs* dialogs);

    Product product() const { return p_; }

    // Window operations.
    void ParametaHyoji();          // record to controls (W3kParametaHyoji)
    void TorikomiParametaValue();  // controls to record
    void ParametaValueCheck();     // sets ParaInvalid
    void PrmBlankCheck();          // sets ParaBlank
    void ParaCMDBTN_Muko();
    void ParaCMDBTN_Yuko();
    // Save As and write; true when the file was written.
    bool SaveParaFile();
    // The main window's parameter read (GetParametaValue / GetW3kParametaValue).
    void GetParametaValue();
    // File table into the record (PutParaDa2Hensu / PutFileDa2Hensu) and back
    // for a listing of the shown values (PutHensu2ParaDa).
    void PutParaDa2Hensu();
    void PutHensu2ParaDa();

    // Commands, each in its frame.
    void cmdParaRead_Click();
    void cmdParaWrite_Click();
    void cmdConpareCT_Click();
    void cmdConpareFile_Click();
    void cmdReadParaFile_Click();
    void cmdSaveParaFile_Click();
    void cmdParaFilePrint_Click();
    void cmdParaPrint_Click();
    void cmdIniPrm_Click();
    // The question before the special parameters are unlocked: true on Yes.
    bool ConfirmSpUnlock();

    // The verification result text from ParaDiffFlag and ParaDiffText.
    QString VerifyResultText() const;

    bool blank() const;
    bool invalid() const;

    // The window's values differ from those the last open, save, read or
    // write left in it.
    bool modified() const { return window_.Controls() != clean_; }
    // The window's values as they stand are those of a file or the
    // controller (the window calls it once it is built).
    void markClean() { clean_ = window_.Controls(); }
    // Before the window closes: true when nothing changed, or when the user
    // chose to give the edits up or saved them.
    bool mayClose();
    // A command of the window runs (it may wait in an event loop): the
    // window must not close meanwhile.
    bool running() const { return running_ > 0; }

private:
    enum class Frame { Full, WindowOnly };
    template <class F> void inFrame(Frame f, F&& work);
    bool checkShown(const QString& blankText, const QString& invalidText);
    bool inputCheck(bool forPrint);
    void ParaLoadtoCtConfirm();
    void ParaDataCtShogo();
    void ParaDataFileShogo();
    void ParaFileOpenProc();
    // Inside a command's frame: asks before the edits are given up.
    bool mayGiveUpEdits(EditsAt at);
    std::optional<QString> openDialog(const QString& title);
    bool readChosenFile(const QString& title, bool open);
    int readFromCt();
    QString t(const char* jp, const char* en) const;

    AppContext& ctx_;
    Product p_;
    ParamWindowPort& window_;
    MainCommandFrame* main_;
    ActuatorDialogs* dialogs_;
    int running_ = 0;
    ParaControls clean_; // what a freshly opened window shows
};

// The main window's public operations for each product.
inline void GetParametaValue(ParamEditor& e) { e.GetParametaValue(); }
inline void GetW3kParametaValue(ParamEditor& e) { e.GetParametaValue(); }

} // namespace rer
