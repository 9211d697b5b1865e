#include "platform/LocaleSeparators.h"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <vector>

namespace platform {

namespace {

// A locale's text as UTF-8, converted from the locale's own character set (which also rejects
// bytes that are not text in it); empty when it cannot be converted (its part then falls back).
std::string toUtf8(const std::string& text, const char* codeset)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text;
    iconv_t cd = ::iconv_open("UTF-8", codeset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string();
    std::string in = text;
    std::vector<char> out(text.size() * 4 + 4);
    char* inPtr = &in[0];
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool ok = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    ::iconv_close(cd);
    return ok ? std::string(out.data(), out.size() - outLeft) : std::string();
}

// A conversion of a strftime format: where it starts and which letter it is ('%' for none).
struct Conversion {
    std::size_t end;
    char letter;
};

Conversion conversionAt(const std::string& f, std::size_t pos)
{
    if (pos >= f.size() || f[pos] != '%')
        return {pos + 1, 0};
    std::size_t i = pos + 1;
    while (i < f.size() && std::strchr("_-0^#", f[i]))
        ++i;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9')
        ++i;
    if (i < f.size() && (f[i] == 'E' || f[i] == 'O'))
        ++i;
    return i < f.size() ? Conversion{i + 1, f[i]} : Conversion{f.size(), 0};
}

// %T and %R spelled out, so that their colons are seen.
std::string expanded(std::string f)
{
    for (std::size_t pos = 0; pos < f.size();) {
        const Conversion c = conversionAt(f, pos);
        if (c.letter == 'T' || c.letter == 'R') {
            const std::string by = c.letter == 'T' ? "%H:%M:%S" : "%H:%M";
            f.replace(pos, c.end - pos, by);
            pos += by.size();
        } else {
            pos = c.end;
        }
    }
    return f;
}

} // namespace

std::string hourMinuteSeparator(const std::string& timeFormat)
{
    const std::string f = expanded(timeFormat);
    for (std::size_t pos = 0; pos < f.size();) {
        const Conversion c = conversionAt(f, pos);
        if (f[pos] == '%' && std::strchr("HIkl", c.letter)) {
            const std::size_t gap = c.end;
            std::size_t next = gap;
            while (next < f.size() && f[next] != '%')
                ++next;
            if (next >= f.size() || conversionAt(f, next).letter != 'M')
                return std::string();
            return f.substr(gap, next - gap);
        }
        pos = c.end;
    }
    return std::string();
}

LocaleSeparators localeSeparatorsOf(const std::string& localeName)
{
    // A locale object of its own: the program's locale (which the C library formats with) is
    // left alone, and a category the system lacks keeps the C locale's data.
    locale_t loc = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (!loc)
        return LocaleSeparators();
    for (int mask : {LC_CTYPE_MASK, LC_NUMERIC_MASK, LC_MONETARY_MASK, LC_TIME_MASK})
        if (locale_t with = ::newlocale(mask, localeName.c_str(), loc))
            loc = with;
    const locale_t previous = ::uselocale(loc);
    const lconv* lc = std::localeconv();
    const char* codeset = ::nl_langinfo_l(CODESET, loc);
    const std::string decimal = toUtf8(lc->decimal_point ? lc->decimal_point : "", codeset);
    const std::string thousands = toUtf8(lc->thousands_sep ? lc->thousands_sep : "", codeset);
    const std::string monetary = toUtf8(lc->mon_thousands_sep ? lc->mon_thousands_sep : "", codeset);
    const std::string time = hourMinuteSeparator(::nl_langinfo_l(T_FMT, loc));
    ::uselocale(previous);
    ::freelocale(loc);
    return chooseSeparators(decimal, thousands, monetary, time);
}

const LocaleSeparators& localeSeparators()
{
    static const LocaleSeparators seps = localeSeparatorsOf("");
    return seps;
}

} // namespace platform
