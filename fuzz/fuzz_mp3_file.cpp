// An MP3 file's whole way into the page: any bytes as the one file of a folder, generated as
// the window and the command-line tool generate it, with every column and every link, so that
// the file's path through the readers, the tag-text decoding (in one legacy encoding or
// another), the row, the escaping and the page writer all run. No text from the file may bring
// markup of its own into the page.
#include "generator/GeneratorSettings.h"
#include "generator/tunesheet_class.h"
#include "check.h"
#include "Scratch.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

// A name with characters that the file name cell escapes and the link percent-encodes.
const char* const FileName = "Rock & \"Roll\" <#1?> 100%.mp3";

struct Library {
    std::string folder = scratchFolder() + "in/";
    std::string file = folder + FileName;
    std::string page = scratchFolder() + "page.htm";
    Library() { std::filesystem::create_directories(folder); }
};

TGeneratorSettings everyColumnLinked(const Library& library)
{
    TGeneratorSettings s = initialFormSettings();
    s.InputDir = library.folder;
    s.OutputFile = library.page;
    s.ActiveLinks = alArtist | alTitle | alFileName;
    s.FileNameMode = fnFullPath;
    return s;
}

// The one row of the page: the line after the header row.
std::string rowOf(const std::string& page)
{
    const std::size_t header = page.find("<tr><th");
    FUZZ_CHECK(header != std::string::npos);
    const std::size_t start = page.find("\r\n", header) + 2;
    FUZZ_CHECK(page.compare(start, 4, "<tr>") == 0);
    return page.substr(start, page.find("</tr>", start) + 5 - start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Library library;
    std::ofstream(library.file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    TTunesheet generator;
    generator.Settings = everyColumnLinked(library);
    for (const ColumnKind& column : columnKinds())
        generator.Options.columns.push_back(column.id);
    // Each legacy encoding in turn, so that its undefined bytes meet the escaping too.
    generator.Options.legacyEncoding = platform::legacyEncodings()[size % platform::LegacyEncodingCount];
    generator.Generate();
    const std::string row = rowOf(fileContents(library.page));
    // A cell for every column, three of them links: every "<", ">" and '"' of the row is the row's own.
    const auto count = [&row](char c) { return std::count(row.begin(), row.end(), c); };
    FUZZ_CHECK(count('<') == 2 + ColumnCount * 2 + 3 * 2);
    FUZZ_CHECK(count('>') == 2 + ColumnCount * 2 + 3 * 2);
    FUZZ_CHECK(count('"') == 3 * 2);
    return 0;
}
