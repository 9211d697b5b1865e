#include "platform/ReadOnlyFile.h"

#include "platform/Directory.h"
#include "platform/Errors.h"

// Each side opens files (relative to their directory where it can), closes them and asks the
// file system about them: open, openIn, closeDescriptor, lookUpSize, dosDate, attributes, readAt.

namespace platform {

ReadOnlyFile::ReadOnlyFile(const std::string& path)
{
    int err = 0;
    if (!open(path, err))
        throw FileOpenError(path, err);
}

ReadOnlyFile::ReadOnlyFile(const Directory& dir, const std::string& name)
{
    int err = 0;
    if (!openIn(dir, name, err))
        throw FileOpenError(name_, err);
}

ReadOnlyFile::~ReadOnlyFile()
{
    close();
}

void ReadOnlyFile::close()
{
    if (fd_ >= 0)
        closeDescriptor();
    fd_ = -1;
    lookedUp_ = false;
    size_ = 0;
}

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::tryOpen(const std::string& path, int& errorCode)
{
    auto file = std::make_unique<ReadOnlyFile>();
    return file->open(path, errorCode) ? std::move(file) : nullptr;
}

std::int64_t ReadOnlyFile::size() const
{
    if (!lookedUp_) {
        lookedUp_ = true;
        lookUpSize();
    }
    return size_;
}

std::int64_t ReadOnlyFile::sizeNow() const
{
    lookedUp_ = false;
    return size();
}

} // namespace platform
