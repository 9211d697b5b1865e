#include "platform/DynamicLibrary.h"

#include "platform/Path.h"

#include <windows.h>

#include <cfenv>
#include <cstring>

namespace platform {

namespace {

std::string systemMessage(DWORD error)
{
    char* text = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : "error " + std::to_string(error);
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

} // namespace

DynamicLibrary::~DynamicLibrary()
{
    unload();
}

bool DynamicLibrary::load(const std::string& fileName)
{
    unload();
    error_.clear();
    // A full path keeps LoadLibrary from searching the system's folders and PATH for a name that
    // is missing beside the executable.
    const std::string path = isAbsolutePath(fileName) ? fileName : extractFilePath(executablePath()) + fileName;
    const DWORD attr = ::GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) {
        error_ = path + ": no such library file";
        return false;
    }
    // No "cannot open file" box of the system's own; and a library's start-up code may change
    // the floating-point control word, which the program's arithmetic relies on.
    const UINT previousMode = ::SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
    ::SetErrorMode(previousMode | SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
    std::fenv_t env;
    const bool saved = std::fegetenv(&env) == 0;
    HMODULE module = ::LoadLibraryA(path.c_str());
    const DWORD error = ::GetLastError();
    if (saved)
        std::fesetenv(&env);
    ::SetErrorMode(previousMode);
    if (!module) {
        error_ = path + ": " + systemMessage(error);
        return false;
    }
    handle_ = module;
    path_ = path;
    return true;
}

void* DynamicLibrary::symbol(const char* name) const
{
    if (!handle_)
        return nullptr;
    // GetProcAddress answers with a function pointer type; the caller casts to the real one.
    FARPROC proc = ::GetProcAddress(static_cast<HMODULE>(handle_), name);
    void* address = nullptr;
    static_assert(sizeof address == sizeof proc, "function and data pointers differ in size");
    std::memcpy(&address, &proc, sizeof address);
    return address;
}

void DynamicLibrary::unload()
{
    if (handle_)
        ::FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
    path_.clear();
}

} // namespace platform
