#include "platform/system_services.h"

#include "platform/steady_clock.h"
#include "platform/tag_reader.h"
#include "platform/windows/device_removal.h"
#include "platform/windows/win32_desktop_notice.h"
#include "platform/windows/windows_drive_table.h"
#include "platform/windows/windows_file_system.h"

#include <filesystem>
#include <system_error>

namespace kadoru {

// The notice flashes the window's taskbar button and puts a balloon in the tray: it
// needs the window's handle, asked for when a run ends.
SystemServices system_services(ProgramWindow window) {
    std::error_code error;
    // As UTF-8: string() would give the ANSI code page's bytes.
    const auto working = std::filesystem::current_path(error).u8string();
    return {system_drive_table(),
            std::make_unique<WindowsFileSystem>(),
            std::make_unique<SteadyClock>(),
            system_tag_reader(),
            std::make_unique<WindowsCardEjector>(),
            std::make_unique<Win32DesktopNotice>([handle = std::move(window.handle)] {
                return handle ? reinterpret_cast<HWND>(handle()) : nullptr;
            }),
            error ? std::string{"c:\\"} : std::string(working.begin(), working.end())};
}

} // namespace kadoru
