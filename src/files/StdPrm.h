#pragma once
#include "app/AppContext.h"

namespace rer {

// Loads the factory-parameter lists beside the program: for each axis entry
// the product uses (0 and 1; the one-axis product 0 alone) the list of the
// entry's chosen series and type (w6kzstpr.lst, w6nkzstpr.lst,
// w6vtstpr.lst), then the common list w6cmstpr.lst, into the product's
// StdPrm1, StdPrm2, StdPrmCmn and StdPrmCount. The tables are replaced only
// when every list was read; on failure StdPrmError is set after the list's
// message.
bool ReadStdPrm(AppContext& ctx, Product p);
inline bool ReadStdPrm(AppContext& ctx) { return ReadStdPrm(ctx, Product::TwoAxis); }
inline bool W3kReadStdPrm(AppContext& ctx) { return ReadStdPrm(ctx, Product::OneAxis); }

// An actuator whose factory values are wanted: its size, speed letter and
// stroke as in the list, and whether the axis has a PG.
struct StdPrmPick {
    QString size;
    QString speed;
    double stroke = 0;
    bool withPg = false;
};
// The factory values of the product's axes into its record from the lists
// ReadStdPrm loaded: the per-axis items from the row of each axis's list that
// names its model, FUNCTION and ALM by whether the axis has a PG, and the
// common items. False when a model is not in its list; its items stay as they
// were.
bool StdPrmToRecord(const ProductParameters& pp, Product p, const std::array<StdPrmPick, 2>& axes, ParaRecord& rec);

// The per-axis list file of a series and type choice.
QString StdPrmFileName(const QString& series, bool newType);

} // namespace rer
