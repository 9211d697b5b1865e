#pragma once
// The errors the core raises. Their messages are the ones users see in the error box
// and on the command line, so they are worded once, here.
#include <stdexcept>
#include <string>

namespace platform {

class TunesheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file %s"
class FileOpenError : public TunesheetError {
public:
    explicit FileOpenError(const std::string& fileName);
};

// "Cannot create file %s"
class FileCreateError : public TunesheetError {
public:
    explicit FileCreateError(const std::string& fileName);
};

// "Stream read error": a stream delivered fewer bytes than asked for. A stream over a file
// names it: "FILE: Stream read error".
class StreamReadError : public TunesheetError {
public:
    StreamReadError();
    explicit StreamReadError(const std::string& fileName);
};

// "List index out of bounds (%d)"
class ListIndexError : public TunesheetError {
public:
    explicit ListIndexError(long long index);
};

// An input/output error carrying a code. The program's own codes are worded like the classic
// runtime's I/O errors ("Read beyond end of file", "Disk full", otherwise "I/O error %d"); a
// failure the system reported keeps the system's own text. Either names the file it concerns
// when one is given: "FILE: MESSAGE".
class InOutError : public TunesheetError {
public:
    explicit InOutError(int code, const std::string& fileName = std::string());

    // A failure the system reported, by its code: errno on POSIX, GetLastError() on Windows.
    // code() is that code.
    static InOutError fromSystem(int systemCode, const std::string& fileName = std::string());

    int code() const { return code_; }

    // A missing file's code as the system reports it (ENOENT and ERROR_FILE_NOT_FOUND alike).
    static constexpr int FileNotFound = 2;
    // The runtime's codes that the core raises itself.
    static constexpr int ReadBeyondEnd = 100;
    static constexpr int DiskFull = 101;

private:
    InOutError(int code, const std::string& message, int);
    int code_;
};

// "FILE: MESSAGE", the one shape of a message about a file; the message alone without a file.
std::string aboutFile(const std::string& fileName, const std::string& message);

// The system's own text for one of its error codes (strerror on POSIX, FormatMessage on
// Windows), without a line break at its end.
std::string systemErrorText(int systemCode);

} // namespace platform
