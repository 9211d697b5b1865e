#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// Paths in the tests are UTF-8 text, as the programs' narrow text is on every system (on
// Windows through their manifest); the file system library needs to be told so there.
inline std::filesystem::path fsPath(const std::string& utf8)
{
    return std::filesystem::u8path(utf8);
}

inline std::string pathText(const std::filesystem::path& p)
{
    return p.u8string();
}

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("tunesheet-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path with a trailing delimiter, as the generator takes it.
    std::string dir() const { return pathText(path_ / ""); }
    std::string path(const std::string& relative) const { return pathText(path_ / fsPath(relative)); }

    std::string write(const std::string& relative, const std::string& bytes = std::string()) const
    {
        auto p = path_ / fsPath(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return pathText(p);
    }
    std::string mkdir(const std::string& relative) const
    {
        std::filesystem::create_directories(path_ / fsPath(relative));
        return pathText(path_ / fsPath(relative) / "");
    }
    // Names of the entries directly in `relative` (to see what a failed write left behind).
    std::size_t entryCount(const std::string& relative = std::string()) const
    {
        std::size_t n = 0;
        for (auto it = std::filesystem::directory_iterator(path_ / fsPath(relative)); it != std::filesystem::directory_iterator(); ++it)
            ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(fsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
