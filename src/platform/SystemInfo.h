#pragma once
#include <QString>

namespace rer {

// What the program asks of the system: the English name of the system
// locale's country, and the clock in seconds since midnight.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual QString countryEnglishName() const = 0;
    virtual double secondsSinceMidnight() const = 0;
};

class QtSystemInfo : public SystemInfo {
public:
    QString countryEnglishName() const override;
    double secondsSinceMidnight() const override;
};

} // namespace rer
