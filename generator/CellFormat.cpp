#include "generator/CellFormat.h"

#include <charconv>

namespace {

void appendTwoDigits(std::string& out, std::int64_t n)
{
    out += char('0' + n / 10);
    out += char('0' + n % 10);
}

// The digits of `value` with `separator` between groups of three.
void appendGrouped(std::string& out, unsigned __int128 value, const std::string& separator)
{
    char digits[40];
    int count = 0;
    do {
        digits[count++] = char('0' + int(value % 10));
        value /= 10;
    } while (value != 0);
    for (int i = count - 1; i >= 0; --i) {
        out += digits[i];
        if (i > 0 && i % 3 == 0)
            out += separator;
    }
}

} // namespace

void appendLength(std::string& out, std::int64_t milliseconds, const platform::LocaleSeparators& seps)
{
    const std::int64_t seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    if (seconds >= 3600) {
        appendGrouped(out, static_cast<unsigned __int128>(seconds / 3600), std::string());
        out += seps.time;
    }
    appendTwoDigits(out, seconds / 60 % 60);
    out += seps.time;
    appendTwoDigits(out, seconds % 60);
}

std::string formatLength(std::int64_t milliseconds, const platform::LocaleSeparators& seps)
{
    std::string out;
    appendLength(out, milliseconds, seps);
    return out;
}

void appendSize(std::string& out, std::uint64_t bytes, int unit, const platform::LocaleSeparators& seps)
{
    static const char* const suffixes[] = {" B", " kB", " MB"};
    static const std::uint64_t divisors[] = {1, 1024, 1048576};
    if (unit < 0 || unit > 2)
        return;
    // Every divisor is 1 or even, so half of it is exact and adding it rounds half up.
    unsigned __int128 divisor = divisors[unit];
    unsigned __int128 hundredths = (static_cast<unsigned __int128>(bytes) * 100 + divisor / 2) / divisor;
    appendGrouped(out, hundredths / 100, seps.thousands);
    out += seps.decimal;
    appendTwoDigits(out, static_cast<std::int64_t>(hundredths % 100));
    out += suffixes[unit];
}

std::string formatSize(std::uint64_t bytes, int unit, const platform::LocaleSeparators& seps)
{
    std::string out;
    appendSize(out, bytes, unit, seps);
    return out;
}

std::string formatCount(std::uint64_t count, const platform::LocaleSeparators& seps)
{
    std::string out;
    appendGrouped(out, count, seps.thousands);
    return out;
}

void appendNumber(std::string& out, std::int64_t n)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

void appendSampleRate(std::string& out, std::int32_t hertz)
{
    if (hertz < 0)
        return;
    appendNumber(out, hertz / 1000);
    int decimals = hertz % 1000;
    if (decimals != 0) {
        out += '.';
        for (int unit = 100; decimals != 0; unit /= 10) {
            out += char('0' + decimals / unit);
            decimals %= unit;
        }
    }
    out += " kHz";
}
