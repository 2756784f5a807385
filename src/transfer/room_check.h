#pragma once

#include "platform/file_entry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kadoru {

struct CheckedSource;

// What a file of this size takes on a volume that allocates whole units of this
// size: an empty file none, any other at least one.
std::uint64_t allocated_size(std::uint64_t bytes, std::uint64_t unit);

// The root files that go before the list is written: those the delete step deletes,
// and those a row replaces, its name being theirs as the card compares names.
std::vector<FileEntry> files_leaving(const std::vector<FileEntry>& listing,
                                     const std::vector<FileEntry>& deleted,
                                     const std::vector<std::string>& row_names,
                                     bool names_ignore_case);

// Whether the card has room for every row's source, each taking whole units, once
// the leaving files have given theirs back.
bool list_fits(const std::vector<CheckedSource>& sources, const std::vector<FileEntry>& leaving,
               std::uint64_t free_space, std::uint64_t unit);

} // namespace kadoru
