// Language libraries whose GetMyStr misbehaves: OVERLONG writes 4,000 bytes (a length byte of
// 255, then "x"), far past the 256 it may; CRASHING crashes.
#include <csignal>
#include <cstdint>
#include <cstring>

extern "C" __attribute__((visibility("default"))) void GetMyStr(std::int32_t, unsigned char* buffer)
{
#ifdef CRASHING
    std::raise(SIGSEGV);
#endif
    std::memset(buffer, 'x', 4000);
    buffer[0] = 255;
}
