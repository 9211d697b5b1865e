#pragma once
// A shared library bound at run time: loaded by file name, asked for an export by name,
// unloaded at the latest when the object goes.
#include <string>

namespace platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads `fileName`. A name that is not a full path is taken relative to the executable's
    // folder, which Windows searches first for a bare name. The platform shows no error box of
    // its own, and the floating-point settings are the same afterwards. False when the file is
    // missing or is not a library that can be loaded here.
    bool load(const std::string& fileName);
    // The address of the export `name`, or null.
    void* symbol(const char* name) const;
    void unload();

    bool isLoaded() const { return handle_ != nullptr; }
    // The path that was loaded (for reading the library's version information).
    const std::string& path() const { return path_; }
    // Why the last load failed, in the platform's words.
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string path_;
    std::string error_;
};

} // namespace platform
