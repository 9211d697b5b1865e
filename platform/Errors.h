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

// "Stream read error": a stream delivered fewer bytes than asked for.
class StreamReadError : public TunesheetError {
public:
    StreamReadError();
};

// "List index out of bounds (%d)"
class ListIndexError : public TunesheetError {
public:
    explicit ListIndexError(long long index);
};

// An input/output error carrying a code, worded like the classic runtime's I/O errors
// ("File not found", "Read beyond end of file", "Disk full", otherwise "I/O error %d").
class InOutError : public TunesheetError {
public:
    explicit InOutError(int code);
    // The same message after the name of the file it concerns ("x.settings: Disk full").
    InOutError(int code, const std::string& fileName);
    int code() const { return code_; }

    // The runtime's codes that the core raises itself; system errors are mapped onto them.
    static constexpr int FileNotFound = 2;
    static constexpr int PathNotFound = 3;
    static constexpr int AccessDenied = 5;
    static constexpr int ReadBeyondEnd = 100;
    static constexpr int DiskFull = 101;
    static constexpr int DiskWriteError = 29;
    static constexpr int DiskReadError = 30;

    // Maps an errno value onto the codes above (other values pass through unchanged).
    static int fromErrno(int err);

private:
    int code_;
};

// Raised by a generation that was asked to stop.
class GenerationCancelled : public TunesheetError {
public:
    GenerationCancelled();
};

} // namespace platform
