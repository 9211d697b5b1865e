#pragma once
// The generator: from its settings record it writes one HTML page listing the MP3 files of
// the input directory.
#include "generator/GeneratorSettings.h"
#include "generator/RecentList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/DirReader.h"
#include "platform/LocaleSeparators.h"

class PageWriter;
struct FileFacts;
namespace platform { class Directory; }

// "#" and six upper-case hex digits, red, green, blue.
std::string ColorToHTML(std::uint32_t color);

// The seven texts of one row, in column order.
struct TSkladba {
    std::string Artist, Title, Album, Year, Length, Size, FileName;
};

// How far a generation has got; handed to the progress handler.
struct GenerateProgress {
    std::uint64_t filesListed = 0; // MP3 files written as rows so far
    std::string currentDir;        // the directory being listed
};

class TTunesheet {
public:
    TTunesheet();
    virtual ~TTunesheet();
    TTunesheet(const TTunesheet&) = delete;
    TTunesheet& operator=(const TTunesheet&) = delete;

    std::string CellTag;
    TRecentList RecentFiles;
    TRecentList RecentDirs;
    TGeneratorSettings Settings;

    // Called on entering each directory and after each row; returning false stops the
    // generation between two files (Generate then raises platform::GenerationCancelled).
    std::function<bool(const GenerateProgress&)> OnProgress;

    // Writes the page to Settings.OutputFile. The page replaces the old one only when it is
    // complete; after an error or a stop the old page is untouched and nothing else is left.
    void Generate();

    // The steps of Generate, each writing its block to the page being generated.
    void WritePageHead();
    void WritePageFoot();
    void OpenTable(const std::string& Dir);
    void CloseTable();
    void ProcessDirectory(const std::string& Dir);
    void WriteFileRow(const std::string& FilePath, std::uint64_t FileSize);

private:
    // The walk over an open folder: its files and subfolders are opened from it by name.
    void processDirectory(const platform::Directory& folder);
    void writeRow(const FileFacts& facts, const std::string& filePath, std::uint64_t fileSize);
    void reportProgress();
    void writeCell(std::string& row, int columnId, const TSkladba& texts, const std::string& filePath);

    PageWriter* PageFile = nullptr;
    std::vector<platform::DirIdentity> walkPath_;
    GenerateProgress progress_;
    platform::LocaleSeparators separators_;
    std::string row_;
};
