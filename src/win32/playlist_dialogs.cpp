#include "win32/playlist_dialogs.h"

#include "platform/window_texts.h"
#include "platform/windows/wide_text.h"

#include <filesystem>
#include <shobjidl.h>

namespace kadoru {

namespace {

// A COM interface released when it goes.
template <class Interface> struct Released {
    Interface* get = nullptr;
    Released() = default;
    ~Released() {
        if (get != nullptr)
            get->Release();
    }
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    Released(Released&&) = delete;
    Released& operator=(Released&&) = delete;
};

// "*.m3u *.m3u8" as the dialog's pattern list: separated by semicolons.
std::wstring dialog_patterns(std::string_view patterns) {
    std::wstring wide = to_wide(patterns);
    for (wchar_t& c : wide)
        if (c == L' ')
            c = L';';
    return wide;
}

} // namespace

std::optional<std::string> PlaylistDialogs::choose_to_add(HWND owner) {
    return choose(owner, false);
}

std::optional<std::string> PlaylistDialogs::choose_to_save(HWND owner) {
    return choose(owner, true);
}

std::optional<std::string> PlaylistDialogs::choose(HWND owner, bool save) {
    namespace wt = window_text;
    Released<IFileDialog> dialog;
    const HRESULT made =
        save ? ::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileSaveDialog, reinterpret_cast<void**>(&dialog.get))
             : ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog.get));
    if (FAILED(made))
        return std::nullopt;
    const std::wstring name = to_wide(wt::playlist_filter_name);
    const std::wstring patterns =
        dialog_patterns(save ? wt::save_playlist_patterns : wt::open_playlist_patterns);
    const COMDLG_FILTERSPEC types[] = {{name.c_str(), patterns.c_str()}};
    dialog.get->SetFileTypes(1, types);
    dialog.get->SetTitle(to_wide(save ? wt::save_playlist_title : wt::add_playlist_title).c_str());
    if (save)
        dialog.get->SetDefaultExtension(to_wide(wt::save_playlist_extension).c_str());
    if (!folder_.empty()) {
        Released<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(folder_.c_str(), nullptr, IID_IShellItem,
                                                    reinterpret_cast<void**>(&folder.get))))
            dialog.get->SetFolder(folder.get);
    }
    if (FAILED(dialog.get->Show(owner)))
        return std::nullopt; // cancelled
    Released<IShellItem> chosen;
    if (FAILED(dialog.get->GetResult(&chosen.get)))
        return std::nullopt;
    PWSTR path = nullptr;
    if (FAILED(chosen.get->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return std::nullopt;
    const std::wstring result(path);
    ::CoTaskMemFree(path);
    folder_ = std::filesystem::path(result).parent_path().native();
    return to_utf8(result);
}

} // namespace kadoru
