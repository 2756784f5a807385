#pragma once

namespace kadoru {

class DriveSelector;
class Drives;
class FolderList;
class Label;
class MessageBox;

// The controls the destination panel works on; all belong to the main window.
struct DestinationControls {
    DriveSelector& drive1;
    FolderList& dir1;
    DriveSelector& drive2;
    Label& label8;  // free space
    Label& label11; // capacity
};

// The destination drive's figures, and the refresh button.
class DestinationPanel {
public:
    DestinationPanel(DestinationControls controls, const Drives& drives, MessageBox& messages);

    // Drive2 changed: show its free space and capacity. A drive that is not ready is
    // reported and Drive2 falls back to the source drive, whose figures then show;
    // when that is the same drive nothing further runs. Other failures are reported
    // and nothing is restored.
    void drive_changed();

    // Command7: re-applies the source drive, the source folder and the destination
    // drive to their lists, so they show what is present now, selections kept.
    void refresh();

    // The fallback of the refresh and of start-up: the destination follows the
    // source drive. Nothing is shown, even should that fail.
    void destination_to_source() noexcept;

private:
    DestinationControls c_;
    const Drives& drives_;
    MessageBox& messages_;
};

} // namespace kadoru
