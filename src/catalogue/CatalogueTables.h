#pragma once
#include "app/ProgramState.h"
#include "files/Value.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace rer {

// The special model "RO-67R": size code " 67" with speed letter "R".
struct SpecialModel {
    static QString size() { return QStringLiteral(" 67"); }
    static QString speed() { return QStringLiteral("R"); }
    static bool is(const QString& size, const QString& speed) {
        return size == SpecialModel::size() && speed == SpecialModel::speed();
    }
};

// One catalogue record (DevListRecord), cells as the file gave them:
// 0 model code, 1 size code, 2 speed letter, 3 stroke (derived from the
// model code), 4 lead, 5 PG option code, 6 vertical-use option code,
// 7 pulses per revolution.
struct DevListRecord {
    std::array<Value, 8> cell;

    QString size() const { return cell[1].toText(); }
    QString speed() const { return cell[2].toText(); }
    double stroke() const { return cell[3].toNumber(); }
    bool matches(const QString& sz, const QString& sp, int st) const {
        return size() == sz && speed() == sp && stroke() == double(st);
    }
};

// The most records a loaded catalogue slot holds.
constexpr int kDevListMax = 99;

// One catalogue slot (slot 0 axis 1, slot 1 axis 2) of a product.
struct CatalogueSlot {
    // Records 1 to ListCount; record 0 holds the count item in cell 0.
    std::vector<DevListRecord> List;
    int16_t ListCount = 0;                 // DevListCount: N of the last load
    std::vector<QString> SizeList;         // distinct sizes, in order of first appearance
    std::vector<QString> SpeedList;        // distinct speed letters of one size
    bool ListError = false;                // DevListError: the last load of this slot failed

    // The records a lookup may search: those the last load stored.
    int searchable() const {
        const int stored = List.empty() ? 0 : int(List.size()) - 1;
        return ListCount < stored ? (ListCount < 0 ? 0 : ListCount) : stored;
    }
};

// The catalogue of each product (DevList1, DevList2, ... and the one-axis
// W3kDevList1, ... twins).
struct CatalogueTables {
    std::array<CatalogueSlot, 2> two;
    std::array<CatalogueSlot, 2> one;

    std::array<CatalogueSlot, 2>& slots(Product p) { return p == Product::TwoAxis ? two : one; }
    const std::array<CatalogueSlot, 2>& slots(Product p) const {
        return p == Product::TwoAxis ? two : one;
    }
};

} // namespace rer
