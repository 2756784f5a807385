#include "win32/card_order_window.h"

#include "platform/guard.h"
#include "platform/window_texts.h"
#include "platform/windows/wide_text.h"
#include "win32/arranged_list_box.h"
#include "win32/combo_view.h"
#include "win32/dpi.h"
#include "win32/watch.h"
#include "win32/window_font.h"
#include "win32/window_procedure.h"

#include <array>
#include <stdexcept>

namespace kadoru {

namespace {

namespace wt = window_text;
using Part = CardOrderWindow::Part;

constexpr const wchar_t* class_name = L"kadoru_card_order";
constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int client_width = 360;
constexpr int client_height = 420;
constexpr int first_id = 100;
constexpr UINT list_style = WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;

struct PartLayout {
    Part part;
    const wchar_t* kind;
    std::string_view text;
    DWORD style;
    int x, y, width, height;
    const wchar_t* picture = nullptr;
};

// In creation order, which is the tab order; each list follows the caption naming it.
const auto layout = std::to_array<PartLayout>({
    {Part::caption, L"STATIC", wt::card_order_title, SS_NOPREFIX, 8, 8, 344, 28},
    {Part::order, WC_LISTBOXW, {}, list_style | LBS_USETABSTOPS, 8, 40, 344, 248},
    {Part::songs, WC_LISTBOXW, {}, list_style | LBS_EXTENDEDSEL, 8, 40, 344, 248},
    {Part::up, WC_BUTTONW, wt::move_up, WS_TABSTOP | BS_BITMAP, 8, 294, 28, 24, L"arrow_up"},
    {Part::down, WC_BUTTONW, wt::move_down, WS_TABSTOP | BS_BITMAP, 40, 294, 28, 24, L"arrow_down"},
    {Part::by_name, WC_BUTTONW, wt::sort_by_name, WS_TABSTOP, 74, 294, 134, 24},
    {Part::by_track, WC_BUTTONW, wt::sort_by_track, WS_TABSTOP, 212, 294, 140, 24},
    {Part::note, L"STATIC", {}, SS_NOPREFIX, 8, 324, 344, 28},
    {Part::bar, PROGRESS_CLASSW, wt::card_arrange_busy, 0, 8, 356, 344, 16},
    {Part::arrange, WC_BUTTONW, wt::card_arrange_command, WS_TABSTOP, 8, 384, 130, 26},
    {Part::confirm, WC_BUTTONW, wt::card_arrange_confirm, WS_TABSTOP, 8, 384, 130, 26},
    {Part::cancel, WC_BUTTONW, wt::card_arrange_cancel, WS_TABSTOP, 142, 384, 80, 26},
    {Part::close, WC_BUTTONW, wt::close, WS_TABSTOP, 272, 384, 80, 26},
});

void show_part(HWND control, bool shown) {
    ::ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
}

void enable(HWND control, bool enabled) {
    ::EnableWindow(control, enabled ? TRUE : FALSE);
}

} // namespace

CardOrderWindow::CardOrderWindow(HWND owner, CardOrderActions& actions, MessageBox& errors)
    : errors_(errors), model_(actions, errors) {
    register_window_class(class_name, &window_procedure<CardOrderWindow, ::DefDlgProcW>,
                          DLGWINDOWEXTRA);
    const int dpi = system_dpi();
    RECT frame{0, 0, scaled(client_width, dpi), scaled(client_height, dpi)};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_.reset(::CreateWindowExW(
        WS_EX_CONTROLPARENT, class_name, to_wide(wt::card_order_title).c_str(), style,
        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner,
        nullptr, ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("the order window could not be created");
    create_controls();
    songs_ = std::make_unique<ListBoxView>(part(Part::songs));
    ::MakeDragList(part(Part::songs));
    watch(model_.changed, alive_, [this] { show_enabled(); });
    watch(model_.songs().changed, alive_, [this] { draw_songs(); });
}

CardOrderWindow::~CardOrderWindow() {
    *alive_ = false;
}

void CardOrderWindow::create_controls() {
    const int dpi = window_dpi(window());
    font_ = message_font(11, dpi);
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const PartLayout& place = layout.at(i);
        const bool listed = place.part == Part::order || place.part == Part::songs;
        HWND control = ::CreateWindowExW(
            listed ? WS_EX_CLIENTEDGE : 0, place.kind, to_wide(place.text).c_str(),
            WS_CHILD | WS_VISIBLE | place.style, scaled(place.x, dpi), scaled(place.y, dpi),
            scaled(place.width, dpi), scaled(place.height, dpi), window(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(
                place.part == Part::close ? IDCANCEL : first_id + static_cast<int>(i))),
            ::GetModuleHandleW(nullptr), nullptr);
        if (control == nullptr)
            throw std::runtime_error("a control of the order window could not be created");
        if (place.picture != nullptr)
            ::SendMessageW(
                control, BM_SETIMAGE, IMAGE_BITMAP,
                reinterpret_cast<LPARAM>(::LoadImageW(::GetModuleHandleW(nullptr), place.picture,
                                                      IMAGE_BITMAP, 0, 0, LR_SHARED)));
        parts_.push_back(control);
    }
    use_font(window(), font_.get());
}

void CardOrderWindow::show_order(CardOrder order) {
    model_.show(std::move(order));
    draw_order();
    ::ShowWindow(window(), SW_SHOW);
    ::SetForegroundWindow(window());
    ::SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(part(Part::order)), TRUE);
}

void CardOrderWindow::draw_order() {
    const CardOrder& order = model_.order();
    show_text(window(), card_order_window_title(order));
    HWND list = part(Part::order);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const CardOrderRow& row : order.rows) {
        const std::wstring text = to_wide(row.name + "\t" + row.size_text);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    show_text(part(Part::note), card_order_note(order));
    show_enabled();
}

void CardOrderWindow::draw_songs() {
    draw_arranged_list(*songs_, model_.songs());
}

void CardOrderWindow::show_enabled() {
    const bool arranging = model_.arranging();
    const bool busy = model_.busy();
    const auto offer = model_.arrange_offer();
    show_text(part(Part::caption), arranging ? wt::card_arrange_caption : wt::card_order_title);
    show_part(part(Part::order), !arranging);
    for (const Part song_part : {Part::songs, Part::up, Part::down, Part::by_name, Part::by_track,
                                 Part::confirm, Part::cancel}) {
        show_part(part(song_part), arranging);
        enable(part(song_part), !busy);
    }
    show_part(part(Part::arrange), offer.shown);
    enable(part(Part::arrange), offer.enabled);
    enable(part(Part::confirm), offer.enabled);
    show_part(part(Part::bar), busy);
}

void CardOrderWindow::press(Part button) {
    switch (button) {
    case Part::up:
        guarded(errors_, [this] { model_.move_up(); });
        return;
    case Part::down:
        guarded(errors_, [this] { model_.move_down(); });
        return;
    case Part::by_name:
        guarded(errors_, [this] { model_.sort_by_name(); });
        return;
    case Part::by_track:
        guarded(errors_, [this] { model_.sort_by_track(); });
        return;
    case Part::arrange:
        guarded(errors_, [this] { model_.begin_arranging(); });
        draw_songs();
        return;
    case Part::confirm: {
        HWND bar = part(Part::bar);
        ::SendMessageW(bar, PBM_SETPOS, 0, 0);
        guarded(errors_, [this, bar] {
            model_.confirm([bar](int done, int total) {
                ::SendMessageW(bar, PBM_SETRANGE32, 0, total);
                ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
            });
        });
        draw_order();
        return;
    }
    case Part::cancel:
        model_.cancel();
        return;
    case Part::close:
        // Not while the card is being arranged: the arrangement must end first.
        if (!model_.busy())
            ::ShowWindow(window(), SW_HIDE);
        return;
    default:
        return;
    }
}

LRESULT CardOrderWindow::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == drag_list_message())
        return drag_rows(part(Part::songs), *reinterpret_cast<const DRAGLISTINFO*>(lparam), model_,
                         errors_);
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == IDCANCEL) {
            press(Part::close);
            return 0;
        }
        const auto index = static_cast<std::size_t>(id - first_id);
        if (index >= layout.size())
            return 0;
        const Part which = layout.at(index).part;
        if (which == Part::songs && code == LBN_SELCHANGE) {
            guarded(errors_, [this] { send_selection(*songs_, model_); });
        } else if (code == BN_CLICKED && ::IsWindowEnabled(part(which)) != FALSE) {
            press(which);
        }
        return 0;
    }
    case WM_CLOSE:
        press(Part::close);
        return 0;
    default:
        return ::DefDlgProcW(window, message, wparam, lparam);
    }
}

} // namespace kadoru
