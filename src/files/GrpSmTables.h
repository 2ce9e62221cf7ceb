#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace rer {

// Groups 1..99 (row 0 unused): column 0 start position, 1 end position,
// 2 error mark of the group window's check (never filed or copied).
using GrpTable = std::array<std::array<int16_t, 3>, 100>;

// Sequence macros: (step 0..16, column 0..18); macro m owns column 2(m-1)
// (command code) and 2(m-1)+1 (data) of steps 0..15.
using SmTable = std::array<std::array<int16_t, 19>, 17>;

struct GroupState {
    GrpTable GrpData{};     // the editor's
    GrpTable GrpFileData{}; // read from a file or the controller
    bool GrpFileError = false;
    QString GrpFileName;    // title of the file last read, or "INDICATED DATA"
    int16_t GrpRangeStart = 1;
    int16_t GrpRangeEnd = 99;
    bool GrpDiffFlag = false;
    QString GrpDiffText;
};

struct MacroState {
    SmTable SmData{};     // the editor's
    SmTable SmFileData{}; // read from a file or the controller
    bool SmFileError = false;
    QString SmFileName;
    int16_t SmRangeStart = 1;
    int16_t SmRangeEnd = 9;
    bool SmDiffFlag = false;
    QString SmDiffText;
};

} // namespace rer
