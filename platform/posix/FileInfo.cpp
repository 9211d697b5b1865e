#include "platform/FileInfo.h"

#include "platform/posix/StatConversions.h"

#include <ctime>
#include <sys/stat.h>

namespace platform {

namespace {

bool hiddenName(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return path.size() > slash + 1 && path[slash + 1] == '.';
}

} // namespace

std::int32_t dosDateOf(const struct stat& st)
{
    std::tm local {};
    time_t t = st.st_mtime;
    if (!::localtime_r(&t, &local))
        return -1;
    return packDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec);
}

std::int32_t attributesOf(bool hidden, const struct stat& st)
{
    std::int32_t attr = 0;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attr |= 0x01;
    if (hidden)
        attr |= 0x02;
    attr |= S_ISDIR(st.st_mode) ? 0x10 : 0x20;
    return attr;
}

std::int32_t fileDosDate(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? dosDateOf(st) : -1;
}

std::int32_t fileAttributes(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? attributesOf(hiddenName(path), st) : -1;
}

} // namespace platform
