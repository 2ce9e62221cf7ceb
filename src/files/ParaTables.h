#pragma once
#include "app/ProgramState.h"
#include "files/ParaRows.h"
#include "files/Value.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace rer {

// Rows of the parameter file table, in file order: row 0 the title, then
// one row per parameter as files/ParaRows.h describes them; the one-axis
// table has one row more (rows 0..36, the two-axis table rows 0..35).
constexpr int kParaFileRows = kParaRowCount + 2;
constexpr int kParaFileCols = 3;  // columns 0..2

// Parameters as read from a file or the controller: (row, column).
using ParaFileTable = std::vector<std::array<Value, kParaFileCols>>;

// One row of a factory-parameter list: 0 the model code, 1 size, 2 speed
// letter, 3 stroke, 4..23 the list's values, 24 TYPE, 25 unused.
using StdPrmRecord = std::array<Value, 26>;
using StdPrmTable = std::vector<StdPrmRecord>;
using StdPrmCmnTable = std::array<std::array<Value, 4>, 21>;

// Parameter state of one product (the one-axis twins carry "W3k").
struct ProductParameters {
    explicit ProductParameters(Product p)
        : ParaFileData(p == Product::TwoAxis ? kParaFileRows - 1 : kParaFileRows),
          StdPrm1(p == Product::TwoAxis ? 100 : 71), StdPrm2(StdPrm1.size()) {}

    ParaRecord rec;
    ParaFileTable ParaFileData;
    bool ParaFileError = false;
    bool ParaFileWriteError = false;
    QString ParaFileWriteErrorText; // why the last write failed
    bool ParaDiffFlag = false;
    std::array<QString, kParaGroupCount> ParaDiffText; // by group: HOME, VEL, AXIS, PG, ETC, SP
    // Factory-parameter tables: records 1..99 (one-axis 1..70), row 0 the count.
    StdPrmTable StdPrm1, StdPrm2;
    StdPrmCmnTable StdPrmCmn;
    std::array<int16_t, 2> StdPrmCount{};
    bool StdPrmError = false;
};

struct ParameterTables {
    ProductParameters two{Product::TwoAxis};
    ProductParameters one{Product::OneAxis};

    ProductParameters& of(Product p) { return p == Product::TwoAxis ? two : one; }
    const ProductParameters& of(Product p) const { return p == Product::TwoAxis ? two : one; }
};

} // namespace rer
