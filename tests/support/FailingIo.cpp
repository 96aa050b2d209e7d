// Preloaded into a test: pread, pwrite or close fails with EIO while QUORVEL_FAIL names it.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

static bool failing(const char *name)
{
    const char *which = std::getenv("QUORVEL_FAIL");
    return which && std::strcmp(which, name) == 0;
}

#define REAL(name, type) reinterpret_cast<type>(::dlsym(RTLD_NEXT, name))

extern "C" ssize_t pread(int fd, void *buffer, size_t count, off_t offset)
{
    return failing("pread") ? (errno = EIO, -1) : REAL("pread", ssize_t(*)(int, void *, size_t, off_t))(fd, buffer, count, offset);
}

extern "C" ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    return failing("pwrite") ? (errno = EIO, -1) : REAL("pwrite", ssize_t(*)(int, const void *, size_t, off_t))(fd, buffer, count, offset);
}

// As on Linux, the descriptor is gone even when close reports an error.
extern "C" int close(int fd)
{
    const int result = REAL("close", int (*)(int))(fd);
    return failing("close") ? (errno = EIO, -1) : result;
}
