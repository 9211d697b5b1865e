#pragma once
// What a stat result says, in the classic terms the program uses.
#include <cstdint>
#include <sys/stat.h>

namespace platform {

// Last-modification time in local time, MS-DOS packed; -1 when it cannot be represented.
std::int32_t dosDateOf(const struct stat& st);
// Attribute bits (read-only, hidden for a name starting with ".", directory, archive).
std::int32_t attributesOf(bool hiddenName, const struct stat& st);

} // namespace platform
