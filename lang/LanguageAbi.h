#pragma once
// The one function a language library exports, declared once for both the library and the
// program that loads it, so that the two agree on its name, arguments and calling convention.
#include <stdint.h>

#ifdef _WIN32
#define TUNESHEET_LANGUAGE_CALL __cdecl
#define TUNESHEET_LANGUAGE_EXPORT __declspec(dllexport)
#else
#define TUNESHEET_LANGUAGE_CALL
#define TUNESHEET_LANGUAGE_EXPORT __attribute__((visibility("default")))
#endif

enum {
    LanguageStringCount = 203,         // string indices 1 to 203 in this program's libraries
    LanguageOriginalStringCount = 113, // the indices every library has, older ones included
    LanguageSlotSize = 256             // a length byte and up to 255 characters
};

#define TUNESHEET_GETMYSTR_NAME "GetMyStr"

// The interface version a language library declares as its fixed product version. It changes
// only when this interface does, so that a new version of the program keeps every library made
// for an earlier one (cmake/LanguageLibrary.cmake reads it from here).
#define TUNESHEET_LANGUAGE_INTERFACE_VERSION "3.0.0.0"

#ifdef __cplusplus
extern "C" {
#endif

// Fills the caller's 256-byte `buffer` with the text of string `index`: a length byte, the
// characters in the library's code page, zeros to the end. An index the library has no text for
// (outside 1 to LanguageStringCount; an older library: outside 1 to 113) gives
// "<language error>". The library keeps no state and allocates nothing. (The program hands over
// a far larger buffer, so that a library that writes more harms nothing, and reads only the
// length byte and the characters it counts.)
typedef void(TUNESHEET_LANGUAGE_CALL* GetMyStrFunction)(int32_t index, unsigned char* buffer);

#ifdef TUNESHEET_LANGUAGE_LIBRARY
TUNESHEET_LANGUAGE_EXPORT void TUNESHEET_LANGUAGE_CALL GetMyStr(int32_t index, unsigned char* buffer);
#endif

#ifdef __cplusplus
}
#endif
