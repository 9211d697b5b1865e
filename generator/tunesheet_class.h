#pragma once
// The generator: from its settings record it writes one HTML page listing the MP3 files of
// the input directory.
#include "generator/ExportRow.h"
#include "generator/GeneratorSettings.h"
#include "generator/LibraryPage.h"
#include "generator/PageColumns.h"
#include "generator/PageOptions.h"
#include "generator/RecentList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "generator/WalkOrder.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"
#include "platform/LocaleSeparators.h"

class PageWriter;
class LibraryPage;
namespace platform { class Directory; }

// "#" and six upper-case hex digits, red, green, blue.
std::string ColorToHTML(std::uint32_t color);

// What Generate raises when its progress handler asked it to stop.
class GenerationCancelled : public platform::TunesheetError {
public:
    GenerationCancelled() : TunesheetError("Generation cancelled") {}
};

// How far a generation has got; handed to the progress handler.
struct GenerateProgress {
    std::uint64_t filesListed = 0; // MP3 files written as rows so far
    std::string currentDir;        // the directory being listed
};

class TTunesheet : private PageSink {
public:
    TTunesheet();
    virtual ~TTunesheet();
    TTunesheet(const TTunesheet&) = delete;
    TTunesheet& operator=(const TTunesheet&) = delete;

    std::string CellTag;
    TRecentList RecentFiles;
    TRecentList RecentDirs;
    TGeneratorSettings Settings;
    // What the options file beside the settings file adds to them.
    PageOptions Options;
    // The headers of the columns the record does not name (English unless the window's
    // language says otherwise).
    ColumnHeaders ColumnNames = englishColumnHeaders();

    // Called on entering each directory and after each row, on the thread that runs Generate;
    // returning false stops the generation between two files (Generate then raises
    // GenerationCancelled).
    std::function<bool(const GenerateProgress&)> OnProgress;

    // How many threads read the files: 1 reads each file on the thread that runs Generate, where
    // the walk finds it; 2 or more, that many reading threads besides that one, which reads too
    // while it waits for rows to write; 0, as many as the reads need (one per core while they
    // come from memory, up to 64 while they wait for a disk or a network). The page is the
    // same whatever the number.
    int Readers = 0;

    // The library page's own words (the kind of page is one of the Options).
    LibraryPageTexts PageTexts;

    // Writes the page to Settings.OutputFile; an output file ending in ".csv" or ".jsonl" gets
    // an export instead, a line of every field for each file. The page replaces the old one only
    // when it is complete; after an error or a stop the old page is untouched and nothing else is
    // left.
    void Generate();

private:
    // The steps of Generate. The head and the foot go to the page; the tables and the walk go
    // to the walk's output, which makes the files' rows.
    void WritePageHead();
    void WritePageFoot();
    void OpenTable(const std::string& Dir);
    void CloseTable();
    void ProcessDirectory(const std::string& Dir);

    // Everything between the head and the foot, on the walk's thread.
    void WalkPage(WalkOutput& out, const std::string& root);
    // The folders the walk is in, from the root down, each with the subfolders it has yet to
    // walk; kept apart from the call stack, so that only memory limits the depth.
    struct WalkStack;
    // Lists a folder the walk enters (its table and its rows) and puts it on the stack, with
    // the subfolders to walk next; a folder already on the stack (a link back up) is left out.
    void ProcessOpenDirectory(WalkStack& stack, std::unique_ptr<platform::Directory> folder);

    // The page's writer, on the thread that runs Generate.
    void line(std::string_view text) override;
    void folder(const std::string& path) override;
    void row(std::string_view row) override;
    void ReportProgress();

    PageColumns Columns;
    PageWriter* PageFile = nullptr;
    LibraryPage* Library = nullptr;
    ExportTarget Export; // the export being written; of kind None while a page is
    WalkOutput* Walk = nullptr;
    GenerateProgress Progress;
    platform::LocaleSeparators Separators;
};
