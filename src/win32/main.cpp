#include "app/main_program.h"
#include "app/main_tips.h"
#include "platform/guard.h"
#include "platform/song_details_cache.h"
#include "platform/system_services.h"
#include "platform/windows/windows_api.h"
#include "win32/kadoru10.h"
#include "win32/program_folder.h"
#include "win32/row_tips.h"
#include "win32/win32_event_pump.h"
#include "win32/win32_message_box.h"
#include "win32/win32_progress.h"

#include <commctrl.h>
#include <cstdint>
#include <exception>
#include <objbase.h>

namespace {

int run(kadoru::Win32MessageBox& messages, int show) {
    // Before start-up the lists show the drive and folder the program was started in.
    // The window is made after the services: the notice asks for it when a run ends.
    HWND main_window = nullptr;
    const auto system = kadoru::system_services(
        {{}, [&main_window] { return reinterpret_cast<std::uintptr_t>(main_window); }});
    kadoru::Win32EventPump events;
    kadoru::Win32Progress progress(messages);
    kadoru::SongDetailsCache songs(*system.files, *system.tags);
    kadoru::MainProgram program({*system.drives, *system.files, messages, events, *system.clock,
                                 progress, songs, *system.ejector, *system.notice},
                                system.working_folder);
    // The window's objects outlive the loop below: Close during a run only posts the
    // quit from inside the run's own loop.
    kadoru::Kadoru10 window(program.model, program.controller, messages);
    kadoru::RowTips tips(window, program.model, songs);
    messages.set_owner(window.window());
    main_window = window.window();
    events.set_dialog(window.window());
    events.let_input_reach(window.control(kadoru::main_cancel_button));

    program.controller.start_up(kadoru::windows_settings_places(kadoru::program_folder()));
    window.show(show);
    return events.run();
}

int run_reporting(int show) {
    kadoru::Win32MessageBox messages;
    try {
        return run(messages, show);
    } catch (const std::exception& error) {
        // The window could not be made: the user is told why the program ends.
        messages.set_owner(nullptr);
        kadoru::report_escaped(messages, error);
        return 1;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The playlist dialogs are COM objects of this thread's apartment.
    const bool com =
        SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    const int code = run_reporting(show);
    if (com)
        ::CoUninitialize();
    return code;
}
