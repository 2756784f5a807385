#pragma once

#include "platform/linux/mount_table.h"

#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// The names in a folder in the order the medium stores their entries, read from the
// volume's device, for the volumes whose driver lists a folder in another order:
// the FUSE exFAT driver lists the entries made since it mounted the volume first,
// newest first. nullopt where the folder's own directory read gives the stored
// order, or the device cannot be read (only the root folder is ever read this way).
// The mount table tells which volume holds the folder.
std::optional<std::vector<std::string>> stored_entry_order(const std::string& folder,
                                                           const MountSource& mounts);

// Whether the folder lies on a volume whose driver lists a folder in an order of its
// own rather than the stored one (a FUSE driver of a block device), so that only
// stored_entry_order can tell the stored order.
bool lists_in_own_order(const std::string& folder, const MountSource& mounts);

// The mount that holds the folder, by the folder's mount id; nullopt where unknown.
std::optional<Mount> mount_of(const std::string& folder, const MountSource& mounts);

// Whether the folder lies on a volume served by a FUSE driver.
bool is_fuse_volume(const std::string& folder);

} // namespace kadoru
