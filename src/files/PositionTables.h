#pragma once
#include "app/ProgramState.h"
#include "files/Value.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace rer {

constexpr int kPosiRows = 400; // row 0 unused or headings, positions 1..399

// The editor's position table: (position number, column), columns 0..11 =
// VEL1, ACC1, WAY1, POSI1, VEL2, ACC2, WAY2, POSI2, ITPL, OUT, SM, COMMENT.
using PosiDataTable = std::vector<std::array<Value, 12>>;
// Positions as last read from a file or the controller: column 0 the
// position number, columns 1..12 the cells.
using PosiFileTable = std::vector<std::array<Value, 13>>;
// Exact positions beside the grid: 0/1 pulses of axis 1/2, 2/3 mm, 4 unused.
using PosiValueTable = std::vector<std::array<Value, 5>>;
// Verification result: items 0..10 the compared cells, 11 the position differs.
using PosiShogoTable = std::vector<std::array<bool, 12>>;

// The position tables of one product (the one-axis twins carry "W3k").
struct ProductPositions {
    PosiDataTable PosiData = PosiDataTable(kPosiRows);
    PosiFileTable PosiFileData = PosiFileTable(kPosiRows);
    PosiShogoTable PosiShogoKekka = PosiShogoTable(kPosiRows);
    std::vector<bool> PosiNgRow = std::vector<bool>(kPosiRows, false); // by position - 1
    std::array<QString, 2> PosiFileDevice;                             // model strings of the file read last
    bool PosiFileError = false;
    QString SaveFileName;
};

struct PositionTables {
    ProductPositions two;
    ProductPositions one;
    PosiValueTable PosiValue = PosiValueTable(kPosiRows); // shared by both products
    std::array<QString, 2> PosiFileNewOrOld;               // "NEW" / "OLD", shared
    int16_t PosiRangeStart = 1;
    int16_t PosiRangeEnd = 399;
    int16_t PosiShogoNgCount = 0;
    bool SelectPosiCancel = false;                          // the range dialog was cancelled

    ProductPositions& of(Product p) { return p == Product::TwoAxis ? two : one; }
    const ProductPositions& of(Product p) const { return p == Product::TwoAxis ? two : one; }
};

} // namespace rer
