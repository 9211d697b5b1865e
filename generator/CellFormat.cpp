#include "generator/CellFormat.h"

namespace {

std::string twoDigits(std::int64_t n)
{
    return std::string(1, char('0' + n / 10)) + char('0' + n % 10);
}

std::string groupThousands(std::string digits, const std::string& separator)
{
    for (std::size_t pos = digits.size(); pos > 3; pos -= 3)
        digits.insert(pos - 3, separator);
    return digits;
}

std::string toDecimal(unsigned __int128 value)
{
    std::string s;
    do {
        s.insert(s.begin(), char('0' + int(value % 10)));
        value /= 10;
    } while (value != 0);
    return s;
}

} // namespace

std::string formatLength(std::int64_t milliseconds, const platform::LocaleSeparators& seps)
{
    const std::int64_t seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    const std::string minutesAndSeconds = twoDigits(seconds / 60 % 60) + seps.time + twoDigits(seconds % 60);
    return seconds < 3600 ? minutesAndSeconds : std::to_string(seconds / 3600) + seps.time + minutesAndSeconds;
}

std::string formatSize(std::uint64_t bytes, int unit, const platform::LocaleSeparators& seps)
{
    static const char* const suffixes[] = {" B", " kB", " MB"};
    static const std::uint64_t divisors[] = {1, 1024, 1048576};
    if (unit < 0 || unit > 2)
        return std::string();
    // Every divisor is 1 or even, so half of it is exact and adding it rounds half up.
    unsigned __int128 divisor = divisors[unit];
    unsigned __int128 hundredths = (static_cast<unsigned __int128>(bytes) * 100 + divisor / 2) / divisor;
    std::string whole = groupThousands(toDecimal(hundredths / 100), seps.thousands);
    return whole + seps.decimal + twoDigits(static_cast<std::int64_t>(hundredths % 100)) + suffixes[unit];
}
