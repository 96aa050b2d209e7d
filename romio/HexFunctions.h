#pragma once

#include "ByteFile.h"
#include "FileIdentity.h"

#include <cstdint>
#include <optional>
#include <string>

class ErrorReporter;
class HexTrace;

// The only access to the image file: bytes travel as hex text, two upper-case digits per byte
// in file order. Each ReadHex or WriteHex call opens the file once and closes it once; all that
// is kept between calls is the held file, which ties them to one file. The trace sees the calls
// and their opens and closes, not the held file's. Arguments are taken by reference and changed
// as the callers expect: the offset ends one higher, a text handed to WriteHex or SwapBytes ends
// empty.
class HexFunctions
{
public:
    explicit HexFunctions(ErrorReporter &reporter) : m_reporter(reporter) {}

    // Returns count bytes from the 0-based offset as hex text, or empty text after an error.
    std::string ReadHex(const std::string &path, std::int32_t &offset, const std::int32_t &count);

    // Writes the digit pairs of text as bytes from the 0-based offset upwards. False after an
    // error, whose box has been shown; a text that would reach past the end writes nothing at all.
    bool WriteHex(const std::string &path, std::int32_t &offset, std::string &text);

    // Reverses the order of the digit pairs (after a "0" in front of an odd-length text).
    static std::string SwapBytes(std::string &text);

    // A little-endian field of 1 to 4 bytes as a number: ReadHex, SwapBytes, then the numeral read
    // as hexadecimal. Nothing after a failed read, whose box has been shown.
    std::optional<std::uint32_t> ReadField(const std::string &path, std::int32_t offset, std::int32_t width);

    // A list index written as a little-endian field of 1 or 2 bytes: the rightmost digits of
    // "0000" and its 16-bit upper-case numeral, SwapBytes, then WriteHex. False after an error.
    bool WriteField(const std::string &path, std::int32_t offset, std::int16_t index, std::int32_t width);

    // Opens the file for reading and holds it open until the next holdFile or releaseFile. While
    // a file is held, a call that opens any other file fails with its box before it reads or
    // writes a byte. An open file keeps its inode number, so no file made later, at its path or
    // anywhere on its device, can pass for it. The file held before stays open until this one is
    // open, so the identity taken of this one can be compared with the earlier one's. False after
    // an error, whose box has been shown; nothing is held then, the earlier file included.
    bool holdFile(const std::string &path);
    void releaseFile() { (void)m_held.close(); }
    // The held file's device and inode, nothing while none is held.
    std::optional<FileIdentity> heldFile() const { return m_held.identity(); }

    void setTrace(HexTrace *trace) { m_trace = trace; }

private:
    void showError(const HexError &error);

    ErrorReporter &m_reporter;
    HexTrace *m_trace = nullptr;
    // Only read from, so its close has nothing to report.
    ByteFile m_held{nullptr};
};
