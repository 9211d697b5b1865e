// The whole page over the sample library, byte for byte against a reviewed copy.
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

// Folders list their entries in the file system's own order, which differs between machines;
// with one file and at most one subfolder per folder the page's order is the same everywhere.
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

TEST(SamplePage, MatchesTheReviewedPage)
{
    TempDir library, out;
    layOutSamplesAsAChain(library);
    const std::string page = out.path("samples.htm");
    const std::string cmd = std::string("'") + TUNESHEET_BIN_DIR + "/tunesheet-cli' --subdirs --dir-captions "
                            "--links title,filename --tag-priority v2 --title 'Sample <library>' '" +
                            library.dir() + "' '" + page + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string expectedPath = std::string(TUNESHEET_SOURCE_DIR) + "/tests/data/expected/samples-page.htm";
    const std::string actual = replaceAll(readFile(page), library.dir(), "@LIBRARY@/");
    // After a deliberate change of the page, TUNESHEET_UPDATE_EXPECTED=1 rewrites the copy for review.
    if (std::getenv("TUNESHEET_UPDATE_EXPECTED"))
        std::ofstream(expectedPath, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFile(expectedPath));
}

} // namespace
