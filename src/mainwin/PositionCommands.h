#pragma once
#include "app/MainWindowPort.h"
#include "app/ProgramState.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace rer {

class AppContext;
class ControllerLink;
struct FileReadFailure;

// What the position file and controller commands need of the main window
// and its dialogs. frmMain implements it; tests use a recorder.
class PositionHost {
public:
    virtual ~PositionHost() = default;
    // Labels, status panels and the focus of the main window.
    virtual MainWindowPort& window() = 0;
    // CMDBTN_Muko, ToolBar_Muko, Menyu_Muko and LineCmd_Muko.
    virtual void CommandsOff() = 0;
    // CMDBTN_Yuko, ToolBar_Yuko and Menyu_Yuko.
    virtual void CommandsOn() = 0;
    virtual void LineCmd_Muko() = 0;
    // lblFileName.
    virtual void SetFileLabel(const QString& text) = 0;
    // frmSelectPosiNo: sets PosiRangeStart / PosiRangeEnd, or SelectPosiCancel.
    virtual void SelectRange() = 0;
    // frmDataShogo: 1 a file, 2 the controller, 0 cancelled.
    virtual int SelectShogo() = 0;
    // frmSyogoKekka / frm3KSyogo over the product's mismatch table.
    virtual void ShowShogoResult(Product p) = 0;
};

// ---- Display

// KzDataHyoji / W3kKzDataHyoji: the editor table of the product into its
// grid; the one-axis form also fills the hidden carrier flgdDummy.
void KzDataHyoji(AppContext& ctx, Product p);

// ---- Position data file

// SaveFileAs / W3kSaveFileAs: writes the product's editor table. The file is
// replaced only when completely written; on success the title, the file
// label, the remembered path and the change mark follow the file. A failure
// shows "An error occured in saving data." and changes nothing.
bool SaveFileAs(AppContext& ctx, PositionHost& host, Product p, const QString& path);

// The file title of a path: its name without folder and extension.
QString FileTitleOf(const QString& path);

// The common file dialog for a position file ("kzd" added to a bare name):
// Open (the file must exist) or Save (asking before replacing). Nothing when
// cancelled or left empty.
std::optional<QString> AskPositionFile(AppContext& ctx, bool save, const QString& title, const QString& filter,
                                       const QString& proposed = QString());
QString OpenPositionFilter(const AppContext& ctx);
// A position file chosen to be read that the reader refused: "Fail to open
// Position Data file." over the file and why, unless the reader has told
// itself (a file of another kind).
void TellPositionReadFailure(AppContext& ctx, const QString& path, const FileReadFailure& why);

// ---- File commands (New, Open, Save, Save As)

// mnuFileNew_Click: PosiNewProc / W3kPosiNewProc of the product in use.
void PosiNewCmd(AppContext& ctx, PositionHost& host);
// PosiFileOpenCmd.
void PosiFileOpenCmd(AppContext& ctx, PositionHost& host);
// PosiSaveCmd and PosiSaveAsCmd; true when the whole file was written.
// HozonCancel is set whenever they did not save.
bool PosiSaveCmd(AppContext& ctx, PositionHost& host);
bool PosiSaveAsCmd(AppContext& ctx, PositionHost& host);

// Result of reading the model strings of a file (GetDeviceTypeFromFile).
enum class FileModelOutcome { Taken, TypeNotSelected, Malformed };
FileModelOutcome GetDeviceTypeFromFile(AppContext& ctx, Product p);
// ReflectFileInfo2PcSettings / W3kReflectFileInfo2PcSettings.
void ReflectFileInfo2PcSettings(AppContext& ctx, Product p);

// ---- Position data with the controller
//
// Each command and procedure below that talks to the controller takes it
// first: while another job holds it, it asks, sends and shows nothing.

// The write line of position n of the product's editor table ("0WP" + 3 + 19
// hexadecimal characters); nothing when a field is negative or too wide.
std::optional<QString> PosiWriteLine(const AppContext& ctx, Product p, int n);

// PosidataLoadtoCt: the Load command of the product in use.
void PosidataLoadtoCt(AppContext& ctx, ControllerLink& link, PositionHost& host);
// PosidataLoadtoCtProc / W3kPosidataLoadtoCtProc: range, checks,
// confirmation, the soft-limit check against the controller's STROKE
// parameters and the write. True only when every line of the range was
// written and echoed ("Completed data transmit." shown).
bool PosidataLoadtoCtProc(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p);

// PosidataGetfromCt: the Read command of the product in use.
void PosidataGetfromCt(AppContext& ctx, ControllerLink& link, PositionHost& host);
// PosidataGetfromCtProc / W3kPosidataGetfromCtProc; true when the grid shows
// the controller's table.
bool PosidataGetfromCtProc(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p);
// ReadPosidataFromCt / W3kReadPosidataFromCt: positions PosiRangeStart to
// PosiRangeEnd into the received table; 0 success, 1 failure (the received
// table then stays as it was), kLinkBusy when another job holds the
// controller.
int ReadPosidataFromCt(ControllerLink& link, Product p);
// IsPosiDataExist / W3kIsPosiDataExist: sets and returns DataAriFlg.
bool IsPosiDataExist(AppContext& ctx, Product p);

// ---- Verification

// PosiDataShogoProc: the verify button with its choice dialog.
void PosiDataShogoProc(AppContext& ctx, ControllerLink& link, PositionHost& host);
// The verify menu items: against a file or the controller, for the product
// in use.
void PosiVerifyMenu(AppContext& ctx, ControllerLink& link, PositionHost& host, bool againstFile);
// PosiDataFileShogo / PosiDataCtShogo and the one-axis twins.
void PosiDataFileShogo(AppContext& ctx, PositionHost& host, Product p);
void PosiDataCtShogo(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p);
// Compares the editor table with the received table over the range; fills
// PosiShogoKekka and PosiShogoNgCount. True when any position differs.
bool ComparePosiTables(AppContext& ctx, Product p);

} // namespace rer
