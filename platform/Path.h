#pragma once
// Path conventions of the platform: the delimiter, the folder that stands in for the drive
// root of the executable, and the files the program keeps beside its executable.
#include <string>

namespace platform {

#ifdef _WIN32
constexpr char PathDelimiter = '\\';
#else
constexpr char PathDelimiter = '/';
#endif

// Whether two names that differ only in letter case name the same file: on Windows they do,
// elsewhere they are two files.
#ifdef _WIN32
constexpr bool FileNamesIgnoreCase = true;
#else
constexpr bool FileNamesIgnoreCase = false;
#endif

// True for the delimiter, and on Windows for '/' too.
bool isPathDelimiter(char c);

// Path with the delimiter appended when it does not already end with one.
std::string includeTrailingDelimiter(const std::string& path);

// Path with one trailing delimiter removed, except where the delimiter is the root itself:
// "/" (and on Windows "\" and a drive root "C:\", as "C:" alone names drive C's current folder).
std::string withoutTrailingDelimiter(const std::string& path);

// The part of a path after its last delimiter (or, on Windows, drive colon).
std::string extractFileName(const std::string& path);

// The folder of a path, delimiter included ("" when it has none).
std::string extractFilePath(const std::string& path);

bool isAbsolutePath(const std::string& path);

// The process's working directory, without a trailing delimiter.
std::string currentDirectory();

// Full path of the running executable.
std::string executablePath();

// The path with the extension of its last name (the last "." and what follows, unless the name
// starts with that ".") replaced by `extension`, which includes its dot; appended when the
// name has none.
std::string changeFileExt(const std::string& path, const std::string& extension);

// The executable's path with its extension replaced by (or, without one, extended with)
// `extension`: besideExecutable(".settings").
std::string besideExecutable(const std::string& extension);

// The path lexically normal: its root as it stands, then its names joined by the delimiter,
// without "." names or empty ones, each ".." taking away the name before it (one at the root
// goes, one at the start of a relative path stays); no trailing delimiter. Links are not
// followed: nothing is asked of the file system.
std::string normalPath(const std::string& path);

// The path made absolute against the working directory ("" is the working directory itself)
// and lexically normal.
std::string absolutePath(const std::string& path);

// How `path` is reached from the folder `folder`, both absolute and lexically normal: ".." for
// each name of `folder` behind the names the two share, then the rest of `path`, joined by the
// delimiter ("" for the folder itself). `path` as it stands where the two lie under different
// roots (drives).
std::string relativePath(const std::string& folder, const std::string& path);

// What the program offers as the starting folder where Windows would offer the drive root
// of the executable: the drive root there, the user's home folder with a trailing delimiter here.
std::string defaultRootFolder();

} // namespace platform
