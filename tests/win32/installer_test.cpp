// The installer's round trip as a user makes it, silently: installed for this user
// alone with its Start-menu entry and uninstall record, the installed program started
// and closed, and the uninstaller leaving only the user's settings behind.
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

stdfs::path known_folder(const wchar_t* variable) {
    const wchar_t* value = ::_wgetenv(variable);
    return value == nullptr ? stdfs::path() : stdfs::path(value);
}

// Starts a command line and gives its process; the caller waits for it and closes it.
PROCESS_INFORMATION start(std::wstring line) {
    STARTUPINFOW info{};
    info.cb = sizeof info;
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &info, &process));
    return process;
}

DWORD wait_for_end(const PROCESS_INFORMATION& process) {
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

bool uninstall_record() {
    return ::RegGetValueW(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kadoru",
                          L"UninstallString", RRF_RT_REG_SZ, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

TEST(Installer, InstallsForTheUserStartsAndUninstallsKeepingTheSettings) {
    std::string setup = "z:" KADORU_SETUP;
    std::replace(setup.begin(), setup.end(), '/', '\\');
    const stdfs::path folder = known_folder(L"LOCALAPPDATA") / L"Programs" / L"Kadoru";
    const stdfs::path entry =
        known_folder(L"APPDATA") / L"Microsoft\\Windows\\Start Menu\\Programs\\Kadoru.lnk";
    ASSERT_FALSE(folder.empty());

    ASSERT_EQ(wait_for_end(start(L"\"" + to_wide(setup) + L"\" /S")), 0u);
    for (const wchar_t* name : {L"kadoru.exe", L"README.txt", L"uninstall.exe"})
        EXPECT_TRUE(stdfs::exists(folder / name)) << to_utf8(name);
    EXPECT_TRUE(stdfs::exists(entry));
    EXPECT_TRUE(uninstall_record());

    // The installed program shows its window and ends by its close box.
    const auto program = start(L"\"" + (folder / L"kadoru.exe").native() + L"\"");
    ::WaitForInputIdle(program.hProcess, 20000);
    HWND window = ::FindWindowW(L"kadoru10", L"Kadoru");
    ASSERT_NE(window, nullptr);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(wait_for_end(program), 0u);

    // The user's settings, as the program keeps them beside itself.
    std::ofstream(folder / L"kadoset.ini") << "c:\\music,e:";
    // In place (_?=): otherwise the uninstaller runs a copy of itself and ends at once,
    // and in place it cannot remove itself.
    const std::wstring uninstaller = (folder / L"uninstall.exe").native();
    ASSERT_EQ(wait_for_end(start(L"\"" + uninstaller + L"\" /S _?=" + folder.native())), 0u);
    for (const wchar_t* name : {L"kadoru.exe", L"README.txt"})
        EXPECT_FALSE(stdfs::exists(folder / name)) << to_utf8(name);
    EXPECT_FALSE(stdfs::exists(entry));
    EXPECT_FALSE(uninstall_record());
    EXPECT_TRUE(stdfs::exists(folder / L"kadoset.ini"));
    stdfs::remove_all(folder);
}

} // namespace
} // namespace kadoru
