#pragma once
// A list of paths that holds each path once, in the order first added. Two entries are the
// same path by the platform's rule: on Windows also when they differ only in letter case.
// A hash of the entries beside the list keeps adding and loading linear in the list's length.
#include <string>
#include <unordered_map>
#include <vector>

class TRecentList {
public:
    // Appends `entry` unless an equal one is there already; returns whether it was added.
    bool Add(const std::string& entry);
    int IndexOf(const std::string& entry) const;
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises platform::ListIndexError for an index outside the list.
    const std::string& operator[](int index) const;
    const std::vector<std::string>& Items() const { return items_; }
    void Clear();

    // Replaces the list with the lines of a text file (a line ends at CR, LF or CR LF; a last
    // line without an ending counts; an empty line is an empty entry; repeated lines count
    // once). Returns false, leaving the list as it was, when there is no such file; raises
    // platform::FileOpenError ("Cannot open file %s") when the file is there but cannot be
    // opened, and the system's read error, naming the file, when it cannot be read.
    bool LoadFromFile(const std::string& path);
    // Writes every entry followed by CR LF, replacing the file only once it is complete;
    // raises platform::FileCreateError ("Cannot create file %s") when it cannot.
    void SaveToFile(const std::string& path) const;

private:
    std::vector<std::string> items_;
    // Each entry's key (pathKey) and its place in items_.
    std::unordered_map<std::string, int> index_;
};

// Whether two paths name the same file or folder, as the platform compares names.
bool samePath(const std::string& a, const std::string& b);

// Equality ignoring the letter case of ASCII letters and of the Latin, Greek and Cyrillic
// letters written in UTF-8.
bool sameIgnoringCase(const std::string& a, const std::string& b);
