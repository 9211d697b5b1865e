/* Preloaded into a program under test: the file whose path ends in $SHORT_READ_NAME reads as if
 * it had been cut at $SHORT_READ_AT bytes after it was opened. Reads stop there while the size
 * the file system tells stays what it was, as for a file another program makes shorter while
 * it is being read. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

typedef ssize_t (*PositionalRead)(int, void*, size_t, off_t);

/* Where the data of `fd` ends, or -1 when it is not the file that is cut. */
static off_t cutAt(int fd)
{
    const char* name = getenv("SHORT_READ_NAME");
    const char* at = getenv("SHORT_READ_AT");
    char link[64], path[4096];
    if (!name || !at)
        return -1;
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    const size_t length = strlen(name);
    if (n < 0 || (size_t)n < length || memcmp(path + n - length, name, length) != 0)
        return -1;
    return (off_t)strtoll(at, NULL, 10);
}

static ssize_t readCut(const char* symbol, int fd, void* buffer, size_t count, off_t offset)
{
    const PositionalRead next = (PositionalRead)dlsym(RTLD_NEXT, symbol);
    const off_t end = cutAt(fd);
    if (end >= 0) {
        if (offset >= end)
            return 0;
        if ((off_t)count > end - offset)
            count = (size_t)(end - offset);
    }
    return next(fd, buffer, count, offset);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset)
{
    return readCut("pread", fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off_t offset)
{
    return readCut("pread64", fd, buffer, count, offset);
}
