#pragma once
#include "app/ProgramState.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace rer {

class AppContext;

// Lead and pulses per revolution of a model as the catalogue lists it; 0
// when it is not listed.
struct ModelLeadPpr {
    int lead = 0;
    int ppr = 0;
};
using ModelLookup = std::function<ModelLeadPpr(AppContext& ctx, bool newType, const QString& series,
                                               const QString& size, const QString& speed, int stroke)>;
// The lookup in the catalogue's list files.
ModelLeadPpr CatalogueLeadPpr(AppContext& ctx, bool newType, const QString& series, const QString& size,
                              const QString& speed, int stroke);

// A model string of a position file taken apart: "KZ- 28L-100" (size of
// three characters) or "KZ-28L-100" (size of two, given its leading blank).
struct ModelParts {
    QString series;
    QString size;
    QString speed;
    int stroke = 0;
};
// No value when the string is too short for the form its hyphens announce.
// A string of neither form gives the series alone.
std::optional<ModelParts> SplitModelString(const QString& s);

// The position print of the main window from the printer dialog on
// (PrintPosiData / W3kPrintPosiData): the grid or the file chosen in
// ctx.print is copied into the product's PosiFileData and printed from
// PrintPosiFrom to PrintPosiTo. gridModels: the model labels of the main
// window, printed with a grid. A file printed in millimetres takes the lead
// and pulses per revolution of its models from `lookup`. True when the
// listing went to the printer.
bool PrintPosiData(AppContext& ctx, Product p, const std::array<QString, 2>& gridModels,
                   const ModelLookup& lookup = CatalogueLeadPpr);

// The default model of the one-axis listing's second axis.
inline QString W3kPrintSecondModel() { return QStringLiteral("VE-39V-100"); }

} // namespace rer
