#pragma once
#include "app/ProgramState.h"
#include "catalogue/CatalogueTables.h"

#include <QString>

namespace rer {

class AppContext;
class MainWindowPort;

// ---- Catalogue files

// The list file of a series and type: "nkzdevice.lst" for a new-type "KZ",
// "kzdevice.lst" for any other "KZ", "vtdevice.lst" for every other series.
QString DevListFileName(const QString& series, bool newType);

// ---- Loading into the product's catalogue slots

// Loads the slot of each axis the product uses (LoadDeviceList /
// W3kLoadDeviceList): slot 0, then slot 1 for the two-axis product, slot 0
// alone for the one-axis product; stops at the first slot that fails. flag 0
// picks the list file by the committed new-type flag, any other value by the
// dialog's choice (SelNewType). 0 when every slot loaded, 1 when a load
// failed (message shown, that slot's ListError set).
int LoadDeviceList(AppContext& ctx, Product p, int flag);
// One slot (LoadDeviceListAxis / W3kLoadDeviceListAxis).
int LoadDeviceListAxis(AppContext& ctx, Product p, int slot, int flag);
// True when the last load of the slot failed (DevListError / W3kDevListError).
bool DevListError(const AppContext& ctx, Product p, int slot);

// Rebuilds the speed list of a slot for a size code (GetDevSpeedList /
// W3kGetDevSpeedList).
void GetDevSpeedList(AppContext& ctx, Product p, int slot, const QString& size);

// ---- Lookups

// 0 when the model code is well formed (size of 3 characters, speed letter
// A to Z, stroke 10 to 999), else 1.
int CheckDevCode(const QString& size, const QString& speed, int stroke);

// The file lookups read the series' list file afresh and leave the loaded
// catalogue alone.
//
// 1 only when the list file cannot be read (after its message), else 0,
// whether or not the model is listed.
int CheckDevListFile(AppContext& ctx, bool newType, const QString& series,
                     const QString& size, const QString& speed, int stroke);
// 0 when a record has this size, 1 when none does or the file cannot be read.
int FindDevSize(AppContext& ctx, bool newType, const QString& series, const QString& size);
// Lead of the matching record; 0 when there is none or the file cannot be read.
int GetDevLead(AppContext& ctx, bool newType, const QString& series, const QString& size,
               const QString& speed, int stroke);

// Lead and pulses per revolution of the matching catalogue record from one
// read of the list file; both 0 when there is none.
struct DevLeadPpr {
    int lead = 0;
    int ppr = 0;
};
DevLeadPpr GetDevLeadPpr(AppContext& ctx, bool newType, const QString& series, const QString& size,
                         const QString& speed, int stroke);
// PG / vertical-use option code of the matching record (0 none, 1 selectable,
// 2 always); 99 when there is none or the file cannot be read.
int GetDevPgCode(AppContext& ctx, bool newType, const QString& series, const QString& size,
                 const QString& speed, int stroke);
int GetDevVertCode(AppContext& ctx, bool newType, const QString& series, const QString& size,
                   const QString& speed, int stroke);
// 0 when the model is listed, 1 when not or the file cannot be read.
int FindDevModel(AppContext& ctx, bool newType, const QString& series, const QString& size,
                 const QString& speed, int stroke);

// The table lookups search the loaded catalogue.
//
// The dialog's confirmation (FindDevInfo / W3kFindDevInfo): looks the chosen
// model of each axis up and sets its lead; a missing model sets DevNotFound
// with its message.
void FindDevInfo(AppContext& ctx, Product p);
// Looks the committed model of each axis up and sets its lead and pulses per
// revolution (ApplyDeviceList / W3kApplyDeviceList); a missing model sets
// DevNotFound with its message. The two-axis lookup does not look at axis 2
// once axis 1 is missing.
void ApplyDeviceList(AppContext& ctx, Product p);

// ---- Limits and labels

// Largest position in pulses of each axis (frmMain.Culc_MaxPulse / Culc_W3KMaxPulse).
void CulcMaxPulse(AppContext& ctx, Product p);
// Largest position in mm of each axis, truncated to 3 decimals (CalcMaxMm / W3kCalcMaxMm).
void CalcMaxMm(AppContext& ctx, Product p);

// The model text of an axis: "KZ- 28L-100".
QString DeviceNameText(bool isKZ, const QString& size, const QString& speed, int stroke);
// The pulse-rate text of an axis: "<1>1mm = 66.667Pulse / 1Pulse= 0.015mm";
// empty when lead or pulses per revolution is 0 or less.
QString PulseRateText(int axisNo, int lead, int ppr, int languageNo);

// Model labels (ShowDeviceName / W3kShowDeviceName) and the pulse-rate texts
// of status-bar panels 2 and 3 (ShowPulseRate / W3kShowPulseRate).
void ShowDeviceName(AppContext& ctx, Product p, MainWindowPort& win);
void ShowPulseRate(AppContext& ctx, Product p, MainWindowPort& win);

} // namespace rer
