// kadoru.exe from outside, as a user's tools see it: started in a folder of its own
// with a settings file naming a music folder and the card e:, its window found by
// its title, its lists found by the captions before them, two songs chosen and added,
// Start, Yes to the delete question, the finished message read and answered, Close.
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"
#include "support/scratch_folder.h"
#include "system_pair.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

std::wstring text(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The control of a main window that comes after the one showing `caption`.
HWND after(HWND window, const std::wstring& caption) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (text(child) == caption)
            return ::GetWindow(child, GW_HWNDNEXT);
    return nullptr;
}
HWND named(HWND window, const std::wstring& caption) {
    return ::FindWindowExW(window, nullptr, L"Button", caption.c_str());
}

// A shown message box of a thread other than `answered`; nullptr for none.
HWND shown_box(DWORD thread, HWND answered) {
    std::pair<HWND, HWND> search{answered, nullptr};
    ::EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) -> BOOL {
            auto& [answered_box, box] = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
            wchar_t kind[16]{};
            ::GetClassNameW(window, kind, 16);
            if (std::wstring(kind) == L"#32770" && ::IsWindowVisible(window) != FALSE &&
                window != answered_box)
                box = window;
            return box == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void CALLBACK woken(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND /*window*/, LONG /*object*/,
                    LONG /*child*/, DWORD /*thread*/, DWORD /*time*/) {
}

struct Program {
    explicit Program(const std::string& exe) {
        STARTUPINFOW start{};
        start.cb = sizeof start;
        std::wstring line = L"\"" + to_wide(exe) + L"\"";
        EXPECT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &start, &process));
    }
    ~Program() {
        ::TerminateProcess(process.hProcess, 1);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;

    // The window `find` gives once the program has made it: each window the program
    // makes wakes this thread to look again (CTest's timeout bounds the wait);
    // nullptr when the program ends first.
    template <class Find> HWND made(Find find) const {
        const HWINEVENTHOOK hook =
            ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &woken,
                              process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
        HWND found = nullptr;
        while ((found = find()) == nullptr &&
               ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
                   WAIT_OBJECT_0 + 1) {
            MSG message{};
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE)
                ::DispatchMessageW(&message);
        }
        ::UnhookWinEvent(hook);
        return found;
    }
    // Whether `done` comes true while the program's thread takes messages: each round
    // trip returns once it has taken one more turn of its loop (a box's loop too).
    template <class Done> bool after_turns(HWND main, Done done) const {
        for (int turn = 0; turn < 1000 && !done(); ++turn)
            ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
        return done();
    }
    HWND box(HWND main, HWND answered = nullptr) const {
        HWND found = nullptr;
        after_turns(main,
                    [&] { return (found = shown_box(process.dwThreadId, answered)) != nullptr; });
        return found;
    }
    DWORD exit_code() const {
        DWORD code = STILL_ACTIVE;
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION process{};
};

TEST(KadoruExe, ChoosesSongsCopiesThemOntoTheCardAndClosesSavingItsSettings) {
    const std::string card = test::test_letter("KADORU_TEST_CARD");
    if (card.empty())
        GTEST_SKIP() << "no test letters: run ./scripts/test windows";
    test::empty_root_folder(card + "\\");
    const test::ScratchFolder dir;
    const std::string music = dir / "music";
    stdfs::create_directories(std_path(music));
    for (const char* name : {"1 春.mp3", "2 夏.mp3", "3 秋.wma"})
        std::ofstream(std_path(music + "\\" + name), std::ios::binary) << name;
    const std::string exe = dir / "kadoru.exe";
    // The build's path on this machine, seen through Wine's drive of the whole tree.
    std::string built = "z:" KADORU_EXE;
    std::replace(built.begin(), built.end(), '/', '\\');
    stdfs::copy_file(std_path(built), std_path(exe));
    std::ofstream(std_path(dir / "kadoset.ini"), std::ios::binary) << music + "," + card;

    const Program program(exe);
    HWND main = program.made([] { return ::FindWindowW(L"kadoru10", L"Kadoru"); });
    // Shown once its start-up has filled the lists.
    ASSERT_TRUE(program.after_turns(main, [main] { return ::IsWindowVisible(main) != FALSE; }));
    ASSERT_NE(main, nullptr);
    HWND file1 = after(main, L"ファイルリスト");
    ASSERT_EQ(::SendMessageW(file1, LB_GETCOUNT, 0, 0), 2);
    ::SendMessageW(file1, LB_SETSEL, TRUE, -1);
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(file1), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(file1));
    ::SendMessageW(named(main, L"追加"), BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageW(after(main, L"転送リスト"), LB_GETCOUNT, 0, 0), 2);

    ::PostMessageW(named(main, L"Start"), BM_CLICK, 0, 0);
    HWND question = program.box(main);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(text(question), L"削除の確認");
    ::PostMessageW(question, WM_COMMAND, IDYES, 0);
    HWND finished = program.box(main, question);
    ASSERT_NE(finished, nullptr);
    EXPECT_EQ(text(::GetDlgItem(finished, 0xFFFF)), L"処理が終了しました");
    ::PostMessageW(finished, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(stdfs::exists(std_path(card + "\\1 春.mp3")));
    EXPECT_TRUE(stdfs::exists(std_path(card + "\\2 夏.mp3")));

    ::PostMessageW(named(main, L"Close"), BM_CLICK, 0, 0);
    EXPECT_EQ(program.exit_code(), 0U);
    std::ifstream saved(std_path(dir / "kadoset.ini"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), music + "," + card);
}

} // namespace
} // namespace kadoru
