// The export of every language library; the texts come from the table that the build makes
// from the language's texts file (lang/make-table.cmake).
#define TUNESHEET_LANGUAGE_LIBRARY
#include "lang/LanguageAbi.h"

#include <cstring>

// The table and how many indices it holds (an older-style library holds fewer).
extern const unsigned char LanguageStrings[][LanguageSlotSize];
extern const int LanguageStringsInTable;

namespace {
const unsigned char LanguageError[LanguageSlotSize] = {16, '<', 'l', 'a', 'n', 'g', 'u', 'a', 'g', 'e',
                                                      ' ', 'e', 'r', 'r', 'o', 'r', '>'};
}

extern "C" void TUNESHEET_LANGUAGE_CALL GetMyStr(int32_t index, unsigned char* buffer)
{
    if (!buffer)
        return;
    const unsigned char* slot = index >= 1 && index <= LanguageStringsInTable ? LanguageStrings[index - 1] : LanguageError;
    std::memcpy(buffer, slot, LanguageSlotSize);
}
