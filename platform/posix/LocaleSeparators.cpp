#include "platform/LocaleSeparators.h"

#include <clocale>
#include <langinfo.h>

namespace platform {

static LocaleSeparators readLocale()
{
    // Look at the user's locale without leaving it in force: the rest of the program formats
    // numbers itself and must not have the C library change them behind its back.
    const char* current = std::setlocale(LC_ALL, nullptr);
    std::string previous = current ? current : "C";
    std::setlocale(LC_ALL, "");
    LocaleSeparators seps;
    if (const lconv* lc = std::localeconv()) {
        if (lc->decimal_point && *lc->decimal_point)
            seps.decimal = lc->decimal_point;
        // An empty thousands separator means the locale groups nothing; the classic default
        // still groups, so only a real value replaces it.
        if (lc->thousands_sep && *lc->thousands_sep)
            seps.thousands = lc->thousands_sep;
    }
    // The time format of the locale names its separator between hours and minutes.
    if (const char* fmt = ::nl_langinfo(T_FMT)) {
        std::string f = fmt;
        auto h = f.find("%H");
        if (h == std::string::npos)
            h = f.find("%I");
        if (h != std::string::npos && h + 2 < f.size() && f[h + 2] != '%')
            seps.time = std::string(1, f[h + 2]);
    }
    std::setlocale(LC_ALL, previous.c_str());
    return seps;
}

const LocaleSeparators& localeSeparators()
{
    static const LocaleSeparators seps = readLocale();
    return seps;
}

} // namespace platform
