#pragma once
// What the MP3 readers say of one file, gathered for its row.
#include <cstdint>
#include <string>

struct TagTexts {
    std::string Artist, Title, Album, Year;
};

struct FileFacts {
    TagTexts ID3v1;          // already in the page's encoding; empty without a tag
    TagTexts ID3v2;          // likewise
    bool FrameValid = false; // a valid first frame: the length means something
    std::int64_t Duration = 0; // milliseconds
};

// Loads the file with both readers, releases them, and returns what the row needs.
// Raises the readers' errors for a file that cannot be opened or read.
FileFacts readFileFacts(const std::string& path);
