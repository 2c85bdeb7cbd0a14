#include "text/SystemErrors.h"

#include <cerrno>
#include <cstring>

#include "text/Translate.h"

namespace tarvex {

std::string SystemErrorText(int error) {
    switch (error) {
        case ENOENT:
            return _("the file or folder does not exist");
        case EACCES:
        case EPERM:
            return _("permission denied");
        case EISDIR:
            return _("it is a folder");
        case ENOTDIR:
            return _("a part of the path is not a folder");
        case ENOSPC:
            return _("the disk is full");
        case EROFS:
            return _("the disk is read-only");
        case ENAMETOOLONG:
            return _("the name is too long");
        default:
            return std::strerror(error);
    }
}

}  // namespace tarvex
