#include "platform/LocaleSeparators.h"

#include <windows.h>

namespace platform {

namespace {

// One locale value of the user's locale; `fallback` when the locale has none.
std::string localeValue(LCTYPE type, const char* fallback)
{
    char buf[16];
    const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    // n counts the terminating NUL.
    return n > 1 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string(fallback);
}

LocaleSeparators readLocale()
{
    LocaleSeparators seps;
    seps.decimal = localeValue(LOCALE_SDECIMAL, ".");
    seps.thousands = localeValue(LOCALE_STHOUSAND, ",");
    seps.time = localeValue(LOCALE_STIME, ":");
    return seps;
}

} // namespace

const LocaleSeparators& localeSeparators()
{
    static const LocaleSeparators seps = readLocale();
    return seps;
}

} // namespace platform
