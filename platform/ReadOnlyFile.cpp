#include "platform/ReadOnlyFile.h"

#include "platform/Directory.h"
#include "platform/Errors.h"

// What the file system says of the open file is asked once, by each side's lookUp().

namespace platform {

ReadOnlyFile::ReadOnlyFile(const std::string& path)
{
    int err = 0;
    auto opened = tryOpen(path, err);
    if (!opened)
        throw FileOpenError(path);
    takeFrom(*opened);
}

ReadOnlyFile::ReadOnlyFile(const Directory& dir, const std::string& name)
{
    int err = 0;
    auto opened = tryOpenIn(dir, name, err);
    if (!opened)
        throw FileOpenError(dir.path() + name);
    takeFrom(*opened);
}

void ReadOnlyFile::takeFrom(ReadOnlyFile& opened)
{
    fd_ = opened.fd_;
    name_ = std::move(opened.name_);
    opened.fd_ = -1;
}

std::int64_t ReadOnlyFile::size() const
{
    lookUp();
    return size_;
}

std::int32_t ReadOnlyFile::dosDate() const
{
    lookUp();
    return dosDate_;
}

std::int32_t ReadOnlyFile::attributes() const
{
    lookUp();
    return attributes_;
}

} // namespace platform
