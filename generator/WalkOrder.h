#pragma once
// The two ends of a page's middle part: the walk over the input folder hands on lines, the
// folders it enters and the MP3 files it finds, in walk order; the page's writer takes lines,
// folders and the files' rows in that same order.
#include <string>
#include <string_view>

namespace platform { class Directory; }

class WalkOutput {
public:
    virtual ~WalkOutput() = default;
    virtual void line(std::string_view text) = 0;
    // A folder the walk enters, and its path; it stays open until the walk enters the next one.
    virtual void folder(const platform::Directory& folder, const std::string& path) = 0;
    // An MP3 file of the folder entered last, by its name there.
    virtual void file(const std::string& name) = 0;
};

class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void line(std::string_view text) = 0;
    // The path of a folder the walk entered.
    virtual void folder(const std::string& path) = 0;
    virtual void row(std::string_view row) = 0;
};
