#pragma once

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/song_details.h"

#include <memory>
#include <string>

namespace kadoru {

// The real services of the machine the program runs on. Each pair of the platform
// layer (linux/, windows/) builds its own and CMake links the one for the system, so
// the program's entry point names no system of its own.
struct SystemServices {
    std::unique_ptr<Drives> drives;
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<Clock> clock;
    // Songs' details for the tooltips and the track order (system_tag_reader).
    std::unique_ptr<SongDetailsReader> tags;
    // The process's working folder (UTF-8), where the lists start.
    std::string working_folder;
};

// The drives start with the working folder as its drive's current folder.
SystemServices system_services();

} // namespace kadoru
