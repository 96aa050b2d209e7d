#include "HexError.h"

#include <cerrno>

HexError HexError::fromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return fileNotFound();
    case ENOTDIR:
    case ELOOP:
        return pathNotFound();
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return permissionDenied();
    case EISDIR:
    case ENXIO:
    case ENODEV:
    case EOPNOTSUPP:
        return notRegularFile();
    case EMFILE:
    case ENFILE:
        return tooManyFiles();
    case ENOSPC:
    case EDQUOT:
        return diskFull();
    case ENAMETOOLONG:
    case EINVAL:
        return badFileName();
    default:
        return ioError();
    }
}
