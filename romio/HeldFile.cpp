#include "HeldFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

std::optional<HeldFile> HeldFile::open(const std::string &path)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return std::nullopt;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return std::nullopt;
    HeldFile file(fd, {});
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    file.m_identity = {info.st_dev, info.st_ino};
    return file;
}

HeldFile::HeldFile(HeldFile &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)), m_identity(other.m_identity) {}

HeldFile &HeldFile::operator=(HeldFile &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_identity = other.m_identity;
    }
    return *this;
}

HeldFile::~HeldFile()
{
    // Only read from, so a failed close loses nothing.
    if (m_fd >= 0)
        ::close(m_fd);
}
