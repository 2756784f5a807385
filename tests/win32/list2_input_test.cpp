// List2's own input in the real Win32 window under Wine: a playlist saved and added
// through its context menu's file dialogs, each answered from a timer inside the
// dialog's own loop as a user types a name and presses Enter; a folder dropped from
// Explorer and rows dragged within the list, both built by hand as the system
// delivers them; the songs' tooltips of the row under the pointer.
#include "app/main_program.h"
#include "fakes/fake_song_details.h"
#include "fakes/fake_ui.h"
#include "list_box_rows.h"
#include "platform/windows/wide_text.h"
#include "support/scratch_folder.h"
#include "system_pair.h"
#include "win32/kadoru10.h"
#include "win32/row_tips.h"
#include "win32/win32_event_pump.h"
#include "win32/win32_progress.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <sstream>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

// The name the timer types into the dialog, kept on the main window as a property.
constexpr wchar_t typed_name[] = L"kadoru.test.typed";

BOOL CALLBACK type_into(HWND child, LPARAM name) {
    wchar_t kind[16]{};
    ::GetClassNameW(child, kind, 16);
    if (std::wstring(kind) == L"Edit" && ::IsWindowVisible(child))
        ::SendMessageW(child, WM_SETTEXT, 0, name);
    return TRUE;
}

// Types the name into the file dialog that is up and presses Enter.
void CALLBACK answer_dialog(HWND main, UINT /*unused*/, UINT_PTR timer, DWORD /*unused*/) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t kind[16]{};
            ::GetClassNameW(window, kind, 16);
            if (std::wstring(kind) != L"#32770" || ::IsWindowVisible(window) == FALSE)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    ::KillTimer(main, timer);
    ::EnumChildWindows(dialog, type_into, reinterpret_cast<LPARAM>(::GetPropW(main, typed_name)));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class List2InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        stdfs::create_directories(std_path(music));
        for (const char* name : {"b 昼.mp3", "a 朝.mp3", "c 夜.mp3"})
            std::ofstream(std_path(music + "\\" + name), std::ios::binary) << name;
        program = std::make_unique<MainProgram>(
            ProgramPorts{drives, fs, messages, events, clock, progress}, music);
        window = std::make_unique<Kadoru10>(program->model, program->controller, messages);
        program->controller.start_up({dir.path(), ""});
    }
    void TearDown() override {
        window.reset();
        ::CoUninitialize();
    }

    std::vector<std::string> list2_texts() const { return test::rows_of(window->control("List2")); }
    static void run_posted_messages() {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE)
            ::DispatchMessageW(&message);
    }
    int list2_rows() const { return static_cast<int>(list2_texts().size()); }
    void pick_with_dialog(MenuCommand command, const std::string& name) {
        const std::wstring typed = to_wide(name);
        ::SetPropW(window->window(), typed_name, const_cast<wchar_t*>(typed.c_str()));
        ::SetTimer(window->window(), 1, 10, answer_dialog);
        window->menu_command(command);
        ::RemovePropW(window->window(), typed_name);
    }

    const test::ScratchFolder dir;
    const std::string music = dir / "music";
    WindowsDriveTable drives{dir.path()};
    WindowsFileSystem fs;
    test::ScriptedMessageBox messages;
    Win32EventPump events;
    test::FakeClock clock;
    Win32Progress progress{messages};
    std::unique_ptr<MainProgram> program;
    std::unique_ptr<Kadoru10> window;
};

TEST_F(List2InputTest, SavesThePlaylistAndAddsItBackThroughTheFileDialogs) {
    ::SendMessageW(window->control("Command6"), BM_CLICK, 0, 0); // 全て追加
    ASSERT_EQ(list2_rows(), 3);
    window->menu_command(MenuCommand::sort_by_name);

    // Saved without an extension: the dialog gives it .m3u8.
    pick_with_dialog(MenuCommand::save_playlist, dir / "リスト");
    std::ifstream saved(std_path(dir / "リスト.m3u8"), std::ios::binary);
    std::stringstream text;
    text << saved.rdbuf();
    EXPECT_LT(text.str().find("a 朝.mp3"), text.str().find("b 昼.mp3"));

    ::SendMessageW(window->control("Command3"), BM_CLICK, 0, 0); // 全消去
    ASSERT_EQ(list2_rows(), 0);
    pick_with_dialog(MenuCommand::add_playlist, dir / "リスト.m3u8");
    EXPECT_EQ(list2_rows(), 3);
    EXPECT_TRUE(messages.shown.empty());
}

// The drop as Explorer hands it over: the paths, wide, after a DROPFILES header.
HDROP drop_of(const std::wstring& path) {
    const std::size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(path.begin(), path.end(), reinterpret_cast<wchar_t*>(header + 1));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(List2InputTest, TakesAFolderDroppedFromExplorerAndRowsDraggedWithinIt) {
    HWND list2 = window->control("List2");
    ::SendMessageW(list2, WM_DROPFILES, reinterpret_cast<WPARAM>(drop_of(to_wide(music))), 0);
    EXPECT_EQ(list2_rows(), 0); // not while the drop is under way
    run_posted_messages();
    ASSERT_EQ(list2_rows(), 3);
    const std::string first = list2_texts().front();

    // The first row dragged onto the lower half of the last: it goes to the end.
    ::SendMessageW(list2, LB_SETSEL, TRUE, 0);
    ::SendMessageW(window->window(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list2), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list2));
    RECT last{};
    ::SendMessageW(list2, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    POINT at{last.left + 2, last.bottom - 2};
    ::ClientToScreen(list2, &at);
    const UINT drag = ::RegisterWindowMessageW(DRAGLISTMSGSTRING);
    for (const UINT step : {DL_BEGINDRAG, DL_DRAGGING, DL_DROPPED}) {
        DRAGLISTINFO info{step, list2, at};
        ::SendMessageW(window->window(), drag, 0, reinterpret_cast<LPARAM>(&info));
    }
    EXPECT_EQ(list2_texts().back(), first);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(List2InputTest, TellsTheSongUnderThePointerInItsTooltip) {
    test::FakeSongDetails songs;
    songs.songs[music + "\\a 朝.mp3"] = {"朝の歌", "Ａさん", "", 0, 0, std::chrono::seconds(125)};
    RowTips tips(*window, program->model, songs);
    ::SendMessageW(window->control("Command6"), BM_CLICK, 0, 0); // 全て追加
    const auto rows = list2_texts();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [](const std::string& text) {
                                      return text.find("a 朝") != std::string::npos;
                                  }) -
                     rows.begin();
    ASSERT_LT(row, 3);

    HWND list2 = window->control("List2");
    RECT place{};
    ::SendMessageW(list2, LB_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&place));
    ::SendMessageW(list2, WM_MOUSEMOVE, 0, MAKELPARAM(place.left + 2, place.top + 2));
    EXPECT_EQ(to_utf8(tips.text_for(list2)), "タイトル：朝の歌\nアーティスト：Ａさん\n長さ：2:05");
    EXPECT_NE(to_utf8(tips.text_for(window->control("Label7"))).find("2:05"), std::string::npos);
}

} // namespace
} // namespace kadoru
