#pragma once

#include "FileIdentity.h"

#include <optional>
#include <string>

// A regular file kept open for reading for as long as this object lives. While a file is open
// the file system cannot hand its inode number to another file, so its identity stays its own:
// no file made later at its path, or anywhere on its device, can pass for it.
class HeldFile
{
public:
    // Nothing when the path names no regular file that can be opened for reading.
    static std::optional<HeldFile> open(const std::string &path);

    HeldFile(HeldFile &&other) noexcept;
    HeldFile &operator=(HeldFile &&other) noexcept;
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    ~HeldFile();

    const FileIdentity &identity() const { return m_identity; }

private:
    HeldFile(int fd, FileIdentity identity) : m_fd(fd), m_identity(identity) {}

    int m_fd;
    FileIdentity m_identity;
};
