#include "browse/list_input.h"

#include "browse/type_selector.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"

#include <algorithm>
#include <utility>

namespace kadoru {

void ListInput::file_click() const {
    if (lists_.file1 != nullptr && lists_.file1->on_click)
        lists_.file1->on_click();
}

void ListInput::file_pressed() {
    pressed_ = true;
    release_ends_double_click_ = false;
}

void ListInput::file_released() {
    if (!std::exchange(pressed_, false))
        return;
    if (!std::exchange(release_ends_double_click_, false))
        file_click();
}

void ListInput::file_rows_selected(const std::vector<int>& rows) {
    if (lists_.file1 == nullptr)
        return;
    FileList& files = *lists_.file1;
    for (int i = 0; i < files.count(); ++i)
        files.set_selected(i, std::find(rows.begin(), rows.end(), i) != rows.end());
    if (!pressed_)
        file_click();
}

void ListInput::file_double_clicked(bool on_row) {
    pressed_ = true;
    release_ends_double_click_ = true;
    file_click();
    if (on_row && lists_.file1 != nullptr && lists_.file1->on_double_click)
        lists_.file1->on_double_click();
}

void ListInput::folder_opened(const std::string& path) {
    if (lists_.dir1 != nullptr)
        lists_.dir1->assign(path);
}

void ListInput::drive_picked(DriveSide side, const std::string& drive) {
    DriveSelector* selector = side == DriveSide::source ? lists_.drive1 : lists_.drive2;
    if (selector != nullptr)
        selector->assign(drive);
}

void ListInput::type_typed(const std::string& text) {
    if (lists_.combo_ftype != nullptr)
        lists_.combo_ftype->set_text(text);
}

void ListInput::type_picked(int item) {
    if (lists_.combo_ftype != nullptr)
        lists_.combo_ftype->choose(item);
}

} // namespace kadoru
