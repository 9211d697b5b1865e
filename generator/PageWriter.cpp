#include "generator/PageWriter.h"

namespace {
constexpr std::size_t FlushSize = 64 * 1024;
}

PageWriter::PageWriter(const std::string& target) : file_(target)
{
    buffer_.reserve(FlushSize + 1024);
}

void PageWriter::writeLine(std::string_view line)
{
    buffer_.append(line);
    buffer_ += "\r\n";
    if (buffer_.size() >= FlushSize)
        flush();
}

void PageWriter::write(std::string_view text)
{
    buffer_.append(text);
    if (buffer_.size() >= FlushSize)
        flush();
}

void PageWriter::flush()
{
    file_.write(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void PageWriter::commit()
{
    flush();
    file_.commit();
}
