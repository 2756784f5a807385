#pragma once

#include <stop_token>
#include <string>

namespace kadoru {

// The ways of moving a file's bytes, fastest first. A copy starts with the first
// and falls back to the next where the system or the volumes cannot do one.
enum class CopyMethod { copy_file_range, sendfile, read_write };

// Copies a regular file over the destination, in place under its final name (open,
// truncate, write, fdatasync, close): on a FAT card a temporary name and a rename
// would move the file's directory entry and with it the order the player sees.
// Throws Failure with the system's own error; a copy that fails once the destination
// has been truncated removes it. A file is never copied onto itself (75), whatever
// the spelling of the two paths, and a write-protected destination is kept (70).
// Once stop is requested the copy ends after the stretch it is writing, removes the
// destination and throws CopyStopped.
void copy_file_in_place(const std::string& from, const std::string& to,
                        CopyMethod first = CopyMethod::copy_file_range, std::stop_token stop = {});

} // namespace kadoru
