#pragma once
#include "app/AppContext.h"
#include "files/GrpSmTables.h"

namespace rer {

struct FileReadFailure;

// Group-data file (*.grp): "VO-D6","GRP"; 99,3; then per group its number as
// text, start, end. Sequence-macro file (*.smd): "VO-D6","SM"; 16,2,9; then per
// macro its number as text followed by 16 records of command, data.

// Writes GrpData. A failure shows "An error occured while saving Group Data."
// over the file and the reason, and leaves the former file as it was.
bool WriteGrpFile(AppContext& ctx, const QString& path);
// Writes SmData; a failure shows nothing (the macro window reports it, with
// the reason given in `error`).
bool WriteSmFile(AppContext& ctx, const QString& path, QString* error = nullptr);
// Read GrpFileData (and GrpFileName) / SmFileData from a file: the groups or
// macros the file carries, in any order, take its values; the others keep
// theirs. Every cell is a number as a whole ("7" in quotes is 7, "12abc" is
// none) that fits its field (16 bits; a group number 0..99, a macro number
// 1..9). The file holds at least as many records as its sizes record says
// (99 groups, 9 macros as the program writes them) and its last record ends
// with its line end. Nothing changes unless the whole file was read. A file
// of another kind is refused with a message; any other failure sets the
// error flag without one. `why`, when given, tells the caller which, and
// why in the window's language.
bool ReadGrpFile(AppContext& ctx, const QString& path, FileReadFailure* why = nullptr);
bool ReadSmFile(AppContext& ctx, const QString& path, FileReadFailure* why = nullptr);

void GrpFileToEdit(AppContext& ctx); // start and end of groups 1..99
void GrpEditToFile(AppContext& ctx);
void SmFileToEdit(AppContext& ctx);  // columns 0..17 of steps 0..15
void SmEditToFile(AppContext& ctx);
void ClearSmData(AppContext& ctx);   // every element of SmData to 0

// Verification: GrpData against GrpFileData for GrpRangeStart..GrpRangeEnd,
// SmData against SmFileData for macros 1..9; the texts list the differing
// numbers as " 2, 5,".
void GrpDataCompare(AppContext& ctx);
void SmDataCompare(AppContext& ctx);

} // namespace rer
