/* The least I/O the job needs: walk the tree and, for each .mp3, open it, fstat it, read its
   first 10 KB and its last 128 bytes with one pread each, and close it. */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

static unsigned long files;
static unsigned long checksum;

static void walk(const char* dir)
{
    DIR* d = opendir(dir);
    if (!d)
        return;
    struct dirent* e;
    char path[4096];
    while ((e = readdir(d))) {
        if (e->d_name[0] == '.')
            continue;
        snprintf(path, sizeof path, "%s/%s", dir, e->d_name);
        if (e->d_type == DT_DIR) {
            walk(path);
            continue;
        }
        size_t n = strlen(e->d_name);
        if (n < 4 || strcasecmp(e->d_name + n - 4, ".mp3") != 0)
            continue;
        int fd = open(path, O_RDONLY);
        if (fd < 0)
            continue;
        struct stat st;
        static unsigned char head[10240], tail[128];
        if (fstat(fd, &st) == 0) {
            ssize_t h = pread(fd, head, sizeof head, 0);
            ssize_t t = st.st_size >= 128 ? pread(fd, tail, sizeof tail, st.st_size - 128) : 0;
            checksum += (h > 0 ? head[0] : 0) + (t > 0 ? tail[0] : 0);
        }
        close(fd);
        ++files;
    }
    closedir(d);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: floor DIR\n");
        return 2;
    }
    walk(argv[1]);
    printf("%lu files (%lu)\n", files, checksum);
    return 0;
}
