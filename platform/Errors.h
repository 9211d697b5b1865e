#pragma once
// The errors the core raises. Their messages are the ones users see in the error box
// and on the command line, so they are worded once, here.
#include <stdexcept>
#include <string>

namespace platform {

// What went wrong, beside the English message: a front end that words its messages itself
// (the window, in the user's language) tells them by this, the file and the system's code.
enum class ErrorKind { Other, CannotOpen, CannotCreate, ReadFailed, ReadBeyondEnd, DiskFull, ListIndex, System };

class TunesheetError : public std::runtime_error {
public:
    explicit TunesheetError(const std::string& message, ErrorKind kind = ErrorKind::Other,
                            const std::string& fileName = std::string(), int systemCode = 0)
        : std::runtime_error(message), kind_(kind), file_(fileName), systemCode_(systemCode)
    {
    }

    ErrorKind kind() const { return kind_; }
    // The file the error is about; empty when it is about none.
    const std::string& file() const { return file_; }
    // The system's code for the cause (errno on POSIX, GetLastError() on Windows); 0 for none.
    int systemCode() const { return systemCode_; }

private:
    ErrorKind kind_;
    std::string file_;
    int systemCode_;
};

// "Cannot open file %s"; the system's code, when given, tells why.
class FileOpenError : public TunesheetError {
public:
    explicit FileOpenError(const std::string& fileName, int systemCode = 0);
};

// "Cannot create file %s"; the system's code, when given, tells why.
class FileCreateError : public TunesheetError {
public:
    explicit FileCreateError(const std::string& fileName, int systemCode = 0);
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
    InOutError(int code, ErrorKind kind, const std::string& fileName, const std::string& message, int systemCode);
    int code_;
};

// "FILE: MESSAGE", the one shape of a message about a file; the message alone without a file.
std::string aboutFile(const std::string& fileName, const std::string& message);

// The system's own text for one of its error codes (strerror on POSIX, FormatMessage on
// Windows), without a line break at its end.
std::string systemErrorText(int systemCode);

// The causes a user can do something about, which the window words itself; Other for the rest.
enum class SystemCause { Other, NotFound, AccessDenied, DiskFull, ReadOnlyDisk, IsFolder, NameTooLong, InputOutput };
SystemCause systemCause(int systemCode);

} // namespace platform
