#pragma once
// What the file system says of one file.
#include <cstdint>
#include <string>

namespace platform {

// Last-modification time in local time, packed as an MS-DOS date (high 16 bits) and time
// (low 16 bits); -1 when unknown.
std::int32_t fileDosDate(const std::string& path);

// Attribute bits in the classic layout (read-only 0x01, hidden 0x02, system 0x04,
// directory 0x10, archive 0x20); -1 when they cannot be read.
std::int32_t fileAttributes(const std::string& path);

// Packs a broken-down local time into the MS-DOS date and time word (exposed for tests).
std::int32_t packDosDateTime(int year, int month, int day, int hour, int minute, int second);

} // namespace platform
