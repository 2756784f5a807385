#include "win32/program_folder.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kadoru {

std::string program_folder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return to_utf8(std::filesystem::path(path).parent_path().native());
}

SettingsPlaces windows_settings_places(const std::string& app_path) {
    SettingsPlaces places = settings_places(app_path);
    std::optional<std::string> value;
    places.user_folder = user_settings_folder([&value](const char* name) -> const char* {
        const wchar_t* wide = ::_wgetenv(to_wide(name).c_str());
        if (wide == nullptr)
            return nullptr;
        value = to_utf8(wide);
        return value->c_str();
    });
    return places;
}

} // namespace kadoru
