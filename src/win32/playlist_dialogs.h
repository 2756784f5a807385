#pragma once

#include "platform/windows/windows_api.h"

#include <optional>
#include <string>

namespace kadoru {

// The system's file dialogs for List2's playlists (IFileOpenDialog, IFileSaveDialog):
// the path chosen (UTF-8), or none when the user cancels. Opening offers .m3u and
// .m3u8; saving writes .m3u8, the extension added where the name has none. Each
// dialog starts in the folder of the last playlist chosen. The thread must have COM.
class PlaylistDialogs {
public:
    std::optional<std::string> choose_to_add(HWND owner);
    std::optional<std::string> choose_to_save(HWND owner);

private:
    std::optional<std::string> choose(HWND owner, bool save);

    std::wstring folder_;
};

} // namespace kadoru
