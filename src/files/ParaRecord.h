#pragma once
#include "files/Value.h"

#include <array>
#include <cstdint>

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

} // namespace rer
