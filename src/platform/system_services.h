#pragma once

#include "platform/card_ejector.h"
#include "platform/clock.h"
#include "platform/desktop_notice.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/song_details.h"

#include <cstdint>
#include <functional>
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
    // Safe removal of a card and notices on the desktop; stand-ins where the system or
    // the build has no service for them.
    std::unique_ptr<CardEjector> ejector;
    std::unique_ptr<DesktopNotice> notice;
    // The process's working folder (UTF-8), where the lists start.
    std::string working_folder;
};

// The program's main window as the desktop's services see it. The window is made after
// the services, so both are asked only when a notice is posted.
struct ProgramWindow {
    // Whether it is the active window (then no notice is needed); where it is not
    // given, the system's notice finds out itself.
    std::function<bool()> active;
    // Its native handle (an HWND on Windows), 0 before it exists; the desktops that
    // need none leave it empty.
    std::function<std::uintptr_t()> handle;
};

// The drives start with the working folder as its drive's current folder.
SystemServices system_services(ProgramWindow window);

} // namespace kadoru
