#pragma once

#include "app/settings_file.h"

#include <string>

namespace kadoru {

// The folder that holds the running program, in UTF-8, without a trailing
// separator except for a drive's root (c:\).
std::string program_folder();

// Where the settings live: beside the program, and %APPDATA%\kadoru. The
// environment is read in UTF-16, so a user name outside the ANSI code page (a
// Japanese one on a Western system) still names the user's folder.
SettingsPlaces windows_settings_places(const std::string& app_path);

} // namespace kadoru
