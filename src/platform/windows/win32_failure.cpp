#include "platform/windows/win32_failure.h"

#include "platform/failure.h"
#include "platform/windows/windows_api.h"

namespace kadoru {

namespace {

// Not named by every SDK's headers.
constexpr DWORD error_disk_quota_exceeded = 1295;

} // namespace

int failure_code_from_win32(unsigned long error, PathRole role) {
    namespace fc = failure_code;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return role == PathRole::file ? fc::file_not_found : fc::path_not_found;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY: // a file named where a folder was wanted
        return fc::path_not_found;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return fc::device_io_error;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return fc::file_already_exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case error_disk_quota_exceeded:
    case ERROR_FILE_TOO_LARGE:
        return fc::disk_full;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_CURRENT_DIRECTORY:
        return fc::permission_denied;
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_UNRECOGNIZED_VOLUME:
    case ERROR_DEVICE_NOT_CONNECTED:
        return fc::disk_not_ready;
    default: // ERROR_DIR_NOT_EMPTY, ERROR_INVALID_NAME, ERROR_FILENAME_EXCED_RANGE, ...
        return fc::path_file_access_error;
    }
}

void throw_win32(unsigned long error, PathRole role) {
    throw Failure(failure_code_from_win32(error, role));
}

void throw_last_error(PathRole role) {
    throw_win32(::GetLastError(), role);
}

} // namespace kadoru
