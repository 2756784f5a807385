#include "win32/kadoru10.h"

#include "app/main_actions.h"
#include "platform/guard.h"
#include "platform/windows/wide_text.h"
#include "win32/dpi.h"
#include "win32/window_font.h"
#include "win32/window_procedure.h"

#include <stdexcept>
#include <utility>

namespace kadoru {

namespace {

constexpr const wchar_t* class_name = L"kadoru10";
constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int client_width = 488;
constexpr int client_height = 400;
constexpr int text_pixels = 11;

void register_class() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &window_procedure<Kadoru10, ::DefDlgProcW>;
    // The dialog manager keeps its state in the window's extra bytes.
    window_class.cbWndExtra = DLGWINDOWEXTRA;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.hIcon = ::LoadIconW(window_class.hInstance, MAKEINTRESOURCEW(1));
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    ::RegisterClassExW(&window_class);
}

} // namespace

Kadoru10::Kadoru10(MainActions& actions, MessageBox& errors) : actions_(actions), errors_(errors) {
    register_class();
    const int dpi = system_dpi();
    RECT frame{0, 0, scaled(client_width, dpi), scaled(client_height, dpi)};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_.reset(::CreateWindowExW(WS_EX_CONTROLPARENT, class_name, to_wide(app_title).c_str(),
                                    style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("the main window could not be created");
    font_ = message_font(text_pixels, window_dpi(window()));
    use_font(window(), font_.get());
}

Kadoru10::~Kadoru10() {
    // No message reaches this object while it is being taken apart.
    if (window_)
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

HWND Kadoru10::close_button() const {
    return ::GetDlgItem(window(), IDCANCEL);
}

void Kadoru10::end_program(bool save) {
    if (std::exchange(ending_, true))
        return;
    // Close ends the program even when saving failed; the user has been told.
    guarded(errors_, [this, save] { save ? actions_.close() : actions_.end(); });
    ::PostQuitMessage(0);
}

void Kadoru10::command(int id) {
    switch (id) {
    case IDCANCEL:
        // Escape comes here too; a control locked by the run takes no message,
        // whoever sends it.
        if (HWND close = close_button(); close == nullptr || ::IsWindowEnabled(close) != FALSE)
            end_program(true);
        break;
    default:
        break;
    }
}

LRESULT Kadoru10::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wparam));
        return 0;
    case WM_CLOSE:
        end_program(false);
        return 0;
    default:
        return ::DefDlgProcW(window, message, wparam, lparam);
    }
}

} // namespace kadoru
