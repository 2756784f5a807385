#include "transfer_list/list_commands.h"

#include "platform/file_list.h"
#include "platform/label.h"
#include "platform/paths.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

#include <string>

namespace kadoru {

namespace {

// An entry for File1's row i. The folder handler keeps one size per row; a row it
// has not measured (yet) counts as 0 bytes.
TransferEntry entry_for_row(const ListEditing& editing, int i) {
    const std::string& name = editing.file1.row(i);
    const auto row = static_cast<std::size_t>(i);
    const std::uint64_t size = row < editing.file_size.size() ? editing.file_size[row] : 0;
    return {name, join_path(editing.file1.path(), name), std::to_string(size)};
}

template <class Wanted> void add_rows(const ListEditing& editing, Wanted wanted) {
    const int rows = editing.file1.count();
    for (int i = 0; i < rows; ++i) {
        // A list that cannot take another row keeps what it has rather than fail
        // half-way through a click.
        if (editing.list2.count() >= TransferList::max_rows)
            break;
        if (wanted(i))
            editing.list2.append(entry_for_row(editing, i));
    }
    list_size(editing.list2, editing.total_size, editing.label7);
}

} // namespace

void add_selected(const ListEditing& editing) {
    add_rows(editing, [&](int i) { return editing.file1.selected(i); });
}

void add_all(const ListEditing& editing) {
    add_rows(editing, [](int) { return true; });
}

void remove_selected(TransferList& list2, double& total_size, Label& label7) {
    int removed = 0;
    // From the last row up, so the rows still to visit keep their indices.
    for (int i = list2.count() - 1; i >= 0; --i) {
        if (list2.selected(i)) {
            ++removed;
            list2.remove_at(i);
        }
    }
    if (removed >= 1)
        list_size(list2, total_size, label7);
}

void clear_list(TransferList& list2, double& total_size, Label& label7) {
    list2.clear();
    total_size = 0;
    label7.set_text("0KB");
}

void move_up(TransferList& list2) {
    if (list2.list_index() < 1)
        return;
    const int rows = list2.count();
    for (int i = 0; i < rows; ++i) {
        if (!list2.selected(i))
            continue;
        if (i == 0)
            return;
        list2.exchange(i, i - 1);
    }
}

void move_down(TransferList& list2) {
    if (list2.list_index() == list2.count() - 1)
        return;
    const int rows = list2.count();
    for (int i = rows - 1; i >= 0; --i) {
        if (!list2.selected(i))
            continue;
        if (i == list2.count() - 1)
            return;
        list2.exchange(i, i + 1);
    }
}

} // namespace kadoru
