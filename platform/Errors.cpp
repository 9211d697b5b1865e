#include "platform/Errors.h"

namespace platform {

FileOpenError::FileOpenError(const std::string& fileName)
    : TunesheetError("Cannot open file " + fileName) {}

FileCreateError::FileCreateError(const std::string& fileName)
    : TunesheetError("Cannot create file " + fileName) {}

StreamReadError::StreamReadError() : TunesheetError("Stream read error") {}

StreamReadError::StreamReadError(const std::string& fileName)
    : TunesheetError(aboutFile(fileName, "Stream read error")) {}

ListIndexError::ListIndexError(long long index)
    : TunesheetError("List index out of bounds (" + std::to_string(index) + ")") {}

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

InOutError::InOutError(int code, const std::string& fileName)
    : InOutError(code, aboutFile(fileName, runtimeMessage(code)), 0) {}

InOutError::InOutError(int code, const std::string& message, int)
    : TunesheetError(message), code_(code) {}

InOutError InOutError::fromSystem(int systemCode, const std::string& fileName)
{
    return InOutError(systemCode, aboutFile(fileName, systemErrorText(systemCode)), 0);
}

} // namespace platform
