#pragma once

#include "FileIdentity.h"
#include "HexError.h"

#include <cstdint>
#include <optional>
#include <string>

class HexTrace;

// One open of a regular file for access by byte position, closed at the latest when it goes
// out of scope. Failures come back as HexError values; nothing here shows anything.
class ByteFile
{
public:
    enum class Mode { Read, Write };

    explicit ByteFile(HexTrace *trace) : m_trace(trace) {}
    ~ByteFile();
    ByteFile(const ByteFile &) = delete;
    ByteFile &operator=(const ByteFile &) = delete;
    // Takes over the other's open file, if any, and leaves the other closed.
    ByteFile(ByteFile &&other) noexcept;
    ByteFile &operator=(ByteFile &&) = delete;

    // Never creates or truncates a file; refuses anything that is not a regular file without
    // blocking on it, and, when a file is required, any other file. A file this object still
    // holds open is closed first; an open that fails leaves nothing open.
    std::optional<HexError> open(const std::string &path, Mode mode,
                                 const std::optional<FileIdentity> &required = std::nullopt);

    // Positions are 1-based, as the byte routines count them. A byte written beyond size()
    // would extend the file: the caller checks first.
    std::optional<HexError> readByte(std::int64_t position, std::uint8_t &byte);
    std::optional<HexError> writeByte(std::int64_t position, std::uint8_t byte);

    std::optional<HexError> close();

    // The open file's device and inode, nothing while none is open.
    std::optional<FileIdentity> identity() const { return m_identity; }
    // The file's length in bytes when it was opened.
    std::int64_t size() const { return m_size; }

private:
    HexTrace *m_trace;
    int m_fd = -1;
    std::optional<FileIdentity> m_identity;
    std::int64_t m_size = 0;
};
