#pragma once
// A piece of a test run under another locale, as the program runs when the
// environment names one: the C library's locale (which QCoreApplication takes
// from the environment at start, and which strtod, printf and the like
// follow) and Qt's default locale (which the widgets take). The former ones
// come back at the end of the scope.
#include <QLocale>
#include <QString>
#include <clocale>
#include <cstring>
#include <string>

namespace rer::test {

// A locale whose decimal mark is a comma.
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : qtBefore_(QLocale()) {
        if (const char* now = std::setlocale(LC_ALL, nullptr)) before_ = now;
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
        QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
    }
    ~ScopedLocale() {
        std::setlocale(LC_ALL, before_.c_str());
        QLocale::setDefault(qtBefore_);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    // The system has the locale (scripts/deps installs them all).
    bool ok() const { return ok_; }
    // The decimal mark that the C library now writes and reads.
    QString decimalPoint() const { return QString::fromLocal8Bit(std::localeconv()->decimal_point); }

private:
    std::string before_ = "C";
    QLocale qtBefore_;
    bool ok_ = false;
};

// The message of a test that needs a locale the system lacks.
inline const char* kLocaleMissing =
    "the locale is not installed: scripts/deps installs the Debian package locales-all";

} // namespace rer::test
