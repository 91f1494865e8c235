// Preloaded into a child process (LD_PRELOAD): counts every call that changes
// the file system and kills the process with SIGKILL at the call numbered
// $KESTRAVA_KILL_AT, before it happens; or, as a full disk would, fails the
// write() numbered $KESTRAVA_FAIL_WRITE_AT with ENOSPC. With
// $KESTRAVA_COUNT_FILE set, a run that lives to its end writes how many such
// calls and how many writes it made, so a test knows every point it can stop at.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<long> g_calls{0};
std::atomic<long> g_writes{0};

long numberIn(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? std::atol(value) : 0L;
}

long killAt()
{
    static const long at = numberIn("KESTRAVA_KILL_AT");
    return at;
}

long failWriteAt()
{
    static const long at = numberIn("KESTRAVA_FAIL_WRITE_AT");
    return at;
}

void step()
{
    const long n = ++g_calls;
    if (n == killAt())
        ::syscall(SYS_kill, ::getpid(), SIGKILL);
}

template <class F>
F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

struct Report {
    ~Report()
    {
        if (const char* file = std::getenv("KESTRAVA_COUNT_FILE")) {
            const long calls = g_calls.load();
            const long writes = g_writes.load();
            if (std::FILE* out = std::fopen(file, "w")) {
                std::fprintf(out, "%ld %ld\n", calls, writes);
                std::fclose(out);
            }
        }
    }
} g_report;

} // namespace

extern "C" {

// How many counted calls the process has made so far: a child names where
// the part worth killing begins (the editor's save, after its start-up).
long kestrava_kill_shim_calls()
{
    return g_calls.load();
}

ssize_t write(int fd, const void* data, size_t n)
{
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    step();
    if (++g_writes == failWriteAt()) {
        errno = ENOSPC;
        return -1;
    }
    return next(fd, data, n);
}

int rename(const char* from, const char* to)
{
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    step();
    return next(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static const auto next = real<int (*)(int, const char*, int, const char*)>("renameat");
    step();
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    static const auto next = real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    step();
    return next(fromDir, from, toDir, to, flags);
}

int unlink(const char* path)
{
    static const auto next = real<int (*)(const char*)>("unlink");
    step();
    return next(path);
}

int unlinkat(int dir, const char* path, int flags)
{
    static const auto next = real<int (*)(int, const char*, int)>("unlinkat");
    step();
    return next(dir, path, flags);
}

int rmdir(const char* path)
{
    static const auto next = real<int (*)(const char*)>("rmdir");
    step();
    return next(path);
}

int mkdir(const char* path, mode_t mode)
{
    static const auto next = real<int (*)(const char*, mode_t)>("mkdir");
    step();
    return next(path, mode);
}

int mkdirat(int dir, const char* path, mode_t mode)
{
    static const auto next = real<int (*)(int, const char*, mode_t)>("mkdirat");
    step();
    return next(dir, path, mode);
}

int fsync(int fd)
{
    static const auto next = real<int (*)(int)>("fsync");
    step();
    return next(fd);
}

int fdatasync(int fd)
{
    static const auto next = real<int (*)(int)>("fdatasync");
    step();
    return next(fd);
}

// Opening counts only when it may create a file; dir is AT_FDCWD for open().
static int openCounted(const char* name, int dir, const char* path, int flags, va_list args)
{
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        mode = mode_t(va_arg(args, int));
        step();
    }
    if (name[4] == 'a') // openat, openat64
        return real<int (*)(int, const char*, int, ...)>(name)(dir, path, flags, mode);
    return real<int (*)(const char*, int, ...)>(name)(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = openCounted("openat", dir, path, flags, args);
    va_end(args);
    return fd;
}

int openat64(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = openCounted("openat64", dir, path, flags, args);
    va_end(args);
    return fd;
}

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = openCounted("open", AT_FDCWD, path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = openCounted("open64", AT_FDCWD, path, flags, args);
    va_end(args);
    return fd;
}

} // extern "C"
