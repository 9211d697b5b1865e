#include "platform/Errors.h"

namespace platform {

FileOpenError::FileOpenError(const std::string& fileName, int systemCode)
    : TunesheetError("Cannot open file " + fileName, ErrorKind::CannotOpen, fileName, systemCode) {}

FileCreateError::FileCreateError(const std::string& fileName, int systemCode)
    : TunesheetError("Cannot create file " + fileName, ErrorKind::CannotCreate, fileName, systemCode) {}

StreamReadError::StreamReadError() : TunesheetError("Stream read error", ErrorKind::ReadFailed) {}

StreamReadError::StreamReadError(const std::string& fileName)
    : TunesheetError(aboutFile(fileName, "Stream read error"), ErrorKind::ReadFailed, fileName) {}

ListIndexError::ListIndexError(long long index)
    : TunesheetError("List index out of bounds (" + std::to_string(index) + ")", ErrorKind::ListIndex) {}

std::string aboutFile(const std::string& fileName, const std::string& message)
{
    return fileName.empty() ? message : fileName + ": " + message;
}

static std::string runtimeMessage(int code)
{
    switch (code) {
    case InOutError::ReadBeyondEnd: return "Read beyond end of file";
    case InOutError::DiskFull: return "Disk full";
    default: return "I/O error " + std::to_string(code);
    }
}

static ErrorKind runtimeKind(int code)
{
    switch (code) {
    case InOutError::ReadBeyondEnd: return ErrorKind::ReadBeyondEnd;
    case InOutError::DiskFull: return ErrorKind::DiskFull;
    default: return ErrorKind::Other;
    }
}

InOutError::InOutError(int code, const std::string& fileName)
    : InOutError(code, runtimeKind(code), fileName, aboutFile(fileName, runtimeMessage(code)), 0) {}

InOutError::InOutError(int code, ErrorKind kind, const std::string& fileName, const std::string& message, int systemCode)
    : TunesheetError(message, kind, fileName, systemCode), code_(code) {}

InOutError InOutError::fromSystem(int systemCode, const std::string& fileName)
{
    return InOutError(systemCode, ErrorKind::System, fileName, aboutFile(fileName, systemErrorText(systemCode)),
                      systemCode);
}

} // namespace platform
