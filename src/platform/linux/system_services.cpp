#include "platform/system_services.h"

#include "platform/linux/desktop_services.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "platform/steady_clock.h"
#include "platform/tag_reader.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace kadoru {

SystemServices system_services(ProgramWindow window) {
    std::error_code error;
    const auto working = std::filesystem::current_path(error);
    return {system_drive_table(),
            std::make_unique<PosixFileSystem>(),
            std::make_unique<SteadyClock>(),
            system_tag_reader(),
            desktop_ejector(),
            desktop_notice(std::move(window.active)),
            error ? std::string{"/"} : working.string()};
}

} // namespace kadoru
