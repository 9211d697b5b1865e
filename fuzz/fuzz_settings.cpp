// The settings record over any file, read as the window and the command-line tool read it; then
// a page written from it over a folder of one tagged MP3 file, so that every field the record
// holds reaches the page writer and its escaping.
#include "audio/fixtures.h"
#include "generator/GeneratorSettings.h"
#include "generator/tunesheet_class.h"
#include "platform/Errors.h"
#include "check.h"
#include "MemoryFile.h"
#include "Scratch.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

namespace {

using namespace fixtures;

// The input folder, made once: one file whose name and tags need escaping.
const std::string& inputFolder()
{
    static const std::string folder = [] {
        const std::string in = scratchFolder() + "in/";
        std::filesystem::create_directories(in);
        const Bytes tags = id3v2Tag(textFrame("TPE1", "Tom & \"Jerry\"") + textFrame("TIT2", "<b>Caf\xE9</b>"));
        const Bytes mp3 = tags + frames(cbrHeader(), 417, 3) + id3v1Block({"Title", "Artist", "Album", "1999"});
        std::ofstream(in + "a&b #1?.mp3", std::ios::binary)
            .write(reinterpret_cast<const char*>(mp3.data()), std::streamsize(mp3.size()));
        return in;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TTunesheet generator;
    try {
        generator.Settings = readSettingsFile(memoryFile(data, size));
    } catch (const platform::InOutError& e) {
        FUZZ_CHECK(size < SettingsRecordSize);
        FUZZ_CHECK(std::strstr(e.what(), "Read beyond end of file") != nullptr);
        return 0;
    }
    FUZZ_CHECK(size >= SettingsRecordSize && std::memcmp(&generator.Settings, data, SettingsRecordSize) == 0);

    // The page goes where the fuzzer says, never where the record says.
    const std::string page = scratchFolder() + "page.htm";
    generator.Settings.InputDir = inputFolder();
    generator.Settings.OutputFile = page;
    generator.Generate();
    const std::string written = fileContents(page);
    FUZZ_CHECK(written.compare(0, 8, "<html>\r\n") == 0);
    FUZZ_CHECK(written.size() > 9 && written.compare(written.size() - 9, 9, "</html>\r\n") == 0);
    return 0;
}
