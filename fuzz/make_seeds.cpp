// Writes small synthetic seed inputs for the fuzz targets into the folder named by argv[1].
#include "audio/fixtures.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

using namespace fixtures;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds FOLDER\n";
        return 2;
    }
    const Bytes stereo = cbrHeader();
    const Bytes mono2 = bytes({0xFF, 0xF3, 0x80, 0xC4});
    const Bytes tag = id3v1Block({"Title", "Artist", "Album", "1999", "Comment", 7, 17});
    const Bytes id3v2 = id3v2Tag(textFrame("TPE1", "Artist") + textFrame("TIT2", "Title", 1) +
                                 id3v2Frame("COMM", bytes({0}) + text("eng") + bytes({0}) + text("Nice")) +
                                 id3v2Frame("WXXX", bytes({0, 0}) + text("http://x")) + zeros(64));
    const std::map<std::string, Bytes> seeds = {
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
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& [name, content] : seeds)
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
    return 0;
}
