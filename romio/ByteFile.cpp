#include "ByteFile.h"

#include "HexTrace.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

ByteFile::ByteFile(ByteFile &&other) noexcept
    : m_trace(other.m_trace)
    , m_fd(std::exchange(other.m_fd, -1))
    , m_identity(std::exchange(other.m_identity, std::nullopt))
    , m_size(std::exchange(other.m_size, 0))
{
}

ByteFile::~ByteFile()
{
    if (m_fd >= 0)
        (void)close();
}

std::optional<HexError> ByteFile::open(const std::string &path, Mode mode,
                                       const std::optional<FileIdentity> &required)
{
    if (auto error = close())
        return error;
    // The open system call would stop at an embedded NUL and open another name.
    if (path.empty() || path.find('\0') != std::string::npos)
        return HexError::badFileName();

    // O_NONBLOCK so that a FIFO or a device cannot hang the window before it is refused.
    const int access = mode == Mode::Read ? O_RDONLY : O_WRONLY;
    int fd;
    do {
        fd = ::open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return HexError::fromErrno(errno);

    m_fd = fd;
    if (m_trace)
        m_trace->fileOpened();

    struct stat info {};
    std::optional<HexError> error;
    if (::fstat(m_fd, &info) != 0)
        error = HexError::fromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        error = HexError::notRegularFile();
    // Checked on what was opened, not on the path, so that a file put in the required one's
    // place at any moment before is refused all the same.
    else if (required && FileIdentity{info.st_dev, info.st_ino} != *required)
        error = HexError::anotherFile();
    if (error) {
        // Nothing was written through it, so its close has nothing to report.
        (void)close();
        return error;
    }
    m_identity = FileIdentity{info.st_dev, info.st_ino};
    m_size = info.st_size;
    return std::nullopt;
}

std::optional<HexError> ByteFile::readByte(std::int64_t position, std::uint8_t &byte)
{
    if (position < 1)
        return HexError::badPosition();
    ssize_t n;
    do {
        n = ::pread(m_fd, &byte, 1, static_cast<off_t>(position - 1));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return HexError::fromErrno(errno);
    if (n == 0)
        return HexError::readPastEnd();
    return std::nullopt;
}

std::optional<HexError> ByteFile::writeByte(std::int64_t position, std::uint8_t byte)
{
    if (position < 1)
        return HexError::badPosition();
    ssize_t n;
    do {
        n = ::pwrite(m_fd, &byte, 1, static_cast<off_t>(position - 1));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return HexError::fromErrno(errno);
    if (n != 1)
        return HexError::ioError();
    return std::nullopt;
}

std::optional<HexError> ByteFile::close()
{
    if (m_fd < 0)
        return std::nullopt;
    const int result = ::close(m_fd);
    const int error = errno;
    m_fd = -1;
    m_identity.reset();
    if (m_trace)
        m_trace->fileClosed();
    // After close() fails the descriptor is gone all the same (Linux), so there is nothing to retry.
    if (result != 0 && error != EINTR)
        return HexError::fromErrno(error);
    return std::nullopt;
}
