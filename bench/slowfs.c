/* A model of a network share for the benchmark: a read-only FUSE passthrough of SOURCE that
   waits a fixed time in every lookup, getattr, opendir, readdir, open and read, as a server
   a network away would. Multi-threaded, so that requests made at the same time wait at the
   same time. The kernel keeps names and attributes for a second, as network file system
   clients do, and a file's data while it is open.

     slowfs SOURCE MOUNTPOINT [-o delay_us=1000] [-o counter=FILE] [FUSE options]
                                                                    (-f: stay in the foreground)

   With counter=FILE, FILE holds the number of requests served so far, a 64-bit number in the
   machine's byte order, for a benchmark to read before and after a run. */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE
#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static struct {
    char* source;
    unsigned delay_us;
    char* counter;
} options = {NULL, 1000, NULL};

static const struct fuse_opt option_spec[] = {
    {"delay_us=%u", offsetof(__typeof__(options), delay_us), 0},
    {"counter=%s", offsetof(__typeof__(options), counter), 0},
    FUSE_OPT_END,
};

/* Shared with the counter file, so that it survives FUSE's fork into the background. */
static uint64_t* requests;

static void wait_for_server(void)
{
    if (requests)
        __atomic_add_fetch(requests, 1, __ATOMIC_RELAXED);
    struct timespec t = {options.delay_us / 1000000, (long)(options.delay_us % 1000000) * 1000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

/* The path under SOURCE, in a buffer of the calling thread's own. */
static const char* under_source(const char* path)
{
    static __thread char full[8192];
    snprintf(full, sizeof full, "%s%s", options.source, path);
    return full;
}

static void* slow_init(struct fuse_conn_info* conn, struct fuse_config* cfg)
{
    cfg->entry_timeout = 1;
    cfg->attr_timeout = 1;
    cfg->negative_timeout = 0;
    cfg->use_ino = 1;
    /* Read-ahead is sent in the background: let many such requests be under way at once. */
    conn->max_background = 1024;
    conn->congestion_threshold = 768;
    return NULL;
}

/* Also what a lookup asks for. */
static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    wait_for_server();
    int r = fi ? fstat((int)fi->fh, st) : lstat(under_source(path), st);
    return r == 0 ? 0 : -errno;
}

static int slow_readlink(const char* path, char* buf, size_t size)
{
    wait_for_server();
    ssize_t n = readlink(under_source(path), buf, size - 1);
    if (n < 0)
        return -errno;
    buf[n] = 0;
    return 0;
}

static int slow_opendir(const char* path, struct fuse_file_info* fi)
{
    wait_for_server();
    DIR* d = opendir(under_source(path));
    if (!d)
        return -errno;
    fi->fh = (uint64_t)(uintptr_t)d;
    return 0;
}

/* Entries with their offsets, so that each of the kernel's readdir requests comes here (and
   waits) rather than being served from a listing read whole at the first. */
static int slow_readdir(const char* path, void* buf, fuse_fill_dir_t filler, off_t offset, struct fuse_file_info* fi,
                        enum fuse_readdir_flags flags)
{
    (void)path;
    (void)flags;
    wait_for_server();
    DIR* d = (DIR*)(uintptr_t)fi->fh;
    seekdir(d, offset);
    for (struct dirent* e; (e = readdir(d)) != NULL;) {
        struct stat st;
        memset(&st, 0, sizeof st);
        st.st_ino = e->d_ino;
        st.st_mode = (mode_t)e->d_type << 12;
        if (filler(buf, e->d_name, &st, telldir(d), 0))
            break;
    }
    return 0;
}

static int slow_releasedir(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    closedir((DIR*)(uintptr_t)fi->fh);
    return 0;
}

static int slow_open(const char* path, struct fuse_file_info* fi)
{
    wait_for_server();
    if ((fi->flags & O_ACCMODE) != O_RDONLY)
        return -EROFS;
    int fd = open(under_source(path), fi->flags);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int slow_read(const char* path, char* buf, size_t size, off_t offset, struct fuse_file_info* fi)
{
    (void)path;
    wait_for_server();
    ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int slow_release(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

static const struct fuse_operations slow_operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .readlink = slow_readlink,
    .opendir = slow_opendir,
    .readdir = slow_readdir,
    .releasedir = slow_releasedir,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
};

/* The first argument that is not an option is SOURCE; the rest go to FUSE. */
static int take_source(void* data, const char* arg, int key, struct fuse_args* args)
{
    (void)data;
    (void)args;
    if (key == FUSE_OPT_KEY_NONOPT && !options.source) {
        options.source = realpath(arg, NULL);
        if (!options.source) {
            perror(arg);
            exit(2);
        }
        return 0;
    }
    return 1;
}

int main(int argc, char** argv)
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    if (fuse_opt_parse(&args, &options, option_spec, take_source) != 0 || !options.source) {
        fprintf(stderr, "usage: slowfs SOURCE MOUNTPOINT [-o delay_us=1000] [FUSE options]\n");
        return 2;
    }
    if (options.counter) {
        int fd = open(options.counter, O_RDWR | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ftruncate(fd, sizeof *requests) != 0
            || (requests = mmap(NULL, sizeof *requests, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)) == MAP_FAILED) {
            perror(options.counter);
            return 2;
        }
        close(fd);
    }
    /* Enough threads for every request the readers may have under way. */
    fuse_opt_add_arg(&args, "-omax_threads=512,max_idle_threads=512,ro,default_permissions");
    int r = fuse_main(args.argc, args.argv, &slow_operations, NULL);
    fuse_opt_free_args(&args);
    return r;
}
