#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace rer {

// What the position file and controller commands keep between runs.
struct PositionJobState {
    // Full path of the position file shown in the grid; empty after New and
    // after a read from the controller (Save then asks for a name).
    QString ShownFilePath;
    // STROKE parameter of axis 1 and 2 in pulses, as read before the last
    // position write (StrokeSoftLimit / W3kStrokeSoftLimit).
    std::array<int32_t, 2> StrokeSoftLimit{};
    std::array<int32_t, 2> W3kStrokeSoftLimit{};
};

} // namespace rer
