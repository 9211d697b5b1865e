// What a C++ developer would otherwise write: TagLib's FileRef with audio properties, listing
// the same columns as the page into an HTML file.
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: taglib_lister DIR OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    unsigned long files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (!entry.is_regular_file() || ext != ".mp3")
            continue;
        TagLib::FileRef f(entry.path().c_str(), true, TagLib::AudioProperties::Average);
        out << "<tr><td>";
        if (TagLib::Tag* t = f.tag())
            out << t->artist().to8Bit(true) << "</td><td>" << t->title().to8Bit(true) << "</td><td>"
                << t->album().to8Bit(true) << "</td><td>" << t->year();
        int length = f.audioProperties() ? f.audioProperties()->length() : 0;
        out << "</td><td>" << length / 60 << ":" << length % 60 << "</td><td>" << entry.file_size() << "</td><td>"
            << entry.path().filename().string() << "</td></tr>\r\n";
        ++files;
    }
    std::cout << files << " files\n";
    return 0;
}
