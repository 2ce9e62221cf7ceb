#pragma once
#include "app/AppContext.h"

namespace rer {

struct FileReadFailure;

// Reads a position-data file (*.kzd, *.vtd): "VO-D6", two model strings, two
// type markers "NEW"/"OLD" (none in the old format, whose third item is the
// first position number 1), then per position its number and 12 cells.
// Fills the product's PosiFileData, PosiFileDevice and the shared
// PosiFileNewOrOld only when the whole file was read; the rows of positions
// the file does not carry keep what they held, so a file of only its head
// leaves the table as it was. The two-axis table holds POSI1/POSI2 as
// 7-character texts. A position that does not fit 7 characters (1,000,000 or
// more, -100,000 or less), or a cell whose number is too large for a double,
// fails the read. A file that is not a position file is refused with a
// message; any other failure sets PosiFileError silently. `why`, when
// given, tells the caller which, and why in the window's language.
bool ReadPosiFile(AppContext& ctx, Product p, const QString& path, FileReadFailure* why = nullptr);
// The caption of a position column (1 to 11 two-axis, 1 to 6 one-axis) as
// the messages name it, with the axis in the two-axis grid: "POSI1",
// "位置1"; empty for any other column. The two-axis captions also name the
// items of a position file's records of either product.
QString PosiColumnCaption(Product p, int column, int languageNo);
// "Not Position Data file for DI-D6. Opening file is canceled." and its twins.
QString NotPositionFileText(const AppContext& ctx, Product p);
inline bool ReadPosiFile(AppContext& ctx, const QString& path) { return ReadPosiFile(ctx, Product::TwoAxis, path); }
inline bool W3kReadPosiFile(AppContext& ctx, const QString& path) { return ReadPosiFile(ctx, Product::OneAxis, path); }

// Copies the read table into the editor table; the positions go to PosiValue
// (pulses) instead of the editor's POSI cells.
void PosiFileToEdit(AppContext& ctx, Product p);
inline void PosiFileToEdit(AppContext& ctx) { PosiFileToEdit(ctx, Product::TwoAxis); }
inline void W3kPosiFileToEdit(AppContext& ctx) { PosiFileToEdit(ctx, Product::OneAxis); }

// PosiValue rows 1..399 between pulses (columns 0/1) and mm (2/3) with the
// committed lead and pulses per revolution of each axis of the product.
void PosiTblPlsToMm(AppContext& ctx, Product p);
void PosiTblMmToPls(AppContext& ctx, Product p);
inline void PosiTblPlsToMm(AppContext& ctx) { PosiTblPlsToMm(ctx, Product::TwoAxis); }
inline void W3kPosiTblPlsToMm(AppContext& ctx) { PosiTblPlsToMm(ctx, Product::OneAxis); }
inline void PosiTblMmToPls(AppContext& ctx) { PosiTblMmToPls(ctx, Product::TwoAxis); }
inline void W3kPosiTblMmToPls(AppContext& ctx) { PosiTblMmToPls(ctx, Product::OneAxis); }

// Sets every element of the product's PosiShogoKekka to false.
void ClearPosiShogoKekka(AppContext& ctx, Product p);
inline void ClearPosiShogoKekka(AppContext& ctx) { ClearPosiShogoKekka(ctx, Product::TwoAxis); }
inline void W3kClearPosiShogoKekka(AppContext& ctx) { ClearPosiShogoKekka(ctx, Product::OneAxis); }

// The model string the one-axis reader puts in place of the file's second one.
inline QString W3kSecondModel() { return QStringLiteral("KZ- 39T-100"); }

} // namespace rer
