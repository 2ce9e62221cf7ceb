#pragma once
#include "app/AppContext.h"
#include "files/ParaTables.h"

namespace rer {

struct FileReadFailure;

// The parameter file (*.pmd): "VO-D6","PRM", the section count, then the
// sections HOME, VEL, AXIS, PG, ETC, SPECIAL, each a header (name, rows,
// columns) and its rows. The one-axis file ends with a SPECIAL section of 7
// rows, BCD ENABLE last.

// Writes the product's record to the file; the former file stays as it was
// when the write fails. Sets ParaFileWriteError (and the reason in
// ParaFileWriteErrorText) on failure; shows no message.
bool WriteParaFile(AppContext& ctx, Product p, const QString& path);
// Reads the file into the product's ParaFileData; row 0 gets the file's name.
// The table is replaced only when the whole file was read and its last
// record ends with its line end. A bare item is a number only when it is
// one as a whole ("12abc" is kept as its text). A file that is not a
// parameter file is refused with a message; any other failure sets
// ParaFileError without a message. `why`, when given, tells the caller
// which, and why in the window's language.
bool ReadParaFile(AppContext& ctx, Product p, const QString& path, FileReadFailure* why = nullptr);
// Empties rows 0..35 of the product's table.
void ClearParaFileTable(AppContext& ctx, Product p);

// Compares the product's record with its ParaFileData and fills ParaDiffFlag
// and the six ParaDiffText texts.
void PrmDataCompare(AppContext& ctx, Product p);

inline bool WriteParaFile(AppContext& ctx, const QString& path) { return WriteParaFile(ctx, Product::TwoAxis, path); }
inline bool W3kWriteParaFile(AppContext& ctx, const QString& path) { return WriteParaFile(ctx, Product::OneAxis, path); }
inline bool ReadParaFile(AppContext& ctx, const QString& path) { return ReadParaFile(ctx, Product::TwoAxis, path); }
inline bool W3kReadParaFile(AppContext& ctx, const QString& path) { return ReadParaFile(ctx, Product::OneAxis, path); }
inline void ClearParaFileTable(AppContext& ctx) { ClearParaFileTable(ctx, Product::TwoAxis); }
inline void W3kClearParaFileTable(AppContext& ctx) { ClearParaFileTable(ctx, Product::OneAxis); }
inline void PrmDataCompare(AppContext& ctx) { PrmDataCompare(ctx, Product::TwoAxis); }
inline void W3kPrmDataCompare(AppContext& ctx) { PrmDataCompare(ctx, Product::OneAxis); }

// A table cell equals a record value: numbers by value, anything else as it
// stands.
bool SameValue(const Value& a, const Value& b);

} // namespace rer
