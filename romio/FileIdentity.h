#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

// Which file a path names at this moment: its device and inode. Two files that exist at the
// same time never share one; a file that is gone may leave its inode number to a new file, so
// an identity kept for later has to belong to a file that is held open.
struct FileIdentity
{
    dev_t device;
    ino_t inode;

    // Nothing when the path names no file that can be looked at.
    static std::optional<FileIdentity> of(const std::string &path);

    bool operator==(const FileIdentity &) const = default;
};
