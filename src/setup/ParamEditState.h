#pragma once
#include <QString>
#include <array>

namespace rer {

// Flags of the parameter windows by ProductSlot: element 0 the two-axis
// window (ParaBlank, ParaInvalid, SaveFileName), element 1 the one-axis
// window (W3kParaBlank, W3kParaInvalid, W3kSaveFileName).
struct ParamEditState {
    std::array<bool, 2> ParaBlank{};
    std::array<bool, 2> ParaInvalid{};
    std::array<QString, 2> SaveFileName;
};

} // namespace rer
