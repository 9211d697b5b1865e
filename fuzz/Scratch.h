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
            // In memory where the system offers a folder there: the pages the targets write are
            // synced to the disk, which on a disk costs more than the rest of a run.
            std::error_code ignored;
            std::string name = std::filesystem::is_directory("/dev/shm", ignored) ? "/dev/shm" : "/tmp";
            name += "/tunesheet-fuzz-XXXXXX";
            if (!mkdtemp(name.data()))
                std::abort();
            path = name + "/";
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
