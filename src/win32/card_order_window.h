#pragma once

#include "card/card_order_model.h"
#include "platform/windows/windows_api.h"
#include "win32/list_box_view.h"
#include "win32/window_handles.h"

#include <commctrl.h>
#include <memory>
#include <vector>

namespace kadoru {

class CardOrderActions;
class MessageBox;

// The order window "カードの中の順序" in Win32, drawn from CardOrderModel: the card's
// root folder in stored order, and arranging its songs in place (↑, ↓, a drag, the
// two sortings, この順序にする with a progress bar, やめる). Modeless; the close box
// only hides it, and Drive2's menu shows it again with the card read anew.
class CardOrderWindow final {
public:
    CardOrderWindow(HWND owner, CardOrderActions& actions, MessageBox& errors);
    ~CardOrderWindow();
    CardOrderWindow(const CardOrderWindow&) = delete;
    CardOrderWindow& operator=(const CardOrderWindow&) = delete;
    CardOrderWindow(CardOrderWindow&&) = delete;
    CardOrderWindow& operator=(CardOrderWindow&&) = delete;

    void show_order(CardOrder order);
    HWND window() const { return window_.get(); }
    // The window's controls, by their role.
    enum class Part {
        caption,
        order,
        songs,
        up,
        down,
        by_name,
        by_track,
        note,
        bar,
        arrange,
        confirm,
        cancel,
        close
    };
    HWND part(Part which) const { return parts_.at(static_cast<std::size_t>(which)); }
    // A button's click, as the window runs it.
    void press(Part button);

    LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    MessageBox& errors() const { return errors_; }

private:
    void create_controls();
    void draw_order();
    void draw_songs();
    void show_enabled();

    MessageBox& errors_;
    CardOrderModel model_;
    UniqueFont font_;
    UniqueWindow window_;
    std::vector<HWND> parts_;
    std::unique_ptr<ListBoxView> songs_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace kadoru
