#pragma once
// What the MP3 readers say of one file, gathered for its row.
#include <cstdint>
#include <string>

namespace platform { class Directory; }

struct TagTexts {
    std::string Artist, Title, Album, Year;
};

struct FileFacts {
    TagTexts ID3v1;          // already in the page's encoding; empty without a tag
    TagTexts ID3v2;          // likewise
    bool FrameValid = false; // a valid first frame: the length means something
    std::int64_t Duration = 0; // milliseconds
};

// Loads the file with both readers, releases them, and returns what the row needs. Each
// reader opens the file by itself. Raises the readers' errors, which name the file, for a file
// that cannot be opened or read.
FileFacts readFileFacts(const std::string& path);
// The same for the file `name` of an open folder, opened from the folder by its name alone.
FileFacts readFileFacts(const platform::Directory& folder, const std::string& name);
