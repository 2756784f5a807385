#pragma once

#include "app/settings_record.h"

#include <functional>
#include <string>

namespace kadoru {

class TextFiles;

// The settings file's path in a folder: the program's, or the user's own.
std::string settings_path(const std::string& app_path);

// The places the record may live: the program's folder, and the user's own
// configuration folder for when the program's folder cannot be written (an
// installed program). An empty user folder means there is no such place.
// A packaged program keeps the record in the user's folder only: a folder such as
// /usr/bin is no place for a user's settings, even where it could be written.
struct SettingsPlaces {
    std::string app_path;
    std::string user_folder;
    bool user_folder_only = false;
};

// The user's configuration folder for Kadoru, from an environment lookup:
// $XDG_CONFIG_HOME/kadoru, else $HOME/.config/kadoru (%APPDATA%\kadoru on Windows);
// empty when the environment names none.
std::string user_settings_folder(const std::function<const char*(const char*)>& getenv);

// The places for this program and user, from the process's environment; a
// packaged build (KADORU_PACKAGED) keeps to the user's folder.
SettingsPlaces settings_places(const std::string& app_path);

// Replaces the record atomically. Where the program's folder cannot be written the
// record goes to the user's folder; a record saved in the program's folder removes
// the user's copy, so that an older record never shadows it. Throws the Failure of
// the last place tried.
void save_settings(TextFiles& fs, const SettingsPlaces& places, const std::string& folder,
                   const std::string& drive);
void save_settings(TextFiles& fs, const std::string& app_path, const std::string& folder,
                   const std::string& drive);

// Reads the record from the user's folder when it can be read there, else from the
// program's: the user's copy is only a stand-in for a program folder that could not
// be written, so a failure there (no file, no folder yet) passes on, and the failure
// thrown is the program folder's. A packaged program reads the user's copy only.
LoadedSettings load_settings(const TextFiles& fs, const SettingsPlaces& places);
LoadedSettings load_settings(const TextFiles& fs, const std::string& app_path);

} // namespace kadoru
