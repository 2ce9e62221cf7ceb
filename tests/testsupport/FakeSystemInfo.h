#pragma once
// The system's country and clock as fixed values that a test may change.
#include "platform/SystemInfo.h"

#include <QString>
#include <utility>

namespace rer {

class FakeSystemInfo : public SystemInfo {
public:
    explicit FakeSystemInfo(QString country = QStringLiteral("Japan")) : country(std::move(country)) {}
    QString countryEnglishName() const override { return country; }
    double secondsSinceMidnight() const override { return seconds; }
    QString country;
    double seconds = 0;
};

} // namespace rer
