#pragma once

#include "browse/type_selector.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/notifier.h"
#include "transfer/control_lock.h"
#include "transfer_list/transfer_list.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kadoru {

class Drives;
class SourceFiles;

// The enabled state of the controls the run's lock switches; the window draws it.
class ControlStates final : public ControlSwitch {
public:
    ControlStates() { enabled_.fill(true); }
    void set_enabled(LockedControl control, bool enabled) override {
        enabled_[static_cast<std::size_t>(control)] = enabled;
        changed.notify();
    }
    bool enabled(LockedControl control) const {
        return enabled_[static_cast<std::size_t>(control)];
    }

    Notifier changed;

private:
    std::array<bool, lock_order.size()> enabled_{};
};

// All state of the main window kadoru10, held in plain objects: what the controls
// show and the window-level values. The Qt window only draws it and forwards input.
struct MainViewModel {
    MainViewModel(Drives& drives, const SourceFiles& fs, const std::string& start_drive,
                  const std::string& start_folder)
        : drive1(drives, start_drive), drive2(drives, start_drive), dir1(drives, fs, start_folder),
          file1(fs) {}

    DriveSelector drive1;     // source drive
    DriveSelector drive2;     // destination drive
    FolderList dir1;          // source folder
    FileList file1;           // source files of the chosen type
    TypeSelector combo_ftype; // file type
    TransferList list2;       // the transfer list (List2, List_hide, List_hide2)

    Label label7;  // transfer list total
    Label label8;  // destination free space
    Label label9;  // total of the selected source files
    Label label11; // destination capacity

    ControlStates controls;

    double total_size = 0;                // kept by list_size and the clear command
    std::vector<std::uint64_t> file_size; // size of each File1 row, every row
    std::string app_path;                 // the program's folder
};

} // namespace kadoru
