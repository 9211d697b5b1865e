#include "platform/LocaleSeparators.h"

#include <windows.h>

namespace platform {

namespace {

// One value of the user's locale in the narrow text; empty when the locale has none.
std::string localeValue(LCTYPE type)
{
    char buf[64];
    const int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    // n counts the terminating NUL.
    return n > 1 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
}

LocaleSeparators readLocale()
{
    return chooseSeparators(localeValue(LOCALE_SDECIMAL), localeValue(LOCALE_STHOUSAND),
                            localeValue(LOCALE_SMONTHOUSANDSEP), localeValue(LOCALE_STIME));
}

} // namespace

const LocaleSeparators& localeSeparators()
{
    static const LocaleSeparators seps = readLocale();
    return seps;
}

} // namespace platform
