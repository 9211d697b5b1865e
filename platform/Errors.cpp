#include "platform/Errors.h"

#include <cerrno>

namespace platform {

FileOpenError::FileOpenError(const std::string& fileName)
    : TunesheetError("Cannot open file " + fileName) {}

FileCreateError::FileCreateError(const std::string& fileName)
    : TunesheetError("Cannot create file " + fileName) {}

StreamReadError::StreamReadError() : TunesheetError("Stream read error") {}

ListIndexError::ListIndexError(long long index)
    : TunesheetError("List index out of bounds (" + std::to_string(index) + ")") {}

static std::string inOutMessage(int code)
{
    switch (code) {
    case InOutError::FileNotFound: return "File not found";
    case InOutError::PathNotFound: return "Path not found";
    case InOutError::AccessDenied: return "File access denied";
    case InOutError::ReadBeyondEnd: return "Read beyond end of file";
    case InOutError::DiskFull: return "Disk full";
    case InOutError::DiskWriteError: return "Disk write error";
    case InOutError::DiskReadError: return "Disk read error";
    default: return "I/O error " + std::to_string(code);
    }
}

InOutError::InOutError(int code) : TunesheetError(inOutMessage(code)), code_(code) {}

InOutError::InOutError(int code, const std::string& fileName)
    : TunesheetError(fileName + ": " + inOutMessage(code)), code_(code) {}

int InOutError::fromErrno(int err)
{
    switch (err) {
    case ENOENT: return FileNotFound;
    case ENOTDIR: return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return AccessDenied;
    case ENOSPC: return DiskFull;
#ifdef EDQUOT // not in the Windows runtime
    case EDQUOT: return DiskFull;
#endif
    default: return err;
    }
}

GenerationCancelled::GenerationCancelled() : TunesheetError("Generation cancelled") {}

} // namespace platform
