#include "platform/DynamicLibrary.h"

#include "platform/Path.h"

#include <cfenv>
#include <dlfcn.h>
#include <sys/stat.h>

namespace platform {

DynamicLibrary::~DynamicLibrary()
{
    unload();
}

bool DynamicLibrary::load(const std::string& fileName)
{
    unload();
    error_.clear();
    // dlopen searches the system's folders for a bare name but never the executable's, so
    // the executable's folder is put in front of every name that is not a full path.
    std::string path = isAbsolutePath(fileName) ? fileName : extractFilePath(executablePath()) + fileName;
    // dlopen would wait forever on a pipe; only regular files are libraries.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error_ = path + ": no such library file";
        return false;
    }
    // A library's start-up code may change the floating-point settings; keep ours.
    std::fenv_t env;
    const bool saved = std::fegetenv(&env) == 0;
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (saved)
        std::fesetenv(&env);
    if (!handle_) {
        const char* why = ::dlerror();
        error_ = why ? why : "cannot load " + path;
        return false;
    }
    path_ = path;
    return true;
}

void* DynamicLibrary::symbol(const char* name) const
{
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::unload()
{
    if (handle_)
        ::dlclose(handle_);
    handle_ = nullptr;
    path_.clear();
}

} // namespace platform
