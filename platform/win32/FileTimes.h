#pragma once
// A Win32 last-write time in the classic terms the program uses.
#include <cstdint>
#include <windows.h>

namespace platform {

// The MS-DOS packed date and time of `utc` in local time, as the classic runtime computes a
// file's age; -1 when it cannot be represented.
std::int32_t dosDateOf(const FILETIME& utc);

} // namespace platform
