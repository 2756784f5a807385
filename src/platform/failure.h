#pragma once

#include <stdexcept>
#include <string>

namespace kadoru {

// Failure numbers in the classic BASIC run-time numbering. The logic tests only
// disk_not_ready (and device_unavailable in the folder list); the others are shown.
namespace failure_code {
// A fault of the program itself rather than of the file system.
inline constexpr int internal_error = 51;
inline constexpr int file_not_found = 53;
inline constexpr int device_io_error = 57;
inline constexpr int file_already_exists = 58;
inline constexpr int disk_full = 61;
inline constexpr int input_past_end = 62;
inline constexpr int device_unavailable = 68;
inline constexpr int permission_denied = 70;
inline constexpr int disk_not_ready = 71;
inline constexpr int path_file_access_error = 75;
inline constexpr int path_not_found = 76;
} // namespace failure_code

// The Japanese description of a failure number, as the folder handler shows it.
std::string failure_description(int code);

// A failing platform operation: the one way a failure travels to the place that
// tells the user. Handlers catch it and look at code().
class Failure : public std::runtime_error {
public:
    explicit Failure(int code);
    Failure(int code, const std::string& description);
    int code() const noexcept { return code_; }
    // The drive the failure concerns, where the code that let it pass knew it; empty
    // otherwise. A drive that is not ready is told by its name.
    const std::string& drive() const noexcept { return drive_; }
    // The same failure, said of a drive.
    Failure on_drive(std::string drive) const;

private:
    int code_;
    std::string drive_;
};

} // namespace kadoru
