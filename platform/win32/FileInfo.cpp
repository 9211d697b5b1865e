#include "platform/FileInfo.h"

#include "platform/win32/FileTimes.h"

#include <windows.h>

namespace platform {

std::int32_t dosDateOf(const FILETIME& utc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &st))
        return -1;
    return packDosDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

std::int32_t fileDosDate(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return dosDateOf(data.ftLastWriteTime);
}

std::int32_t fileAttributes(const std::string& path)
{
    // The classic attribute bits are the Win32 ones.
    DWORD attr = ::GetFileAttributesA(path.c_str());
    return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<std::int32_t>(attr);
}

} // namespace platform
