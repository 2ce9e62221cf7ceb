#pragma once
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace rer {

// The two products. CtType 1 is the two-axis controller; any other value
// means the one-axis controller.
enum class Product { TwoAxis, OneAxis };

inline Product productOf(int ctType) { return ctType == 1 ? Product::TwoAxis : Product::OneAxis; }

// The element of a pair kept once per product (one for the two-axis
// product, one for its one-axis "W3k" twin): 0 two-axis, 1 one-axis. Not an
// axis.
constexpr size_t ProductSlot(Product p) { return p == Product::TwoAxis ? 0 : 1; }

// The axes a product uses: the one-axis product keeps and looks at the first
// entry of its two-entry tables only.
constexpr int AxesOf(Product p) { return p == Product::TwoAxis ? 2 : 1; }

// Program-wide options and flags of one run.
struct ProgramOptions {
    int16_t CtType = 1;        // 1 two-axis "VO-D6", else one-axis "KZ-H3K"
    int16_t LanguageNo = 1;    // 1 Japanese, anything else English
    int ResOffset = 0;         // 0 or 10000, follows LanguageNo
    bool NotJapan = false;
    bool PortOccupy = false;   // keep the serial port open between jobs
    bool DispMmUnit = true;    // positions in mm (true) or pulses
    bool MmRoundUp = true;     // typed mm values: halves go up
    bool LanguageChanged = false;
    bool CtTypeChanged = false;
    bool DevNotFound = false;  // the last catalogue lookup failed
    int16_t PortNo = 1;
    bool HomeDone = false;
    float MoveTimeout = 60;    // seconds
    int16_t Timer1Count = 0;

    Product product() const { return productOf(CtType); }
    bool japanese() const { return LanguageNo == 1; }
};

// One axis of the committed actuator choice, and the choice the actuator
// dialog made for it. The two-axis product and the one-axis product ("W3k"
// twins) each have two of these.
struct AxisActuator {
    QString Series;            // "KZ" or "VT" (DevSeries / W3kDevSeries)
    QString Size;              // size code, 3 characters such as " 28"
    QString Speed;             // speed letter
    int16_t Stroke = 0;        // mm
    int16_t Lead = 0;          // mm per revolution
    int16_t PPR = 0;           // pulses per revolution
    double MmPerPulse = 0;
    int32_t MaxPulse = 0;
    double MaxMm = 0;
    // The dialog's choice (SelSeries, SelSize, ... / W3kSel...).
    QString SelSeries;
    QString SelSize;
    QString SelSpeed;
    int16_t SelStroke = 0;
    bool SelVertical = false;
    bool SelWithPG = false;    // one-axis dialog's PG choice (W3kDevWithPG)
};

struct ActuatorChoice {
    // Shared by both products.
    std::array<bool, 2> DevIsKZ{};
    std::array<bool, 2> DevNewType{};
    std::array<bool, 2> DevVertical{};
    std::array<bool, 2> DevWithPG{};
    std::array<bool, 2> SelNewType{};
    // Per product: two-axis (Dev...) and one-axis (W3kDev...).
    std::array<AxisActuator, 2> two;
    std::array<AxisActuator, 2> one;

    std::array<AxisActuator, 2>& axes(Product p) { return p == Product::TwoAxis ? two : one; }
    const std::array<AxisActuator, 2>& axes(Product p) const {
        return p == Product::TwoAxis ? two : one;
    }
};

// Teaching and jog values.
struct TeachSettings {
    int16_t VelOf100Pls = 20, VelOf10Pls = 20, VelOf1Pls = 20;
    int16_t AccOf100Pls = 3, AccOf10Pls = 3, AccOf1Pls = 3;
    int16_t AccOf100Pls2 = 2, AccOf10Pls2 = 2, AccOf1Pls2 = 2;
    int16_t AccOfJog = 3;
    int16_t AccOfJog2 = 2;
};

} // namespace rer
