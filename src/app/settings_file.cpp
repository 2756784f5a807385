#include "app/settings_file.h"

#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/text_files.h"

#include <cstdlib>

namespace kadoru {

namespace {

constexpr std::string_view file_name = "kadoset.ini";

#ifdef KADORU_PACKAGED
constexpr bool packaged_build = true;
#else
constexpr bool packaged_build = false;
#endif

// The Windows pair of the platform layer keeps drive-letter paths ("C:\...").
bool is_absolute(const char* path) {
#ifdef _WIN32
    return path != nullptr && leading_drive_string(path).size() == 2;
#else
    return path != nullptr && path[0] == '/';
#endif
}

} // namespace

std::string settings_path(const std::string& app_path) {
    return join_path(app_path, file_name);
}

std::string user_settings_folder(const std::function<const char*(const char*)>& getenv) {
    // The Windows pair of the platform layer falls back on %APPDATA%.
#ifdef _WIN32
    const char* app_data = getenv("APPDATA");
    return is_absolute(app_data) ? join_path(app_data, "kadoru") : std::string{};
#else
    // A relative XDG_CONFIG_HOME is invalid and is to be ignored.
    if (const char* config = getenv("XDG_CONFIG_HOME"); is_absolute(config))
        return join_path(config, "kadoru");
    if (const char* home = getenv("HOME"); is_absolute(home))
        return join_path(join_path(home, ".config"), "kadoru");
    return {};
#endif
}

SettingsPlaces settings_places(const std::string& app_path) {
    return {app_path, user_settings_folder([](const char* name) { return std::getenv(name); }),
            packaged_build};
}

void save_settings(TextFiles& fs, const SettingsPlaces& places, const std::string& folder,
                   const std::string& drive) {
    const std::string record = settings_record(folder, drive);
    if (places.user_folder_only) {
        if (places.user_folder.empty())
            throw Failure(failure_code::path_not_found);
        fs.create_folder(places.user_folder);
        fs.write_text(settings_path(places.user_folder), record);
        return;
    }
    try {
        fs.write_text(settings_path(places.app_path), record);
    } catch (const Failure&) {
        if (places.user_folder.empty())
            throw;
        fs.create_folder(places.user_folder);
        fs.write_text(settings_path(places.user_folder), record);
        return;
    }
    if (places.user_folder.empty())
        return;
    try {
        fs.delete_file(settings_path(places.user_folder));
    } catch (const Failure&) { // usually there is no copy to remove
    }
}

void save_settings(TextFiles& fs, const std::string& app_path, const std::string& folder,
                   const std::string& drive) {
    save_settings(fs, settings_places(app_path), folder, drive);
}

LoadedSettings load_settings(const TextFiles& fs, const SettingsPlaces& places) {
    const auto read = [&fs](const std::string& folder) {
        return parse_settings_line(fs.read_first_line(settings_path(folder)));
    };
    if (places.user_folder.empty()) {
        if (places.user_folder_only)
            throw Failure(failure_code::path_not_found);
    } else {
        try {
            return read(places.user_folder);
        } catch (const Failure&) {
            if (places.user_folder_only)
                throw;
        }
    }
    return read(places.app_path);
}

LoadedSettings load_settings(const TextFiles& fs, const std::string& app_path) {
    return load_settings(fs, settings_places(app_path));
}

} // namespace kadoru
