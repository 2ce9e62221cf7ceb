#pragma once
#include "app/ProgramState.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace rer {

class AppContext;
class Clipboard;
class PositionGrid;

// The special model (SpecialModel of the catalogue) has a new-table ACC of 2
// and an ACC limit of 2.
bool IsSpecialModel(const AxisActuator& a);

inline constexpr uint32_t kLightYellow = 0xFFFFC0; // axis-2 columns of the two-axis grid
inline const QString kDataChange = QStringLiteral("DataChange");

// What a grid column holds.
enum class CellKind { None, Vel, Acc, Way, Posi, Itpl, Out, Sm, Comment };
struct GridColumn {
    CellKind kind = CellKind::None;
    int axis = 0;     // the axis of VEL, ACC, WAY and POSI
    int dataCol = -1; // the column of PosiData it fills
};
GridColumn ColumnOf(Product p, int col);
int LastColumn(Product p); // 12 or 7
// Accepted whole numbers of a column; the special model's ACC stops at 2.
struct CellRange {
    int lo, hi;
};
CellRange RangeOf(CellKind k, bool specialAcc = false);

// Header of the position columns. The set-up writes "Posi(pls)", the unit
// change "Posi(Pls)".
QString PosiHeader(int languageNo, bool mm, bool atSetUp);
// The text of a zero position: "      0" or "  0.000".
QString PositionDefault(bool mm);
// A position as its cell shows it, right-aligned in 7 characters:
// millimetres with three decimals (halves of the decimal value up, "0.0075"
// gives "0.008"), pulses as the whole number.
QString PositionText(double n, bool mm);
// The cells of a new-table row (column 0 left empty). specialAcc: the axes
// whose new-table ACC is 2.
QStringList NewRowTexts(Product p, bool mm, bool special1 = false, bool special2 = false);

// W6flgdData_Init / W3KflgdData_Init: layout, headers and a new table.
void SetUpPositionGrid(AppContext& ctx, Product p);
// Change_DispUnit / Change_W3kDispUnit: the position headers name the unit.
void ChangeDispUnitHeaders(AppContext& ctx, Product p);

// The in-cell editor: where the current cell goes after a key.
enum class NavKey { Enter, Up, Right, Down };
void MoveAfterKey(PositionGrid& g, Product p, NavKey key);

// Row services (PosiGridDeleteRows / PosiGridInsertRows and the one-axis
// twins): rows first..last removed or new rows inserted, 400 rows kept.
void PosiGridDeleteRows(AppContext& ctx, Product p, int first, int last);
void PosiGridInsertRows(AppContext& ctx, Product p, int first, int last);
// Clipboard services; the caller makes sure the grid is the active control.
// A paste whose comment the position file could not hold is refused whole
// with the message of the in-cell editor: false, nothing pasted.
void CopyRowsToClipboard(AppContext& ctx, Product p);
bool PasteRowsFromClipboard(AppContext& ctx, Product p);

// A comment the position file can hold: Shift-JIS, no line break (a double
// quote is filed as an apostrophe).
bool CommentFitsFile(const QString& comment);
// "The comment holds a character that cannot be saved." by the language.
QString UnsavableCommentText(const AppContext& ctx);

// The row and clipboard commands with their checks and messages
// (PosiGyoInsertProc, PosiGyoDeleteProc, PosiCopyProc, PosiPasteProc and
// the one-axis twins).
void PosiGyoInsertProc(AppContext& ctx, Product p);
void PosiGyoDeleteProc(AppContext& ctx, Product p);
// Copy and paste act only while the grid is the window's active control
// (their column checks and messages come first).
void PosiCopyProc(AppContext& ctx, Product p, bool gridActive = true);
void PosiPasteProc(AppContext& ctx, Product p, bool gridActive = true);

// EditTorikomi / W3kEditTorikomi: the editor's text into the current cell.
struct CommitOutcome {
    bool accepted = false;
    // One beep: the entry was refused, a block of several columns was
    // selected, or the number taken left characters of the entry behind.
    bool beep = false;
};
CommitOutcome EditTorikomi(AppContext& ctx, Product p, const QString& editorText);

// PosiDataCheck / W3kPosiDataCheck: outcome in ctx.main.
void PosiDataCheck(AppContext& ctx, Product p);

} // namespace rer
