#pragma once
#include "app/ProgramState.h"
#include "files/ParaRows.h"
#include "files/ParaTables.h"
#include "platform/BoxEntry.h"

#include <QString>
#include <array>
#include <optional>

namespace rer {

// What the controls of a parameter window hold, by the parameter's table row
// (1..kParaRowCount) and member (0 axis 1, 1 axis 2; single controls use
// member 0).
struct ParaControls {
    ParaControls() {
        for (auto& c : combo) c.fill(-1);
    }
    std::array<std::array<QString, 2>, kParaRowCount + 1> text; // text boxes
    std::array<std::array<int, 2>, kParaRowCount + 1> combo;    // selected position, -1 none
    std::array<bool, 2> opt{true, false};                       // the option pair's members 0 and 1

    bool operator==(const ParaControls&) const = default;
};

// How a table row is edited and checked in a product's window (its
// description, kParaRows, seen from the product).
struct ParaRowSpec {
    ParaCtl kind = ParaCtl::Text;
    int items = 0;          // combo: number of items
    bool perAxis = false;
    int lo = 0, hi = 0;     // range of the whole-record check
    bool checked = true;    // the whole-record check tests the row
    int maxChars = 0;       // text box: the key filter's full length
    bool boxTest = false;   // text box: tested when it loses the focus
    int boxLo = 0, boxHi = 0;
    bool wide = false;      // value read in 32 bits (a value of any kind)
};

// The row's control and ranges in the product's window.
ParaRowSpec ParaSpec(int row, Product p);
// Whether the product's window uses member `axis` of the row.
bool ParaRowShown(int row, int axis, Product p);
// The combo items of a row in the language (1 Japanese); empty for no combo.
QStringList ParaComboItems(int row, Product p, int16_t languageNo);

// Record to controls (ParametaHyoji / W3kParametaHyoji). A combo value with no
// item of its list leaves the combo without a selection. Members the window
// does not use keep what they hold.
void ParaDisplay(const ParaRecord& rec, Product p, ParaControls& c);
// Controls to record (TorikomiParametaValue): every value is overwritten.
void ParaTakeIn(const ParaControls& c, Product p, ParaRecord& rec);
// Whole-record check (ParametaValueCheck): true when some value is out of range.
bool ParaOutOfRange(const ParaRecord& rec, Product p);
// Blank check (PrmBlankCheck / W3kPrmBlankCheck): true when a control the
// product examines is empty.
bool ParaBlankControls(const ParaControls& c, Product p);

// A cell of a parameter file table: its row and axis column.
struct ParaCell {
    int row = 0;
    int axis = 0;
};
// The first cell of the table that the product's window cannot take as it
// stands; none when it takes the whole table. Every row the product has
// holds a value for each axis the window uses; every cell that the copy into
// the record takes is a number as a whole (or empty, in a column the window
// does not use) that fits its field in the record and on the line to the
// controller; every list and option pair the window shows holds one of its
// items. A table that fails would put values into the record that the user
// never saw, or that no write could send.
std::optional<ParaCell> ParaTableMisfit(const ParaFileTable& t, Product p);
// The misfit as a message names it: "PUSH(1) = 70000".
QString ParaCellText(const ParaFileTable& t, ParaCell c);

// Table rows <-> record (PutParaDa2Hensu / PutFileDa2Hensu and PutHensu2ParaDa).
void ParaTableToRecord(const ParaFileTable& t, Product p, ParaRecord& rec);
void ParaRecordToTable(const ParaRecord& rec, Product p, ParaFileTable& t);

// ---- Input filters of the text boxes

// What a text box takes from the user: digits, up to the row's maximum.
BoxRule ParaBoxRule(int row, Product p);
// The focus-loss test: false when the box's text must be emptied with a beep.
// A number that does not fit the value's width is out of range.
bool ParaBoxAccepts(int row, Product p, const QString& text);

// Where Enter in a text box sends the focus: a row and member (a combo row
// ends a chain). spUnlocked: the special parameters take input; while they
// are locked, Enter that would enter them goes to the first row instead.
struct ParaFocus {
    int row = 0;
    int member = 0;
};
ParaFocus ParaEnterTarget(int row, int member, Product p, bool spUnlocked);

} // namespace rer
