#pragma once

#include <cstdint>
#include <string>

// Observer of the byte routines, so that the order of reads and writes and the pairing of each
// of their opens with a close can be checked from outside. The file that the routines hold
// between calls is opened and closed unseen. All callbacks default to nothing.
class HexTrace
{
public:
    virtual ~HexTrace() = default;

    // The offset and text as the caller handed them in, before the routine changes them.
    virtual void readCalled(const std::string &path, std::int32_t offset, std::int32_t count)
    {
        (void)path, (void)offset, (void)count;
    }
    virtual void writeCalled(const std::string &path, std::int32_t offset, const std::string &text)
    {
        (void)path, (void)offset, (void)text;
    }
    virtual void fileOpened() {}
    virtual void fileClosed() {}
};
