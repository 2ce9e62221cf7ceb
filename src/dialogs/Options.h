#pragma once
#include "platform/BoxEntry.h"

#include <QString>
#include <cstdint>

namespace rer {

class AppContext;

// The controls of the options dialog as values: what the dialog shows when
// it opens and what OK reads back. Option indexes are those of the option
// buttons; -1 means none of the group is selected.
struct OptionsForm {
    QString txtPortNo;
    bool chkPortOccupy = false;
    int optSutiSyori = 0;         // 0 round up, 1 round down
    int optHyojiKirikae = 0;      // 0 pulses, 1 millimetres
    int optLanguege = 0;          // 0 Japanese, 1 English
    bool japaneseEnabled = true;  // optLanguege(0) usable (not on a system outside Japan)
    int optCT = 0;                // 0 two-axis "VO-D6", 1 one-axis "KZ-H3K"
    QString txtMoveTimeout;
    QString txtJogVel;
    int optJogAcc = -1;           // 0..2 stand for 1..3
    int optJogAcc2 = -1;          // 0..1 stand for 1..2
};

// The dialog's load: the controls from the shared values; the teaching values
// are reloaded from the settings first. oldPortNo receives PortNo.
OptionsForm LoadOptionsForm(AppContext& ctx, int16_t& oldPortNo);

// The field checks: 0 when the value (its leading number, rounded to a whole
// number) lies in 1..60 (VEL) or 1..999 (time-out), else 1 after the message.
int JogVelCheck(AppContext& ctx, const QString& txtJogVel);
int MoveTimeoutCheck(AppContext& ctx, const QString& txtMoveTimeout);

// OK: both checks, then every choice applied to the shared values and saved.
// A check that fails stops OK before anything is applied.
enum class OptionsOk { Applied, JogVelInvalid, MoveTimeoutInvalid };
OptionsOk ApplyOptions(AppContext& ctx, const OptionsForm& form, int16_t oldPortNo);

// The display unit changed to mm (true) or pulses: the grid of the product
// in use validated into the tables, the tables converted, the grid redrawn
// with the unit headers, the setting saved; the clipboard cleared in every
// case. False (after the message) when the grid failed the check: the unit
// stays.
bool ChangeDisplayUnit(AppContext& ctx, bool mm);

// Key filters of the three number boxes. keyAscii is the typed character
// (8 Backspace, 9 Tab, 13 Enter).
enum class OptionBox { PortNo, JogVel, MoveTimeout };
enum class KeyVerdict { Accept, Drop, DropAndMoveOn };
KeyVerdict OptionsKeyPress(OptionBox box, int keyAscii, qsizetype textLength, bool hasSelection);
// The same digits and lengths for what reaches a box without a key: a paste
// from the context menu, a drop.
BoxRule OptionsBoxRule(OptionBox box);

// The main window's notices after the dialog: language and controller
// changes take effect at the next start.
void ShowRestartNotices(AppContext& ctx);

} // namespace rer
