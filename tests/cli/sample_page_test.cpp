// The whole page over the sample library, byte for byte against a reviewed copy.
#include "common/RunProgram.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

// On Windows folders list their entries in the order of the system's directory search, which
// depends on the file system (and under Wine on the host's); with one file and at most one
// subfolder per folder the page's order is the same everywhere.
void layOutSamplesAsAChain(const TempDir& library)
{
    const std::string samples = std::string(TUNESHEET_SOURCE_DIR) + "/samples/";
    const char* const chain[][2] = {
        {"Rock/01 First Light.mp3", "01 First Light.mp3"},
        {"Jazz/Blue Hour.mp3", "Jazz & Blues/Blue Hour.mp3"},
        {"Jazz/Čierna káva.mp3", "Jazz & Blues/Slovak/Čierna káva.mp3"},
        {"Rock/02 Night Drive.mp3", "Jazz & Blues/Slovak/Rock #2/02 Night Drive.mp3"},
    };
    for (const auto& link : chain)
        library.write(link[1], readFile(samples + link[0]));
}

#ifdef _WIN32
// The library's paths as they read on other systems: from the placeholder to the end of the link
// target ('"'), of the caption ("</b>") or of the caption's first path (the blank before the
// second placeholder), every backslash becomes a slash. Nothing else is touched.
std::string withSlashesInLibraryPaths(std::string page)
{
    const std::string placeholder = "@LIBRARY@/";
    for (std::size_t pos = page.find(placeholder); pos != std::string::npos; pos = page.find(placeholder, pos)) {
        pos += placeholder.size();
        for (std::size_t i = pos; i < page.size() && page[i] != '"' && page[i] != '<' &&
                                  page.compare(i, placeholder.size() + 1, " " + placeholder) != 0; ++i)
            if (page[i] == '\\')
                page[i] = '/';
    }
    return page;
}
#endif

TEST(SamplePage, MatchesTheReviewedPage)
{
    TempDir library, out;
    layOutSamplesAsAChain(library);
    const std::string page = out.path("samples.htm");
    const ProgramResult run = runProgram(builtProgram("tunesheet-cli"),
        {"--subdirs", "--dir-captions", "--links", "title,filename", "--tag-priority", "v2", "--title",
         "Sample <library>", library.dir(), page});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string expectedPath = std::string(TUNESHEET_SOURCE_DIR) + "/tests/data/expected/samples-page.htm";
    std::string actual = replaceAll(readFile(page), library.dir(), "@LIBRARY@/");
#ifdef _WIN32
    // The same page but for the delimiter and the drive letter of the library's paths.
    ASSERT_EQ(library.dir().substr(1, 2), ":\\");
    actual = withSlashesInLibraryPaths(actual);
#endif
    // After a deliberate change of the page, TUNESHEET_UPDATE_EXPECTED=1 rewrites the copy for review.
    if (std::getenv("TUNESHEET_UPDATE_EXPECTED"))
        std::ofstream(expectedPath, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFile(expectedPath));
}

} // namespace
