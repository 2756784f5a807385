#pragma once

#include <string>

namespace kadoru {

// What a failing call was working on: a missing file and a missing folder are
// told apart (53 and 76) although the system reports both as ENOENT.
enum class PathRole { file, folder };

// The failure number of a system error (an errno value).
int failure_code_from_errno(int error, PathRole role);

// Throws the Failure of a system error.
[[noreturn]] void throw_errno(int error, PathRole role);

// Throws the Failure of a system error met on a file: a file whose folder is
// missing fails as a missing path (76), not as a missing file (53).
[[noreturn]] void throw_file_errno(int error, const std::string& path);

} // namespace kadoru
