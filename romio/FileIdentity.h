#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

// Which file a path names at this moment: its device and inode. A path that comes to name
// another file (replaced, moved over, deleted and made anew) gives another identity.
struct FileIdentity
{
    dev_t device;
    ino_t inode;

    // Nothing when the path names no file that can be looked at.
    static std::optional<FileIdentity> of(const std::string &path);

    bool operator==(const FileIdentity &) const = default;
};
