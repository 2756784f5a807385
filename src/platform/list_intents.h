#pragma once

#include <string>
#include <vector>

namespace kadoru {

// Which drive selector an input came from.
enum class DriveSide { source, destination };

// What the user does to the drive, folder, file and type lists, one call per input.
// A window (Qt or Win32) reports its raw input here and nothing else: it never
// writes the lists' models nor runs their handlers, and it decides no event rule.
// The rules live in the logic that implements this (ListInput):
// - File1's click runs once per mouse press, at the release, after the selection the
//   press made; a selection the keyboard changes (no press under way) is a click at
//   once; a double-click runs the click and then, on a row, the double-click, and
//   the release that ends it is no click of its own.
// - Typing in the type selector sets its text and runs nothing; picking an item runs
//   its click.
// - A folder opens by a double-click or the space bar on it; Enter never opens one
//   (Enter is the default button's).
// Each call may throw a Failure for the window's guard to tell.
class ListIntents {
public:
    virtual ~ListIntents() = default;

    // File1: a mouse press and its release on the list; the rows selected now, every
    // one (sent whenever the selection changes); a double-click, on a row or not.
    virtual void file_pressed() = 0;
    virtual void file_released() = 0;
    virtual void file_rows_selected(const std::vector<int>& rows) = 0;
    virtual void file_double_clicked(bool on_row) = 0;
    // Dir1: the user opened the folder of this row (its full path).
    virtual void folder_opened(const std::string& path) = 0;
    // Drive1 or Drive2: the user picked the drive of a row ("e:").
    virtual void drive_picked(DriveSide side, const std::string& drive) = 0;
    // Combo_ftype: the text as the user typed it; the item the user picked.
    virtual void type_typed(const std::string& text) = 0;
    virtual void type_picked(int item) = 0;
};

} // namespace kadoru
