#include "platform/VersionInfo.h"
#include "platform/Path.h"

#include "common/TempDir.h"

#include "ProgramVersion.h"

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

// The information our CMake function gives a file: the program's version in the fixed part and
// the "FileVersion" string, the translation entry asked for, and the "ProductVersion" string.
void expectOurVersionInfo(const std::string& file, int language, int codePage, const std::string& productString)
{
    platform::VersionInfo info;
    ASSERT_TRUE(platform::readVersionInfo(file, info));
    EXPECT_TRUE(info.hasFixed);
    EXPECT_EQ(info.fileVersionMS, ProgramVersionMajor << 16 | ProgramVersionMinor);
    EXPECT_EQ(info.fileVersionLS, ProgramVersionPatch << 16 | ProgramVersionBuild);
    EXPECT_TRUE(info.hasTranslation);
    EXPECT_EQ(info.language, language);
    EXPECT_EQ(info.codePage, codePage);
    EXPECT_EQ(valueOf(info, "FileVersion"), ProgramVersionText);
    EXPECT_EQ(valueOf(info, "ProductVersion"), productString);
    EXPECT_EQ(platform::GetVersionString(file), ProgramVersionText);
}

TEST(VersionInfo, TheCommandLineToolCarriesTheProgramVersion)
{
    expectOurVersionInfo(cli, 0x0409, 1252, ProgramVersionText);
}

TEST(VersionInfo, TheSlovakLibraryNamesItsCodePageAndReportsTheFixedProductVersion)
{
    if (!std::filesystem::exists(slovak))
        GTEST_SKIP() << "the language libraries are not part of this build";
    // The string says 1.0.0.0; what counts is the fixed product version.
    expectOurVersionInfo(slovak, 0x041B, 1250, "1.0.0.0");
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
            ASSERT_TRUE(version.empty() || version == ProgramVersionText) << "cut at " << length;
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
    EXPECT_EQ(platform::GetVersionString(tmp.path("nostrings")), ProgramVersionText);
}
#endif

} // namespace
