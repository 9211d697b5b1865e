#include "platform/VersionInfo.h"
#include "platform/Path.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

#ifdef _WIN32
const std::string cli = std::string(TUNESHEET_BIN_DIR) + "/tunesheet-cli.exe";
#else
const std::string cli = std::string(TUNESHEET_BIN_DIR) + "/tunesheet-cli";
#endif
const std::string slovak = std::string(TUNESHEET_BIN_DIR) + "/slovak.dll";

std::string valueOf(const platform::VersionInfo& info, const std::string& name)
{
    for (const auto& [key, value] : info.strings)
        if (key == name)
            return value;
    return "(none)";
}

#ifndef _WIN32
// Where the note's header (name size, descriptor size, type) starts in the file bytes.
std::size_t noteAt(const std::string& bytes)
{
    const std::string name("tunesheet\0\0\0", 12);
    for (std::size_t pos = bytes.find(name); pos != std::string::npos; pos = bytes.find(name, pos + 1)) {
        std::uint32_t nameSize = 0;
        if (pos >= 12 && (std::memcpy(&nameSize, bytes.data() + pos - 12, 4), nameSize == 10))
            return pos - 12;
    }
    return std::string::npos;
}

void putWord(std::string& bytes, std::size_t at, std::uint32_t value)
{
    std::memcpy(&bytes[at], &value, 4);
}
#endif

TEST(VersionInfo, TheCommandLineToolCarriesTheProgramVersion)
{
    platform::VersionInfo info;
    ASSERT_TRUE(platform::readVersionInfo(cli, info));
    EXPECT_TRUE(info.hasFixed);
    EXPECT_EQ(info.fileVersionMS, 0x00030000u);
    EXPECT_EQ(info.fileVersionLS, 0u);
    EXPECT_TRUE(info.hasTranslation);
    EXPECT_EQ(info.language, 0x0409);
    EXPECT_EQ(info.codePage, 1252);
    EXPECT_EQ(valueOf(info, "FileVersion"), "3.0.0.0");
    EXPECT_EQ(valueOf(info, "ProductVersion"), "3.0.0.0");
    EXPECT_EQ(platform::GetVersionString(cli), "3.0.0.0");
}

TEST(VersionInfo, TheSlovakLibraryNamesItsCodePageAndReportsTheFixedProductVersion)
{
    if (!std::filesystem::exists(slovak))
        GTEST_SKIP() << "the language libraries are not part of this build";
    platform::VersionInfo info;
    ASSERT_TRUE(platform::readVersionInfo(slovak, info));
    EXPECT_EQ(info.language, 0x041B);
    EXPECT_EQ(info.codePage, 1250);
    EXPECT_EQ(valueOf(info, "FileVersion"), "3.0.0.0");
    // The string says 1.0.0.0; what counts is the fixed product version.
    EXPECT_EQ(valueOf(info, "ProductVersion"), "1.0.0.0");
    EXPECT_EQ(platform::GetVersionString(slovak), "3.0.0.0");
}

TEST(VersionInfo, FilesWithoutTheNoteHaveNoVersion)
{
    TempDir tmp;
    platform::VersionInfo info;
    // This test program is built without version information.
    EXPECT_FALSE(platform::readVersionInfo(platform::executablePath(), info));
    EXPECT_EQ(platform::GetVersionString(platform::executablePath()), "");
    EXPECT_EQ(platform::GetVersionString(tmp.write("text.dll", "MZ just some text")), "");
    EXPECT_EQ(platform::GetVersionString(tmp.write("empty.dll")), "");
    EXPECT_EQ(platform::GetVersionString(tmp.write("short.dll", "\x7f" "ELF")), "");
    EXPECT_EQ(platform::GetVersionString(tmp.path("missing.dll")), "");
    EXPECT_EQ(platform::GetVersionString(tmp.dir()), "");
}

#ifndef _WIN32 // the ELF note; Windows reads its resource through the system's version API
TEST(VersionInfo, ATruncatedFileHasAVersionOnlyWhenTheWholeNoteIsThere)
{
    TempDir tmp;
    const std::string bytes = readFile(cli);
    const std::size_t note = noteAt(bytes);
    ASSERT_NE(note, std::string::npos);
    std::uint32_t descSize = 0;
    std::memcpy(&descSize, bytes.data() + note + 4, 4);
    const std::size_t noteEnd = note + 12 + 12 + descSize;

    const std::string cut = tmp.path("cut");
    for (std::size_t length = 0; length < noteEnd + 64; ++length) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(length));
        const std::string version = platform::GetVersionString(cut);
        if (length < noteEnd)
            ASSERT_EQ(version, "") << "cut at " << length;
        else
            ASSERT_TRUE(version.empty() || version == "3.0.0.0") << "cut at " << length;
    }
}

TEST(VersionInfo, ADamagedNoteIsNotReadBeyondItsBounds)
{
    TempDir tmp;
    const std::string original = readFile(cli);
    const std::size_t note = noteAt(original);
    ASSERT_NE(note, std::string::npos);
    auto versionAfter = [&](auto damage) {
        std::string bytes = original;
        damage(bytes);
        return platform::GetVersionString(tmp.write("damaged", bytes));
    };

    EXPECT_EQ(versionAfter([&](std::string& b) { putWord(b, note + 4, 0xFFFFFFF0u); }), "") << "descriptor size";
    EXPECT_EQ(versionAfter([&](std::string& b) { putWord(b, note, 0xFFFFFFF0u); }), "") << "name size";
    EXPECT_EQ(versionAfter([&](std::string& b) { putWord(b, note + 4, 20); }), "") << "a descriptor too short for the fixed part";
    EXPECT_EQ(versionAfter([&](std::string& b) { putWord(b, note + 24, 0x12345678u); }), "") << "signature";
    EXPECT_EQ(versionAfter([&](std::string& b) { b[32] = '\xff'; b[33] = '\xff'; b[34] = '\xff'; b[35] = '\x7f'; }), "")
        << "program headers beyond the file";
    EXPECT_EQ(versionAfter([&](std::string& b) { b[56] = '\xff'; b[57] = '\xff'; }), "") << "65535 program headers";
    EXPECT_EQ(versionAfter([&](std::string& b) { b[5] = 2; }), "") << "read as big-endian";

    // Strings without their closing NUL end the list; the fixed part still counts.
    std::string bytes = original;
    std::uint32_t descSize = 0;
    std::memcpy(&descSize, bytes.data() + note + 4, 4);
    std::memset(&bytes[note + 24 + 56], 'x', descSize - 56);
    platform::VersionInfo info;
    ASSERT_TRUE(platform::readVersionInfo(tmp.write("nostrings", bytes), info));
    EXPECT_TRUE(info.strings.empty());
    EXPECT_EQ(platform::GetVersionString(tmp.path("nostrings")), "3.0.0.0");
}
#endif

} // namespace
