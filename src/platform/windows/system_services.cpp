#include "platform/system_services.h"

#include "platform/steady_clock.h"
#include "platform/tag_reader.h"
#include "platform/windows/device_removal.h"
#include "platform/windows/windows_drive_table.h"
#include "platform/windows/windows_file_system.h"

#include <filesystem>
#include <system_error>

namespace kadoru {

// The notice here is the stand-in: Windows' notice needs the window's handle and lives
// with the Win32 window.
SystemServices system_services(std::function<bool()> /*window_active*/) {
    std::error_code error;
    // As UTF-8: string() would give the ANSI code page's bytes.
    const auto working = std::filesystem::current_path(error).u8string();
    return {system_drive_table(), std::make_unique<WindowsFileSystem>(),
            std::make_unique<SteadyClock>(), system_tag_reader(),
            std::make_unique<WindowsCardEjector>(), make_no_desktop_notice(),
            error ? std::string{"c:\\"} : std::string(working.begin(), working.end())};
}

} // namespace kadoru
