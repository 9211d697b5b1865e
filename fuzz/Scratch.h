#pragma once
// A folder of the fuzz process's own for the files a target writes, removed when the process
// ends normally; and a file's bytes read back.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline const std::string& scratchFolder()
{
    struct Folder {
        std::string path;
        Folder()
        {
            char name[] = "/tmp/tunesheet-fuzz-XXXXXX";
            if (!mkdtemp(name))
                std::abort();
            path = std::string(name) + "/";
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline std::string fileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
