#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kadoru {

class MountSource;

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

} // namespace kadoru
