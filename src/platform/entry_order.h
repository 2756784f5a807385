#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class Drives;
class CardFiles;

// Whether a file system gives each new directory entry the first run of free slots
// that fits it (FAT and exFAT, whatever their driver): there a deleted file leaves
// a hole that a later, shorter name fills, out of the order the files were copied,
// and a player plays the root folder in the order of its entries.
bool keeps_entry_order(std::string_view file_system_type);

// The names of every entry in a drive's root folder in the order the medium stores
// them, as a player reads them; nullopt where the drive's file system keeps no such
// order or it cannot be read as stored. Throws Failure when the drive or its root
// folder cannot be read at all.
std::optional<std::vector<std::string>> stored_root_order(const CardFiles& fs, const Drives& drives,
                                                          std::string_view drive);

} // namespace kadoru
