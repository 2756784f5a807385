#pragma once

#include "platform/directory_slots.h"

#include <string>
#include <vector>

namespace kadoru {

class MountSource;

// How many directory slots the folder has free, where it is the root folder of a
// FAT12 or FAT16 volume: the kernel driver tells the root's size and the number of
// clusters (which decides the FAT type), and the entries it lists are counted at
// their most. A FUSE FAT driver tells neither: such a root is unknown. `names` are
// the folder's entries.
FolderRoom folder_room_of(const std::string& folder, const std::vector<std::string>& names,
                          const MountSource& mounts);

} // namespace kadoru
