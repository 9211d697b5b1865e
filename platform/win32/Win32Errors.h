#pragma once
// What a Win32 error code means in the terms the rest of the program uses.
#include <windows.h>

namespace platform {

// The runtime's input/output code for a Win32 error (InOutError): the low codes are the same
// numbers; a full disk is "Disk full".
int inOutCodeFromWin32(DWORD error);
// The errno value that ReadOnlyFile::tryOpen reports for a Win32 error.
int errnoFromWin32(DWORD error);

} // namespace platform
