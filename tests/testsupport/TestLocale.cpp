// Linked into every test program. The tests are registered under several
// locales (RER_TEST_LOCALE names the one of a run, LC_ALL and LANG carry it).
// Like the program, a test program takes its locale from the environment
// when its QCoreApplication is created; a locale the system does not have
// would silently leave the C locale in force, and the run would not test
// what it says. Such a run stops at once instead.
#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>
#include <clocale>
#include <cstring>

namespace {

void CheckTestLocale() {
    const QByteArray wanted = qgetenv("RER_TEST_LOCALE");
    if (wanted.isEmpty()) return;
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric && wanted == numeric) return;
    qFatal("The test was to run under the locale %s, but the C library's numbers follow %s: the system lacks "
           "that locale (scripts/deps installs the Debian package locales-all).",
           wanted.constData(), numeric ? numeric : "(none)");
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(CheckTestLocale)
