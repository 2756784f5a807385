#pragma once

namespace kadoru {

// What a failing call was working on: a missing file and a missing folder are
// told apart (53 and 76) where the system reports a missing file for both.
enum class PathRole { file, folder };

// The failure number of a Win32 error code (GetLastError's value).
int failure_code_from_win32(unsigned long error, PathRole role);

// Throws the Failure of a Win32 error code.
[[noreturn]] void throw_win32(unsigned long error, PathRole role);

// Throws the Failure of the calling thread's last Win32 error.
[[noreturn]] void throw_last_error(PathRole role);

} // namespace kadoru
