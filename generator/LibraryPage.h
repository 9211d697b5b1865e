#pragma once
// The library page: the page's own script and style, the list's first rows as plain rows for
// browsers without scripts, and then every row as data in script elements, a chunk of whole
// folders each, which the page's script shows as the browser reaches them.
#include "generator/GeneratorSettings.h"
#include "generator/PageColumns.h"
#include "generator/PageKind.h"
#include "platform/LegacyEncoding.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class PageWriter;

// The library page's own words, in the program's language. {0} and {1} stand for numbers.
struct LibraryPageTexts {
    std::string language = "en"; // the page's language tag
    std::string search = "Search";
    std::string files = "{0} files";
    std::string matches = "{0} of {1} files";
    std::string noScript = "Search, sort and the rest of the list need JavaScript; these are its first 200 files.";
    std::string printed = "The first {0} of {1} files.";
};

// A column as the library page shows and sorts it.
struct LibraryColumn {
    enum class Order { Text, Number, Seconds, Bytes };
    std::string header;
    Order order = Order::Text;
    bool link = false;
    bool linkName = false; // the cell shows the file's name, as the link's last part may
};

// The page's columns: the cells each row holds, under their headers.
std::vector<LibraryColumn> libraryColumns(const TGeneratorSettings& settings, const PageColumns& columns);

class LibraryPage {
public:
    // All of them must outlive the page. Names and the caption that are not UTF-8 are read in
    // `legacy`.
    LibraryPage(PageWriter& page, const TGeneratorSettings& settings, std::vector<LibraryColumn> columns,
                const LibraryPageTexts& texts, platform::LegacyEncoding legacy);

    // Everything before the rows.
    void head();
    // A folder the walk entered, by its path as the walk built it.
    void folder(const std::string& path);
    // A file's row, made in RowForm::Values.
    void row(std::string_view values);
    // Everything after the rows.
    void foot();

private:
    void writeShellUpTo(std::string_view marker);
    void writeMarker(std::string_view marker);
    std::string colours() const;
    std::string config() const;
    void startFolder();
    void addStaticRow(const std::vector<std::string_view>& fields);
    void finishStaticRows();
    void addToChunk(const std::vector<std::string_view>& fields);
    void flushChunk();
    void writeOut(std::string_view text);

    PageWriter& page_;
    const TGeneratorSettings& settings_;
    const std::vector<LibraryColumn> columns_;
    const LibraryPageTexts& texts_;
    const platform::LegacyEncoding legacy_;
    std::size_t shellAt_ = 0;

    std::string folder_;       // as the page shows it
    bool folderStarted_ = true; // its first row has been written
    bool folderContinues_ = false;
    std::size_t rows_ = 0;

    std::string staticRows_;
    bool staticDone_ = false;
    std::string pending_; // chunks made before the plain rows were written

    // The chunk being made.
    struct Segment {
        bool continues;
        std::string folder;
        std::size_t rows;
        std::size_t firstLink;
    };
    std::vector<Segment> segments_;
    std::vector<std::string> columnTexts_;
    std::vector<std::string> cellsAbove_; // each column's last cell in the chunk
    std::vector<std::string> links_;
    std::vector<char> linkIsName_; // the link ends in "/" and the File name cell's text
    std::size_t linkCount_ = 0;
    std::size_t nameColumn_;
    std::string sizes_, seconds_;
    std::size_t chunkRows_ = 0, chunkBytes_ = 0, chunksWritten_ = 0;
    std::vector<std::string_view> fields_;
    std::string out_;
};
