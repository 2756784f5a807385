#pragma once

#include "platform/song_details.h"

#include <memory>

namespace kadoru {

// The reader of songs' details this build has: TagLib's where the build found it,
// else one that finds no details (the tooltips then say nothing, and sorting by
// track keeps the order). CMake picks the one; callers get it through SystemServices.
std::unique_ptr<SongDetailsReader> system_tag_reader();

} // namespace kadoru
