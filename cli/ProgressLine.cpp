#include "cli/ProgressLine.h"

#include "generator/Utf8.h"

namespace {

const char* const ClearLine = "\r\033[K";

// Where the last `count` characters of UTF-8 text begin (bytes, for text that is not UTF-8);
// 0 when the text has no more than that.
std::size_t startOfLast(const std::string& text, std::size_t count)
{
    const bool utf8 = isValidUtf8(text);
    std::size_t start = text.size();
    for (std::size_t characters = 0; start > 0 && characters < count; ++characters) {
        do
            --start;
        while (utf8 && start > 0 && isUtf8Continuation(text[start]));
    }
    return start;
}

} // namespace

std::string ProgressLine::text(const GenerateProgress& progress)
{
    std::string dir = progress.currentDir;
    if (startOfLast(dir, 50) > 0)
        dir = "..." + dir.substr(startOfLast(dir, 47));
    return std::to_string(progress.filesListed) + " files listed  " + dir;
}

void ProgressLine::show(const GenerateProgress& progress, Clock::time_point now)
{
    if (!enabled_ || (drawn_ && now - last_ < std::chrono::milliseconds(100)))
        return;
    last_ = now;
    out_ << ClearLine << text(progress) << std::flush;
    drawn_ = true;
}

void ProgressLine::finish()
{
    if (drawn_)
        out_ << ClearLine << std::flush;
    drawn_ = false;
}
