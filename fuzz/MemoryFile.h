#pragma once
// The fuzz input as a file, so that the readers' file path (TFileStream and its read-ahead) is
// fuzzed too: one memory-backed file per process, rewritten for each input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

inline std::string memoryFile(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)))
        std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
}
