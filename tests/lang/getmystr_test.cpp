// GetMyStr of the built language libraries, called through the platform's loader as the
// program calls it, and the build step that makes a library's table from its texts file.
#include "lang/LanguageAbi.h"
#include "platform/DynamicLibrary.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <map>
#include <sstream>

namespace {

const std::string bin = TUNESHEET_BIN_DIR;
const std::string libs = TUNESHEET_TEST_LIBS;

class Library {
public:
    explicit Library(const std::string& path)
    {
        if (!lib_.load(path))
            throw std::runtime_error("cannot load " + path + ": " + lib_.error());
        fn_ = reinterpret_cast<GetMyStrFunction>(lib_.symbol(TUNESHEET_GETMYSTR_NAME));
        if (!fn_)
            throw std::runtime_error(path + " has no GetMyStr");
    }
    // The whole 256-byte buffer after a call, starting from a buffer full of 0xAA.
    std::string slot(int index) const
    {
        unsigned char buffer[LanguageSlotSize];
        std::memset(buffer, 0xAA, sizeof buffer);
        fn_(index, buffer);
        return std::string(reinterpret_cast<char*>(buffer), sizeof buffer);
    }
    // The length-prefixed text.
    std::string text(int index) const
    {
        const std::string s = slot(index);
        return s.substr(1, static_cast<unsigned char>(s[0]));
    }

private:
    platform::DynamicLibrary lib_;
    GetMyStrFunction fn_ = nullptr;
};

// The texts file as a translator wrote it, with the escapes resolved and converted to the
// code page by the C library's iconv, independently of the build's conversion.
std::map<int, std::string> expectedTexts(const std::string& file, const char* codePage)
{
    std::map<int, std::string> texts;
    std::istringstream in(readFile(file));
    iconv_t cd = iconv_open(codePage, "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        std::string utf8;
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                utf8 += line[i + 1] == 'r' ? '\r' : line[i + 1];
                ++i;
            } else {
                utf8 += line[i];
            }
        }
        std::string out(utf8.size(), '\0');
        char* src = utf8.data();
        char* dst = out.data();
        std::size_t srcLeft = utf8.size(), dstLeft = out.size();
        EXPECT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), static_cast<std::size_t>(-1)) << line;
        out.resize(out.size() - dstLeft);
        texts[std::stoi(line.substr(0, tab))] = out;
    }
    iconv_close(cd);
    return texts;
}

const std::string languageError = "<language error>";

TEST(GetMyStr, GivesTheTextsOfTheIndexTableAndLanguageErrorOutside)
{
    Library slovak(bin + "/slovak.dll");
    EXPECT_EQ(slovak.text(1), "Hlavn\xe9");                              // "Main"
    EXPECT_EQ(slovak.text(113), "Zmenili ste jazyk.\rPrep\xe1\xe8te, ale program treba re\x9atartova\x9d");
    for (int index : {0, LanguageStringCount + 1, -1, -2147483647 - 1, 2147483647})
        EXPECT_EQ(slovak.text(index), languageError) << index;

    Library english(bin + "/english.dll");
    EXPECT_EQ(english.text(1), "Main");
    EXPECT_EQ(english.text(38), "HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*");
    EXPECT_EQ(english.text(113), "You have changed language.\rSorry, but application need restart");
    EXPECT_EQ(english.text(0), languageError);
}

TEST(GetMyStr, FillsTheWholeSlotFromItsFirstByte)
{
    Library slovak(bin + "/slovak.dll");
    for (int index : {1, 38, 113, int(LanguageStringCount), 0, LanguageStringCount + 1}) {
        const std::string slot = slovak.slot(index);
        const std::size_t length = static_cast<unsigned char>(slot[0]);
        EXPECT_EQ(slot.find_first_not_of('\0', 1 + length), std::string::npos) << "index " << index;
    }
}

TEST(GetMyStr, TwoLineMessagesHaveALoneCarriageReturn)
{
    for (const char* name : {"/slovak.dll", "/english.dll"}) {
        Library lib(bin + name);
        for (int index : {103, 104, 105, 113}) {
            const std::string text = lib.text(index);
            EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 1) << name << " " << index;
            EXPECT_EQ(text.find('\n'), std::string::npos) << name << " " << index;
        }
    }
}

TEST(GetMyStr, EveryTextIsTheTranslatorsTextInTheLibrarysCodePage)
{
    struct Case {
        const char* library;
        const char* texts;
        const char* codePage;
    };
    for (const Case& c : {Case{"/slovak.dll", "/lang/slovak/texts.txt", "WINDOWS-1250"},
                          Case{"/english.dll", "/lang/english/texts.txt", "WINDOWS-1252"}}) {
        Library lib(bin + c.library);
        const auto expected = expectedTexts(TUNESHEET_SOURCE_DIR + std::string(c.texts), c.codePage);
        ASSERT_EQ(expected.size(), std::size_t(LanguageStringCount)) << c.texts;
        for (const auto& [index, text] : expected)
            EXPECT_EQ(lib.text(index), text) << c.library << " index " << index;
    }
}

TEST(GetMyStr, TheSlovakTextsKeepTheAcceleratorsAndPatternsOfTheEnglishOnes)
{
    Library slovak(bin + "/slovak.dll");
    Library english(bin + "/english.dll");
    for (int index = 1; index <= LanguageStringCount; ++index) {
        const std::string sk = slovak.text(index), en = english.text(index);
        EXPECT_FALSE(sk.empty()) << index;
        // One accelerator where the English text has any (45 has two there, one is enough).
        EXPECT_EQ(sk.find('&') != std::string::npos, en.find('&') != std::string::npos) << index;
        // The program puts a path or a number where a text has %1.
        EXPECT_EQ(sk.find("%1") != std::string::npos, en.find("%1") != std::string::npos) << index;
    }
    // The filter keeps its patterns and separators.
    const std::string filter = slovak.text(38);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 3);
    EXPECT_NE(filter.find("|*.htm; *.html|"), std::string::npos);
    EXPECT_EQ(filter.substr(filter.size() - 4), "|*.*");
    // Two equal column names would map to the same column.
    std::set<std::string> columns;
    for (int index = 93; index <= 99; ++index)
        columns.insert(slovak.text(index));
    EXPECT_EQ(columns.size(), 7u);
}

TEST(LanguageTexts, TheLimitsOfATextsFile)
{
    Library lib(libs + "/limits.dll");
    EXPECT_EQ(lib.text(1), std::string(255, '\x9e')) << "255 characters come back whole";
    EXPECT_EQ(lib.text(2), "a\\b");
    EXPECT_EQ(lib.text(3), "first line\rsecond line");
    EXPECT_EQ(lib.text(4), "");
    EXPECT_EQ(lib.text(5), "back\\\\r slash");
    EXPECT_EQ(lib.text(7), "text 7");
    EXPECT_EQ(lib.text(113), "text 113");
    EXPECT_EQ(lib.text(114), languageError) << "a library of the older kind ends at 113";
}

// Runs the table step on a texts file; returns its exit status and fills `output` with what it said.
int makeTable(const TempDir& tmp, const std::string& texts, std::string& output)
{
    const std::string source = tmp.write("texts.txt", texts);
    const std::string command = std::string(CMAKE_PROGRAM) + " -DSOURCE=" + source +
                                " -DCODEPAGE=1250 -DICONV=iconv -DOUTPUT=" + tmp.path("table.cpp") + " -P " +
                                TUNESHEET_SOURCE_DIR + "/lang/make-table.cmake > " + tmp.path("log") + " 2>&1";
    const int status = std::system(command.c_str());
    // CMake wraps its messages; one line is easier to search.
    output.clear();
    for (char c : readFile(tmp.path("log")))
        if (!(std::isspace(static_cast<unsigned char>(c)) && !output.empty() && output.back() == ' '))
            output += std::isspace(static_cast<unsigned char>(c)) ? ' ' : c;
    return status;
}

std::string allIndices(int from = 1, int to = LanguageStringCount)
{
    std::string texts;
    for (int i = from; i <= to; ++i)
        texts += std::to_string(i) + "\tx\n";
    return texts;
}

TEST(LanguageTexts, AMistakeInTheTextsFileStopsTheBuildWithItsLine)
{
    TempDir tmp;
    std::string said;
    ASSERT_EQ(makeTable(tmp, allIndices(), said), 0) << said;
    EXPECT_TRUE(std::filesystem::exists(tmp.path("table.cpp")));
    std::filesystem::remove(tmp.path("table.cpp"));

    struct Case {
        std::string texts;
        std::string message;
    };
    const std::string count = std::to_string(LanguageStringCount), after = std::to_string(LanguageStringCount + 1);
    const Case cases[] = {
        {allIndices(1, LanguageStringCount - 1), "string index " + count + " is missing"},
        {allIndices() + "7\tagain\n", "texts.txt:" + after + ": string index 7 appears a second time"},
        {allIndices() + after + "\tx\n", "texts.txt:" + after + ": string index " + after + " is outside 1 to " + count},
        {"1\t" + std::string(256, 'x') + "\n" + allIndices(2), "texts.txt:1: text 1 has 256 characters"},
        {"1\ta\\tb\n" + allIndices(2), "texts.txt:1: unknown escape"},
        {"1\n" + allIndices(2), "texts.txt:1: expected the string index"},
        {"one\tx\n" + allIndices(2), "texts.txt:1: expected the string index"},
        {"1\t\xe4\xb8\xad\n" + allIndices(2), "cannot convert to code page 1250"}, // a Chinese character
    };
    for (const Case& c : cases) {
        std::filesystem::remove(tmp.path("table.cpp"));
        EXPECT_NE(makeTable(tmp, c.texts, said), 0) << c.message;
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        EXPECT_FALSE(std::filesystem::exists(tmp.path("table.cpp"))) << c.message;
    }
}

TEST(DynamicLibrary, LoadsBesideTheExecutableAndUnloadsWhenItGoes)
{
    const std::string path = bin + "/slovak.dll";
    {
        platform::DynamicLibrary lib;
        ASSERT_TRUE(lib.load("slovak.dll")) << lib.error(); // this test runs from the folder of the libraries
        EXPECT_EQ(lib.path(), path);
        EXPECT_NE(lib.symbol("GetMyStr"), nullptr);
        EXPECT_EQ(lib.symbol("LanguageStrings"), nullptr) << "only GetMyStr is exported";
        void* probe = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(probe, nullptr);
        if (probe)
            ::dlclose(probe); // the probe's own reference
    }
    void* probe = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(probe, nullptr) << "still loaded";
    if (probe)
        ::dlclose(probe);

    TempDir tmp;
    platform::DynamicLibrary lib;
    EXPECT_FALSE(lib.load(tmp.path("missing.dll")));
    EXPECT_FALSE(lib.error().empty());
    EXPECT_FALSE(lib.load(tmp.write("broken.dll", "not a library at all")));
    EXPECT_FALSE(lib.load(tmp.dir()));
    EXPECT_FALSE(lib.load(bin + "/tunesheet-cli")) << "a program is not a library";
    EXPECT_FALSE(lib.isLoaded());
    EXPECT_EQ(lib.symbol("GetMyStr"), nullptr);
    ASSERT_TRUE(lib.load(libs + "/noexport.dll")) << lib.error();
    EXPECT_EQ(lib.symbol("GetMyStr"), nullptr);
}

} // namespace
