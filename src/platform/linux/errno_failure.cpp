#include "platform/linux/errno_failure.h"

#include "platform/failure.h"
#include "platform/linux/file_status.h"
#include "platform/paths.h"

#include <cerrno>

namespace kadoru {

int failure_code_from_errno(int error, PathRole role) {
    namespace fc = failure_code;
    switch (error) {
    case ENOENT:
        return role == PathRole::file ? fc::file_not_found : fc::path_not_found;
    case ENOTDIR:
        return fc::path_not_found;
    case EIO:
        return fc::device_io_error;
    case EEXIST:
        return fc::file_already_exists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return fc::disk_full;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
        return fc::permission_denied;
    case ENOMEDIUM:
    case ENODEV:
    case ENXIO:
    case ENOTCONN: // a FUSE volume whose driver has gone, as when a card is pulled
        return fc::disk_not_ready;
    case ENOTEMPTY: // a folder that still holds entries
    default:        // EISDIR, ENAMETOOLONG, EINVAL, ELOOP and whatever else the system invents
        return fc::path_file_access_error;
    }
}

void throw_errno(int error, PathRole role) {
    throw Failure(failure_code_from_errno(error, role));
}

void throw_file_errno(int error, const std::string& path) {
    if (error == ENOENT) {
        if (!is_folder(parent_folder(path)))
            throw_errno(error, PathRole::folder);
    }
    throw_errno(error, PathRole::file);
}

} // namespace kadoru
