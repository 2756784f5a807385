#pragma once

#include <string_view>

namespace kadoru {

// How a FAT folder holds a name: 32-byte directory slots, one long-name slot per
// 13 UTF-16 units of the name, then the short entry.

// The length of a UTF-8 name in UTF-16 units, as FAT and exFAT store names.
int utf16_units(std::string_view name);

// The slots a new entry of this UTF-8 name may take, counted high: a long-name slot
// even for an 8.3 name, since some drivers (the FUSE one) write one for every name.
int slots_for_name(std::string_view name);

// The slots an existing entry of this name surely holds, counted low: an upper-case
// 8.3 name may be the short entry alone.
int slots_held_at_least(std::string_view name);

// How many directory slots a folder has, as far as creating entries in it goes.
struct FolderRoom {
    enum class Kind {
        grows,   // takes more clusters as it fills (FAT32 and exFAT folders, subfolders)
        fixed,   // a set number of slots (the FAT12 and FAT16 root folder): free_slots
        unknown, // may be of a set number, but how many are free cannot be told
    };
    Kind kind = Kind::grows;
    // Free now, counted low where only estimated; only for a fixed folder.
    int free_slots = 0;

    friend bool operator==(const FolderRoom&, const FolderRoom&) = default;
};

} // namespace kadoru
