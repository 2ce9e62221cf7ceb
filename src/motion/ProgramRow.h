#pragma once
#include "platform/BoxEntry.h"

#include <QString>

namespace rer {

// The program row of the motion-test window: 15 cells of position numbers
// 1..399 or nothing.

// The text a cell keeps when the editor is committed: the trimmed text when
// it is a number 1..399, else empty (refused).
QString ProgramCellCommit(const QString& editorText, bool* refused = nullptr);
// What the cell editor takes from the user: up to three digits.
constexpr BoxRule kProgramCellRule = DigitBox(3);
// What the wait texts take: up to three digits (tenths of a second).
constexpr BoxRule kWaitBoxRule = DigitBox(3);
// The column after Enter / Right (15 wraps to 1) and after Left (stays at 1).
int ProgramNextColumn(int col);
int ProgramPreviousColumn(int col);
// The text "1 to 15" puts in a column: the number with one leading blank.
QString ProgramFillText(int col);

} // namespace rer
