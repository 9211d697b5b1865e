#include "platform/ReadOnlyFile.h"

// What the file system says of the open file is asked once, by each side's lookUp().

namespace platform {

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
