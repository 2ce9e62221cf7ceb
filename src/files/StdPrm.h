#pragma once
#include "app/AppContext.h"

namespace rer {

// Loads the factory-parameter lists beside the program: for axis entries 0
// and 1 the list of the entry's chosen series and type (w6kzstpr.lst,
// w6nkzstpr.lst, w6vtstpr.lst), then the common list w6cmstpr.lst, into the
// product's StdPrm1, StdPrm2, StdPrmCmn and StdPrmCount. The tables are
// replaced only when every list was read; on failure StdPrmError is set
// after the list's message.
bool ReadStdPrm(AppContext& ctx, Product p);
inline bool ReadStdPrm(AppContext& ctx) { return ReadStdPrm(ctx, Product::TwoAxis); }
inline bool W3kReadStdPrm(AppContext& ctx) { return ReadStdPrm(ctx, Product::OneAxis); }

// The per-axis list file of a series and type choice.
QString StdPrmFileName(const QString& series, bool newType);

} // namespace rer
