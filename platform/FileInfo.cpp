// The packing of a date and time is the same on every platform; reading them is not.
#include "platform/FileInfo.h"

namespace platform {

std::int32_t packDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980 || year > 2107)
        return -1;
    std::uint32_t date = (static_cast<std::uint32_t>(year - 1980) << 9) | (month << 5) | day;
    std::uint32_t time = (hour << 11) | (minute << 5) | (second / 2);
    return static_cast<std::int32_t>((date << 16) | time);
}

} // namespace platform
