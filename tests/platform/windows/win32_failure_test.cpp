#include "platform/windows/win32_failure.h"
#include "platform/windows/windows_api.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

struct Win32Case {
    DWORD error;
    PathRole role;
    int code;
};

void PrintTo(const Win32Case& c, std::ostream* out) {
    *out << "Win32 error " << c.error << (c.role == PathRole::file ? " on a file" : " on a folder");
}

class Win32Mapping : public ::testing::TestWithParam<Win32Case> {};

TEST_P(Win32Mapping, GivesTheFailureNumber) {
    EXPECT_EQ(failure_code_from_win32(GetParam().error, GetParam().role), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Win32Mapping,
    ::testing::Values(Win32Case{ERROR_FILE_NOT_FOUND, PathRole::file, 53},
                      Win32Case{ERROR_FILE_NOT_FOUND, PathRole::folder, 76},
                      Win32Case{ERROR_PATH_NOT_FOUND, PathRole::file, 76},
                      Win32Case{ERROR_DIRECTORY, PathRole::folder, 76},
                      Win32Case{ERROR_CRC, PathRole::file, 57},
                      Win32Case{ERROR_WRITE_FAULT, PathRole::file, 57},
                      Win32Case{ERROR_FILE_EXISTS, PathRole::file, 58},
                      Win32Case{ERROR_ALREADY_EXISTS, PathRole::folder, 58},
                      Win32Case{ERROR_DISK_FULL, PathRole::file, 61},
                      Win32Case{ERROR_HANDLE_DISK_FULL, PathRole::file, 61},
                      Win32Case{1295 /* ERROR_DISK_QUOTA_EXCEEDED */, PathRole::file, 61},
                      Win32Case{ERROR_ACCESS_DENIED, PathRole::file, 70},
                      Win32Case{ERROR_WRITE_PROTECT, PathRole::folder, 70},
                      Win32Case{ERROR_SHARING_VIOLATION, PathRole::file, 70},
                      Win32Case{ERROR_NOT_READY, PathRole::folder, 71},
                      Win32Case{ERROR_NO_MEDIA_IN_DRIVE, PathRole::file, 71},
                      Win32Case{ERROR_DEVICE_NOT_CONNECTED, PathRole::file, 71},
                      Win32Case{ERROR_DIR_NOT_EMPTY, PathRole::folder, 75},
                      Win32Case{ERROR_INVALID_NAME, PathRole::file, 75},
                      Win32Case{ERROR_FILENAME_EXCED_RANGE, PathRole::file, 75}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace kadoru
