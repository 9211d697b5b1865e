// Writes small synthetic seed inputs for the fuzz targets into the folder named by argv[1], one
// subfolder for each kind of input: mp3, settings, options, recent, language, texts, version.
#include "audio/fixtures.h"
#include "generator/GeneratorSettings.h"

#include "ProgramVersion.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

using namespace fixtures;

namespace {

using Seeds = std::map<std::string, Bytes>;

// The program's version as the fixed part of version information holds it.
constexpr std::uint32_t versionHigh = ProgramVersionMajor << 16 | ProgramVersionMinor;
constexpr std::uint32_t versionLow = ProgramVersionPatch << 16 | ProgramVersionBuild;

Seeds mp3Seeds()
{
    const Bytes stereo = cbrHeader();
    const Bytes mono2 = bytes({0xFF, 0xF3, 0x80, 0xC4});
    const Bytes tag = id3v1Block({"Title", "Artist", "Album", "1999", "Comment", 7, 17});
    const Bytes id3v2 = id3v2Tag(textFrame("TPE1", "Artist") + textFrame("TIT2", "Title", 1) +
                                 id3v2Frame("COMM", bytes({0}) + text("eng") + bytes({0}) + text("Nice")) +
                                 id3v2Frame("WXXX", bytes({0, 0}) + text("http://x")) + zeros(64));
    return {
        {"headers", bytes({0xFF, 0xE0, 0, 0}) + stereo + mono2 + bytes({0xFF, 0xFF, 0x10, 0x00, 0xFF, 0xE3, 0x90, 0x00})},
        {"id3v1", tag},
        {"id3v2", id3v2},
        {"cbr", frames(stereo, 417, 3) + tag},
        {"xing", xingFrame(stereo, 417, 36, "Xing", 0x0F, 4096) + frames(stereo, 417, 1)},
        {"xing_mpeg2", xingFrame(mono2, 208, 13, "Xing", 0x01, 1000) + frames(mono2, 208, 1)},
        {"tagged", id3v2 + frames(stereo, 417, 2) + tag},
        {"v4_footer", id3v2Tag(textFrame("TIT2", "x"), -1, 4, 0x10) + text("3DI") + zeros(7) + frames(mono2, 208, 2)},
        {"stray_sync", id3v2Tag(textFrame("TIT2", "x") + bytes({0xFF, 0xFE, 0x41, 0x00}) + zeros(200), 4000) +
                           frames(stereo, 417, 2)},
        {"info_ape", xingFrame(stereo, 417, 36, "Info", 0x01, 3) + frames(stereo, 417, 2) + apeTag(64, true) + tag},
        {"vbri", vbriFrame(stereo, 417, 7) + frames(stereo, 417, 2)},
        {"two_tags", id3v2 + id3v2Tag(textFrame("TALB", "Album"), -1, 4) + frames(mono2, 208, 2)},
        {"v22", id3v2Tag(v22Frame("TT2", "Title") + v22Frame("TP1", "Artist") + v22Frame("TYE", "1999"), -1, 2)},
        {"v23_unsync", id3v2Tag(unsynchronised(bigEndian(6) + zeros(6) + textFrame("TIT2", "\xFF\xFF") +
                                               id3v2Frame("TPE1", bytes({7, 0}) + text("A"), -1, 0x20)),
                                -1, 3, 0xC0)},
        {"v24", id3v2Tag(syncsafe(6) + bytes({1, 0}) +
                             v24Frame("TIT2", bytes({7}) + syncsafe(3) + unsynchronised(bytes({0, 0xFF, 'x'})), 0x43) +
                             v24Frame("TPE1", bytes({0}) + text(std::string(200, 'a')), 0, true) +
                             v24Frame("TDRC", bytes({1, 0xFF, 0xFE, '2', 0, '0', 0})) +
                             id3v2Frame("CHAP", text("c") + zeros(17) + textFrame("TIT2", "Chapter")),
                         -1, 4, 0x40)},
    };
}

Bytes recordBytes(const TGeneratorSettings& s)
{
    const auto* p = reinterpret_cast<const unsigned char*>(&s);
    return Bytes(p, p + sizeof s);
}

Seeds settingsSeeds()
{
    TGeneratorSettings everything = initialFormSettings();
    everything.PageCaption = "<b>Tom & Jerry's \"list\"</b>";
    everything.SelectedNames[0] = "<i>Artist</i> & co";
    everything.IncludeSubdirs = everything.DirOverTable = everything.AllDirsInOneTable = everything.Wrap = true;
    everything.ActiveLinks = alArtist | alTitle | alFileName;
    everything.FileNameMode = fnFullPath;
    everything.TagPriority = tpID3v1First;
    TGeneratorSettings odd = initialFormSettings();
    const std::uint8_t ids[ColumnSlots] = {9, 0, 3, 7, 7, 255, 1};
    std::memcpy(odd.SelectedItems, ids, sizeof ids);
    odd.FileSizeUnit = 7;
    odd.FileNameMode = 2;
    odd.TagPriority = 3;
    odd.SelectedNames[1].length = 255;
    const Bytes initial = recordBytes(initialFormSettings());
    return {
        {"initial", initial},
        {"everything", recordBytes(everything)},
        {"odd", recordBytes(odd)},
        {"short", Bytes(initial.begin(), initial.end() - 1)},
    };
}

Seeds optionsSeeds()
{
    return {
        {"written", text("columns=artist,title,track,genre\r\nlegacy-encoding=windows-1250\r\n")},
        {"by_hand", text("\xEF\xBB\xBF# mine\npage=library\n columns = vbr, ,size,vbr \ncolumns=title,colour\nno key\r\n"
                         "legacy-encoding = koi8-R\nlegacy-encoding=cp1250\n")},
    };
}

Seeds recentSeeds()
{
    return {
        {"line_ends", text("/a/\r\n/b/\n/c/\r\r/a/\r\n/last")},
        {"latin1", text("/hudba/Caf\xE9/\r\n/HUDBA/CAF\xC9/\r\n/hudba/Caf\xE9/\r\n")},
        {"utf8", text("/Hudba/\xC5\xA0l\xC3\xA1ger/\r\n/hudba/\xC5\xA1l\xC3\xA1ger/\r\n\xD0\x9C\xD0\xA3\r\n")},
    };
}

Seeds languageSeeds()
{
    return {
        {"slovak", text("slovak.dll\r\nignored.dll\r\n")},
        {"plain", text("english.dll")},
        {"empty_first", text("\nmy.lang.dll\n")},
        {"latin1", text("jazyk\xE9.dll\r\n")},
    };
}

// The code page (low byte first), then GetMyStr's answer: a length byte and the characters.
Seeds textSeeds()
{
    return {
        {"cp1250", bytes({0xE2, 0x04, 15}) + text("Ukon\xE8i\x9D program")},
        {"utf8", bytes({0xE9, 0xFD, 9}) + text("Zru\xC5\xA1i\xC5\xA5 ") + bytes({0xF0, 0x9F})},
        {"error", bytes({0xE4, 0x04, 16}) + text("<language error>")},
        {"longest", bytes({0xA4, 0x03, 255}) + Bytes(4000, 0x82)},
    };
}

// An ELF file of one note segment holding the program's version note (cmake/VersionInfo.cmake).
Bytes elfWithVersionNote(bool is64, bool bigEndianFile)
{
    auto word = [&](std::uint64_t v, int width) {
        Bytes out;
        for (int i = 0; i < width; ++i)
            out.push_back(static_cast<unsigned char>(v >> (8 * (bigEndianFile ? width - 1 - i : i))));
        return out;
    };
    Bytes fixed = word(0xFEEF04BD, 4) + word(0x00010000, 4) + word(versionHigh, 4) + word(versionLow, 4) +
                  word(versionHigh, 4) + word(versionLow, 4) + zeros(7 * 4);
    const Bytes descriptor = fixed + word(0x041B, 2) + word(1250, 2) + text("FileVersion") + zeros(1) +
                             text(ProgramVersionText) + zeros(1) + text("ProductVersion") + zeros(1) + text("1.0.0.0") + zeros(1);
    const Bytes note = word(10, 4) + word(descriptor.size(), 4) + word(1, 4) + text("tunesheet") + zeros(3) + descriptor;
    const std::size_t headerSize = is64 ? 64 : 52, entrySize = is64 ? 56 : 32;
    const std::size_t noteAt = headerSize + entrySize;
    Bytes header = bytes({0x7F, 'E', 'L', 'F', is64 ? 2 : 1, bigEndianFile ? 2 : 1, 1}) + zeros(9) + word(3, 2) +
                   word(62, 2) + word(1, 4);
    Bytes entry;
    if (is64) {
        header = header + word(0, 8) + word(headerSize, 8) + word(0, 8) + word(0, 4) + word(headerSize, 2) +
                 word(entrySize, 2) + word(1, 2) + zeros(6);
        entry = word(4, 4) + word(4, 4) + word(noteAt, 8) + word(0, 8) + word(0, 8) + word(note.size(), 8) +
                word(note.size(), 8) + word(4, 8);
    } else {
        header = header + word(0, 4) + word(headerSize, 4) + word(0, 4) + word(0, 4) + word(headerSize, 2) +
                 word(entrySize, 2) + word(1, 2) + zeros(6);
        entry = word(4, 4) + word(noteAt, 4) + word(0, 4) + word(0, 4) + word(note.size(), 4) + word(note.size(), 4) +
                word(4, 4) + word(4, 4);
    }
    return header + entry + note;
}

// A Windows version resource: VS_VERSIONINFO with its fixed part, one string table and the
// translation entry.
Bytes versionResource()
{
    auto utf16 = [](const std::string& s) {
        Bytes out;
        for (char c : s)
            out = out + bytes({c, 0});
        return out + bytes({0, 0});
    };
    auto pad = [](Bytes b) { return b + zeros((4 - b.size() % 4) % 4); };
    auto node = [&](const std::string& key, const Bytes& value, std::size_t valueLength, bool isText,
                    const Bytes& children) {
        Bytes all = pad(zeros(6) + utf16(key)) + pad(value) + children;
        const Bytes header = littleEndian(static_cast<std::uint32_t>(all.size() | valueLength << 16)) +
                             bytes({isText ? 1 : 0, 0});
        std::copy(header.begin(), header.end(), all.begin());
        return all;
    };
    auto string = [&](const std::string& key, const std::string& value) {
        return node(key, utf16(value), value.size() + 1, true, Bytes());
    };
    const Bytes fixed = littleEndian(0xFEEF04BD) + littleEndian(0x00010000) + littleEndian(versionHigh) +
                        littleEndian(versionLow) + littleEndian(versionHigh) + littleEndian(versionLow) + zeros(7 * 4);
    const Bytes strings = node("StringFileInfo", Bytes(), 0, true,
                               node("041B04E2", Bytes(), 0, true,
                                    string("FileVersion", ProgramVersionText) + string("ProductVersion", "1.0.0.0")));
    const Bytes translation = node("VarFileInfo", Bytes(), 0, true,
                                   node("Translation", bytes({0x1B, 0x04, 0xE2, 0x04}), 4, false, Bytes()));
    return node("VS_VERSION_INFO", fixed, fixed.size(), false, strings + translation);
}

Seeds versionSeeds()
{
    return {
        {"elf64", elfWithVersionNote(true, false)},
        {"elf32_big_endian", elfWithVersionNote(false, true)},
        {"resource", versionResource()},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds FOLDER\n";
        return 2;
    }
    const std::map<std::string, Seeds> kinds = {
        {"mp3", mp3Seeds()},           {"settings", settingsSeeds()}, {"options", optionsSeeds()},
        {"recent", recentSeeds()},
        {"language", languageSeeds()}, {"texts", textSeeds()},        {"version", versionSeeds()},
    };
    for (const auto& [kind, seeds] : kinds) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / kind;
        std::filesystem::create_directories(folder);
        for (const auto& [name, content] : seeds)
            std::ofstream(folder / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
    }
    return 0;
}
