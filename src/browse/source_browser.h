#pragma once

#include <cstdint>
#include <vector>

namespace kadoru {

class DriveSelector;
class EventPump;
class FileList;
class SourceFiles;
class FolderList;
class Label;
class MessageBox;
class TypeSelector;

// The controls and values the source browser works on; all belong to the main window.
struct SourceControls {
    DriveSelector& drive1;
    FolderList& dir1;
    FileList& file1;
    const TypeSelector& combo_ftype;
    Label& label9;
    std::vector<std::uint64_t>& file_size; // one size per File1 row
};

// The handlers of the source drive, folder, type and file lists. Every failure is
// dealt with here and shown; none leaves a handler.
class SourceBrowser {
public:
    SourceBrowser(SourceControls controls, const SourceFiles& fs, MessageBox& messages,
                  EventPump& events);

    // Drive1 changed: point Dir1 at that drive's current folder. A drive without a
    // ready medium is reported and Drive1 goes back to the drive of the folder shown.
    void drive_changed();
    // Dir1 changed (and start-up's last step, and a pick of the type): list the
    // folder's files of the type in File1 and measure each row's size.
    void folder_changed();
    // Combo_ftype: an item was picked.
    void type_clicked();
    // File1 click: the total size of the selected rows, in Label9.
    void file_clicked();

private:
    SourceControls c_;
    const SourceFiles& fs_;
    MessageBox& messages_;
    EventPump& events_;
    // Counts runs of the folder handler, so a measuring that let a newer one run
    // in its middle knows its rows are gone.
    std::uint64_t listing_ = 0;
};

} // namespace kadoru
