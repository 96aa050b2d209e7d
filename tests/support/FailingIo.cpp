#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

namespace {

bool failing(const char *name)
{
    const char *which = std::getenv("QUORVEL_FAIL");
    return which && std::strcmp(which, name) == 0;
}

template <typename F>
F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t pread(int fd, void *buffer, size_t count, off_t offset)
{
    if (failing("pread"))
        return errno = EIO, -1;
    return real<ssize_t (*)(int, void *, size_t, off_t)>("pread")(fd, buffer, count, offset);
}

ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    if (failing("pwrite"))
        return errno = EIO, -1;
    return real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite")(fd, buffer, count, offset);
}

// As on Linux, the descriptor is gone even when close reports an error.
int close(int fd)
{
    const int result = real<int (*)(int)>("close")(fd);
    if (failing("close"))
        return errno = EIO, -1;
    return result;
}
}
