#pragma once

#include <cstdint>
#include <vector>

namespace kadoru {

class FileList;
class Label;
class TransferList;

// What the list editing commands work on: the transfer list, the source file list
// with the size of each of its rows, and the list total with its label.
struct ListEditing {
    TransferList& list2;
    const FileList& file1;
    const std::vector<std::uint64_t>& file_size;
    double& total_size;
    Label& label7;
};

// Command1 and the double-click on File1: appends the selected files of File1 in
// the order of its rows, whatever order they were selected in, then list_size.
void add_selected(const ListEditing& editing);
// Command6: appends every file of File1, then list_size.
void add_all(const ListEditing& editing);
// Command2: removes the selected entries; list_size only when something went.
void remove_selected(TransferList& list2, double& total_size, Label& label7);
// Command3: empties the list, sets total_size to 0 and shows "0KB": a run that
// was already under way when the list was cleared must not check a stale total.
void clear_list(TransferList& list2, double& total_size, Label& label7);
// Command4 and Command5: move each selected entry one place, a block of adjacent
// ones as a block. Nothing moves when a selected entry is already at the end it
// moves towards. Move up needs a current row of at least 1; move down needs a
// current row other than the last one.
void move_up(TransferList& list2);
void move_down(TransferList& list2);

} // namespace kadoru
