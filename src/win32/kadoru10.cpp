#include "win32/kadoru10.h"

#include "app/main_intents.h"
#include "app/main_view_model.h"
#include "platform/guard.h"
#include "platform/windows/wide_text.h"
#include "win32/arranged_list_box.h"
#include "win32/combo_view.h"
#include "win32/dpi.h"
#include "win32/popup_menu.h"
#include "win32/watch.h"
#include "win32/window_font.h"
#include "win32/window_procedure.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kadoru {

namespace {

constexpr const wchar_t* class_name = L"kadoru10";
constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Ids of the controls other than Start and Close: the table's index above this.
constexpr int first_id = 100;
// A drop-down's list reaches this far below its field.
constexpr int drop_down_height = 160;

std::size_t index_of(std::string_view name) {
    const auto* found =
        std::find_if(main_controls.begin(), main_controls.end(),
                     [name](const ControlLayout& layout) { return layout.name == name; });
    if (found == main_controls.end())
        throw std::logic_error("a control the layout does not have");
    return static_cast<std::size_t>(found - main_controls.begin());
}

int id_of(std::size_t index) {
    const std::string_view name = main_controls.at(index).name;
    if (name == main_default_button)
        return IDOK;
    if (name == main_cancel_button)
        return IDCANCEL;
    return first_id + static_cast<int>(index);
}

// The dialog manager tabs in creation order, and names a list by the caption created
// right before it: the controls of the tab order, each after its caption, then the
// rest in the table's order.
std::vector<std::size_t> creation_order() {
    std::vector<std::size_t> order;
    for (const std::string_view name : main_tab_order) {
        for (const auto& [caption, list] : main_captions)
            if (list == name)
                order.push_back(index_of(caption));
        order.push_back(index_of(name));
    }
    for (std::size_t i = 0; i < main_controls.size(); ++i)
        if (std::find(order.begin(), order.end(), i) == order.end())
            order.push_back(i);
    return order;
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extended_style = 0;
};

ControlClass class_of(const ControlLayout& layout) {
    constexpr DWORD list_style =
        LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    switch (layout.kind) {
    case ControlKind::caption:
    case ControlKind::figure:
        return {L"STATIC", SS_NOPREFIX};
    case ControlKind::button:
        return {L"BUTTON", static_cast<DWORD>(layout.name == main_default_button
                                                  ? BS_DEFPUSHBUTTON | WS_TABSTOP
                                                  : BS_PUSHBUTTON | WS_TABSTOP)};
    case ControlKind::picture_button:
        return {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP};
    case ControlKind::folder_list:
        return {WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_HASLINES | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::drive_list:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::type_list:
        return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::file_list:
    case ControlKind::transfer_list:
        return {WC_LISTBOXW, list_style, WS_EX_CLIENTEDGE};
    }
    throw std::logic_error("a control of no kind");
}

bool has_text(ControlKind kind) {
    return kind == ControlKind::caption || kind == ControlKind::button ||
           kind == ControlKind::picture_button;
}

} // namespace

Kadoru10::Kadoru10(const MainViewModel& model, MainIntents& intents, MessageBox& errors)
    : model_(model), intents_(intents), errors_(errors), controls_(main_controls.size()) {
    const INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES |
                                                         ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&common);
    register_window_class(class_name, &window_procedure<Kadoru10, ::DefDlgProcW>, DLGWINDOWEXTRA,
                          ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    const int dpi = system_dpi();
    RECT frame{0, 0, scaled(main_client_area.width, dpi), scaled(main_client_area.height, dpi)};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_.reset(::CreateWindowExW(
        WS_EX_CONTROLPARENT, class_name, to_wide(window_text::main_title).c_str(), style,
        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
        nullptr, ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("the main window could not be created");
    try {
        create_controls(window_dpi(window()));
        ::SendMessageW(window(), DM_SETDEFID, IDOK, 0);
        give_pictures_and_tips();
        connect_views();
    } catch (...) {
        // The window goes with the members; no message may reach this half-made object.
        *alive_ = false;
        ::SetWindowLongPtrW(window(), GWLP_USERDATA, 0);
        throw;
    }
}

Kadoru10::~Kadoru10() {
    *alive_ = false;
    // No message reaches this object while it is being taken apart.
    if (window_)
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

HWND Kadoru10::control(std::string_view name) const {
    for (std::size_t i = 0; i < main_controls.size(); ++i)
        if (main_controls.at(i).name == name)
            return controls_.at(i);
    return nullptr;
}

void Kadoru10::create_controls(int dpi) {
    for (const std::size_t index : creation_order())
        controls_.at(index) = make(main_controls.at(index), id_of(index), dpi);
    font_ = message_font(main_text_pixels, dpi);
    use_font(window(), font_.get());
    file1_ = std::make_unique<ListBoxView>(control("File1"));
    list2_ = std::make_unique<ListBoxView>(control("List2"));
    list2_input_ = std::make_unique<TransferListInput>(control("List2"), intents_, errors_);
    dir1_ = std::make_unique<FolderTreeView>(control("Dir1"));
    ::SetWindowSubclass(control("File1"), &Kadoru10::file_list_input, 1,
                        reinterpret_cast<DWORD_PTR>(this));
}

HWND Kadoru10::make(const ControlLayout& layout, int id, int dpi) {
    const ControlClass kind = class_of(layout);
    const bool drops_down =
        layout.kind == ControlKind::drive_list || layout.kind == ControlKind::type_list;
    const int height = layout.place.height + (drops_down ? drop_down_height : 0);
    HWND control = ::CreateWindowExW(
        kind.extended_style, kind.name,
        has_text(layout.kind) ? to_wide(layout.caption).c_str() : L"",
        WS_CHILD | WS_VISIBLE | kind.style, scaled(layout.place.x, dpi),
        scaled(layout.place.y, dpi), scaled(layout.place.width, dpi), scaled(height, dpi), window(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr)
        throw std::runtime_error("a control of the main window could not be created");
    return control;
}

void Kadoru10::give_pictures_and_tips() {
    HWND tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  window(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (std::size_t i = 0; i < main_controls.size(); ++i) {
        const ControlLayout& layout = main_controls.at(i);
        if (layout.kind != ControlKind::picture_button)
            continue;
        // The picture is drawn; the caption stays the button's text, its accessible name.
        HANDLE picture = ::LoadImageW(::GetModuleHandleW(nullptr), to_wide(layout.picture).c_str(),
                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
        if (picture != nullptr) {
            pictures_.emplace_back(picture);
            ::SendMessageW(controls_.at(i), BM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(picture));
        }
        std::wstring tip = to_wide(layout.caption);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window();
        tool.uId = reinterpret_cast<UINT_PTR>(controls_.at(i));
        tool.lpszText = tip.data();
        ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Kadoru10::draw_drives(DriveSide side) {
    const DriveSelector& selector = side == DriveSide::source ? model_.drive1 : model_.drive2;
    auto& drives = side == DriveSide::source ? drive1_rows_ : drive2_rows_;
    std::vector<std::string> captions;
    drives.clear();
    int selected = -1;
    for (const auto& row : selector.rows()) {
        if (row.drive == selector.drive())
            selected = static_cast<int>(drives.size());
        drives.push_back(row.drive);
        captions.push_back(row.caption);
    }
    draw_combo(control(side == DriveSide::source ? "Drive1" : "Drive2"), captions, selected);
}

void Kadoru10::connect_views() {
    for (std::size_t i = 0; i < main_controls.size(); ++i) {
        if (main_controls.at(i).kind != ControlKind::figure)
            continue;
        const Label& label = main_figure(model_, main_controls.at(i).name);
        watch(label.changed, alive_,
              [&label, figure = controls_.at(i)] { show_text(figure, label.text()); });
    }
    const FileList& files = model_.file1;
    watch(files.changed, alive_, [this, &files] {
        std::vector<std::string> rows;
        for (int i = 0; i < files.count(); ++i)
            rows.push_back(files.row(i));
        file1_->draw(
            std::move(rows), [&files](int i) { return files.selected(i); }, -1);
    });
    const TransferList& list = model_.list2;
    watch(list.changed, alive_, [this, &list] { draw_arranged_list(*list2_, list); });
    watch(model_.dir1.changed, alive_, [this] { dir1_->draw(model_.dir1.rows()); });
    watch(model_.drive1.changed, alive_, [this] { draw_drives(DriveSide::source); });
    watch(model_.drive2.changed, alive_, [this] { draw_drives(DriveSide::destination); });
    const TypeSelector& type = model_.combo_ftype;
    watch(type.changed, alive_, [this, &type] {
        const auto& items = type.items();
        const auto found = std::find(items.begin(), items.end(), type.text());
        HWND combo = control("Combo_ftype");
        draw_combo(combo, items,
                   found == items.end() ? -1 : static_cast<int>(found - items.begin()));
        show_text(combo, type.text());
    });
    watch(model_.controls.changed, alive_, [this] { show_enabled(); });
}

void Kadoru10::show_enabled() const {
    for (const LockedControl locked : lock_order)
        ::EnableWindow(control(locked_control_name(locked)),
                       model_.controls.enabled(locked) ? TRUE : FALSE);
    // A control that is locked while it has the focus leaves the keyboard nowhere:
    // it moves on to the next control that takes it.
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window(), focus) != FALSE &&
        ::IsWindowEnabled(focus) == FALSE)
        ::SendMessageW(window(), WM_NEXTDLGCTL, 0, FALSE);
}

void Kadoru10::show(int how) {
    ::ShowWindow(window(), how);
    ::SendMessageW(window(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(control(main_tab_order.front())), TRUE);
    ::UpdateWindow(window());
}

template <class Action> void Kadoru10::send(Action&& action) {
    guarded(errors_, std::forward<Action>(action));
}

void Kadoru10::end_by(EndInput input) {
    if (!end_.ends(input, ::IsWindowEnabled(control(main_cancel_button)) != FALSE))
        return;
    send([this, action = WindowEnd::action_of(input)] { (intents_.*action)(); });
    // Only the quit: during a run this arrives inside the run's own loop.
    ::PostQuitMessage(0);
}

void Kadoru10::command(int id, int code, HWND /*from*/) {
    const auto index =
        static_cast<std::size_t>(id == IDOK       ? index_of(main_default_button)
                                 : id == IDCANCEL ? index_of(main_cancel_button)
                                                  : static_cast<std::size_t>(id - first_id));
    if (id != IDOK && id != IDCANCEL && (id < first_id || index >= main_controls.size()))
        return;
    // A locked control takes no command, whoever sends it (another program's
    // BM_CLICK, Enter or Escape through the dialog manager).
    if (::IsWindowEnabled(controls_.at(index)) == FALSE)
        return;
    const ControlLayout& layout = main_controls.at(index);
    if (layout.kind == ControlKind::button || layout.kind == ControlKind::picture_button) {
        if (code != BN_CLICKED)
            return;
        // Escape reaches here as Close's click, so both go by Escape's rule.
        if (layout.name == main_cancel_button)
            end_by(EndInput::escape);
        else if (layout.press != nullptr)
            send([this, press = layout.press] { (intents_.*press)(); });
        return;
    }
    list_command(layout, code);
}

void Kadoru10::list_command(const ControlLayout& layout, int code) {
    const std::string_view name = layout.name;
    if (name == "File1" && code == LBN_SELCHANGE) {
        send([this] { intents_.file_rows_selected(file1_->selected_rows()); });
    } else if (name == "List2" && code == LBN_SELCHANGE) {
        send([this] { send_selection(*list2_, intents_); });
    } else if (layout.kind == ControlKind::drive_list) {
        const bool source = name == "Drive1";
        HWND combo = control(name);
        if (code == CBN_DROPDOWN) {
            // The drives are read anew each time the list opens: a card may have come.
            draw_drives(source ? DriveSide::source : DriveSide::destination);
        } else if (code == CBN_SELENDOK) {
            const auto& rows = source ? drive1_rows_ : drive2_rows_;
            const auto row = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
            if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
                send([this, source, drive = rows.at(static_cast<std::size_t>(row))] {
                    intents_.drive_picked(source ? DriveSide::source : DriveSide::destination,
                                          drive);
                });
        }
    } else if (layout.kind == ControlKind::type_list) {
        HWND combo = control(name);
        if (code == CBN_EDITCHANGE)
            send([this, combo] { intents_.type_typed(text_of(combo)); });
        else if (code == CBN_SELENDOK)
            send([this, combo] {
                intents_.type_picked(static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)));
            });
    }
}

LRESULT Kadoru10::notify(const NMHDR& header) {
    if (header.hwndFrom != dir1_->window() || ::IsWindowEnabled(header.hwndFrom) == FALSE)
        return 0;
    std::optional<std::string> folder;
    if (header.code == NM_DBLCLK)
        folder = dir1_->folder_under_pointer();
    else if (header.code == TVN_KEYDOWN &&
             reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE)
        folder = dir1_->selected_folder();
    else
        return 0;
    if (folder)
        send([this, &folder] { intents_.folder_opened(*folder); });
    // The space bar opens the folder and selects nothing by its letter.
    return header.code == TVN_KEYDOWN ? 1 : 0;
}

LRESULT CALLBACK Kadoru10::file_list_input(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR /*id*/, DWORD_PTR self) {
    auto& window = *reinterpret_cast<Kadoru10*>(self);
    if (::IsWindowEnabled(box) == FALSE)
        return ::DefSubclassProc(box, message, wparam, lparam);
    switch (message) {
    case WM_LBUTTONDOWN:
        window.send([&window] { window.intents_.file_pressed(); });
        return ::DefSubclassProc(box, message, wparam, lparam);
    case WM_LBUTTONUP: {
        const LRESULT result = ::DefSubclassProc(box, message, wparam, lparam);
        window.send([&window] { window.intents_.file_released(); });
        return result;
    }
    case WM_LBUTTONDBLCLK: {
        window.send([&window] { window.intents_.file_pressed(); });
        const LRESULT result = ::DefSubclassProc(box, message, wparam, lparam);
        const auto hit = ::SendMessageW(box, LB_ITEMFROMPOINT, 0, lparam);
        const bool on_row = HIWORD(hit) == 0 && ::SendMessageW(box, LB_GETCOUNT, 0, 0) > 0;
        window.send([&window, on_row] { window.intents_.file_double_clicked(on_row); });
        return result;
    }
    default:
        return ::DefSubclassProc(box, message, wparam, lparam);
    }
}

LRESULT Kadoru10::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == drag_list_message() && list2_input_)
        return list2_input_->dragged(*reinterpret_cast<const DRAGLISTINFO*>(lparam));
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_CONTEXTMENU:
        context_menu(reinterpret_cast<HWND>(wparam), lparam);
        return 0;
    case WM_CLOSE:
        end_by(EndInput::close_box);
        return 0;
    default:
        return ::DefDlgProcW(window, message, wparam, lparam);
    }
}

void Kadoru10::context_menu(HWND from, LPARAM at) {
    std::vector<MenuEntry> entries;
    send([&] {
        if (from == control("List2"))
            entries = transfer_list_menu(intents_, model_.list2);
        else if (from == control("Drive2"))
            entries = destination_menu(intents_);
    });
    if (std::none_of(entries.begin(), entries.end(), [](const MenuEntry& e) { return e.shown; }))
        return;
    if (const auto picked = pick_from_menu(window(), menu_point(from, at), entries))
        menu_command(*picked);
}

void Kadoru10::menu_command(MenuCommand command) {
    // A menu opened before the lock may be picked after it: the lock is asked again.
    const bool of_list2 =
        command != MenuCommand::eject_card && command != MenuCommand::show_card_order;
    if (of_list2 && !intents_.list_editable())
        return;
    switch (command) {
    case MenuCommand::add_playlist:
        if (const auto path = playlists_.choose_to_add(window()))
            send([&] { intents_.add_playlist(*path); });
        return;
    case MenuCommand::save_playlist:
        if (const auto path = playlists_.choose_to_save(window()))
            send([&] { intents_.save_playlist(*path); });
        return;
    case MenuCommand::sort_by_name:
        send([this] { intents_.sort_by_name(); });
        return;
    case MenuCommand::sort_by_track:
        send([this] { intents_.sort_by_track(); });
        return;
    case MenuCommand::shuffle:
        send([this] { intents_.shuffle(); });
        return;
    case MenuCommand::eject_card:
        send([this] {
            if (intents_.can_eject())
                intents_.eject_card();
        });
        return;
    case MenuCommand::show_card_order:
        send([this] {
            CardOrder order = intents_.card_order();
            if (!card_order_)
                card_order_ = std::make_unique<CardOrderWindow>(window(), intents_, errors_);
            card_order_->show_order(std::move(order));
        });
        return;
    }
}

} // namespace kadoru
