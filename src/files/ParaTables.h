#pragma once
#include "app/ProgramState.h"
#include "files/Value.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace rer {

// The controller parameters of one product. Per-axis fields: element 0 axis 1,
// element 1 axis 2 (the one-axis product uses element 0 and files element 1
// as it stands). OFFSET, STROKE and ALM are values of any kind.
struct ParaRecord {
    std::array<Value, 2> ParaHomeOffset;
    std::array<int16_t, 2> ParaHomePush{}, ParaHomeVel{}, ParaHomeOfsVel{}, ParaHomePushVel{},
        ParaHomeSeq{};
    std::array<int16_t, 2> ParaVel1{}, ParaVel2{}, ParaVel3{}, ParaVel4{}, ParaVel5{}, ParaVel6{},
        ParaVel7{}, ParaVel8{}, ParaVel9{}, ParaJogVel{};
    std::array<Value, 2> ParaStroke;
    std::array<int16_t, 2> ParaLead{};
    std::array<int32_t, 2> ParaPulse{};
    std::array<int16_t, 2> ParaAutoDrive{}, ParaType{};
    std::array<int16_t, 2> ParaPgFunction{};
    std::array<Value, 2> ParaPgAlm;
    int16_t ParaHomeOut = 0, ParaAlmCode = 0, ParaGrpEnable = 0, ParaSmTimeout = 0, ParaSmTimer = 0;
    int16_t ParaPgTimer = 0, ParaOneAxis = 0, ParaAutoHome = 0, ParaOrEnable = 0, ParaOverride = 0,
            ParaLsTimer = 0;
    int16_t ParaBcdEnable = 0; // one-axis product only (W3kParaBcdEnable)
};

// Rows of the parameter file table, in file order: row 0 the title, then
// one row per parameter as files/ParaRows.h describes them.
constexpr int kParaFileRows = 37; // rows 0..36 (one-axis); the two-axis table has rows 0..35
constexpr int kParaFileCols = 3;  // columns 0..2

// Parameters as read from a file or the controller: (row, column).
using ParaFileTable = std::vector<std::array<Value, kParaFileCols>>;

// The value of a record field by its table row and axis column (common rows
// ignore the axis). Rows outside 1..35 give an empty value.
Value ParaRecordValue(const ParaRecord& rec, int row, int axis);
// Sets a record field by its table row and axis from a value: OFFSET, STROKE
// and ALM take it unchanged; PULSE becomes a 32-bit and every other field a
// 16-bit whole number (halves to even, clipped to the type).
void SetParaRecordValue(ParaRecord& rec, int row, int axis, const Value& v);
// The item name of a table row ("OFFSET" .. "BCD ENABLE").
QString ParaRowName(int row);

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
    std::array<QString, 6> ParaDiffText; // HOME, VEL, AXIS, PG, ETC, SP
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
